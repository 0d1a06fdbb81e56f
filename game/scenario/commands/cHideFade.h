#pragma once
// "hidefade": fades out, over half a second, the named objects that are
// visible. The running command stops waiting for earlier fades; a following
// "delay" without a time waits for these.

#include "game/scenario/commands/cVisibilityCommand.h"

class cHideFade : public cVisibilityCommand
{
public:
	using cVisibilityCommand::cVisibilityCommand;

	void Execute() override;
	std::string GetName() const override { return "hidefade"; }

protected:
	void Apply(cSceneObject& object) override;
};
