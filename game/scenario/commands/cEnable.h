#pragma once
// "enable": enables the named objects; each refreshes its look.

#include "game/scenario/commands/cVisibilityCommand.h"

class cEnable : public cVisibilityCommand
{
public:
	using cVisibilityCommand::cVisibilityCommand;

	void Execute() override;
	std::string GetName() const override { return "enable"; }

protected:
	void Apply(cSceneObject& object) override;
};
