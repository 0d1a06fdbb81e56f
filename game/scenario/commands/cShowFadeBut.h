#pragma once
// "showfade_but": fades in every hidden pickable object of the location that
// it does not name.

#include "game/scenario/commands/cShowFade.h"

class cShowFadeBut : public cShowFade
{
public:
	using cShowFade::cShowFade;

	void Execute() override
	{
		ClearWaitList();
		ApplyToOthers();
	}
	std::string GetName() const override { return "showfade_but"; }
};
