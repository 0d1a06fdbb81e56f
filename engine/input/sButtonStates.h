#pragma once
// The state bytes of one input device slot at the latest poll and at the
// poll before.

#include "platform/win32/Win32Types.h"

#include <array>
#include <utility>

struct sButtonStates
{
	explicit sButtonStates(int highestIndex = 255) : lastIndex(highestIndex) {}

	// The latest state becomes the previous one; current then holds the
	// older state until it is refilled.
	void Swap() { std::swap(current, previous); }

	std::array<BYTE, 256> current{};
	std::array<BYTE, 256> previous{};
	// The state changed at the latest poll.
	bool changed = false;
	// The highest index the device uses.
	int lastIndex;
};
