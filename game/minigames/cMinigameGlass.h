#pragma once
// "glass": a pane broken ring by ring from the outside in. The pieces carry
// the property "ring" ("1" to "9"); only the current ring reacts: hovering
// one of its pieces darkens the whole ring, clicking plays "brake<ring>" on
// the window with the crash sound. Each break waits for the window's clips
// to end. After the ninth the puzzle is solved without a victory sound and
// closes with the win a second later.

#include "game/minigames/cMinigame.h"

#include <array>
#include <vector>

class cMinigameGlass : public cMinigame
{
public:
	static constexpr int kRings = 9;

	explicit cMinigameGlass(cSceneObject* parent) : cMinigameGlass("glass", parent) {}
	cMinigameGlass(const std::string& name, cSceneObject* parent);

	// The whole pane again, from the outer ring.
	void Show() override;
	bool HandleInput() override;

	int GetStage() const { return m_stage; }
	bool IsHovering() const { return m_hover; }
	const std::vector<cSceneObject*>& GetRing(int ring) const { return m_rings[size_t(ring)]; }

private:
	void Break();
	void ShadeRing(bool over);

	std::array<std::vector<cSceneObject*>, kRings> m_rings;
	int m_stage = 0;
	bool m_hover = false;
};
