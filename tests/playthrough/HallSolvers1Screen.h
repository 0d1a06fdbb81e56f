#pragma once
// What the hall's first solvers read from the screen and how they wait for
// it: pixels at the boxes of a generated scene, changes and stillness of a
// box, a click that takes, and the victory star of a solved minigame.

#include "HallScreen.h"
#include "cGameRun.h"

#include <chrono>

// How many pixels of the box lie within the tolerance of the colour.
int CountNear(const sScreenshot& shot, const sScreenBox& box, const sRgb& colour, int tolerance);
// The share of the box's pixels that differ between the pictures.
double BoxChange(const sScreenshot& a, const sScreenshot& b, const sScreenBox& box);

// Waits until the box differs from the picture; false at the limit.
bool AwaitBoxChange(const cGameRun& run, const sScreenshot& from, const sScreenBox& box,
	std::chrono::milliseconds limit);
// Waits until the box has not changed for the stillness, or until the
// victory star shows.
void AwaitBoxStill(const cGameRun& run, const sScreenBox& box,
	std::chrono::milliseconds stillness = std::chrono::milliseconds(250),
	std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
// Clicks the point until the box changes (a click may come while the game
// still refuses input), then waits for the box to be still; false when it
// never changed.
bool ClickUntilBoxChanges(const cGameRun& run, int x, int y, const sScreenBox& box, int attempts = 4);

// Waits, without input, for the minigame to close by itself: the box on
// the picture of the open minigame shows something else; false when it
// stays within the limit.
bool AwaitClosing(const cGameRun& run, const sScreenshot& open, const sScreenBox& box);

// Waits for the victory star; false when it does not come within the limit.
bool AwaitVictoryStar(const cGameRun& run, std::chrono::milliseconds limit = std::chrono::milliseconds(6000));
