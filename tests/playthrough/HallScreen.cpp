#include "HallScreen.h"

#include "cScreenComparer.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The overlay's star grows about this point of the screen and, once
// grown, covers the box around it in gold.
const sScreenBox kStarHeart{354, 344, 434, 424};
const sRgb kStarGold{255, 210, 60};

// The share of the box's logical points at which the test holds.
template <typename tTest>
double ShareOfBox(const sScreenBox& box, tTest test)
{
	int hits = 0, all = 0;
	for (int y = box.top; y < box.bottom; ++y)
		for (int x = box.left; x < box.right; ++x)
		{
			hits += test(x, y) ? 1 : 0;
			++all;
		}
	return all ? double(hits) / all : 0;
}
}

sRgb ColourAt(const sScreenshot& shot, int x, int y)
{
	if (shot.IsEmpty())
		return {};
	const int px = std::clamp(x * shot.width / kLogicalWidth, 0, shot.width - 1);
	const int py = std::clamp(y * shot.height / kLogicalHeight, 0, shot.height - 1);
	const unsigned pixel = shot.At(px, py);
	return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
}

bool IsNear(const sRgb& colour, const sRgb& wanted, int tolerance)
{
	return std::abs(colour.r - wanted.r) <= tolerance && std::abs(colour.g - wanted.g) <= tolerance &&
		std::abs(colour.b - wanted.b) <= tolerance;
}

double ShareWhere(const sScreenshot& shot, const sScreenBox& box, const std::function<bool(const sRgb&)>& test)
{
	if (shot.IsEmpty())
		return 0;
	return ShareOfBox(box, [&](int x, int y) { return test(ColourAt(shot, x, y)); });
}

double BoxChange(const sScreenshot& a, const sScreenshot& b, const sScreenBox& box)
{
	if (a.width != b.width || a.height != b.height)
		return 1;
	return ShareOfBox(box, [&](int x, int y) {
		return !IsNear(ColourAt(a, x, y), ColourAt(b, x, y), cScreenComparer::kPixelThreshold);
	});
}

bool ShowsVictoryStar(const sScreenshot& shot)
{
	return ShareWhere(shot, kStarHeart, [](const sRgb& colour) { return IsNear(colour, kStarGold, 30); }) >= 0.9;
}
