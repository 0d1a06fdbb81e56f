#include "game/play/LocationHint.h"

#include "game/play/cPlayerProgress.h"

void ShowHintOnCurrentLocation()
{
	if (g_currentProgress)
		g_currentProgress->hintCharge = 0;
}
