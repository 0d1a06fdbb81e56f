#pragma once
// "disable_but": disables every pickable object of the location that it does not name.

#include "game/scenario/commands/cDisable.h"

class cDisableBut : public cDisable
{
public:
	using cDisable::cDisable;

	void Execute() override
	{
		ApplyToOthers();
	}
	std::string GetName() const override { return "disable_but"; }
};
