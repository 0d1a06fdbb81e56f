#pragma once
// The steps every story of the play-through shares: the front end's
// layouts, starting a new game from the name prompt to the first location,
// quitting, and the checks of the log.

#include "cGameRun.h"
#include "cStoryScreens.h"

#include <initializer_list>
#include <string>

// The log ended normally and holds none of the texts.
void ExpectLogWithout(const std::string& log, std::initializer_list<const char*> texts);
// No line at level 2 or above, no resource looked for in vain.
void ExpectCleanLog(const std::string& log);

// The generated front-end scenes the stories click in. They are read before
// the game starts: reading builds them in a hidden window of its own, which
// would take the keyboard from a running game.
struct sStoryLayouts
{
	explicit sStoryLayouts(const std::string& game);

	cScreenLayout prompt;
	cScreenLayout menu;
	cScreenLayout diary;
	cScreenLayout question;
};

// A first start: the name typed into the prompt, the main menu checked with
// its music heard, Start, the diary while the location loads, closed. The
// screens are checked under their names ("01-name-prompt", "02-main-menu",
// "03-diary").
void StartNewGame(cGameRun& run, const sStoryLayouts& layouts, cStoryScreens& screens, const std::string& name);

// Closes the diary that shows while a location loads: its close button
// takes a click only once the location is ready, and the page's own change
// from "loading" to "ready" is no sign of it closing. False when the page
// never gave way within about a minute.
bool CloseTheDiary(const cGameRun& run, const cScreenLayout& diary);

// The window's close box, and Yes to the question it asks; the box is
// tried again while the game runs on.
void Quit(cGameRun& run, const sStoryLayouts& layouts);

// The game's report of its longest frame outside loading ("Longest frame:
// N ms") is in the log and below a second; the frame is printed.
void ExpectNoLongFrame(const std::string& log);
