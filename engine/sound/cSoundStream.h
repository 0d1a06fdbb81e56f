#pragma once
// A sound decoder: turns a sound file into PCM on demand for any number of
// readers, each with its own cursor. The decoder owns its source stream.

#include "platform/dsound/DSound.h"
#include "engine/sound/sSoundCursor.h"

class cStream;

class cSoundStream
{
public:
	explicit cSoundStream(cStream* source);
	// Deletes the source stream.
	virtual ~cSoundStream();

	cSoundStream(const cSoundStream&) = delete;
	cSoundStream& operator=(const cSoundStream&) = delete;

	// Whether a read is in progress.
	virtual bool IsBusy();
	// Length in seconds.
	virtual float GetLength() = 0;
	// The decoder's own read position in seconds.
	virtual float GetPosition() = 0;
	// Decoded length in bytes.
	virtual uint32_t GetPcmSize() = 0;
	// The PCM format the decoder delivers.
	virtual const WAVEFORMATEX* GetFormat() = 0;

	// Puts the cursor back at the start of the data, not ended.
	virtual void Rewind(sSoundCursor& cursor);
	// Seeks the source stream to the absolute offset.
	virtual void SeekSource(int32_t offset);
	// Decodes up to count bytes at the cursor into destination, moving the
	// cursor on; returns the bytes delivered. A looping cursor wraps to the
	// start of the data, any other ends at its end.
	virtual uint32_t Read(sSoundCursor& cursor, void* destination, uint32_t count) = 0;

protected:
	cStream* GetSource() const { return m_source; }
	// Gives the source back to the caller: a factory that refuses the
	// stream must not delete it.
	void DetachSource() { m_source = nullptr; }
	int64_t GetDataStart() const { return m_dataStart; }
	void SetDataStart(int64_t start) { m_dataStart = start; }

private:
	int64_t m_dataStart = 0;
	cStream* m_source;
};
