// Codes entered by clicks: the keypads typed on, the wheels of the code
// locks set.

#include "HallSolvers2Games.h"
#include "HallSolvers2Support.h"

#include "game/minigames/cMinigameCodeEnter1.h"
#include "game/minigames/cMinigameCodeEnter2.h"
#include "game/minigames/cMinigameL10Terminal.h"
#include "game/minigames/cMinigameL6Box.h"
#include "game/minigames/cMinigameTerminal.h"

#include <thread>

namespace
{
// Clicks the keys "<stem><digit>" of the code's digits in turn, each
// pointed at a while first: a key button takes a press only once it knows
// the pointer is over it.
bool TypeCode(const cGameRun& run, const cScreenLayout& layout, const std::string& stem, const std::string& code)
{
	for (char digit : code)
	{
		const std::string key = stem + digit;
		if (!layout.Has(key))
			return false;
		const sPoint centre = CentreOf(layout, key);
		run.MoveTo(centre.x, centre.y);
		std::this_thread::sleep_for(std::chrono::milliseconds(250));
		Tap(run, centre);
	}
	return true;
}
}

sMinigameSolver TerminalSolver()
{
	return SolverOnScene("terminal", [](cGameRun& run, const cScreenLayout& layout) {
		// The right code lights the display green before the window closes.
		// A key the game missed makes a wrong code, which lights it red and
		// is cleared once that has run: the code is typed again then.
		for (int attempt = 0; attempt < 2; ++attempt)
		{
			if (!TypeCode(run, layout, "button", cMinigameTerminal::kCode))
				return false;
			if (AwaitShare(run, layout.Box("verdict"), 0.3, [](const sRgb& colour) { return colour.g > colour.r + 80; },
					std::chrono::seconds(3)))
				return ClosesByItself(run);
		}
		return false;
	});
}

sMinigameSolver L6BoxSolver()
{
	return SolverOnScene("l6_box", [](cGameRun& run, const cScreenLayout& layout) {
		return TypeCode(run, layout, "button_", cMinigameL6Box::kCode) && ClosesByItself(run);
	});
}

sMinigameSolver L10TerminalSolver()
{
	return SolverOnScene("l10_terminal", [](cGameRun& run, const cScreenLayout& layout) {
		// The pair names digit buttons, which come first in the button list.
		std::string pair;
		for (size_t button : cMinigameL10Terminal::kPair)
			pair += char('0' + button);
		return TypeCode(run, layout, "button_", pair) && ClosesByItself(run);
	});
}

sMinigameSolver CodeEnterSolver(const std::string& minigame)
{
	const cMinigameCodeEnter::tCode combination =
		minigame == "code_enter1" ? cMinigameCodeEnter1::kCombination : cMinigameCodeEnter2::kCombination;
	return SolverOnScene(minigame, [combination](cGameRun& run, const cScreenLayout& layout) {
		// Each wheel starts blank and shows 1 at its first click.
		for (size_t wheel = 0; wheel < combination.size(); ++wheel)
			for (int click = 0; click < combination[wheel]; ++click)
				if (!TapObject(run, layout, "vall_" + std::to_string(wheel + 1)))
					return false;
		return ClosesByItself(run);
	});
}
