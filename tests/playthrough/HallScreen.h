#pragma once
// What the play-through reads off the screen: colours at logical points
// (1024 by 768, y down), changes within a box, and the golden star of a
// solved minigame.

#include "cScreenLayout.h"
#include "sScreenshot.h"

#include <functional>

struct sRgb
{
	int r = 0, g = 0, b = 0;
};

// The colour at the logical point of the capture; black for an empty one.
sRgb ColourAt(const sScreenshot& shot, int x, int y);
// Each channel within the tolerance of the wanted one.
bool IsNear(const sRgb& colour, const sRgb& wanted, int tolerance);
// The share of the box's logical pixels for which the test holds.
double ShareWhere(const sScreenshot& shot, const sScreenBox& box, const std::function<bool(const sRgb&)>& test);
// The share of the box's logical pixels that differ between the pictures
// (as the approved pictures are compared); 1 when their sizes differ.
double BoxChange(const sScreenshot& a, const sScreenshot& b, const sScreenBox& box);

// The victory's golden star has grown over the minigame (a skip never
// shows it).
bool ShowsVictoryStar(const sScreenshot& shot);
