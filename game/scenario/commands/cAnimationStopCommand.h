#pragma once
// "animation_stop": stops the animations and motions of the name over the
// whole location form; without a name, every one of them.

#include "game/scenario/commands/cAnimationNameCommand.h"

class cAnimationStopCommand : public cAnimationNameCommand
{
public:
	using cAnimationNameCommand::cAnimationNameCommand;

	void Execute() override;
	std::string GetName() const override { return "animation_stop"; }
};
