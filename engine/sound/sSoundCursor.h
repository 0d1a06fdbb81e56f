#pragma once
// One reader's place in a sound decoder. Every channel keeps its own, so
// several channels can share a decoder.

#include <cstdint>

struct sSoundCursor
{
	// The end of the data was reached and the cursor does not loop.
	bool ended = false;
	// Reading past the end of the data wraps to its start.
	bool loop = false;
	// Where the next read starts, in the decoder's own unit (bytes of the
	// file for WAVE, sample frames for Ogg Vorbis).
	int64_t position = 0;
};
