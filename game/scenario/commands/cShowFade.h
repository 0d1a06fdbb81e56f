#pragma once
// "showfade": fades in, over half a second, the named objects that are
// hidden. The running command stops waiting for earlier fades; a following
// "delay" without a time waits for these.

#include "game/scenario/commands/cVisibilityCommand.h"

class cShowFade : public cVisibilityCommand
{
public:
	using cVisibilityCommand::cVisibilityCommand;

	void Execute() override;
	std::string GetName() const override { return "showfade"; }

protected:
	void Apply(cSceneObject& object) override;
};
