#pragma once
// "sound": plays the sound once; a following "delay" without a time waits
// until it has ended.

#include "game/scenario/commands/cSoundItemCommand.h"

class cSoundCommand : public cSoundItemCommand
{
public:
	using cSoundItemCommand::cSoundItemCommand;

	void Execute() override;
	std::string GetName() const override { return "sound"; }
};
