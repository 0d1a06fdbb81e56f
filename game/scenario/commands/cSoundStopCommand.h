#pragma once
// "soundstop": stops every playing instance of the sound and takes it off
// the progress's list of looping sounds. Without a sound it does nothing.

#include "game/scenario/commands/cSoundItemCommand.h"

class cSoundStopCommand : public cSoundItemCommand
{
public:
	using cSoundItemCommand::cSoundItemCommand;

	void Execute() override;
	std::string GetName() const override { return "soundstop"; }
};
