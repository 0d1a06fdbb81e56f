#pragma once
// The hall's first minigames played on the screen to their solution, given
// the boxes of each one's scene; true once the solve is seen.

#include "cGameRun.h"

bool PlayStatue(cGameRun& run, const cScreenLayout& layout);
bool PlayBag(cGameRun& run, const cScreenLayout& layout);
bool PlayWire(cGameRun& run, const cScreenLayout& layout);
bool PlayPeriscope(cGameRun& run, const cScreenLayout& layout);
bool PlayPlatens(cGameRun& run, const cScreenLayout& layout);
bool PlayGlass(cGameRun& run, const cScreenLayout& layout);
