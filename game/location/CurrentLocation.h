#pragma once
// The game-wide state of moving between locations, and the in-game windows
// a main location form brings up and takes down around itself. The loader
// thread writes the location pointers while the main thread reads them;
// the scene lock serialises the steps that matter. The loading flag, the
// form to show and hidden-object mode are in game/play/LocationGlobals.h.

#include <string>

class cGameWindow;
class cLocationForm;

// The main form the player is in; set by its constructor, cleared by its
// destructor.
extern cLocationForm* g_currentLocation;
// The main form being left; set by its Hide, cleared when it is deleted.
extern cLocationForm* g_previousLocation;
// Not empty while a change of location is pending.
extern std::string g_nextLocation;
// The change comes from the scenario or a debug key: the form being left
// turns transparent at once.
extern bool g_scenarioChange;
// A hidden-object search is running: clicks go to the hidden objects.
extern bool g_ispyCollecting;

void SetNextLocation(const std::string& name);

// The effect window whose "rt/target" receives the forms, and the diary
// and map window; each is null until the loading window has built it.
void SetEffectWindow(cGameWindow* window);
cGameWindow* GetEffectWindow();
void SetDiaryWindow(cGameWindow* window);
cGameWindow* GetDiaryWindow();

// The main menu window, stored by the loading window once it is built.
void SetMainMenuWindow(cGameWindow* window);
cGameWindow* GetMainMenuWindow();

// Stops every registered sound, hides the location and shows the main
// menu. A smooth return lets the location leave behind the effect window;
// otherwise it turns transparent at once.
void ReturnToMainMenu(bool smooth);
// Stops every registered sound, hides the location and every open dialog
// box; the diary and map window is shown next.
void OpenMapFromLocation();
// The game's end: the current location stores itself and goes.
void DeleteCurrentLocation();
