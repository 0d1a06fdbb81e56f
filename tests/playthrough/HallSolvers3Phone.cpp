// The phone has no solve: its keys only look pushed in while held. It is
// won the one way it can be: once the skip bar has run its length and the
// skip button is enabled, the skip button ends the call with "win".

#include "HallSolvers3Pictures.h"

#include "HallSolvers2Support.h"

#include <thread>

namespace
{
using namespace std::chrono_literals;

// A key's face pushed in is dark grey; up, it is pale.
bool IsPushedIn(const sRgb& colour)
{
	return colour.r + colour.g + colour.b < 450;
}

// Holds the left button on the key and lets go: it looks pushed in while
// held and comes up again once let go. The face is watched left of and
// above the key's middle, clear of its label and of the pointer.
bool PressKey(const cGameRun& run, const sScreenBox& key)
{
	const sScreenBox face{key.left + 5, key.top + 5, key.CentreX() - 8, key.CentreY() - 3};
	run.MoveTo(key.CentreX(), key.CentreY());
	std::this_thread::sleep_for(250ms);
	run.SetLeftButton(true);
	const bool pushed = AwaitShare(run, face, 0.8, IsPushedIn, 2s);
	run.SetLeftButton(false);
	const bool up = AwaitShare(run, face, 0.8, [](const sRgb& colour) { return !IsPushedIn(colour); }, 2s);
	return pushed && up;
}

// Clicks the point and tells whether the window closed: the screen turned
// from the window's within the limit.
bool ClickCloses(const cGameRun& run, sPoint at, std::chrono::milliseconds limit)
{
	run.ParkPointer();
	const sScreenshot open = run.Capture();
	Tap(run, at);
	return ClosesByItself(run, open, {0, 0, kLogicalWidth, kLogicalHeight}, limit);
}

bool PlayPhone(cGameRun& run, const cScreenLayout& layout)
{
	for (const char* key : {"button_1", "button_5", "button_0"})
		if (!layout.Has(key) || !PressKey(run, layout.Box(key)))
			return false;
	const sScreenBox bar = layout.Box("border/skip_bar");
	const sScreenBox skip = layout.Box("border/skip");
	// The button's face left of its arrows.
	const sScreenBox skipFace{skip.left + 8, skip.CentreY() - 6, skip.left + 22, skip.CentreY() + 6};
	// The bar's far end is gold once it has run its length.
	const sScreenBox barEnd{bar.right - 20, bar.top + 4, bar.right - 2, bar.bottom - 4};
	auto isGold = [](const sRgb& colour) { return IsNear(colour, {230, 190, 60}, 40); };
	// The enabled button's face is brown; the disabled one's grey.
	auto isBrown = [](const sRgb& colour) { return colour.r > colour.b + 50; };
	// While the bar runs, the skip button is disabled: a click leaves the
	// call on. Tried while the bar's last quarter is still to run.
	const sScreenBox barLastQuarter{bar.right - (bar.right - bar.left) / 4, bar.top + 4, bar.right - 2, bar.bottom - 4};
	run.ParkPointer();
	const sScreenshot running = run.Capture();
	if (ShareWhere(running, barLastQuarter, isGold) == 0 &&
		(ShareWhere(running, skipFace, isBrown) > 0.2 || ClickCloses(run, CentreOf(layout, "border/skip"), 1500ms)))
		return false;
	return AwaitShare(run, barEnd, 0.9, isGold, 30s) && AwaitShare(run, skipFace, 0.8, isBrown, 3s) &&
		ClickCloses(run, CentreOf(layout, "border/skip"), 5s);
}
}

sMinigameSolver PhoneSolver()
{
	return SolverOnScene("phone", PlayPhone);
}
