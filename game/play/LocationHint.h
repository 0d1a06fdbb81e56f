#pragma once
// The hint button's action on the location the player is in: the main
// location form points at the next thing to do and spends the hint.
// Nothing happens while no location is current.

void ShowHintOnCurrentLocation();
