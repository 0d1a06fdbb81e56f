// The machine's parts put on their outlines. A part is taken where one
// lies loose, known by the shape it shows while held, carried to its place
// and let go there; one that does not snap in is taken again, turned a
// step and let go again, until it does.

#include "HallSolvers2Games.h"
#include "HallSolvers2Support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <thread>

namespace
{
// The parts "mashine_1" to "mashine_4": gear, lever, piston and wheel.
const int kParts = 4;
const int kGear = 0, kLever = 1, kPiston = 2, kWheel = 3;
// Every part is drawn in one brass, shaded by its state.
const sRgb kLoose{100, 87, 56};
const sRgb kHeld{146, 120, 61};
const sRgb kInPlace{200, 160, 70};
const int kShadeTolerance = 18;
// The held part is measured within this distance of the pointer.
const int kReach = 130;
// Turns that bring a part round to a step it snaps in at.
const int kMostTurns = 12;

void Pause(int milliseconds)
{
	std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// The held part centred on the point, as the pixels of its shade show it:
// the part by how far out most of them lie, or -1 when none is held.
int HeldPart(const sScreenshot& shot, sPoint at)
{
	std::vector<double> distances;
	for (int y = at.y - kReach; y <= at.y + kReach; ++y)
		for (int x = at.x - kReach; x <= at.x + kReach; ++x)
			if (IsNear(ColourAt(shot, x, y), kHeld, kShadeTolerance))
				distances.push_back(std::hypot(x - at.x, y - at.y));
	if (distances.size() < 1000)
		return -1;
	const auto most = distances.begin() + long(distances.size() * 95 / 100);
	std::nth_element(distances.begin(), most, distances.end());
	// The wheel is a ring of 47, the gear's teeth reach 58, the piston
	// is 150 long and the lever 220.
	return *most < 52 ? kWheel : *most < 63 ? kGear : *most < 86 ? kPiston : kLever;
}

// A point amid a loose part's pixels on the tray.
std::optional<sPoint> FindLoosePart(const sScreenshot& shot, const sScreenBox& tray)
{
	auto loose = [&](int x, int y) { return IsNear(ColourAt(shot, x, y), kLoose, kShadeTolerance); };
	for (int y = tray.top + 4; y < tray.bottom - 4; y += 5)
		for (int x = tray.left + 4; x < tray.right - 4; x += 5)
			if (loose(x, y) && loose(x - 3, y) && loose(x + 3, y) && loose(x, y - 3) && loose(x, y + 3))
				return sPoint{x, y};
	return std::nullopt;
}
}

sMinigameSolver DeviceSolver()
{
	return SolverOnScene("device", [](cGameRun& run, const cScreenLayout& layout) {
		const sScreenBox tray = layout.Box("background");
		// A held part is looked at over the tray's middle.
		const sPoint inspect{tray.CentreX(), tray.CentreY()};
		auto takenPart = [&] {
			run.MoveTo(inspect.x, inspect.y);
			Pause(250);
			return HeldPart(run.Capture(), inspect);
		};
		auto inPlace = [](const sRgb& colour) { return IsNear(colour, kInPlace, 25); };
		std::array<int, kParts> turns{};
		std::array<bool, kParts> placed{};
		int held = -1;
		for (int move = 0; move < kParts * (kMostTurns + 2) &&
			 std::count(placed.begin(), placed.end(), true) < kParts;
			 ++move)
		{
			if (held < 0)
			{
				const std::optional<sPoint> loose = FindLoosePart(run.Capture(), tray);
				if (!loose)
					return false;
				Tap(run, *loose);
				held = takenPart();
				continue;
			}
			const std::string part = "mashine_" + std::to_string(held + 1);
			const sPoint place = CentreOf(layout, part);
			run.MoveTo(place.x, place.y);
			Pause(150);
			// The first time a part is tried as it was taken, then a step further each time.
			if (turns[size_t(held)]++ > 0)
				RightTap(run, place);
			const double before = ShareWhere(run.Capture(), layout.Box(part), inPlace);
			Tap(run, place);
			Pause(200);
			if (ShareWhere(run.Capture(), layout.Box(part), inPlace) > before + 0.08)
			{
				placed[size_t(held)] = true;
				held = -1;
				continue;
			}
			// Taking it again may take another part that lies under the place.
			Tap(run, place);
			held = takenPart();
		}
		return std::count(placed.begin(), placed.end(), true) == kParts && SawVictoryStar(run);
	});
}
