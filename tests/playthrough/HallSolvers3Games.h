#pragma once
// Solvers of the hall's minigames played against the clock or by a held
// drag: the hammer struck with swings timed from the needle's speed, the
// key rubbed clean with the cloth.

#include "MinigameSolvers.h"

sMinigameSolver HammerSolver();
sMinigameSolver KeySolver();
