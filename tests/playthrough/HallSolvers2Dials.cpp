// Dials turned by circling the pointer about them while the button is
// held: the safe's handle set on each letter of its note, the lock's pin
// tried at one position after another.

#include "HallSolvers2Games.h"
#include "HallSolvers2Support.h"

#include "game/minigames/SafeCombination.h"
#include "game/minigames/SafeDial.h"

#include <cmath>

namespace
{
// The pointer circles this far from a dial's centre: far enough that a
// pixel of its path turns the dial only a little.
const int kCircleRadius = 200;

// The middle of the turns that select the safe's symbol.
double SymbolMiddle(int symbol)
{
	double x = 0, y = 0;
	for (int step = 0; step < 1000; ++step)
		if (SafeSymbolAt(float(step) / 1000) == symbol)
		{
			x += std::sin(2 * M_PI * step / 1000);
			y += std::cos(2 * M_PI * step / 1000);
		}
	const double turn = std::atan2(x, y) / (2 * M_PI);
	return turn < 0 ? turn + 1 : turn;
}

// The part of a turn from one position of a dial on to the other.
double TurnOnward(double from, double to)
{
	return to >= from ? to - from : to + 1 - from;
}
}

sMinigameSolver SafeSolver()
{
	return SolverOnScene("safe", [](cGameRun& run, const cScreenLayout& layout) {
		const sPoint centre = CentreOf(layout, "handle");
		const sPoint grip{centre.x, centre.y - 60};
		// The handle turns by twice the radians the pointer goes round it,
		// counted in turns; it starts at 0.
		double position = 0;
		for (int symbol : kSafeCombination)
		{
			const double turned =
				CircleAbout(run, centre, grip, kCircleRadius, TurnOnward(position, SymbolMiddle(symbol)) / 2);
			position = std::fmod(position + 2 * turned, 1.0);
			// The symbol set lights in gold.
			if (!AwaitShare(run, layout.Box("symbol_" + std::to_string(symbol + 1) + "_active"), 0.3,
					[](const sRgb& colour) { return IsNear(colour, {250, 210, 70}, 40); }, std::chrono::seconds(2)))
				return false;
		}
		return SawVictoryStar(run);
	});
}

sMinigameSolver LockSolver()
{
	return SolverOnScene("lock", [](cGameRun& run, const cScreenLayout& layout) {
		const sPoint pin = CentreOf(layout, "shpilka");
		const sPoint grip{pin.x, pin.y - 70};
		// The pin turns by the radians the pointer goes round it, counted
		// in turns, from 0. Tries 0.095 apart leave no right position
		// further than 0.05 from one of them, and that close the lock opens.
		// A slow game may still be opening when the star is looked for, and
		// the next try stops the opening: a second round of tries, half a
		// step off the first, gives it another chance.
		const double spacing = 0.095;
		double position = 0;
		for (int attempt = 0; attempt * spacing < 2; ++attempt)
		{
			position += CircleAbout(run, pin, grip, kCircleRadius, attempt * spacing - position);
			if (!TapObject(run, layout, "lock_parent/lock"))
				return false;
			if (SawVictoryStar(run, std::chrono::milliseconds(2000)))
				return true;
		}
		return false;
	});
}
