#pragma once
// The hint button's action on the location the player is in. There are no
// location forms yet to find the next thing to do, so the action only
// spends the hint: the charge is emptied and starts again.

void ShowHintOnCurrentLocation();
