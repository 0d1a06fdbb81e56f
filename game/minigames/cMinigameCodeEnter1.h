#pragma once
// "code_enter1": the code lock framed by "square". Every showing needs
// each wheel turned again, though the wheels keep their look.

#include "game/minigames/cMinigameCodeEnter.h"

class cMinigameCodeEnter1 : public cMinigameCodeEnter
{
public:
	// The positions (1..10) of the three wheels; the clue painted in the
	// demo's scene gives the same numbers.
	static constexpr tCode kCombination{7, 3, 9};

	explicit cMinigameCodeEnter1(cSceneObject* parent) : cMinigameCodeEnter1("code_enter1", parent) {}
	cMinigameCodeEnter1(const std::string& name, cSceneObject* parent)
		: cMinigameCodeEnter(name, parent, "square", kCombination)
	{
	}

	void Show() override
	{
		cMinigameCodeEnter::Show();
		m_positions.fill(-1);
	}
};
