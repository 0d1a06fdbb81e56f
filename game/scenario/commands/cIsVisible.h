#pragma once
// "isvisible": the outcome is "true" when every named object is visible (its own
// flag), else "false"; it finishes at once. A missing object is logged on
// every evaluation and counts as passing; without names the test passes.
// The collection walk goes only into the branch the test selects now.

#include "game/scenario/commands/cObjectListCommand.h"

class cIsVisible : public cObjectListCommand
{
public:
	using cObjectListCommand::cObjectListCommand;

	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "isvisible"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

private:
	// Stops at the first object that fails.
	bool Test() const;
};
