#pragma once
// "fingers": loose fingers ("finger_d1", ...) go on their red marks
// ("red_1", ...), finger k on mark k. A click picks a finger up, it follows
// the cursor, and the next click drops it: on its own mark it goes back to
// where it was picked up, faded and no longer movable, while the mark
// lights ("fadeon", "bip"); on another mark it goes back with "error"; on
// nothing it goes back silently. Once every finger is placed, it is solved.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameFingers : public cMinigame
{
public:
	explicit cMinigameFingers(cSceneObject* parent) : cMinigameFingers("fingers", parent) {}
	cMinigameFingers(const std::string& name, cSceneObject* parent);

	// Every finger loose again.
	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	const std::vector<cSceneObject*>& GetFingers() const { return m_fingers; }
	const std::vector<cSceneObject*>& GetMarks() const { return m_marks; }
	cSceneObject* GetHeld() const { return m_held; }
	int GetRemaining() const { return m_remaining; }

private:
	void PickUp();
	void Drop();
	void Carry();

	std::vector<cSceneObject*> m_marks;
	std::vector<cSceneObject*> m_fingers;
	cSceneObject* m_held = nullptr;
	size_t m_heldIndex = 0;
	cMatrix m_savedMatrix;
	int m_remaining = 0;
};
