#include "game/scenario/commands/ConditionBranch.h"

std::string ConditionOutcome(bool passed)
{
	return passed ? "true" : "false";
}

void CollectEventsOfBranch(const cScenarioCommand& command, bool passed, std::vector<cScenarioEvent>& events, bool filtered)
{
	const std::string value = ConditionOutcome(passed);
	for (const std::unique_ptr<cScenarioCommand>& child : command.GetChildren())
		if (child->GetResult() == value)
			child->CollectEvents(events, filtered);
}
