#pragma once
// The solvers of the hall's board puzzles played by moving pieces one at a
// time: the heads of "faces" and the balls of "tower".

#include "MinigameSolvers.h"

sMinigameSolver FacesSolver();
sMinigameSolver TowerSolver();
