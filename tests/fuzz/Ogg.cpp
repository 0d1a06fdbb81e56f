// The Ogg Vorbis decoder.

#include "support/FuzzTarget.h"
#include "support/SoundDecoding.h"

#include "sound/OggEncoder.h"

#include "engine/sound/cOggStream.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	DecodeFuzzedSound(cOggStream::Create, data, size);
}

std::vector<std::string> Seeds()
{
	return {EncodeTone(1, 8000, 2000), EncodeTone(2, 11025, 3000)};
}
}

ZV2_FUZZ_TARGET(Ogg, Run, Seeds)
