#include "game/play/LocationHint.h"

#include "game/location/CurrentLocation.h"
#include "game/location/cLocationForm.h"

void ShowHintOnCurrentLocation()
{
	if (g_currentLocation)
		g_currentLocation->ShowHintForNextEvent();
}
