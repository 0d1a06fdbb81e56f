#pragma once
// Each of the hall's first fourteen minigames played on the screen to its
// solution, given the boxes of its scene; true once the solve is seen.

#include "cGameRun.h"

bool PlayHammer(cGameRun& run, const cScreenLayout& layout);
bool PlayStatue(cGameRun& run, const cScreenLayout& layout);
bool PlayBag(cGameRun& run, const cScreenLayout& layout);
bool PlayWire(cGameRun& run, const cScreenLayout& layout);
bool PlayKey(cGameRun& run, const cScreenLayout& layout);
bool PlayPeriscope(cGameRun& run, const cScreenLayout& layout);
bool PlayPlatens(cGameRun& run, const cScreenLayout& layout);
bool PlayGlass(cGameRun& run, const cScreenLayout& layout);
