#pragma once
// Decoder of PCM RIFF/WAVE files: the samples are the bytes of the "data"
// chunk, read through a window on the source stream. Cursor positions are
// byte offsets in that window.

#include "engine/foundation/cSubStream.h"
#include "engine/sound/WaveHeader.h"
#include "engine/sound/cSoundStream.h"

class cWaveStream : public cSoundStream
{
public:
	// The decoder factory: a decoder for the WAVE file that starts at the
	// stream's current position, or null when it is not one it can play.
	static cSoundStream* Create(cStream* stream);

	float GetLength() override;
	float GetPosition() override;
	uint32_t GetPcmSize() override;
	const WAVEFORMATEX* GetFormat() override;
	uint32_t Read(sSoundCursor& cursor, void* destination, uint32_t count) override;

private:
	cWaveStream(cStream* stream, uint32_t start, const sWaveHeader& header);

	uint32_t GetDataEnd() const { return m_header.dataStart + m_header.dataLength; }
	// Bytes of one second of sound.
	double GetBytesPerSecond() const;

	cSubStream m_window;
	sWaveHeader m_header;
};
