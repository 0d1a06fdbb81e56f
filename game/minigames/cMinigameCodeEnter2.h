#pragma once
// "code_enter2": the code lock framed by "okno". The positions set stay
// from one showing to the next.

#include "game/minigames/cMinigameCodeEnter.h"

class cMinigameCodeEnter2 : public cMinigameCodeEnter
{
public:
	// The positions (1..10) of the three wheels; the clue painted in the
	// demo's scene gives the same numbers.
	static constexpr tCode kCombination{4, 10, 2};

	explicit cMinigameCodeEnter2(cSceneObject* parent) : cMinigameCodeEnter2("code_enter2", parent) {}
	cMinigameCodeEnter2(const std::string& name, cSceneObject* parent)
		: cMinigameCodeEnter(name, parent, "okno", kCombination)
	{
	}
};
