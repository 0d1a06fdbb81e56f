#pragma once
// The location form that owns a command's scenario, for the commands that
// act on the form itself; null when the owner is no location form.

#include "game/location/cLocationForm.h"
#include "game/scenario/cScenarioOwner.h"

inline cLocationForm* LocationFormOf(cScenarioOwner* owner)
{
	return dynamic_cast<cLocationForm*>(owner);
}
