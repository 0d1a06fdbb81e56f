#pragma once
// What the condition commands share: the outcome "true" or "false", and a
// collection walk that goes only into the branch the test selects now.

#include "game/scenario/cScenarioCommand.h"

#include <string>
#include <vector>

std::string ConditionOutcome(bool passed);
// Walks, in order, the children of the command whose "result" is the
// outcome of the test.
void CollectEventsOfBranch(const cScenarioCommand& command, bool passed, std::vector<cScenarioEvent>& events, bool filtered);
