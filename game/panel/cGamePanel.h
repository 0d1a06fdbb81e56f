#pragma once
// The in-game HUD: the window "game_panel" built from the scene "gamepanel".
// It carries the hidden-object list and the scenes it may be shown in, the
// status line drawn beside the cursor, the particle effects of found
// objects described by "effects_desc", the objects that follow the cursor,
// the inventory slots with the item held on the cursor, and the panel's
// buttons. There is one panel; it is reached through Get().

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/cVector3d.h"
#include "engine/graphics/sTextLayout.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/windows/cGameWindow.h"
#include "game/panel/cItemsList.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class cGameOptionsMenu;
class cInventory;
class cModelController;
class cModelControllerBase;
class cParticleSystem;

class cGamePanel : public cGameWindow
{
public:
	// The window hangs under the effect window's "rt/target" (or under the
	// default camera object when that is missing).
	explicit cGamePanel(cSceneObject* effectWindow);
	~cGamePanel() override;

	// The panel, or null while none exists.
	static cGamePanel* Get() { return s_instance; }

	bool HandleInput() override;
	void Update(float dt) override;
	void DrawSelf() override;
	void SetState(int state) override;
	void Show() override;
	// Also hides the options window when it is up.
	void Hide() override;

	// Empty while a dialogue runs; the same text again is not laid out anew.
	void SetTooltipText(const std::wstring& text);
	const std::wstring& GetTooltipText() const { return m_tooltip; }
	// Where a tooltip of the width is drawn for a cursor at the point.
	static cVector3d TooltipPosition(const cVector3d& cursor, float width);
	void SetEnabled(bool enabled) { m_hintButtonEnabled = enabled; }
	bool IsHintButtonEnabled() const { return m_hintButtonEnabled; }
	bool IsMouseOver();
	static bool IsMouseOverLocalBox(cSceneObject* object);
	bool IsObjectivesShown() const;
	bool WasInputHandled() const { return m_inputHandled; }
	// The in-game options window "in_game_options".
	cGameOptionsMenu* GetOptionsWindow() const { return m_optionsWindow; }

	// The object's world matrix is saved when it starts following, and put
	// back (and forgotten) when it stops. A null object detaches every
	// follower, the last first.
	void AttachToCursor(cSceneObject* object);
	void DetachFromCursor(cSceneObject* object);

	// The scenes an items list can be shown in, counted by their users: a
	// preload loads the scene of the name (or counts one more user), a
	// release counts one less and deletes the scene at none. "" is the
	// panel's own list scene and is never released.
	void PreloadIspyList(const std::string& name);
	void ShowIspyList(const std::string& name);
	void ReleaseIspyList(const std::string& name);
	cSceneObject* GetIspyList(const std::string& name) const;
	// The children of the kept scene named by the progress's list name.
	void GetIspyListChildren(std::vector<cSceneObject*>& out) const;
	void AddItemToFind(const std::string& name, const std::wstring& text);
	void ClearItemsList() { m_itemsList.Clear(); }
	cItemsList& GetItemsList() { return m_itemsList; }

	// Counts the find on the list; with a model, starts the effect that
	// flies from the object to its place in the list scene (or plays at the
	// object when it has none there).
	void OnObjectFound(const std::string& name, const cMatrix& world, cModelControllerBase* model);
	// A particle system of the "effects_desc" entry at the position, or
	// null when the entry is missing or has no particle resource.
	cParticleSystem* CreateEffect(const std::string& name, const cVector3d& position, cMatrix* matrix);
	size_t GetFlyEffectCount() const { return m_flyEffects.size(); }
	void ShowClothes(const std::string& property);

	// The inventory: the player's counts live in the progress record and
	// the panel keeps them in step as it changes the slots. Each kind of
	// item held takes one slot, in the order the kinds arrived.
	//
	// Gives count units (nothing for an empty name or a count below 1);
	// with fly set they fly in from the place given by from. With every
	// slot in use only the progress counts them.
	void AddInventoryItem(const cMatrix& from, const std::string& name, int count, bool fly);
	// Takes count units away, at most as many as the player holds.
	void RemoveInventoryItem(const std::string& name, int count);
	// Whether the first slot showing the item holds count units; an item
	// no slot shows is not held, whatever the progress counts.
	bool HasInventoryItem(const std::string& name, int count) const;
	// The slots of the pairs' values slide together and become the item
	// of the first value ("name" or "name#count").
	void Combine(const std::vector<std::pair<std::string, std::string>>& pairs);
	// Empties every slot; the progress and the held item are left alone.
	void ClearInventory();
	// The item on the cursor, or "".
	std::string GetHeldItemName() const;
	// Lets go of the item on the cursor unless it was picked up in this
	// input pass.
	void DropHeldItem();
	bool IsAnySlotMoving() const;
	bool IsAnySlotFlying() const;
	// The slots showing an item, in display order.
	const std::vector<cInventory*>& GetActiveSlots() const { return m_activeSlots; }

