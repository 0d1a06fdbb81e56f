#pragma once
// "music": changes the music track with a cross-fade and records it in the
// progress, so that showing the location again plays it again; without a
// sound it fades the music out. Every track a scenario names stays loaded
// for the rest of the run.

#include "game/scenario/commands/cSoundItemCommand.h"

class cMusicCommand : public cSoundItemCommand
{
public:
	using cSoundItemCommand::cSoundItemCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	std::string GetName() const override { return "music"; }
};
