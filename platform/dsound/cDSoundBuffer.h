#pragma once
// A sound buffer: the primary buffer standing for the output, or a secondary
// buffer of PCM with its play cursor, volume, pan and rate, mixed by the
// device's mixer. Every state is read and changed under the mixer's lock.

#include "platform/dsound/DSound.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace dsound
{
class cDSoundMixer;

class cDSoundBuffer : public IDirectSoundBuffer8
{
public:
	// The primary buffer.
	cDSoundBuffer(std::shared_ptr<cDSoundMixer> mixer, DWORD flags);
	// A secondary buffer of that many bytes (whole frames) and format,
	// silent at first; it joins the mixer.
	cDSoundBuffer(std::shared_ptr<cDSoundMixer> mixer, DWORD flags, DWORD bytes, const WAVEFORMATEX& format);

	HRESULT QueryInterface(const GUID& iid, void** object) override;
	ULONG AddRef() override;
	ULONG Release() override;

	HRESULT GetCaps(DSBCAPS* caps) override;
	HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
	HRESULT GetStatus(DWORD* status) override;
	HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
		DWORD flags) override;
	HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
	HRESULT SetCurrentPosition(DWORD position) override;
	HRESULT SetVolume(LONG volume) override;
	HRESULT SetPan(LONG pan) override;
	HRESULT SetFrequency(DWORD frequency) override;
	HRESULT Stop() override;
	HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) override;

	// Adds frames output frames of this buffer, when playing, to the stereo
	// accumulator, advancing the play cursor. Called by the mixer under its
	// lock.
	void MixInto(float* accumulator, DWORD frames, float masterGain);

private:
	virtual ~cDSoundBuffer();

	bool IsPrimary() const { return (m_flags & DSBCAPS_PRIMARYBUFFER) != 0; }
	DWORD FrameCount() const { return DWORD(m_data.size() / m_format.nBlockAlign); }
	DWORD PlayCursor() const { return DWORD(m_position >> 32) * m_format.nBlockAlign; }
	// One channel of one frame as a 16-bit value.
	float Sample(DWORD frame, DWORD channel) const;
	// The frame after this one, wrapping when looping, held at the end otherwise.
	DWORD NextFrame(DWORD frame) const;
	// Play rate over output rate, in 32.32 fixed point.
	void SetStep(DWORD frequency);

	std::atomic<ULONG> m_references{1};
	std::shared_ptr<cDSoundMixer> m_mixer;
	const DWORD m_flags;
	WAVEFORMATEX m_format{};
	std::vector<uint8_t> m_data;

	bool m_playing = false;
	bool m_looping = false;
	uint64_t m_position = 0; // frames in 32.32 fixed point
	uint64_t m_step = 0;
	LONG m_volume = DSBVOLUME_MAX;
	LONG m_pan = DSBPAN_CENTER;

	// The range handed out by Lock: its copy, and where its parts go back.
	std::vector<uint8_t> m_locked;
	bool m_isLocked = false;
	DWORD m_lockOffset = 0;
	DWORD m_lockBytes1 = 0;
};
}
