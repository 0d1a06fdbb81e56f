#pragma once
// One playable location: the window built from the scene and the scenario
// that carry the location's name. Its direct children are sorted into
// hidden objects (grouped by the text they show), objects left alone and
// objects the player can click; the scenario's states are ticked while the
// form works. A form without a parent form is the main form, the one the
// player is in; a main form opens sub-locations over itself as child forms.
// The form brings the game's in-game windows and its sounds up when shown
// and takes them down when hidden, fades sub-locations and single objects,
// plays random ambient sounds and keeps what the running command waits for.

#include "engine/graphics/cModelController.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/windows/cGameWindow.h"
#include "game/location/cLocationWaitList.h"
#include "game/location/sAmbientSound.h"
#include "game/location/sFadeEntry.h"
#include "game/location/sISpyGroup.h"
#include "game/play/cCharacterSetOwner.h"
#include "game/scenario/cScenario.h"
#include "game/scenario/cScenarioOwner.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class cCharacterSet;
class cComicsWindow;
class cMovieWindow;
class cPlayerProgress;
class cMinigame;

class cLocationForm : public cGameWindow, public cScenarioOwner, public cCharacterSetOwner
{
public:
	// Builds the form from its scene and scenario and sorts its objects
	// (on the loader thread, without a lock); then, for a main form, under
	// the scene lock, makes it the current location and restores it from
	// the player's progress or starts its scenario afresh.
	cLocationForm(const std::string& name, cLocationForm* parent);
	// The current location stores itself first, unless another player was
	// selected (or this one deleted) since it was built; the form's
	// children go with it.
	~cLocationForm() override;

	// While a minigame is drawn in place of the form, only the minigame is queued.
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;
	// Picking while the form works: the nearest object under the mouse
	// gives the tooltip and takes the click; in a search only the hidden
	// objects can be found. Also the debug keys of cheat mode. Never
	// consumes the input.
	bool HandleInput() override;
	// The frame step: the help hint and the cursor, a sub-location closed
	// by a click outside it, the ambient sounds, the scenario tick with the
	// wrong remark, the end of a search, the window states and the object
	// fades, the held item let go, and the move to the next location; a
	// closed main form marks itself for deletion.
	void Update(float dt) override;

	// Window states.
	using cGameWindow::GetState;
	using cGameWindow::SetState;
	bool IsAppearFinished() override;
	bool IsDisappearFinished() override;
	// Every main form, current or left, may be deleted once closed.
	void OnClosed() override;
	void EnterState(int state) override;
	void Show() override;
	void Hide() override;

	// The scenario.
	cScenarioCommand* GetState(const std::string& name) override;
	void SetState(const std::string& name) override;
	cScenarioCommand* GetRunningCommand() const override { return m_scenario.GetRunningCommand(); }
	void SetRunningCommand(cScenarioCommand* command) override { m_scenario.SetRunningCommand(command); }
	const std::string& GetStateName() const { return m_scenario.GetStateName(); }
	// Starts the location again from its state "startup".
	void Reset();

	// The first direct child of the start (the form when null) named by the
	// path; "a.b" looks for "b" below "a", and "parent" steps up a level.
	cSceneObject* FindObject(const std::string& path, cSceneObject* start = nullptr);
	// The text the object shows: "default", the location's name, the object's name.
	std::wstring GetObjectText(const std::string& objectName) const;

	cCharacterSet* GetCharacterSet(const std::string& name, cCharacter* character) override;
	// The sub-location of the name, built and hung under this form on first use.
	cLocationForm* GetSubLocation(const std::string& name);
	// Comics and movie windows, built under the form once by name; showing
	// one that was never built gives null.
	void PreloadComics(const std::string& name);
	void PreloadMovie(const std::string& name);
	cComicsWindow* ShowComics(const std::string& name);
	cMovieWindow* ShowMovie(const std::string& name);
	cMinigame* CreateMinigame(const std::string& name);
	// The pending events of the running command, unfiltered and unsorted,
	// appended to events. Runs inside another walk: the shared event
	// context is started afresh for it and given back afterwards.
	void CollectCurrentEvents(std::vector<cScenarioEvent>& events);
	void PreloadItemModel(const std::string& name);

