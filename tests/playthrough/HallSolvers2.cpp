#include "HallSolvers2Games.h"

// The phone is left out: its keys only look pushed in, and it has no solve
// of its own; it ends only through the skip, the close box or the cheat.
std::vector<sMinigameSolver> SecondHallSolvers()
{
	return {SkullSolver(), DeviceSolver(), TubeSolver(), FingersSolver(), TerminalSolver(), L6BoxSolver(),
		ComputerSolver(), CodeEnterSolver("code_enter1"), CodeEnterSolver("code_enter2"), L10TerminalSolver(),
		SafeSolver(), FanSolver(), LockSolver()};
}
