#pragma once
// Feeds arbitrary bytes to one sound decoder factory and reads whatever
// decoder it makes: the whole sound with a looping cursor (which wraps
// once), then from the middle again, asking length and position in between.

#include "engine/foundation/cMemoryStream.h"
#include "engine/sound/SoundDecoders.h"
#include "engine/sound/cSoundStream.h"

#include <memory>

inline void DecodeFuzzedSound(SoundDecoderFactory factory, const uint8_t* data, size_t size)
{
	auto* stream = new cMemoryStream;
	stream->Write(data, static_cast<uint32_t>(size));
	stream->Seek(0, cStream::FromStart);
	std::unique_ptr<cSoundStream> decoder(factory(stream));
	if (!decoder)
	{
		delete stream; // a refusing factory leaves the stream to its caller
		return;
	}
	decoder->GetLength();
	const uint64_t limit = 2 * uint64_t(decoder->GetPcmSize()) + 1;
	sSoundCursor cursor;
	cursor.loop = true;
	char buffer[4096];
	uint64_t total = 0;
	int64_t middle = 0;
	while (total < limit)
	{
		const uint32_t read = decoder->Read(cursor, buffer, sizeof(buffer));
		if (read == 0)
			break;
		total += read;
		if (total <= limit / 4)
			middle = cursor.position;
	}
	decoder->GetPosition();
	sSoundCursor again;
	again.position = middle;
	decoder->Read(again, buffer, sizeof(buffer));
	decoder->GetPosition();
}