	// Sounds.
	void AddAmbientSound(const std::string& name, float weight);
	void SetAmbientInterval(float seconds) { m_ambientInterval = seconds; }
	// Counts the ambient timer down and, once it has run out, plays one of
	// the ambient sounds chosen by weight.
	void RunAmbientStep(float dt);

	// Fades the object in or out over half a second; the running command
	// waits for it.
	void FadeObject(cSceneObject* object, bool fadeIn);
	cLocationWaitList& GetWaitList() { return m_waitList; }

	// Aims and inventory, handed to the game panel.
	void AddAim(const std::string& aim, int extra);
	void RemoveAim(const std::string& aim);
	// The item flies in from the direct child named by the fly-start name,
	// which then also counts as found on the items list.
	void AddInventoryItem(const std::string& name, int count);
	void RemoveInventoryItem(const std::string& name, int count);
	bool HasInventoryItem(const std::string& name, int count) const;
	// Lists the visible direct child of the name as an item to find; a name
	// without such a child lists nothing.
	void AddItemToFind(const std::string& name);
	// Activates up to count hidden-object groups chosen at random among
	// those not active yet whose first object is visible (on the main form).
	void AddRandomItemsToFind(int count);
	int GetIspyTargetCount() const { return m_ispyTargetCount; }
	int GetIspyFoundCount() const { return m_ispyFoundCount; }
	// The number of groups a search has to find.
	void SetIspyCount(int count);
	void EnableIspyHelp(bool enabled) { m_ispyHelpEnabled = enabled; }
	bool IsIspyHelpEnabled() const { return m_ispyHelpEnabled; }
	float GetHelpHintTimer() const { return m_helpHintTimer; }

	// The hint button's action: points at the next thing to do and spends
	// the hint. False only from a sub-location with nothing to do and no
	// close button, which then hides.
	bool ShowHintForNextEvent();
	// The pending events of the current state: with an empty name all of
	// them sorted by kind, with a name those of the kind a click on that
	// object leads to.
	void CollectEvents(std::vector<cScenarioEvent>& out, const std::string& name, int kind);
	// One of the fifteen remarks on a click that does nothing, unless a
	// dialogue runs.
	void SayWrongRemark();

	// Sub-locations opened over this form.
	void OpenSubLocation(cGameWindow* form);
	// Hides the open child form, or else this form when it is a sub-location.
	void CloseSubLocation();

	// Objects on the cursor, by dotted path below the main form; removing
	// an empty path lets every object go.
	void AddToCursor(const std::string& path);
	void RemoveFromCursor(const std::string& path);

	// The player's progress: storing writes the profile file too.
	void SaveToProfile();
	bool RestoreFromProfile();

	bool IsMainForm() const { return m_parentForm == nullptr; }
	bool IsClosed() const { return m_closed; }
	// Set by each Show; cleared by Hide and by the scenario that waited for it.
	bool IsShown() const { return m_shown; }
	void ClearShown() { m_shown = false; }
	void SetAmbientOn(bool on) { m_ambientOn = on; }
	bool IsAmbientOn() const { return m_ambientOn; }
	cSceneObject* GetBackground() const { return m_background; }
	const std::vector<cSceneObject*>& GetTopObjects() const { return m_topObjects; }
	const std::vector<cSceneObject*>& GetPickableObjects() const { return m_pickableObjects; }
	const std::vector<sISpyGroup>& GetISpyGroups() const { return m_ispyGroups; }
	std::vector<sISpyGroup>& GetActiveISpyGroups() { return m_activeIspyGroups; }
	const std::vector<std::unique_ptr<sFadeEntry>>& GetFades() const { return m_fades; }
	void SetDrawReplacement(cSceneObject* replacement) { m_drawReplacement = replacement; }
	void SetOpenChildForm(cGameWindow* form) { m_openChildForm = form; }
	cGameWindow* GetOpenChildForm() const { return m_openChildForm; }
	void SetFlyStartName(const std::string& name) { m_flyStartName = name; }
	const std::string& GetFlyStartName() const { return m_flyStartName; }
	const std::string& GetClickedName() const { return m_clickedName; }
	const std::string& GetHoveredName() const { return m_hoveredName; }
	bool IsLensShown() const { return m_lensShown; }
	void SetClickedName(const std::string& name) { m_clickedName = name; }
	bool IsClickConsumed() const { return m_clickConsumed; }
	void SetClickConsumed(bool consumed) { m_clickConsumed = consumed; }

private:
	void SortObjects();
	void AddToGroup(std::vector<sISpyGroup>& groups, cSceneObject* object);
	void LoadScenario();
	void EnterMainForm();
	// The window state machine with the form's own steps, then the fades.
	void UpdateWindow(float dt);
	void StepFades(float dt);
	void FinishFades();
	void ShowInGameWindows();
	void HideInGameWindows();
	void PlayLocationSounds();
	void DeleteWhenClosed();
	// Stores the form and its sub-locations into the progress.
	void StoreInto(cPlayerProgress& progress);
	cLocationForm* GetMainForm();
	void OnBorderClose(cSceneObject*);
	// The object's name led by those of its ancestors below the main form, joined with ".".
	std::string FullPath(cSceneObject* object);

