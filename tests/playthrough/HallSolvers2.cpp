#include "MinigameSolvers.h"

std::vector<sMinigameSolver> SecondHallSolvers()
{
	return {};
}
