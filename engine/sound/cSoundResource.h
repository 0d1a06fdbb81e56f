#pragma once
// Type "sound" (extensions "wav" and "ogg"): loading builds a decoder over
// the resource's bytes without decoding them. Compressed pack entries are
// unpacked into memory; files and stored entries stream in place.

#include "engine/resources/cIndexedResource.h"

class cSoundStream;

class cSoundResource : public cIndexedResource<cSoundResource>
{
public:
	static constexpr const char* LookupName = "sound";
	// Sounds this large or larger are stored uncompressed in pack files.
	static constexpr uint32_t CompressibleBelow = 500000;

	cSoundResource(const std::string& name, const sResourceSource& source);
	// Deletes the decoder.
	~cSoundResource() override;

	// The creator of the type "sound".
	static cResource* Create(const std::string& name, const sResourceSource& source);
	// Registers the type with its creator and extensions, and the Ogg Vorbis
	// and WAVE decoders, tried in that order.
	static void RegisterType(cResourceManager& manager);

	// False, with a logged line, when no decoder accepts the bytes.
	bool Load() override;
	bool Unload() override;
	bool IsCompressible() override;
	const char* GetTypeName() override { return "sound"; }

	// The decoder while loaded, else null.
	cSoundStream* GetSoundStream() const { return m_decoder; }

private:
	// A stream of the resource's bytes for the decoder to own, or null.
	cStream* OpenDecoderStream();

	cSoundStream* m_decoder = nullptr;
};
