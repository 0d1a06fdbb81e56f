#pragma once
// "show_but": shows every pickable object of the location that it does not
// name, leaving the colour and so the alpha as they are.

#include "game/scenario/commands/cShow.h"

class cShowBut : public cShow
{
public:
	using cShow::cShow;

	void Execute() override
	{
		ApplyToOthers();
	}
	std::string GetName() const override { return "show_but"; }

protected:
	void Apply(cSceneObject& object) override { ShowObject(object); }
};
