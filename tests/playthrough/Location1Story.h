#pragma once
// Location1's story played by a player's clicks, from the keeper's welcome
// to location2: the box gives the key, the key opens the door, the hidden
// things are found, the fingers are matched, and the way on leads through
// the map. Each step ends on a screen at rest, checked under its name; the
// steps that end in a new scenario state (or with the inventory or the
// search changed) are where a player may quit and come back.

#include "StorySteps.h"

#include <string>
#include <vector>

// Every scene the story clicks in, read before the game starts.
struct sLocation1Layouts
{
	explicit sLocation1Layouts(const std::string& game);

	cScreenLayout room;
	cScreenLayout panel;
	cScreenLayout fingers;
	// The front end's scenes: the diary the exit opens, the quit question.
	sStoryLayouts front;
};

// One step of the story: what the player does, and the screen it ends on.
struct sLocation1Step
{
	// The screen checked at the step's end ("l1-…").
	std::string screen;
	// Plays the step from the end of the one before; its screen is
	// checked by the caller.
	void (*play)(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens& screens);
	// The step ends where a restarted game comes back to: the same screen
	// after quitting, launching again, Start and the diary closed.
	bool resumable;
};

// The steps in order, from the welcome's dialogue on the first screen of
// location1 ("04-location1") to location2 shown.
const std::vector<sLocation1Step>& Location1Steps();

// Plays the step and checks its screen.
void PlayLocation1Step(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens& screens,
	const sLocation1Step& step);

// A game that was left: the close box and Yes, the game ends cleanly; it
// is launched again, the main menu greets the remembered player, Start,
// the diary closed. The location is then on the screen as it was left.
void QuitAndComeBack(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens& screens);
