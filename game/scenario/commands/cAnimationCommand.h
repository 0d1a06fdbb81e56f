#pragma once
// "animation": plays the animations and motions of the name over the whole
// location form; a following "delay" without a time waits for them unless
// they loop.

#include "game/scenario/commands/cAnimationNameCommand.h"

class cAnimationCommand : public cAnimationNameCommand
{
public:
	using cAnimationNameCommand::cAnimationNameCommand;

	void Execute() override;
	std::string GetName() const override { return "animation"; }
};
