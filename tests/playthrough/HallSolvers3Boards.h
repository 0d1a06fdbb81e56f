#pragma once
// The solvers of the hall's circuit board and globe.

#include "MinigameSolvers.h"

// The wires laid where they carry the current from the green lamp to the gold one.
sMinigameSolver ConnectorsSolver();
// The animals pinned in their order: the globe turned, the ruler slid and the nail struck.
sMinigameSolver GlobeSolver();
