// The puzzle hall played on its own: a new game started in the hall, every
// minigame opened from its plinth and solved by real input.
// ZV2_HALL_ONLY="name,name" plays only the minigames named.

#include "PuzzleHallStory.h"
#include "StorySteps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace
{
std::vector<sMinigameSolver> ChosenSolvers()
{
	std::vector<sMinigameSolver> solvers = FirstHallSolvers();
	for (sMinigameSolver& solver : SecondHallSolvers())
		solvers.push_back(std::move(solver));
	const char* only = getenv("ZV2_HALL_ONLY");
	if (!only)
		return solvers;
	const std::string chosen = std::string(",") + only + ",";
	std::erase_if(solvers, [&](const sMinigameSolver& solver) {
		return chosen.find("," + solver.minigame + ",") == std::string::npos;
	});
	return solvers;
}
}

TEST(PlaythroughHall, EveryMinigameSolved)
{
	cGameRun run;
	ASSERT_TRUE(run.IsReady()) << "no content or no X server";
	const std::string game = run.ContentFolder();
	// A new game starts in the location "startup.txt" names.
	std::ofstream(game + "/startup.txt") << "puzzle_hall";
	const sStoryLayouts layouts(game);
	const sPuzzleHallLayouts hall(game, ChosenSolvers());
	cStoryScreens screens;
	ASSERT_TRUE(run.Launch()) << "the game showed no window";

	StartNewGame(run, layouts, screens, "Ann");
	PlayPuzzleHall(run, hall, screens);
	Quit(run, layouts);
	EXPECT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	ExpectCleanLog(run.Log());
	ExpectNoLongFrame(run.Log());
	screens.WriteContactSheet("hall");
}
