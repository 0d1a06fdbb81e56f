#pragma once
// The circuit puzzle "connectors": 36 nodes shown by lamps ("lamp_1" is
// node 0), twenty fixed links, and six wire pieces that the player lays
// onto places of the board ("h_place_", "d_place_" and "v_place_"
// followed by 1, 2, ...), each of which carries the link (property "link",
// "a-b") that a wire lying on it makes. Two wires fit horizontal places,
// three diagonal ones and one vertical ones. After every change the lamps
// connected to node 0 light; when node 29 lights, the puzzle is solved.

#include "game/minigames/cMinigame.h"

#include <map>
#include <utility>
#include <vector>

class cMinigameConnectors : public cMinigame
{
public:
	static constexpr int kWires = 6;
	static constexpr int kGoalNode = 29;

	explicit cMinigameConnectors(cSceneObject* parent);

	// The base's showing, then the board as built: only the fixed links,
	// every wire at its start, the lamps lit from node 0.
	void Show() override;
	bool HandleInput() override;

	// Stores the link both ways.
	void AddLink(int a, int b);
	// Erases every entry of the pair in both directions, fixed or not.
	void RemoveLink(int a, int b);
	// The two nodes of the place's property "link"; (-1, -1) when it does
	// not read as "a-b".
	std::pair<int, int> ReadLink(cSceneObject* place) const;
	// Hides every lamp, then lights them from node 0.
	void Relight();

	bool IsLit(int node) const;
	cSceneObject* GetHeldWire() const { return m_held; }
	// The place the wire lies on, or null.
	cSceneObject* GetPlacement(int wire) const { return m_placements[size_t(wire)]; }
	cSceneObject* GetWire(int wire) const { return m_wires[size_t(wire)]; }

private:
	void LightFrom(int node);
	void Take();
	void Put();
	void FollowCursor();
	const std::vector<cSceneObject*>& PlacesFor(int wire) const;

	std::vector<cSceneObject*> m_vPlaces;
	std::vector<cSceneObject*> m_hPlaces;
	std::vector<cSceneObject*> m_dPlaces;
	std::vector<cSceneObject*> m_lamps;
	std::vector<cSceneObject*> m_wires;
	std::vector<cMatrix> m_startMatrices;
	std::vector<cSceneObject*> m_placements;
	std::multimap<int, int> m_links;
	std::multimap<int, int> m_fixedLinks;
	cSceneObject* m_held = nullptr;
	cSceneObject* m_indicator = nullptr;
};
