#pragma once
// The common part of the sound commands: the sound resource named by the
// last item, looked up (and so loaded) while the scenario loads and held
// until the command goes. A missing sound is logged by the resource
// manager and leaves the handle empty. Each command finishes in the step
// in which it runs.

#include "engine/resources/cResourceHandle.h"
#include "game/scenario/cScenarioCommand.h"

class cSoundItemCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	int IsReady() override { return kFinished; }

	const cResourceHandle& GetSound() const { return m_sound; }

protected:
	cResourceHandle m_sound;
};
