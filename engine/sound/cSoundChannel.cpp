#include "engine/sound/cSoundChannel.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/sound/cDirectSound.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundResource.h"
#include "engine/sound/cSoundStream.h"

#include <cstring>

namespace
{
cDirectSound& Device()
{
	return Singletone<cSoundManager>::GetInstance()->GetDevice();
}
}

cSoundChannel::cSoundChannel(const void* key, const cResourceHandle& sound)
	: m_sound(sound), m_source(sound.Get<cSoundResource>()->GetSoundStream()), m_key(key)
{
	m_buffer = Device().AcquireBuffer(*m_source->GetFormat());
	if (!m_buffer)
		return;
	DSBCAPS caps{};
	caps.dwSize = sizeof(DSBCAPS);
	if (SUCCEEDED(m_buffer->GetCaps(&caps)))
		m_ringSize = caps.dwBufferBytes;
}

cSoundChannel::~cSoundChannel()
{
	cSoundManager* manager = Singletone<cSoundManager>::GetInstance();
	manager->UnlinkChannel(this);
	if (m_buffer)
		manager->GetDevice().ReleaseBuffer(m_buffer);
}

LONG cSoundChannel::Attenuation(float volume)
{
	const float attenuation = 1.0f - volume;
	if (attenuation > 0.97f)
		return DSBVOLUME_MIN;
	return static_cast<LONG>(attenuation * -5000.0f);
}

void cSoundChannel::SetAttenuation(float volume)
{
	if (m_buffer)
		m_buffer->SetVolume(Attenuation(volume));
}

void cSoundChannel::SetVolume(float volume)
{
	m_volume = volume;
	SetAttenuation(volume);
}

void cSoundChannel::StartFadeOut(float seconds)
{
	// The streaming thread advances the fade.
	cAutoLock lock(Device().GetLock());
	if (!(seconds > 0.0f))
	{
		seconds = 0.0f;
		SetAttenuation(0.0f);
	}
	m_state = FadingOut;
	m_fadeRemaining = seconds;
	m_fadeLength = seconds;
}

void cSoundChannel::SetLoop(bool loop)
{
	// The streaming thread reads the cursor while it refills.
	cAutoLock lock(Device().GetLock());
	m_cursor.loop = loop;
}

void cSoundChannel::StopForGood()
{
	m_state = Stopped;
	if (m_buffer)
		m_buffer->Stop();
}

void cSoundChannel::Reset()
{
	// The streaming thread may be refilling this channel from the shared decoder.
	cAutoLock lock(Device().GetLock());
	m_source->Rewind(m_cursor);
	if (m_buffer)
	{
		m_buffer->Stop();
		m_buffer->SetCurrentPosition(0);
	}
	m_queued = 0;
	m_writeOffset = 0;
	m_played = 0;
}

void cSoundChannel::Play(bool fadeIn)
{
	if (!m_buffer)
		return;
	// Held throughout: the streaming thread must not refill the channel
	// between the rewind and the first fill.
	cAutoLock lock(Device().GetLock());
	Reset();
	// A replayed channel starts afresh: the first update fills the whole ring.
	m_state = Idle;
	Update(0.0f);
	// A sound that does not loop never fades in.
	if (m_cursor.loop && fadeIn)
	{
		SetAttenuation(0.0f);
		m_fadeRemaining = FadeInSeconds;
		m_state = FadingIn;
	}
	else
	{
		SetAttenuation(m_volume);
		m_state = Playing;
	}
	m_buffer->Play(0, 0, DSBPLAY_LOOPING);
	m_suspended = false;
}

void cSoundChannel::Update(float dt)
{
	m_fadeRemaining -= dt;
	switch (m_state)
	{
	case Idle:
	case Playing:
		break;
	case FadingIn:
		SetAttenuation(Clamp((FadeInSeconds - m_fadeRemaining) * m_volume.load() / FadeInSeconds, 0.0f, 1.0f));
		if (m_fadeRemaining <= 0.0f)
			m_state = Playing;
		break;
	case FadingOut:
		// A fade of no length is silent at once.
		SetAttenuation(m_fadeLength > 0.0f ? Clamp(m_fadeRemaining * m_volume.load() / m_fadeLength, 0.0f, 1.0f) : 0.0f);
		if (m_fadeRemaining <= 0.0f)
			StopForGood();
		break;
	case Stopped:
		return;
	}
	Refill();
}

void cSoundChannel::Refill()
{
	if (!m_buffer || m_ringSize == 0)
		return;
	DWORD playPosition = 0;
	if (FAILED(m_buffer->GetCurrentPosition(&playPosition, nullptr)))
		return;

	DWORD free = 0;
	if (m_queued == 0)
	{
		free = m_ringSize;
		m_played = 0;
	}
	else
	{
		free = m_writeOffset <= playPosition ? playPosition - m_writeOffset : m_ringSize - m_writeOffset + playPosition;
		m_played += free;
	}
	m_queued = free > m_queued ? 0 : m_queued - free;

	if (!m_cursor.ended && free > 0)
		free -= WriteData(free);
	if (free > 0)
		WriteSilence(free);

	if (m_cursor.ended && m_played >= m_source->GetPcmSize())
		StopForGood();
	m_writeOffset = playPosition;
}

DWORD cSoundChannel::WriteData(DWORD bytes)
{
	void* parts[2] = { nullptr, nullptr };
	DWORD lengths[2] = { 0, 0 };
	if (FAILED(m_buffer->Lock(m_writeOffset, bytes, &parts[0], &lengths[0], &parts[1], &lengths[1], 0)))
		return 0;
	DWORD written[2] = { 0, 0 };
	for (int part = 0; part < 2 && parts[part] && !m_cursor.ended; ++part)
	{
		written[part] = m_source->Read(m_cursor, parts[part], lengths[part]);
		m_queued += written[part];
		AdvanceWriteOffset(written[part]);
		// A short read leaves the rest of the range to the silence fill.
		if (written[part] < lengths[part])
			break;
	}
	m_buffer->Unlock(parts[0], written[0], parts[1], written[1]);
	return written[0] + written[1];
}

void cSoundChannel::WriteSilence(DWORD bytes)
{
	void* parts[2] = { nullptr, nullptr };
	DWORD lengths[2] = { 0, 0 };
	if (FAILED(m_buffer->Lock(m_writeOffset, bytes, &parts[0], &lengths[0], &parts[1], &lengths[1], 0)))
		return;
	for (int part = 0; part < 2; ++part)
		if (parts[part])
			std::memset(parts[part], 0, lengths[part]);
	m_buffer->Unlock(parts[0], lengths[0], parts[1], lengths[1]);
}

void cSoundChannel::AdvanceWriteOffset(DWORD bytes)
{
	m_writeOffset += bytes;
	if (m_writeOffset >= m_ringSize)
		m_writeOffset -= m_ringSize;
}

void cSoundChannel::UpdateStatus(float)
{
	if (m_state == Playing && !IsBufferPlaying() && !m_suspended)
		StopForGood();
}

void cSoundChannel::Suspend()
{
	// Only a buffer that plays is stopped, so that resuming never starts a
	// channel that had not started or had stopped for good.
	if (m_suspended || !IsBufferPlaying())
		return;
	m_buffer->Stop();
	m_suspended = true;
}

void cSoundChannel::Resume()
{
	if (!m_suspended || !m_buffer)
		return;
	m_buffer->Play(0, 0, DSBPLAY_LOOPING);
	m_suspended = false;
}

bool cSoundChannel::IsBufferPlaying() const
{
	DWORD status = 0;
	return m_buffer && SUCCEEDED(m_buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
}
