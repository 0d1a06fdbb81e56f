#pragma once
// The mix of one device: the secondary buffers it plays and the output they
// are mixed into. Buffers and the audio thread share the mixer's lock; every
// buffer state the mix reads is changed only under it.

#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace dsound
{
class cDSoundBuffer;

class cDSoundMixer
{
public:
	// The output format: stereo frames of 16-bit samples at this rate.
	static constexpr DWORD kRate = 44100;
	static constexpr DWORD kChannels = 2;

	cDSoundMixer() = default;
	cDSoundMixer(const cDSoundMixer&) = delete;
	cDSoundMixer& operator=(const cDSoundMixer&) = delete;
	// Closes the output, waiting for a mix in progress.
	~cDSoundMixer();

	// Opens the default audio output and starts mixing into it.
	bool OpenOutput();

	std::mutex& Mutex() { return m_mutex; }
	// Both under the lock.
	void Add(cDSoundBuffer* buffer);
	void Remove(cDSoundBuffer* buffer);
	void SetMasterGain(float gain) { m_masterGain = gain; }

	// Mixes frames stereo frames of every playing buffer into out, advancing
	// their play cursors. Takes the lock.
	void Mix(int16_t* out, DWORD frames);

private:
	static void OutputCallback(void* mixer, uint8_t* stream, int bytes);

	std::mutex m_mutex;
	std::vector<cDSoundBuffer*> m_buffers;
	std::vector<float> m_accumulator;
	float m_masterGain = 1.0f;
	uint32_t m_output = 0; // the SDL audio device, 0 when none
};
}
