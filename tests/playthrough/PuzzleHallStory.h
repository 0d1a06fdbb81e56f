#pragma once
// The puzzle hall: each minigame opened from its plinth and solved by its
// solver, the hall showing again after each.

#include "MinigameSolvers.h"
#include "cStoryScreens.h"

struct sPuzzleHallLayouts
{
	// Reads the hall and every solver's layouts; before the game starts.
	sPuzzleHallLayouts(const std::string& game, std::vector<sMinigameSolver> solvers);

	cScreenLayout hall;
	std::vector<sMinigameSolver> solvers;
};

// From the hall on the screen ("hall" checked first) to the hall again
// after the last minigame.
void PlayPuzzleHall(cGameRun& run, const sPuzzleHallLayouts& layouts, cStoryScreens& screens);
