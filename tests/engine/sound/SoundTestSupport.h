#pragma once
// Decoders over in-memory files for the sound tests.

#include "engine/foundation/cMemoryStream.h"
#include "engine/sound/cSoundStream.h"

#include <memory>
#include <string>

inline cMemoryStream* MemoryStream(const std::string& bytes)
{
	cMemoryStream* stream = new cMemoryStream();
	stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream->Seek(0, cStream::FromStart);
	return stream;
}

// The factory's decoder over a copy of the bytes, or null.
template <class Factory>
std::unique_ptr<cSoundStream> Decoder(Factory factory, const std::string& bytes)
{
	cMemoryStream* stream = MemoryStream(bytes);
	cSoundStream* decoder = factory(stream);
	if (!decoder)
		delete stream;
	return std::unique_ptr<cSoundStream>(decoder);
}

// Reads count bytes at the cursor in reads of at most piece bytes, stopping
// at the first short read.
inline std::string ReadBytes(cSoundStream& decoder, sSoundCursor& cursor, uint32_t count, uint32_t piece)
{
	std::string out;
	while (out.size() < count)
	{
		std::string part(std::min<size_t>(piece, count - out.size()), '\0');
		uint32_t got = decoder.Read(cursor, part.data(), static_cast<uint32_t>(part.size()));
		out.append(part.data(), got);
		if (got < part.size())
			break;
	}
	return out;
}
