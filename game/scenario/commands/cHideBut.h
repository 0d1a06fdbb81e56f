#pragma once
// "hide_but": hides every pickable object of the location that it does not name.

#include "game/scenario/commands/cHide.h"

class cHideBut : public cHide
{
public:
	using cHide::cHide;

	void Execute() override
	{
		ApplyToOthers();
	}
	std::string GetName() const override { return "hide_but"; }
};
