// The globe: each animal of the order found on the turning top by the
// colour of its tag, turned onto the nail's line straight above or below
// the centre, the ruler slid until the nail lies over it, and the nail
// struck. The sign that names the next animal shows that a strike pinned;
// the last one opens the globe.

#include "HallSolvers2Support.h"
#include "HallSolvers3Boards.h"

#include <cmath>
#include <optional>
#include <thread>

namespace
{
using namespace std::chrono_literals;

// The animals in the order they are pinned (white house, octopus,
// elephant, tiger, shark): the colour of the tag's paper, and the sign
// that fades in once it is pinned (none after the last).
struct sPin
{
	sRgb tag;
	const char* sign;
};
const sPin kPins[] = {{{250, 250, 250}, "table_sprut"}, {{240, 140, 190}, "table_alifant"},
	{{180, 180, 200}, "table_tiger"}, {{250, 170, 50}, "table_shark"}, {{140, 190, 230}, nullptr}};
const sRgb kSignPaper{245, 235, 210};
// The bright inside of the nail's head.
const sRgb kNailHead{170, 170, 185};
const int kColourTolerance = 8;
// A drag this far to the right turns the globe once round, counter-clockwise.
const double kPixelsPerTurn = 600;
// The top is pressed this far from the centre, within the circle that its
// turning square always covers, below the centre, clear of the ruler.
const int kGrabRadius = 150;
// The ruler is pressed this far left of the nail, clear of it.
const int kRulerGrab = 120;
const double kAngleTolerance = 2 * M_PI / 180;
const int kHeightTolerance = 3;
const int kCorrections = 4;
const int kStrikesPerAnimal = 3;

// The middle of the tag on the top whose paper has the colour: of the
// pixels amid its paper, which its lettering and the thin lines of the
// top lack; none when too few show.
std::optional<sPoint> FindTag(const sScreenshot& shot, const sScreenBox& top, const sRgb& paper)
{
	auto isPaper = [&](int x, int y) { return IsNear(ColourAt(shot, x, y), paper, kColourTolerance); };
	long sumX = 0, sumY = 0, count = 0;
	for (int y = top.top; y < top.bottom; y += 2)
		for (int x = top.left; x < top.right; x += 2)
			if (isPaper(x, y) && isPaper(x - 3, y) && isPaper(x + 3, y) && isPaper(x, y - 3) && isPaper(x, y + 3))
			{
				sumX += x;
				sumY += y;
				++count;
			}
	if (count < 20)
		return std::nullopt;
	return sPoint{int(sumX / count), int(sumY / count)};
}

// The height of the nail's head in the column: the middle of the longest
// run of rows that show its colour across (a stray pixel of it lies at
// the edges of tags); none when it does not show.
std::optional<int> FindNail(const sScreenshot& shot, const sScreenBox& column)
{
	int runStart = 0, runLength = 0, bestStart = 0, bestLength = 0;
	for (int y = column.top; y < column.bottom; ++y)
	{
		int hits = 0;
		for (int x = column.left; x < column.right; ++x)
			hits += IsNear(ColourAt(shot, x, y), kNailHead, kColourTolerance) ? 1 : 0;
		if (hits < 3)
		{
			runLength = 0;
			continue;
		}
		if (runLength++ == 0)
			runStart = y;
		if (runLength > bestLength)
		{
			bestStart = runStart;
			bestLength = runLength;
		}
	}
	if (bestLength < 8)
		return std::nullopt;
	return bestStart + (bestLength - 1) / 2;
}

class cGlobePlayer
{
public:
	cGlobePlayer(const cGameRun& run, const cScreenLayout& layout)
		: m_run(run), m_layout(layout), m_centre(CentreOf(layout, "glob_stoika/south_bottom")),
		  m_top(layout.Box("glob_stoika/south_bottom/sever_top")), m_nail(CentreOf(layout, "glob_stoika/ruller/nail")),
		  m_nailColumn{m_nail.x - 8, layout.Box("background").top, m_nail.x + 8, layout.Box("background").bottom}
	{
	}

	// Pins the animal; on a miss the ruler goes back and the animal is
	// found again.
	bool Pin(const sPin& pin)
	{
		for (int strike = 0; strike < kStrikesPerAnimal; ++strike)
		{
			const std::optional<sPoint> tag = TurnOntoNailLine(pin.tag);
			if (!tag || !SlideNailTo(tag->y))
				return false;
			Tap(m_run, {m_nail.x, tag->y});
			const bool pinned = pin.sign ? AwaitShare(m_run, m_layout.Box(pin.sign), 0.4,
											   [](const sRgb& colour) { return IsNear(colour, kSignPaper, 20); }, 3s)
										 : SawVictoryStar(m_run, 8s);
			if (pinned && !pin.sign)
				return true;
			// The ruler back at its start, clear of the top.
			if (!SlideNailTo(m_nail.y))
				return false;
			if (pinned)
				return true;
		}
		return false;
	}

private:
	// The screen with the pointer out of the way.
	sScreenshot Look() const
	{
		m_run.ParkPointer();
		std::this_thread::sleep_for(300ms);
		return m_run.Capture();
	}

	// Turns the globe until the tag lies straight above or below the
	// centre, whichever is the shorter turn; where the tag lies then.
	std::optional<sPoint> TurnOntoNailLine(const sRgb& tag) const
	{
		for (int correction = 0;; ++correction)
		{
			const std::optional<sPoint> at = FindTag(Look(), m_top, tag);
			if (!at)
				return std::nullopt;
			// The clockwise turn from the tag to the nearer of the two.
			const double turn = std::remainder(-std::atan2(at->x - m_centre.x, m_centre.y - at->y), M_PI);
			if (std::fabs(turn) < kAngleTolerance)
				return at;
			if (correction == kCorrections)
				return std::nullopt;
			const int drag = int(std::lround(-turn / (2 * M_PI) * kPixelsPerTurn));
			const int reach = int(std::lround(kGrabRadius * M_SQRT1_2));
			const sPoint grab{m_centre.x - (drag > 0 ? reach : -reach), m_centre.y + reach};
			DragThrough(m_run, {grab, {grab.x + drag, grab.y}});
		}
	}

	// Slides the ruler until the nail's head lies at the height.
	bool SlideNailTo(int height) const
	{
		for (int correction = 0;; ++correction)
		{
			const std::optional<int> nail = FindNail(Look(), m_nailColumn);
			if (!nail)
				return false;
			if (std::abs(*nail - height) <= kHeightTolerance)
				return true;
			if (correction == kCorrections)
				return false;
			const sPoint grab{m_nail.x - kRulerGrab, *nail};
			DragThrough(m_run, {grab, {grab.x, grab.y + height - *nail}});
		}
	}

	const cGameRun& m_run;
	const cScreenLayout& m_layout;
	const sPoint m_centre;
	const sScreenBox m_top;
	// The nail at the ruler's start, and the column it slides in.
	const sPoint m_nail;
	const sScreenBox m_nailColumn;
};
}

sMinigameSolver GlobeSolver()
{
	return SolverOnScene("globe", [](cGameRun& run, const cScreenLayout& layout) {
		cGlobePlayer player(run, layout);
		for (const sPin& pin : kPins)
			if (!player.Pin(pin))
				return false;
		return true;
	});
}
