#pragma once
// Flags and pointers of the running location that the in-game screens read
// before the location forms themselves exist in every build of the game.

#include <atomic>

class cGameWindow;

// Hidden-object mode is on: the panel shows an items list and no hover
// marker is drawn.
extern bool g_ispyMode;
// A location loader thread is building a form (written by that thread).
extern std::atomic<bool> g_locationLoading;
// The main form the diary and map window shows when the player closes it
// after a load; null when there is none.
extern std::atomic<cGameWindow*> g_locationToShow;
