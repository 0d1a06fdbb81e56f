#pragma once
// Every scene light of the process with a mark for the current draw pass.
// A draw pass clears the marks, the lights whose objects it collects mark
// themselves, and committing switches exactly the marked lights on. The
// list keeps its entries in place (pointers to them stay valid) and is
// changed only under the scene manager's lock, which the render pass
// holds, so that loader threads may build scene lights.

#include "engine/graphics/cLight.h"

#include <list>

class cSceneLightList
{
public:
	struct sEntry
	{
		cLight light;
		bool used = false;
	};

	// A new entry at the end, its light as cLight makes it.
	static sEntry* Add();
	// Takes the entry out and destroys its light (which gives its slot back).
	static void Remove(sEntry* entry);

	static void ClearLightMarks();
	// In list order: marked lights take (or keep) a device slot, the others
	// give theirs back. Nothing without a device.
	static void CommitLights();

	static size_t GetCount();

private:
	static std::list<sEntry>& Entries();
};
