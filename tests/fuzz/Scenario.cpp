// A location's scenario XML, read as the location reads it, then started,
// ticked, asked for its events, and its position saved into a progress
// record and restored from it.

#include "support/FuzzLocation.h"
#include "support/FuzzTarget.h"

#include "game/play/cPlayerProgress.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cFuzzLocation location("fuzzed");
	if (!location.Load(data, size))
		return;
	cScenario& scenario = location.scenario;
	scenario.Reset();
	for (int frame = 0; frame < 8; ++frame)
		scenario.Tick();
	std::vector<cScenarioEvent> events;
	scenario.CollectEvents(events, "", 0);
	scenario.CollectEvents(events, "door", 1);
	cPlayerProgress progress;
	scenario.SaveTo(progress);
	scenario.RestoreFrom(progress);
}

std::vector<std::string> Seeds()
{
	return {WrittenXml(SeedScenarioText())};
}
}

ZV2_FUZZ_TARGET(Scenario, Run, Seeds)
