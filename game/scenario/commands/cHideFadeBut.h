#pragma once
// "hidefade_but": fades out every visible pickable object of the location that
// it does not name.

#include "game/scenario/commands/cHideFade.h"

class cHideFadeBut : public cHideFade
{
public:
	using cHideFade::cHideFade;

	void Execute() override
	{
		ClearWaitList();
		ApplyToOthers();
	}
	std::string GetName() const override { return "hidefade_but"; }
};
