// The WAVE decoder.

#include "support/FuzzTarget.h"
#include "support/SoundDecoding.h"

#include "sound/WaveBuilder.h"

#include "engine/sound/cWaveStream.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	DecodeFuzzedSound(cWaveStream::Create, data, size);
}

std::vector<std::string> Seeds()
{
	return {PcmWave(64, 2, 16, 22050), PcmWave(33, 1, 8, 11025),
		Riff(Chunk("LIST", "odd") + Chunk("fmt ", FormatRecord(1, 1, 8000, 16)) + Chunk("data", Samples(9, 1, 16)))};
}
}

ZV2_FUZZ_TARGET(Wave, Run, Seeds)
