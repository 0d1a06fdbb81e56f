// The hammer and the key: the hammer's swings held for a time worked out
// from the needle's speed on the screen, the key's cloth dragged to and
// fro over the dirt.

#include "HallSolvers2Support.h"
#include "HallSolvers3Games.h"

#include <algorithm>
#include <thread>

namespace
{
using namespace std::chrono_literals;
using tClock = std::chrono::steady_clock;

const sRgb kPaper{245, 235, 210};
const sRgb kGoodZone{70, 190, 80};
const sRgb kCrackInk{30, 25, 20};

double SecondsSince(tClock::time_point start)
{
	return std::chrono::duration<double>(tClock::now() - start).count();
}

sScreenBox Around(const sScreenBox& a, const sScreenBox& b)
{
	return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

int Area(const sScreenBox& box)
{
	return (box.right - box.left) * (box.bottom - box.top);
}

// The share of the stone that its cracks cover.
double CrackShare(const sScreenshot& shot, const sScreenBox& stone)
{
	return ShareWhere(shot, stone, [](const sRgb& colour) { return IsNear(colour, kCrackInk, 20); });
}

// The hammer's power scale: the needle climbs it from its rest as the
// swing gathers power; a release in the green zone is a good strike.
class cPowerScale
{
public:
	explicit cPowerScale(const cScreenLayout& layout) : m_scale(layout.Box("scale")), m_needle(layout.Box("needle")) {}

	double RestY() const { return m_needle.CentreY(); }
	double TopY() const { return m_scale.top; }

	// The needle's middle row; -1 when it is not seen.
	double NeedleY(const sScreenshot& shot) const
	{
		return MiddleRow(shot, m_needle.CentreX(), kPaper);
	}

	// The middle row of the scale's green zone; -1 when it is not seen.
	double GoodMiddleY(const sScreenshot& shot) const
	{
		return MiddleRow(shot, m_scale.left + 10, kGoodZone);
	}

private:
	double MiddleRow(const sScreenshot& shot, int x, const sRgb& colour) const
	{
		double sum = 0;
		int rows = 0;
		for (int y = m_scale.top - m_needle.bottom + m_needle.top; y <= m_needle.bottom; ++y)
			if (IsNear(ColourAt(shot, x, y), colour, 30))
			{
				sum += y;
				++rows;
			}
		return rows ? sum / rows : -1;
	}

	sScreenBox m_scale;
	sScreenBox m_needle;
};

// Holds the button and follows the needle up the scale; lets go near its
// top (a strike too hard). The needle's speed in rows a second, from a
// line fitted through the rows seen on the way; 0 when it was not seen to
// move.
double MeasureNeedleSpeed(const cGameRun& run, const cPowerScale& scale)
{
	// Seconds since the press, and the needle's row then.
	std::vector<std::pair<double, double>> samples;
	const auto start = tClock::now();
	run.SetLeftButton(true);
	while (SecondsSince(start) < 3)
	{
		const double before = SecondsSince(start);
		const double y = scale.NeedleY(run.Capture());
		if (y < 0 || y > scale.RestY() - 8)
			continue;
		if (y < scale.TopY() + 40)
			break;
		samples.emplace_back((before + SecondsSince(start)) / 2, y);
	}
	run.SetLeftButton(false);
	double meanT = 0, meanY = 0;
	for (const auto& [t, y] : samples)
	{
		meanT += t / double(samples.size());
		meanY += y / double(samples.size());
	}
	double covariance = 0, variance = 0;
	for (const auto& [t, y] : samples)
	{
		covariance += (t - meanT) * (y - meanY);
		variance += (t - meanT) * (t - meanT);
	}
	return variance > 0 ? -covariance / variance : 0;
}

// Holds the button for the time and lets go; the highest row the needle
// reached, as seen while it falls back, or -1 when it was not seen.
double Swing(const cGameRun& run, const cPowerScale& scale, double seconds)
{
	run.SetLeftButton(true);
	std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
	run.SetLeftButton(false);
	double peak = -1;
	const auto released = tClock::now();
	while (SecondsSince(released) < 0.2)
	{
		const double y = scale.NeedleY(run.Capture());
		if (y >= 0 && (peak < 0 || y < peak))
			peak = y;
	}
	return peak;
}
}

sMinigameSolver HammerSolver()
{
	return SolverOnScene("hammer", [](cGameRun& run, const cScreenLayout& layout) {
		const cPowerScale scale(layout);
		const sScreenBox stone = layout.Box("bg");
		const sScreenBox board = Around(Around(stone, layout.Box("molotok")), layout.Box("scale"));
		// The button may be held anywhere in the window: over the sign,
		// where the pointer hides nothing that moves.
		const sPoint grip = CentreOf(layout, "indicator_sign");
		run.MoveTo(grip.x, grip.y);
		// The needle's speed, measured anew after each good strike; and the
		// correction that misses have shown the hold the speed gives to
		// need, as a player learns it.
		double speed = 0, correction = 0;
		for (int swing = 0; swing < 50; ++swing)
		{
			run.WaitForBoxStill(board, 700ms, 8000ms);
			const sScreenshot ready = run.Capture();
			if (ShowsVictoryStar(ready))
				return SawVictoryStar(run);
			if (speed <= 0)
			{
				speed = MeasureNeedleSpeed(run, scale);
				continue;
			}
			const double target = scale.GoodMiddleY(ready);
			const double peak = Swing(run, scale, (scale.RestY() - target) / speed + correction);
			run.WaitForBoxStill(board, 700ms, 8000ms);
			// A good strike cracks the stone further and speeds up the
			// swing; after a miss the hold is put right by as much as the
			// needle went past the middle of the green or fell short of it.
			if (CrackShare(run.Capture(), stone) > CrackShare(ready, stone) + 60.0 / Area(stone))
				speed = 0;
			else if (peak >= 0)
				correction += (peak - target) / speed;
		}
		return false;
	});
}

sMinigameSolver KeySolver()
{
	return SolverOnScene("key", [](cGameRun& run, const cScreenLayout& layout) {
		const sScreenBox cloth = layout.Box("platok");
		sScreenBox dirt = layout.Box("dirt_part_1");
		for (int piece = 2; layout.Has("dirt_part_" + std::to_string(piece)); ++piece)
			dirt = Around(dirt, layout.Box("dirt_part_" + std::to_string(piece)));
		// The cloth rubs a strip just above the pointer: the pointer runs
		// along the row of dirt a little below its middle.
		const int y = dirt.CentreY() + 16;
		const sPoint left{dirt.left + 8, y}, right{dirt.right - 8, y};
		run.ParkPointer();
		const sScreenshot home = run.Capture();
		auto solved = [&] { return ShowsVictoryStar(run.Capture()); };
		for (int drag = 0; drag < 8; ++drag)
		{
			// A let-go cloth glides home and takes no press until it is
			// there; a cloth that never shows there again means the window
			// is gone, and a press would land in the hall.
			if (!Eventually([&] { return BoxChange(run.Capture(), home, cloth) < 0.02; }, 3s))
				return false;
			// The solve lets go of the cloth: the drag stops at the star,
			// which shows only until the window closes.
			DragThrough(run, {CentreOf(layout, "platok"), left, right, left}, solved);
			if (SawVictoryStar(run, 1500ms))
				return true;
		}
		return false;
	});
}
