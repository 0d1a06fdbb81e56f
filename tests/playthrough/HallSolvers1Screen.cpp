#include "HallSolvers1Screen.h"

#include "../GameProcess.h"
#include "cScreenComparer.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace
{
const int kLogicalWidth = 1024;
const int kLogicalHeight = 768;

sRgb Unpack(unsigned pixel)
{
	return {int(pixel >> 16) & 0xFF, int(pixel >> 8) & 0xFF, int(pixel) & 0xFF};
}

// Calls visit(pixel) for each pixel of the box on the picture.
template <typename tVisit>
void VisitBox(const sScreenshot& shot, const sScreenBox& box, tVisit visit)
{
	if (shot.IsEmpty())
		return;
	const int left = std::clamp(box.left * shot.width / kLogicalWidth, 0, shot.width);
	const int right = std::clamp(box.right * shot.width / kLogicalWidth, 0, shot.width);
	const int top = std::clamp(box.top * shot.height / kLogicalHeight, 0, shot.height);
	const int bottom = std::clamp(box.bottom * shot.height / kLogicalHeight, 0, shot.height);
	for (int y = top; y < bottom; ++y)
		for (int x = left; x < right; ++x)
			visit(x, y);
}
}

int CountNear(const sScreenshot& shot, const sScreenBox& box, const sRgb& colour, int tolerance)
{
	int count = 0;
	VisitBox(shot, box, [&](int x, int y) { count += IsNear(Unpack(shot.At(x, y)), colour, tolerance); });
	return count;
}

double BoxChange(const sScreenshot& a, const sScreenshot& b, const sScreenBox& box)
{
	if (a.width != b.width || a.height != b.height)
		return 1;
	int differing = 0;
	int all = 0;
	VisitBox(a, box, [&](int x, int y) {
		++all;
		differing += !IsNear(Unpack(a.At(x, y)), Unpack(b.At(x, y)), cScreenComparer::kPixelThreshold);
	});
	return all ? double(differing) / all : 0;
}

bool AwaitBoxChange(const cGameRun& run, const sScreenshot& from, const sScreenBox& box,
	std::chrono::milliseconds limit)
{
	return Eventually([&] { return BoxChange(run.Capture(), from, box) > 0.01; }, limit);
}

void AwaitBoxStill(const cGameRun& run, const sScreenBox& box, std::chrono::milliseconds stillness,
	std::chrono::milliseconds limit)
{
	sScreenshot last = run.Capture();
	auto stillSince = std::chrono::steady_clock::now();
	const auto deadline = stillSince + limit;
	while (std::chrono::steady_clock::now() < deadline && std::chrono::steady_clock::now() - stillSince < stillness)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(40));
		sScreenshot shot = run.Capture();
		// The victory star is not waited out: it shows only for a while.
		if (ShowsVictoryStar(shot))
			return;
		if (BoxChange(shot, last, box) > 0)
		{
			last = std::move(shot);
			stillSince = std::chrono::steady_clock::now();
		}
	}
}

bool ClickUntilBoxChanges(const cGameRun& run, int x, int y, const sScreenBox& box, int attempts)
{
	// The pointer over the target first: it is drawn, and may change its look.
	run.MoveTo(x, y);
	std::this_thread::sleep_for(std::chrono::milliseconds(150));
	const sScreenshot before = run.Capture();
	for (int attempt = 0; attempt < attempts; ++attempt)
	{
		run.ClickAt(x, y);
		if (AwaitBoxChange(run, before, box, std::chrono::milliseconds(1500)))
		{
			AwaitBoxStill(run, box);
			return true;
		}
	}
	return false;
}

bool AwaitClosing(const cGameRun& run, const sScreenshot& open, const sScreenBox& box)
{
	return Eventually([&] { return BoxChange(run.Capture(), open, box) > 0.3; }, std::chrono::seconds(5));
}

bool AwaitVictoryStar(const cGameRun& run, std::chrono::milliseconds limit)
{
	return Eventually([&] { return ShowsVictoryStar(run.Capture()); }, limit);
}

