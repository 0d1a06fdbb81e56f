#pragma once
// How a player solves each minigame of the puzzle hall by real input. A
// solver reads what it clicks from the generated scenes before the game
// starts (reading takes the keyboard from a running game), then plays the
// minigame shown on the screen to its solution.

#include "cGameRun.h"

#include <functional>
#include <string>
#include <vector>

struct sMinigameSolver
{
	// The minigame's name in the factory and in its plinth "hall_<name>".
	std::string minigame;
	// Reads the layouts the solver needs from the content folder.
	std::function<void(const std::string& contentFolder)> readLayouts;
	// Solves the minigame on the screen; false when it could not.
	std::function<bool(cGameRun& run)> solve;
};

// The hall's first fourteen minigames, hammer to picture.
std::vector<sMinigameSolver> FirstHallSolvers();
// The hall's last fourteen minigames, skull to lock.
std::vector<sMinigameSolver> SecondHallSolvers();
