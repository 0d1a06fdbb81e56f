#pragma once
// "sound_effects": sets up the location's random ambient sounds while the
// scenario loads. The first item's "name" is the mean interval in seconds
// (180 without one); each later item adds a sound with its weight ("arg",
// 1 without one). Running it does nothing.

#include "game/scenario/cScenarioCommand.h"

class cSoundEffectsCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override {}
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "sound_effects"; }

private:
	bool m_firstItemRead = false;
};
