#pragma once

// True when lo <= value <= hi.
template <class T>
bool InRange(const T& value, const T& lo, const T& hi)
{
	return lo <= value && value <= hi;
}
