#include "engine/animation/TrackValues.h"

sColor Blend(const sColor& a, const sColor& b, float x)
{
	const auto channel = [x](float from, float to) { return from + (to - from) * x; };
	sColor out;
	ColorToFloats(ColorToArgb(channel(a.a, b.a), channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)), out.a,
		out.r, out.g, out.b);
	return out;
}
