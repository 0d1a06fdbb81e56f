#pragma once
// "enable_but": enables every pickable object of the location that it does not name.

#include "game/scenario/commands/cEnable.h"

class cEnableBut : public cEnable
{
public:
	using cEnable::cEnable;

	void Execute() override
	{
		ApplyToOthers();
	}
	std::string GetName() const override { return "enable_but"; }
};
