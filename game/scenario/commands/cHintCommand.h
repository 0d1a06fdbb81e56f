#pragma once
// "hint": plays the part of its item's "name" from the location's dialogue
// (the dialogue named like the location) and keeps the scenario on itself,
// with the location disabled and the panel's tooltip line empty, until the
// dialogue has ended. A part without lines is logged and ends at once.

#include "game/scenario/cScenarioCommand.h"

class cHintCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	// 0 while the dialogue runs; then the location is enabled again.
	int IsReady() override;
	std::string GetName() const override { return "hint"; }

	const std::string& GetPartName() const { return m_partName; }

private:
	std::string m_partName;
};
