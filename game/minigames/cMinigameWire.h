#pragma once
// "wire": three clicks anywhere in the window cut a wire. Each click plays
// "hit<n>"; halfway through the window's clips the wire snaps ("break<n>",
// sound "metal_cut"). Once the third click's clips have ended the puzzle is
// solved after a second, without the victory sound or the effect overlay.

#include "game/minigames/cMinigame.h"

class cMinigameWire : public cMinigame
{
public:
	static constexpr int kClicksToCut = 3;

	explicit cMinigameWire(cSceneObject* parent) : cMinigameWire("wire", parent) {}
	cMinigameWire(const std::string& name, cSceneObject* parent);

	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	int GetClicks() const { return m_clicks; }
	// A "break" clip is due.
	bool IsBreakPending() const { return m_pending; }

private:
	// The window's clips are past half their length, or have none.
	bool IsPastHalf();

	int m_clicks = 0;
	bool m_pending = false;
};
