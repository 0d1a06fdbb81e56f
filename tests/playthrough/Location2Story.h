#pragma once
// The second room of the demo, the study "location2", played by real input:
// its cabinet's close-up opened, searched and closed, the study searched for
// its hidden objects, the way to the puzzle hall and back through the map,
// the game panel's menu back to the main menu, the options changed there
// and the game quit from the menu.

#include "StorySteps.h"

#include <string>

// Every scene the steps click in, read before the game starts.
struct sLocation2Layouts
{
	explicit sLocation2Layouts(const std::string& game);

	sStoryLayouts front;
	cScreenLayout room;
	cScreenLayout closeup;
	cScreenLayout hall;
	cScreenLayout panel;
	cScreenLayout inGameMenu;
	cScreenLayout options;
};

// From the study on the screen to the puzzle hall shown: the close-up of the
// cabinet opened, its note taken, closed by a click beside it; the
// magnifier's search with every hidden object found; the sign to the hall,
// the map while the hall loads, closed.
void PlayLocation2ToTheHall(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens);

// From the puzzle hall: its door back to the study through the map, the
// study as it was left, and the game panel's menu back to the main menu.
void LeaveTheHallToTheMainMenu(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens);

// From the main menu: the options opened, the music slider's thumb dragged
// from full volume to the point of the track at the returned share, the
// options closed. The share is what the settings should keep.
float ChangeTheOptions(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens);

// The main menu's Quit, and Yes to its question.
void QuitFromTheMainMenu(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens);

// The music volume kept in the player's settings file; -1 without one.
float StoredMusicVolume(const cGameRun& run);
