#include "engine/sound/cSoundInstance.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/sound/cSoundChannel.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundResource.h"

cSoundInstance::cSoundInstance(const cResourceHandle& sound) : m_sound(sound)
{
}

cSoundInstance::~cSoundInstance()
{
	ReleaseChannel();
}

void cSoundInstance::ReleaseChannel()
{
	// At exit the manager may have deleted the channel already.
	if (m_channel && cSoundManager::IsAlive())
		cSoundManager::GetInstance()->ReleaseChannel(m_channel);
	m_channel = nullptr;
}

void cSoundInstance::SetLoop(bool loop)
{
	m_loop = loop;
	if (m_channel)
		m_channel->SetLoop(loop);
}

void cSoundInstance::Play(bool fadeIn)
{
	if (!m_sound)
		return;
	ReleaseChannel();
	cSoundManager* manager = cSoundManager::GetInstance();
	// The streaming thread refills a new channel even before it plays: the
	// set-up is done under the device lock in one go.
	cAutoLock lock(manager->GetDevice().GetLock());
	m_channel = manager->CreateChannel(nullptr, m_sound, false);
	if (!m_channel)
		return;
	m_channel->SetLoop(m_loop);
	m_channel->Reset();
	m_channel->Play(fadeIn);
}

void cSoundInstance::Stop()
{
	ReleaseChannel();
}

void cSoundInstance::FadeOut(float seconds)
{
	if (m_channel)
		m_channel->StartFadeOut(seconds);
}

bool cSoundInstance::IsPlaying() const
{
	return m_channel && m_channel->IsBufferPlaying();
}

bool cSoundInstance::IsFadingOut() const
{
	return m_channel && m_channel->GetState() == cSoundChannel::FadingOut;
}

cSoundStream* cSoundInstance::GetDecoder() const
{
	return m_sound ? m_sound.Get<cSoundResource>()->GetSoundStream() : nullptr;
}
