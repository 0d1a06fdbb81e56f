#pragma once
// The common part of the commands that act on the location's animations
// and motions by name: the animation name of the last item. Each command
// finishes in the step in which it runs.

#include "game/scenario/cScenarioCommand.h"

class cLocationForm;

class cAnimationNameCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	int IsReady() override { return kFinished; }

protected:
	cLocationForm* GetForm() const;

	std::string m_animationName;
};
