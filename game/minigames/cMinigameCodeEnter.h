#pragma once
// The three-wheel code locks "code_enter1" and "code_enter2": the wheels
// "vall_1", "vall_2", ... step through "hit1" to "hit10" when clicked
// (sound "roll"). Once the first three wheels were set to the lock's
// combination the puzzle is solved, silently: the window closes with the
// win a second later. The frame is a child of the scene (given by the
// lock); clicks outside it close the window even without a border. Wheels
// after the third turn but do not count.

#include "game/minigames/cMinigame.h"

#include <array>
#include <vector>

class cMinigameCodeEnter : public cMinigame
{
public:
	static constexpr int kCodeWheels = 3;
	typedef std::array<int, kCodeWheels> tCode;

	bool HandleInput() override;
	void Update(float dt) override;

	const std::vector<cSceneObject*>& GetWheels() const { return m_wheels; }
	// The positions set on the three wheels, -1 where none was set.
	const tCode& GetPositions() const { return m_positions; }

protected:
	// frame names the child whose box is the window's box.
	cMinigameCodeEnter(const std::string& name, cSceneObject* parent, const char* frame, const tCode& combination);

	tCode m_positions{-1, -1, -1};

private:
	void Turn(size_t wheel);

	std::vector<cSceneObject*> m_wheels;
	const tCode m_combination;
};
