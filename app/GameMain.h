#pragma once
// The game's start-up and teardown: owns the whole run, returns the exit code.

#include "engine/foundation/sStartupParams.h"

#include <string>

int GameMain(const sStartupParams* params);

class cSceneObject;

// The main menu's start: opens the player's first location (the progress's,
// else the one "startup.txt" names, else "location1") with the diary
// showing while it loads, and hides the main menu.
void StartGame(cSceneObject* sender);
// The first location when the progress names none: the text of
// "startup.txt" up to its first zero byte, untrimmed, else "location1".
std::string StartupLocationName();
