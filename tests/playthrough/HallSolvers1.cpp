#include "MinigameSolvers.h"

std::vector<sMinigameSolver> FirstHallSolvers()
{
	return {};
}
