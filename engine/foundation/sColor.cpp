#include "engine/foundation/sColor.h"

#include <algorithm>
#include <cmath>

sColor sColor::Min(const sColor& first, const sColor& second)
{
	return sColor(std::min(first.r, second.r), std::min(first.g, second.g), std::min(first.b, second.b),
		std::min(first.a, second.a));
}

namespace
{
DWORD ChannelToByte(float channel)
{
	// A channel that is not a number (read from a damaged file) counts as 0.
	if (std::isnan(channel))
		return 0;
	return static_cast<DWORD>(std::clamp(channel, 0.0f, 1.0f) * 255.0f);
}
}

DWORD ColorToArgb(float a, float r, float g, float b)
{
	return (ChannelToByte(a) << 24) | (ChannelToByte(r) << 16) | (ChannelToByte(g) << 8) | ChannelToByte(b);
}

void ColorToFloats(DWORD argb, float& alpha, float& red, float& green, float& blue)
{
	const auto channel = [argb](int shift) { return static_cast<float>(((argb >> shift) & 0xFF) / 255.0); };
	alpha = channel(24);
	red = channel(16);
	green = channel(8);
	blue = channel(0);
}
