#pragma once
// "disable": disables the named objects; each refreshes its look.

#include "game/scenario/commands/cVisibilityCommand.h"

class cDisable : public cVisibilityCommand
{
public:
	using cVisibilityCommand::cVisibilityCommand;

	void Execute() override;
	std::string GetName() const override { return "disable"; }

protected:
	void Apply(cSceneObject& object) override;
};
