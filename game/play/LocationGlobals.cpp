#include "game/play/LocationGlobals.h"

bool g_ispyMode = false;
std::atomic<bool> g_locationLoading { false };
std::atomic<cGameWindow*> g_locationToShow { nullptr };
