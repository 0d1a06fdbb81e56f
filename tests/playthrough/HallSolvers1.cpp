// The hall's first minigames solved as a player solves them: by clicks,
// drags and held buttons at the objects of each minigame's scene, watching
// the screen where the game shows what it does. A solve is proved by what
// only a solve shows: the victory star, or for the wire and the glass,
// which win without it, the window closing by itself after the last move.

#include "HallSolvers1Games.h"
#include "HallSolvers1Screen.h"
#include "HallSolvers3Games.h"
#include "MinigameSolvers.h"

#include <memory>
#include <thread>

namespace
{
// A solver of the minigame whose scene carries its name.
sMinigameSolver Solver(const std::string& minigame, bool (*play)(cGameRun&, const cScreenLayout&))
{
	auto layout = std::make_shared<cScreenLayout>();
	return {minigame, [=](const std::string& game) { *layout = cScreenLayout::Read(game, minigame); },
		[=](cGameRun& run) {
			// The window takes input a moment after it has appeared.
			std::this_thread::sleep_for(std::chrono::milliseconds(600));
			return play(run, *layout);
		}};
}
}

std::vector<sMinigameSolver> FirstHallSolvers()
{
	return {
		HammerSolver(),
		Solver("statue", PlayStatue),
		Solver("bag", PlayBag),
		Solver("wire", PlayWire),
		KeySolver(),
		Solver("glass", PlayGlass),
		Solver("periscope", PlayPeriscope),
		Solver("platens", PlayPlatens),
	};
}
