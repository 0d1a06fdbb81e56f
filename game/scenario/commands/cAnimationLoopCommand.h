#pragma once
// "animation_loop": plays the animations and motions of the name over the
// whole location form, looping; nothing waits for them.

#include "game/scenario/commands/cAnimationNameCommand.h"

class cAnimationLoopCommand : public cAnimationNameCommand
{
public:
	using cAnimationNameCommand::cAnimationNameCommand;

	void Execute() override;
	std::string GetName() const override { return "animation_loop"; }
};
