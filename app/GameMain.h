#pragma once
// The game's start-up and teardown: owns the whole run, returns the exit code.

#include "engine/foundation/sStartupParams.h"

int GameMain(const sStartupParams* params);
