#pragma once
// Decoder of Ogg Vorbis files through vorbisfile, delivering 16-bit signed
// little-endian PCM. Cursor positions are sample frames. Readers share one
// vorbisfile state, which every read seeks to the reader's cursor.

#include "engine/sound/cSoundStream.h"

#include <vorbis/vorbisfile.h>

#include <atomic>

class cOggStream : public cSoundStream
{
public:
	// The decoder factory: a decoder for the Ogg Vorbis stream that starts
	// at the stream's current position, or null when it is not one.
	static cSoundStream* Create(cStream* stream);
	// Clears the vorbisfile state.
	~cOggStream() override;

	bool IsBusy() override;
	float GetLength() override;
	float GetPosition() override;
	uint32_t GetPcmSize() override;
	const WAVEFORMATEX* GetFormat() override;
	uint32_t Read(sSoundCursor& cursor, void* destination, uint32_t count) override;

private:
	explicit cOggStream(cStream* stream);
	// Opens the vorbisfile state on the source; false when the bytes are not
	// Ogg Vorbis.
	bool Open();

	OggVorbis_File m_file = {};
	bool m_open = false;
	std::atomic<bool> m_busy{false};
	WAVEFORMATEX m_format = {};
};
