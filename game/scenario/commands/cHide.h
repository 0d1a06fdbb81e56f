#pragma once
// "hide": hides the named objects.

#include "game/scenario/commands/cVisibilityCommand.h"

class cHide : public cVisibilityCommand
{
public:
	using cVisibilityCommand::cVisibilityCommand;

	void Execute() override;
	std::string GetName() const override { return "hide"; }

protected:
	void Apply(cSceneObject& object) override;
};
