#pragma once
// "addaim": gives the player the aims of its items in order; each item's
// "name" is the aim and its "arg" (0 when absent) the number the panel
// sorts it by. The aim's text is the location's text of the aim's name
// in the chapter "aims".

#include "game/scenario/cScenarioCommand.h"

#include <utility>

class cAddAim : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "addaim"; }

	const std::vector<std::pair<std::string, int>>& GetAims() const { return m_aims; }

private:
	std::vector<std::pair<std::string, int>> m_aims;
};
