#include "HallSolvers2Games.h"

// The phone, which ends only through its skip, is played among the first.
std::vector<sMinigameSolver> SecondHallSolvers()
{
	return {SkullSolver(), DeviceSolver(), TubeSolver(), FingersSolver(), TerminalSolver(), L6BoxSolver(),
		ComputerSolver(), CodeEnterSolver("code_enter1"), CodeEnterSolver("code_enter2"), L10TerminalSolver(),
		SafeSolver(), FanSolver(), LockSolver()};
}
