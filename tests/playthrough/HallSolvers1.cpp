// The hall's first minigames solved as a player solves them: by clicks,
// drags and held buttons at the objects of each minigame's scene, watching
// the screen where the game shows what it does. A solve is proved by what
// only a solve shows: the victory star, or for the wire and the glass,
// which win without it, the window closing by itself after the last move.

#include "HallSolvers1Games.h"
#include "HallSolvers2Support.h"
#include "HallSolvers3Boards.h"
#include "HallSolvers3Games.h"
#include "HallSolvers3Pictures.h"
#include "HallSolvers3Stacks.h"

std::vector<sMinigameSolver> FirstHallSolvers()
{
	return {
		HammerSolver(),
		SolverOnScene("statue", PlayStatue),
		SolverOnScene("bag", PlayBag),
		ConnectorsSolver(),
		SolverOnScene("wire", PlayWire),
		KeySolver(),
		SolverOnScene("glass", PlayGlass),
		GlobeSolver(),
		SolverOnScene("periscope", PlayPeriscope),
		SolverOnScene("platens", PlayPlatens),
		FacesSolver(),
		TowerSolver(),
		TrianglesSolver(),
		PictureSolver(),
		PhoneSolver(),
	};
}
