#pragma once
// The solvers of the hall's last fourteen minigames, one each.

#include "MinigameSolvers.h"

// Pieces put in place: the mirrors, the machine's parts, the fingers.
sMinigameSolver SkullSolver();
sMinigameSolver DeviceSolver();
sMinigameSolver FingersSolver();
// The magnet dragged around the pipes to the key.
sMinigameSolver FanSolver();
// The flute's valves found in their hidden order.
sMinigameSolver TubeSolver();

// Codes typed on the keypads, set on the wheels or guessed on the screen.
sMinigameSolver TerminalSolver();
sMinigameSolver L6BoxSolver();
sMinigameSolver L10TerminalSolver();
sMinigameSolver CodeEnterSolver(const std::string& minigame);
sMinigameSolver ComputerSolver();

// Dials turned by circling the pointer: the safe's handle, the lock's pin.
sMinigameSolver SafeSolver();
sMinigameSolver LockSolver();
