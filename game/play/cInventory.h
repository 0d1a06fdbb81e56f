#pragma once
// The scene-object type "inventory": one slot of the game panel. It shows
// one kind of item, its model centred on the slot and the number held in
// its child text "count"; units fly into it from where they were picked up,
// it slides to a new place when the panel rearranges its slots and fades
// out when a combination uses its item up. It reports "click" (the slot
// was clicked), "select" (the mouse is over it) and "drop" (it became
// empty); the panel decides what they mean.

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/cVector3d.h"
#include "engine/foundation/sColor.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/scene/cSceneObject.h"

#include <memory>
#include <string>
#include <vector>

class cQuadVisual;

class cInventory : public cSceneObject
{
public:
	// What happens when the current slide ends.
	enum eMode
	{
		kModeNone = 0,
		// The slot becomes the pending item.
		kModeBecomePending = 1,
		kModeEmpty = 2,
		kModeFadeThenEmpty = 3,
	};

	// An empty slot; its quad visual serves the hit test and is never drawn.
	cInventory(const std::string& name, cSceneObject* parent);
	~cInventory() override;

	void OnLoaded() override;
	// While units are held: "select" while the mouse is over the slot and
	// "click" when the left button went down there. Never takes the input.
	bool HandleInput() override;
	std::string GetTypeName() const override { return "inventory"; }
	// The flying units with their trails, then the item model.
	void DrawSelf() override;
	void Update(float dt) override;

	// Shows a new item kind with count 0, hidden until a unit arrives; an
	// empty name empties the slot.
	void SetItem(const std::string& name);
	// Changes the count by delta. Units added with fly set travel from the
	// matrix to the slot (with the trail particles, which the slot then
	// owns); without fly they appear at once. Falling to 0 drops the item.
	void AddItem(const cMatrix& from, bool fly, int delta, cParticleSystem* particles);
	// Writes the count text: nothing for 1, the number from 2 on.
	void RefreshCount();
	// Deletes the item model and the flights; the name and count stay.
	void Clear();
	// Slides the slot to the world position in 0.5 s; ignored while a
	// combination's fade or result is pending.
	void SetMoveTarget(const cVector3d& target);

	void SetMode(int mode) { m_mode = mode; }
	int GetMode() const { return m_mode; }
	// The name, optionally followed by "#" and a count, that mode 1 shows.
	void SetPendingItem(const std::string& item) { m_pendingItem = item; }
	const std::string& GetItemName() const { return m_itemName; }
	int GetCount() const { return m_count; }
	bool IsCountVisible() const { return m_countVisible; }
	bool IsHovered() const { return m_hovered; }
	float GetHoverScale() const { return m_hoverScale; }
	cModelController* GetItemModel() const { return m_itemModel.get(); }
	size_t GetFlightCount() const { return m_flights.size(); }
	bool IsSliding() const { return m_slideTimer >= 0; }

	// Splits "name#count" at the first "#": the name before it, and the
	// count after it read as a number (0 when it is none); 1 without "#".
	static int SplitItem(const std::string& item, std::string& name);

private:
	// One unit flying into the slot.
	struct sInventoryItem
	{
		std::unique_ptr<cModelController> model;
		cMatrix start;
		cMatrix current;
		sColor colour;
		std::shared_ptr<cParticleSystem> particles;
		float progress = 0;
		float timeLeft = 0;
	};

	void UpdateFlights(float dt);
	// Moves the unit one frame on; true when it has landed.
	bool UpdateFlight(sInventoryItem& flight, float dt);
	void Land();
	void UpdateSlide(float dt);
	void EndSlide();
	void Drop();
	void SetCountText(const std::string& text);
	void ShowCount();

	int m_mode = kModeNone;
	std::string m_pendingItem;
	std::vector<sInventoryItem> m_flights;
	bool m_countVisible = false;
	bool m_hovered = false;
	cQuadVisual* m_ownVisual;
	std::string m_itemName;
	int m_count = 0;
	float m_slideTimer = -1;
	float m_fadeTimer = -1;
	cVector3d m_slideTarget;
	cVector3d m_slideVelocity;
	float m_hoverScale = 1.0f;
	std::unique_ptr<cModelController> m_itemModel;
};

// The creator of the object type "inventory".
cSceneObject* CreateInventoryObject(const std::string& name, cSceneObject* parent);