	// Input steps.
	// F2 ends hidden-object mode and starts the location again; F5 and F6
	// go to the location numbered one less or one more. True when a
	// location change was asked for.
	bool RunDebugKeys();
	void FindHiddenObject(bool clicked);
	void PickObject(bool clicked);
	void TakeFoundObject(cSceneObject* object);
	// Update steps.
	void UpdateHelpHint(float dt);
	void UpdateCursor(float dt);
	// True when a click outside a sub-location's background was taken.
	bool TakeOutsideClick();
	void TickScenario();
	void UpdateSearch();
	void EndSearch();
	void LeaveForNextLocation();

	friend void SetIspyMode(const std::string& listName, bool on, bool atOnce);
	friend void StartIspyCollect();

	cLocationForm* m_parentForm;
	// The profile activation a main form was built under: its destructor
	// stores it only into the same player's progress.
	unsigned m_profileActivation = 0;
	cScenario m_scenario;
	float m_ambientInterval = 0;
	float m_ambientWeightSum = 0;
	std::vector<sAmbientSound> m_ambientSounds;
	std::vector<std::unique_ptr<cModelController>> m_preloadedModels;
	std::vector<std::unique_ptr<sFadeEntry>> m_fades;
	std::vector<cSceneObject*> m_topObjects;
	std::vector<sISpyGroup> m_ispyGroups;
	std::vector<sISpyGroup> m_activeIspyGroups;
	std::vector<cLocationForm*> m_subLocations;
	std::map<std::string, cCharacterSet*> m_characterSets;
	cLocationWaitList m_waitList;
	cResourceHandle m_music;
	cResourceHandle m_foundSound;
	bool m_ambientOn = false;
	bool m_justClose = false;
	bool m_ispyHelpEnabled = false;
	float m_helpHintTimer = 0;
	float m_cursorDelay = 0;
	bool m_lensShown = false;
	float m_ambientTimer = 0;
	std::vector<cSceneObject*> m_pickableObjects;
	std::map<std::string, cComicsWindow*> m_comicsWindows;
	std::map<std::string, cMovieWindow*> m_movieWindows;
	float m_fadeTimer = 0;
	// The time step of the update in progress, for the window state tests.
	float m_frameTime = 0;
	bool m_closed = false;
	bool m_updatedSinceShown = false;
	bool m_shown = false;
	cSceneObject* m_drawReplacement = nullptr;
	std::string m_clickedName;
	std::string m_hoveredName;
	std::string m_flyStartName;
	bool m_clickConsumed = false;
	cSceneObject* m_background = nullptr;
	cGameWindow* m_openChildForm = nullptr;
	bool m_clickedThisFrame = false;
	int m_ispyTargetCount = 0;
	int m_ispyFoundCount = 0;
};

// Switches hidden-object mode of the main form: on shows the panel's items
// list of the name and lists the main form's visible objects that it
// names; at once skips the panel's opening or closing motion.
void SetIspyMode(const std::string& listName, bool on, bool atOnce);
// Starts the search of the main form when it has groups to find.
void StartIspyCollect();
// Holds the sound of the name for the rest of the run, once per sound.
void PreloadSound(const std::string& name);
// Shows the game panel with the objects that follow the cursor, or hides
// it; the progress remembers which.
void ShowGamePanel(bool show);
