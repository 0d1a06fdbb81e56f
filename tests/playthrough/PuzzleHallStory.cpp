#include "PuzzleHallStory.h"

#include <gtest/gtest.h>

sPuzzleHallLayouts::sPuzzleHallLayouts(const std::string& game, std::vector<sMinigameSolver> solvers)
	: hall(cScreenLayout::Read(game, "puzzle_hall")), solvers(std::move(solvers))
{
	for (const sMinigameSolver& solver : this->solvers)
		solver.readLayouts(game);
}

void PlayPuzzleHall(cGameRun& run, const sPuzzleHallLayouts& layouts, cStoryScreens& screens)
{
	run.ParkPointer();
	EXPECT_EQ(screens.Check(run, "hall"), "");
	for (const sMinigameSolver& solver : layouts.solvers)
	{
		SCOPED_TRACE(solver.minigame);
		EXPECT_TRUE(run.ClickUntilChanged(layouts.hall, "hall_" + solver.minigame));
		EXPECT_TRUE(solver.solve(run));
		// A solved minigame closes with "win" and leaves the hall as it was.
		run.ParkPointer();
		EXPECT_EQ(screens.Await(run, "hall"), "");
	}
}
