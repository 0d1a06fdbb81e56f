#pragma once
// The solvers of the hall's picture puzzles and of the phone.

#include "MinigameSolvers.h"

// The triangles turned until every gem meets its colour.
sMinigameSolver TrianglesSolver();
// The picture's pieces swapped into their places.
sMinigameSolver PictureSolver();
// The phone's keys pressed, then the call skipped once the skip bar is full.
sMinigameSolver PhoneSolver();
