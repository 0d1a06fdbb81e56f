#pragma once
// "soundloop": plays the sound looping and lists it in the player's
// progress, so that showing the location again starts it again. Without a
// sound it does nothing.

#include "game/scenario/commands/cSoundItemCommand.h"

class cSoundLoopCommand : public cSoundItemCommand
{
public:
	using cSoundItemCommand::cSoundItemCommand;

	void Execute() override;
	std::string GetName() const override { return "soundloop"; }
};
