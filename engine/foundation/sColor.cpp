#include "engine/foundation/sColor.h"

#include <algorithm>

sColor sColor::Min(const sColor& first, const sColor& second)
{
	return sColor(std::min(first.r, second.r), std::min(first.g, second.g), std::min(first.b, second.b),
		std::min(first.a, second.a));
}

void ColorToFloats(DWORD argb, float& alpha, float& red, float& green, float& blue)
{
	const auto channel = [argb](int shift) { return static_cast<float>(((argb >> shift) & 0xFF) / 255.0); };
	alpha = channel(24);
	red = channel(16);
	green = channel(8);
	blue = channel(0);
}