	// Aims and hints.
	// Announces an aim not yet given: plays "task", shows the text in
	// "text_aim" and keeps it in the progress, led by "<number>#" for a
	// non-zero sort number. An empty text is logged and still given.
	void AddAim(const std::string& id, const std::wstring& text, int sortNumber);
	// Marks the aim solved, also one never given (it can then not be added).
	void SolveAim(const std::string& id);
	// Plays the hint effect at the point and the item hint at every active
	// slot that holds the item; without an item the item hint plays out of
	// sight.
	void ShowHintAt(float x, float y, const std::string& itemName);
	// An aim's text as shown: everything up to its first "#" removed.
	static std::wstring DisplayedAimText(const std::wstring& stored);

private:
	struct sEffectDesc
	{
		cResourceHandle particles;
		cMatrix matrix;
		float length = 1.0f;
	};
	struct sFlyEffect
	{
		cVector3d from;
		cVector3d to;
		cSceneObject* target = nullptr;
		cModelControllerBase* model = nullptr;
		std::shared_ptr<cParticleSystem> particles;
		float elapsed = 0;
		float duration = 0;
	};
	struct sIspyList
	{
		cSceneObject* scene = nullptr;
		int users = 0;
	};

	void ReadEffects();
	void BindButtons();
	// Advances the effect; false once it has ended.
	bool AdvanceFlyEffect(sFlyEffect& effect, float dt);
	void DrawTooltip();
	void MoveFollowers();

	// Inventory.
	void SetUpSlots();
	cInventory* FindActiveSlot(const std::string& name) const;
	void OnSlotClick(cSceneObject* slot);
	void OnSlotSelect(cSceneObject* slot);
	void OnSlotDrop(cSceneObject* slot);
	void DrawHeldItem();

	void OnMenuButton(cSceneObject*);
	void OnHintButton(cSceneObject*);
	void OnRoomButton(cSceneObject*);
	void OnAimsButton(cSceneObject*);

	static inline cGamePanel* s_instance = nullptr;

	std::map<std::string, sEffectDesc> m_effects;
	std::map<std::string, sIspyList> m_ispyLists;
	cSceneObject* m_hintEffect = nullptr;
	cSceneObject* m_itemHintEffect = nullptr;
	cGameOptionsMenu* m_optionsWindow = nullptr;
	cResourceHandle m_hintSound;
	cResourceHandle m_hintFullSound;
	bool m_hintButtonEnabled = false;
	std::wstring m_tooltip;
	std::vector<sTextVertex> m_tooltipVertices;
	sTextLayout m_tooltipLayout;
	std::vector<sFlyEffect> m_flyEffects;
	int m_tooltipFont = 6;
	std::map<cSceneObject*, cMatrix> m_followerMatrices;
	std::vector<cSceneObject*> m_followers;
	cSceneObject* m_hintButton = nullptr;
	cSceneObject* m_objectives = nullptr;
	std::vector<cSceneObject*> m_objectiveLayouts;
	cSceneObject* m_clothes = nullptr;
	float m_aimsListLock = 0;
	cItemsList m_itemsList;
	bool m_inputHandled = false;

	// Inventory: the world matrix of "slots_parent" and each slot's own
	// place under it, by slot number; position i of the active slots
	// stands at home i. Free slots are taken from the back.
	cMatrix m_slotsBase;
	std::vector<cMatrix> m_slotHomes;
	std::vector<cInventory*> m_activeSlots;
	std::vector<cInventory*> m_freeSlots;
	cInventory* m_heldSlot = nullptr;
	bool m_pickedUpThisFrame = false;
	std::unique_ptr<cModelController> m_heldModel;

	// Aims and hints.
	// Announces every aim given and not solved again (the progress may have
	// been loaded since the last showing).
	void AnnounceOpenAims();
	void OpenAimsList();
	// Nothing while "objectives" still plays; else leaves the modal list,
	// plays "obj_hide" and locks the aims button for a moment.
	void CloseAimsList();
	// Hides "objectives" once the list was closed and its clip ended.
	void AutoHideObjectives();
	// Recharges the hint button and sets its look and enabled state.
	void ChargeHint(float dt);
	bool IsTopModal() const;
	bool IsObjectivesPlaying() const;
	// The active slots holding the item.
	std::vector<cInventory*> SlotsHolding(const std::string& item) const;
	static void PlayClip(cSceneObject* object, const std::string& name);

	float m_hintRechargeRate = 0.02f;
};
