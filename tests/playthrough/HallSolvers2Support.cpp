#include "HallSolvers2Support.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>

namespace
{
// The pointer moves this far at most between two looks of the game.
const double kStepPixels = 6;
const auto kStepPause = std::chrono::milliseconds(12);
// Long enough for a slow game (a loaded machine, a sanitized build) to
// take a frame: a click is read where the pointer is at the next frame.
const auto kFramePause = std::chrono::milliseconds(250);

void Pause(std::chrono::milliseconds time)
{
	std::this_thread::sleep_for(time);
}

// Moves the pointer from one point to the other in small steps; false
// when the stop held before a step.
bool Glide(const cGameRun& run, sPoint from, sPoint to, const std::function<bool()>& stop)
{
	const int steps = std::max(1, int(std::ceil(std::hypot(to.x - from.x, to.y - from.y) / kStepPixels)));
	for (int step = 1; step <= steps; ++step)
	{
		if (stop && stop())
			return false;
		run.MoveTo(from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps);
		Pause(kStepPause);
	}
	return true;
}
}

sPoint CentreOf(const cScreenLayout& layout, const std::string& path)
{
	const sScreenBox box = layout.Box(path);
	return {box.CentreX(), box.CentreY()};
}

sMinigameSolver SolverOnScene(const std::string& minigame,
	const std::function<bool(cGameRun& run, const cScreenLayout& layout)>& solve)
{
	auto layout = std::make_shared<cScreenLayout>();
	return {minigame, [layout, minigame](const std::string& game) { *layout = cScreenLayout::Read(game, minigame); },
		[layout, solve](cGameRun& run) {
			// The window takes clicks a moment after it appeared.
			Pause(std::chrono::milliseconds(800));
			return !layout->IsEmpty() && solve(run, *layout);
		}};
}

void Tap(const cGameRun& run, sPoint at)
{
	run.ClickAt(at.x, at.y);
	Pause(kFramePause);
}

bool TapObject(const cGameRun& run, const cScreenLayout& layout, const std::string& path)
{
	if (!layout.Has(path))
		return false;
	Tap(run, CentreOf(layout, path));
	return true;
}

void RightTap(const cGameRun& run, sPoint at)
{
	run.RightClickAt(at.x, at.y);
	Pause(kFramePause);
}

bool PutPieces(const cGameRun& run, const cScreenLayout& layout,
	const std::vector<std::pair<std::string, std::string>>& moves)
{
	for (const auto& [piece, place] : moves)
		if (!TapObject(run, layout, piece) || !TapObject(run, layout, place))
			return false;
	return true;
}

bool AwaitShare(const cGameRun& run, const sScreenBox& box, double share,
	const std::function<bool(const sRgb&)>& test, std::chrono::milliseconds limit)
{
	return Eventually([&] { return ShareWhere(run.Capture(), box, test) >= share; }, limit);
}

void DragThrough(const cGameRun& run, const std::vector<sPoint>& points, const std::function<bool()>& stop)
{
	if (points.empty())
		return;
	run.MoveTo(points.front().x, points.front().y);
	Pause(kFramePause);
	run.SetLeftButton(true);
	Pause(kFramePause);
	for (size_t i = 1; i < points.size(); ++i)
		if (!Glide(run, points[i - 1], points[i], stop))
			break;
	Pause(kFramePause);
	run.SetLeftButton(false);
	Pause(kFramePause);
}

double CircleAbout(const cGameRun& run, sPoint centre, sPoint start, int radius, double angle)
{
	// A point's clock angle about the centre: 0 straight up, growing clockwise.
	auto clockOf = [&](sPoint point) { return std::atan2(point.x - centre.x, centre.y - point.y); };
	const double from = clockOf(start);
	auto at = [&](double clock) {
		return sPoint{int(std::lround(centre.x + radius * std::sin(clock))),
			int(std::lround(centre.y - radius * std::cos(clock)))};
	};
	std::vector<sPoint> path{start, at(from)};
	const int steps = std::max(1, int(std::ceil(std::fabs(angle) * radius / kStepPixels)));
	for (int step = 1; step <= steps; ++step)
		path.push_back(at(from + angle * step / steps));
	DragThrough(run, path);
	double turned = clockOf(path.back()) - from;
	// The turn is below a half circle each way.
	if (turned > M_PI)
		turned -= 2 * M_PI;
	else if (turned < -M_PI)
		turned += 2 * M_PI;
	return turned;
}

bool SawVictoryStar(const cGameRun& run, std::chrono::milliseconds limit)
{
	run.ParkPointer();
	return Eventually([&] { return ShowsVictoryStar(run.Capture()); }, limit);
}

bool ClosesByItself(const cGameRun& run, std::chrono::milliseconds limit)
{
	run.ParkPointer();
	return ClosesByItself(run, run.Capture(), {0, 0, kLogicalWidth, kLogicalHeight}, limit);
}

bool ClosesByItself(const cGameRun& run, const sScreenshot& open, const sScreenBox& box,
	std::chrono::milliseconds limit)
{
	run.ParkPointer();
	return run.WaitForBoxChange(open, box, 0.2, limit);
}
