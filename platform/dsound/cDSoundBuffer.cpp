#include "platform/dsound/cDSoundBuffer.h"

#include "platform/dsound/cDSoundMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// Hundredths of a decibel to a linear gain; the minimum is silence.
float GainOf(LONG hundredthsDb)
{
	if (hundredthsDb <= DSBVOLUME_MIN)
		return 0.0f;
	return std::pow(10.0f, float(hundredthsDb) / 2000.0f);
}

// Panning attenuates the side away from the pan.
float LeftGainOf(LONG pan)
{
	return pan > 0 ? GainOf(-pan) : 1.0f;
}

float RightGainOf(LONG pan)
{
	return pan < 0 ? GainOf(pan) : 1.0f;
}
}

namespace dsound
{
cDSoundBuffer::cDSoundBuffer(std::shared_ptr<cDSoundMixer> mixer, DWORD flags)
	: m_mixer(std::move(mixer)), m_flags(flags)
{
}

cDSoundBuffer::cDSoundBuffer(std::shared_ptr<cDSoundMixer> mixer, DWORD flags, DWORD bytes,
	const WAVEFORMATEX& format)
	: m_mixer(std::move(mixer)), m_flags(flags), m_format(format)
{
	// 8-bit samples are unsigned: silence is 0x80.
	m_data.assign(bytes - bytes % format.nBlockAlign, format.wBitsPerSample == 8 ? 0x80 : 0);
	SetStep(format.nSamplesPerSec);
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	m_mixer->Add(this);
}

cDSoundBuffer::~cDSoundBuffer()
{
	if (IsPrimary())
		return;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	m_mixer->Remove(this);
}

HRESULT cDSoundBuffer::QueryInterface(const GUID& iid, void** object)
{
	if (!object)
		return DSERR_INVALIDPARAM;
	*object = nullptr;
	if (!(iid == IID_IDirectSoundBuffer) && !(iid == IID_IDirectSoundBuffer8))
		return DSERR_NOINTERFACE;
	AddRef();
	*object = static_cast<IDirectSoundBuffer8*>(this);
	return DS_OK;
}

ULONG cDSoundBuffer::AddRef()
{
	return ++m_references;
}

ULONG cDSoundBuffer::Release()
{
	const ULONG left = --m_references;
	if (left == 0)
		delete this;
	return left;
}

HRESULT cDSoundBuffer::GetCaps(DSBCAPS* caps)
{
	if (!caps || caps->dwSize != sizeof(DSBCAPS))
		return DSERR_INVALIDPARAM;
	caps->dwFlags = m_flags | DSBCAPS_LOCSOFTWARE;
	caps->dwBufferBytes = DWORD(m_data.size());
	caps->dwUnlockTransferRate = 0;
	caps->dwPlayCpuOverhead = 0;
	return DS_OK;
}

HRESULT cDSoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor)
{
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	const DWORD cursor = IsPrimary() ? 0 : PlayCursor();
	if (playCursor)
		*playCursor = cursor;
	if (writeCursor)
		*writeCursor = cursor;
	return DS_OK;
}

HRESULT cDSoundBuffer::GetStatus(DWORD* status)
{
	if (!status)
		return DSERR_INVALIDPARAM;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	*status = (m_playing ? DSBSTATUS_PLAYING : 0) | (m_playing && m_looping ? DSBSTATUS_LOOPING : 0);
	return DS_OK;
}

HRESULT cDSoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
	DWORD flags)
{
	if (IsPrimary())
		return DSERR_INVALIDCALL;
	if (!part1 || !bytes1)
		return DSERR_INVALIDPARAM;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	if (m_isLocked)
		return DSERR_INVALIDCALL;
	const DWORD size = DWORD(m_data.size());
	if (flags & DSBLOCK_FROMWRITECURSOR)
		offset = PlayCursor();
	if (flags & DSBLOCK_ENTIREBUFFER)
		bytes = size;
	if (offset >= size || bytes == 0 || bytes > size)
		return DSERR_INVALIDPARAM;
	const DWORD first = std::min(bytes, size - offset);
	// Without somewhere to put the second part, only the first is locked.
	const DWORD second = part2 && bytes2 ? bytes - first : 0;
	m_locked.resize(first + second);
	std::memcpy(m_locked.data(), m_data.data() + offset, first);
	std::memcpy(m_locked.data() + first, m_data.data(), second);
	m_isLocked = true;
	m_lockOffset = offset;
	m_lockBytes1 = first;
	*part1 = m_locked.data();
	*bytes1 = first;
	if (part2 && bytes2)
	{
		*part2 = second ? m_locked.data() + first : nullptr;
		*bytes2 = second;
	}
	return DS_OK;
}

