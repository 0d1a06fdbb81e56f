#include "engine/sound/SoundDecoders.h"

#include "engine/foundation/cStream.h"

#include <algorithm>
#include <vector>

namespace
{
std::vector<SoundDecoderFactory>& Factories()
{
	static std::vector<SoundDecoderFactory> factories;
	return factories;
}
}

void AddSoundDecoder(SoundDecoderFactory factory)
{
	std::vector<SoundDecoderFactory>& factories = Factories();
	if (std::find(factories.begin(), factories.end(), factory) == factories.end())
		factories.push_back(factory);
}

cSoundStream* CreateSoundDecoder(cStream* stream)
{
	if (!stream)
		return nullptr;
	for (SoundDecoderFactory factory : Factories())
	{
		uint32_t start = stream->Seek(0, cStream::FromCurrent);
		if (cSoundStream* decoder = factory(stream))
			return decoder;
		stream->Seek(static_cast<int32_t>(start), cStream::FromStart);
	}
	delete stream;
	return nullptr;
}
