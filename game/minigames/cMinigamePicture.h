#pragma once
// "picture": a picture cut into three rings of pieces that lie out of
// place. A press selects a piece, a press on another piece of its ring
// swaps the two: each rides its slot's flight to the other's place. With
// every piece over its own slot the puzzle is solved.
//
// Scene: the pieces "ring_1_1", "ring_1_2", ... of the rings 1 to 3, and
// per ring the slots "dummy_<ring>_1", ... that mark the places. A slot's
// motion "fly_to_<n>" carries it to the place of slot n of its ring, and
// "start" puts it back. Slots are shown only while they carry a piece, so
// that their flights play; their own pictures must draw nothing.

#include "game/minigames/cMinigame.h"

#include <array>
#include <string>
#include <vector>

class cMinigamePicture : public cMinigame
{
public:
	static constexpr int kRings = 3;

	explicit cMinigamePicture(cSceneObject* parent);
	// The factory's form; the name is always "picture".
	cMinigamePicture(const std::string&, cSceneObject* parent) : cMinigamePicture(parent) {}

	// Nothing selected, no swap; the pieces stay where they are.
	void Show() override;
	// A swap still running ends at once, each piece at its new place.
	void Hide() override;
	bool HandleInput() override;
	void Update(float dt) override;

	// The name of the first slot whose box centre lies within 10 units of
	// the piece's box centre, or "".
	static std::string FindSlotUnder(cSceneObject* piece, const std::vector<cSceneObject*>& slots);
	// Solves the puzzle when every piece lies over its own slot.
	void CheckSolved();

	const std::vector<cSceneObject*>& GetRing(int ring) const { return m_pieces[ring]; }
	const std::vector<cSceneObject*>& GetSlots(int ring) const { return m_slots[ring]; }
	cSceneObject* GetSelected() const { return m_selected; }
	bool IsSwapping() const { return m_partner != nullptr; }

private:
	// One piece riding its slot's flight.
	struct sRider
	{
		cSceneObject* piece = nullptr;
		cSceneObject* slot = nullptr;
		std::string flight;
	};

	void Select();
	void SwapWithPressed();
	void ClearSelection();
	// Both pieces back under the minigame where they are; the slots home and hidden.
	void EndSwap();
	static cSceneObject* FirstHit(const std::vector<cSceneObject*>& objects, const cSceneObject* except = nullptr);

	std::array<std::vector<cSceneObject*>, kRings> m_pieces;
	std::array<std::vector<cSceneObject*>, kRings> m_slots;
	cSceneObject* m_selected = nullptr;
	int m_selectedRing = 0;
	cSceneObject* m_selectedSlot = nullptr;
	cSceneObject* m_partner = nullptr;
	sRider m_riders[2];
	bool m_swapStarted = false;
};
