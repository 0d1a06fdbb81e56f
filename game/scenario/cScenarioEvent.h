#pragma once
// One pending event of a collection walk: something the player can do now
// in the location, for the hint button and the lens cursor.

#include "engine/foundation/cVector3d.h"

#include <string>

struct cScenarioEvent
{
	enum
	{
		// Clicking the context object gives an inventory item.
		kGiveItem = 1,
		// An inventory item is to be used on an object, or a hint marker.
		kUseItem = 2,
		// A sub-location has something to do.
		kSubLocation = 3,
		// A minigame starts.
		kMinigame = 5,
		// The state changes.
		kStateChange = 6
	};

	int kind = 0;
	std::string object;
	std::string item;
	// A world position.
	cVector3d position;
};
