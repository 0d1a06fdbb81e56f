#pragma once
// Reading the header of a RIFF/WAVE file: the PCM format from the "fmt "
// chunk and where the "data" chunk's samples lie. Chunks are walked by
// their sizes (odd sizes padded to even) from offset 12 on.

#include "platform/dsound/DSound.h"

class cStream;

struct sWaveHeader
{
	WAVEFORMATEX format = {};
	// Offset of the first sample byte in the file.
	uint32_t dataStart = 0;
	// Sample bytes, whole frames only, never past the end of the file.
	uint32_t dataLength = 0;
};

// Reads the header of the file that the stream holds from its offset 0.
// False, silently, when the stream is not RIFF/WAVE; false with a logged
// reason when it is but cannot be played: no 16-byte "fmt " chunk, a format
// other than PCM, no channels, no sample rate or no block size. A missing
// "data" chunk gives empty data and a "data" chunk that runs past the end
// of the file is cut short (both logged as warnings).
bool ReadWaveHeader(cStream& file, sWaveHeader& header);
