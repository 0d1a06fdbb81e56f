#pragma once
// Limiting a value to a range.

// The value when it lies between the bounds, else the nearer bound; the
// bounds may come in either order.
inline float Clamp(float value, float a, float b)
{
	float low = a < b ? a : b;
	float high = a < b ? b : a;
	if (value < low)
		return low;
	if (value > high)
		return high;
	return value;
}
