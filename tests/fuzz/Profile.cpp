// A player's saved profile file, read as activating the profile reads it;
// the scenario records it keeps per location are then restored into a
// scenario, and the progress read is saved again.

#include "support/FuzzLocation.h"
#include "support/FuzzTarget.h"

#include "game/play/cPlayerProgress.h"

namespace
{
const wchar_t* const kPlayer = L"Fuzz";
// Restoring a scenario reads the whole scenario text first: a few
// locations are enough to reach every record layout.
constexpr int kRestoredLocations = 4;

void Run(const uint8_t* data, size_t size)
{
	UseScratchSettingsFolder();
	WriteScratchFile(cProfile::GetFileStem(kPlayer) + ".profile", data, size);
	cPlayerProgress progress;
	progress.SetName(kPlayer);
	if (!progress.Load())
		return;
	int restored = 0;
	for (const auto& [name, save] : progress.locationSaves)
	{
		if (restored++ == kRestoredLocations)
			break;
		cFuzzLocation location(name);
		location.Load(SeedScenarioText());
		location.scenario.RestoreFrom(progress);
	}
	progress.Save();
}

std::vector<std::string> Seeds()
{
	cPlayerProgress progress;
	progress.currentLocation = "hall";
	progress.AddItemCount("key", 2);
	progress.AddItemCount("coin", 1);
	// One location stopped in a state's running command, one just started.
	for (int ticks : {3, 0})
	{
		cFuzzLocation location(ticks ? "hall" : "yard");
		location.Load(SeedScenarioText());
		location.scenario.Reset();
		for (int frame = 0; frame < ticks; ++frame)
			location.scenario.Tick();
		location.scenario.SaveTo(progress);
	}
	cSavedObjectState& objects = progress.locationSaves["hall"].objects;
	objects.name = "hall";
	objects.children.resize(2);
	objects.children[0] = {"door", {}, true, true, "open", "idle"};
	objects.children[1].children.resize(1);
	progress.mapPlaces = {0, 3};
	progress.panelShown = true;
	progress.ispyMode = true;
	progress.ispyObjects = {"cup", "hat"};
	progress.ispyListName = "list1";
	progress.ispyTargetCount = 5;
	progress.music = "theme";
	progress.aimStates = {{"find_key", 1}, {"open_door", 2}};
	progress.aimTexts = {{"find_key", L"Find the key"}};
	progress.hintCharge = 0.5f;
	progress.hintsShown = {{"first", true}};
	progress.cursorObjects = {"hall/key"};
	progress.gameCounter = 2;
	progress.loopingSounds = {"rain"};
	cMemoryStream out;
	progress.WriteBody(out);
	return {StreamBytes(out)};
}
}

ZV2_FUZZ_TARGET(Profile, Run, Seeds)
