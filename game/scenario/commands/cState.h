#pragma once
// "state": switches the location to the state named by its own "name" and
// ends the run, so that the new state's root is ticked next. Its children
// never run. For the hint it records the change and also walks what the
// next state offers, each state once.

#include "game/scenario/cScenarioCommand.h"

class cState : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	bool Load(const cXmlNode& element) override;
	void Execute() override;
	int IsReady() override { return kBranchDone; }
	std::string GetName() const override { return "state"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

	const std::string& GetStateName() const { return m_stateName; }

private:
	std::string m_stateName;
};
