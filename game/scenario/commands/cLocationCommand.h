#pragma once
// "location": asks for the change to the location named by the item; the
// main location form's update starts it. When the diary and map window is
// not on the screen, it opens in loading mode first, as for the debug
// jumps, since only that window shows the location once it has loaded.
// The run ends here; the children never run.

#include "game/scenario/cScenarioCommand.h"

class cLocationCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override { return kBranchDone; }
	std::string GetName() const override { return "location"; }

	const std::string& GetLocationName() const { return m_locationName; }

private:
	std::string m_locationName;
};