HRESULT cDSoundBuffer::Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2)
{
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	if (!m_isLocked || part1 != m_locked.data())
		return DSERR_INVALIDPARAM;
	const DWORD lockedBytes2 = DWORD(m_locked.size()) - m_lockBytes1;
	if (!part2)
		bytes2 = 0;
	else if (part2 != m_locked.data() + m_lockBytes1)
		return DSERR_INVALIDPARAM;
	if (bytes1 > m_lockBytes1 || bytes2 > lockedBytes2)
		return DSERR_INVALIDPARAM;
	std::memcpy(m_data.data() + m_lockOffset, m_locked.data(), bytes1);
	std::memcpy(m_data.data(), m_locked.data() + m_lockBytes1, bytes2);
	m_isLocked = false;
	return DS_OK;
}

HRESULT cDSoundBuffer::Play(DWORD reserved, DWORD priority, DWORD flags)
{
	if (reserved != 0 || priority != 0)
		return DSERR_INVALIDPARAM;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	m_playing = true;
	m_looping = (flags & DSBPLAY_LOOPING) != 0;
	return DS_OK;
}

HRESULT cDSoundBuffer::Stop()
{
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	m_playing = false;
	return DS_OK;
}

HRESULT cDSoundBuffer::SetCurrentPosition(DWORD position)
{
	if (IsPrimary())
		return DSERR_INVALIDCALL;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	if (position >= m_data.size())
		return DSERR_INVALIDPARAM;
	m_position = uint64_t(position / m_format.nBlockAlign) << 32;
	return DS_OK;
}

HRESULT cDSoundBuffer::SetVolume(LONG volume)
{
	if (!(m_flags & DSBCAPS_CTRLVOLUME))
		return DSERR_CONTROLUNAVAIL;
	if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
		return DSERR_INVALIDPARAM;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	m_volume = volume;
	if (IsPrimary())
		m_mixer->SetMasterGain(GainOf(volume));
	return DS_OK;
}

HRESULT cDSoundBuffer::SetPan(LONG pan)
{
	if (IsPrimary() || !(m_flags & DSBCAPS_CTRLPAN))
		return DSERR_CONTROLUNAVAIL;
	if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
		return DSERR_INVALIDPARAM;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	m_pan = pan;
	return DS_OK;
}

HRESULT cDSoundBuffer::SetFrequency(DWORD frequency)
{
	if (IsPrimary() || !(m_flags & DSBCAPS_CTRLFREQUENCY))
		return DSERR_CONTROLUNAVAIL;
	if (frequency == DSBFREQUENCY_ORIGINAL)
		frequency = m_format.nSamplesPerSec;
	if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)
		return DSERR_INVALIDPARAM;
	std::lock_guard<std::mutex> lock(m_mixer->Mutex());
	SetStep(frequency);
	return DS_OK;
}

void cDSoundBuffer::SetStep(DWORD frequency)
{
	m_step = (uint64_t(frequency) << 32) / cDSoundMixer::kRate;
}

float cDSoundBuffer::Sample(DWORD frame, DWORD channel) const
{
	const uint8_t* at = m_data.data() + size_t(frame) * m_format.nBlockAlign;
	if (m_format.wBitsPerSample == 8)
		return float((int(at[channel]) - 128) * 256);
	int16_t value;
	std::memcpy(&value, at + channel * 2, sizeof(value));
	return float(value);
}

DWORD cDSoundBuffer::NextFrame(DWORD frame) const
{
	if (frame + 1 < FrameCount())
		return frame + 1;
	return m_looping ? 0 : frame;
}

void cDSoundBuffer::MixInto(float* accumulator, DWORD frames, float masterGain)
{
	if (!m_playing)
		return;
	const float gain = GainOf(m_volume) * masterGain;
	const float left = gain * LeftGainOf(m_pan);
	const float right = gain * RightGainOf(m_pan);
	const DWORD rightChannel = m_format.nChannels == 2 ? 1 : 0;
	const uint64_t end = uint64_t(FrameCount()) << 32;
	for (DWORD i = 0; i < frames; ++i)
	{
		// Linear interpolation between the frame at the cursor and the next.
		const DWORD frame = DWORD(m_position >> 32);
		const DWORD next = NextFrame(frame);
		const float fraction = float(m_position & 0xFFFFFFFFu) / 4294967296.0f;
		const float l0 = Sample(frame, 0), r0 = Sample(frame, rightChannel);
		accumulator[2 * i] += left * (l0 + (Sample(next, 0) - l0) * fraction);
		accumulator[2 * i + 1] += right * (r0 + (Sample(next, rightChannel) - r0) * fraction);

		m_position += m_step;
		if (m_position < end)
			continue;
		if (!m_looping)
		{
			m_playing = false;
			m_position = 0;
			return;
		}
		m_position %= end;
	}
}
}
