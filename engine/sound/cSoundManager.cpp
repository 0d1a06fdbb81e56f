#include "engine/sound/cSoundManager.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/sound/cSoundChannel.h"
#include "engine/sound/cSoundResource.h"

#include <cmath>

namespace
{
const char* const kMusicVolumeKey = "music_volume";
const char* const kSoundVolumeKey = "sound_volume";

// The longest time step a tick advances fades by.
const float kMaxTickStep = 0.1f;

double Now()
{
	return Singletone<cWin32Application>::GetInstance()->GetTime();
}

// A volume from 0 to 1 in whole hundredths. Rounded, not truncated: a value
// read back from the settings file must give the same volume again.
int ToPercent(float volume)
{
	return static_cast<int>(std::lround(Clamp(volume, 0.0f, 1.0f) * 100.0f));
}

// Playing steadily, or suspended while the application is inactive (its
// activation resumes it). A track fading in or out is replaced by a new
// channel of the same sound, with a cursor of its own.
bool IsCurrentTrack(const cSoundChannel& channel)
{
	return channel.GetState() == cSoundChannel::Playing && (channel.IsBufferPlaying() || channel.IsSuspended());
}

cSoundStream* DecoderOf(const cResourceHandle& sound)
{
	return sound ? sound.Get<cSoundResource>()->GetSoundStream() : nullptr;
}

void SetVolumeOf(const std::list<cSoundChannel*>& channels, float volume)
{
	for (cSoundChannel* channel : channels)
		channel->SetVolume(volume);
}
}

cSoundManager::cSoundManager()
{
	cConfig* config = Singletone<cConfig>::GetInstance();
	m_musicSetting = TextToFloat(config->GetValue(kMusicVolumeKey));
	m_soundSetting = TextToFloat(config->GetValue(kSoundVolumeKey));
	s_alive = true;

	cSoundResource::RegisterType(*cResourceManager::GetInstance());

	m_lastTick = Now();
	m_device.SetTick(cDelegatePtr<int>(MakeMemberDelegate(this, &cSoundManager::Tick)));
	m_device.Start();

	BindVolumeSetting(kMusicVolumeKey, &cSoundManager::GetMusicVolumeSetting, &cSoundManager::OnMusicVolumeSetting);
	BindVolumeSetting(kSoundVolumeKey, &cSoundManager::GetSoundVolumeSetting, &cSoundManager::OnSoundVolumeSetting);
	SetEffectsVolumePercent(ToPercent(m_soundSetting));
	SetMusicVolumePercent(ToPercent(m_musicSetting));

	m_activationListener = cDelegatePtr<bool>(MakeMemberDelegate(this, &cSoundManager::OnActivate));
	Singletone<cWin32Application>::GetInstance()->AddListener(m_activationListener);
}

cSoundManager::~cSoundManager()
{
	m_device.Stop();
	if (Singletone<cWin32Application>::Exists())
		Singletone<cWin32Application>::GetInstance()->RemoveListener(m_activationListener);
	UnbindVolumeSetting(kMusicVolumeKey);
	UnbindVolumeSetting(kSoundVolumeKey);
	DeleteAll(m_musicChannels);
	DeleteAll(m_effectChannels);
	s_alive = false;
}

void cSoundManager::DeleteAll(std::list<cSoundChannel*>& channels)
{
	while (!channels.empty())
	{
		cSoundChannel* first = channels.front();
		channels.pop_front();
		delete first;
	}
}

void cSoundManager::BindVolumeSetting(const char* key, void (cSoundManager::*getter)(float*),
	void (cSoundManager::*setter)(float*))
{
	cConfig* config = Singletone<cConfig>::GetInstance();
	config->MarkSaved(key);
	config->GetSettings().BindFloat(key, cDelegatePtr<float*>(MakeMemberDelegate(this, getter)),
		cDelegatePtr<float*>(MakeMemberDelegate(this, setter)));
}

void cSoundManager::UnbindVolumeSetting(const char* key)
{
	if (!Singletone<cConfig>::Exists())
		return;
	cPropertyMap& settings = Singletone<cConfig>::GetInstance()->GetSettings();
	const std::string text = settings.GetText(key);
	settings[key].value.Reset(new PropertyValueStore(text));
}

void cSoundManager::GetMusicVolumeSetting(float* value)
{
	*value = m_musicSetting;
}

void cSoundManager::GetSoundVolumeSetting(float* value)
{
	*value = m_soundSetting;
}

void cSoundManager::OnMusicVolumeSetting(float* value)
{
	// Text that is no number leaves the volume as it was.
	if (std::isnan(*value) || *value == m_musicSetting)
		return;
	m_musicSetting = *value;
	SetMusicVolumePercent(ToPercent(*value));
}

void cSoundManager::OnSoundVolumeSetting(float* value)
{
	if (std::isnan(*value) || *value == m_soundSetting)
		return;
	m_soundSetting = *value;
	SetEffectsVolumePercent(ToPercent(*value));
}

void cSoundManager::SetEffectsVolumePercent(int percent)
{
	m_effectsVolume = m_soundSetting = Clamp(percent / 100.0f, 0.0f, 1.0f);
	SetVolumeOf(m_effectChannels, m_effectsVolume);
}

void cSoundManager::SetMusicVolumePercent(int percent)
{
	m_musicVolume = m_musicSetting = Clamp(percent / 100.0f, 0.0f, 1.0f);
	SetVolumeOf(m_musicChannels, m_musicVolume);
}

void cSoundManager::Tick(int)
{
	const double now = Now();
	float dt = static_cast<float>(now - m_lastTick);
	if (!(dt < kMaxTickStep))
		dt = kMaxTickStep;
	m_lastTick = now;
	for (cSoundChannel* channel : m_musicChannels)
		if (channel)
			channel->Update(dt);
	for (cSoundChannel* channel : m_effectChannels)
		if (channel)
			channel->Update(dt);
}

void cSoundManager::Update(float dt)
{
	for (cSoundChannel* channel : m_musicChannels)
		channel->UpdateStatus(dt);
	{
		cAutoLock lock(m_device.GetLock());
		for (auto it = m_musicChannels.begin(); it != m_musicChannels.end();)
		{
			cSoundChannel* channel = *it;
			if (!channel->IsStopped())
			{
				++it;
				continue;
			}
			it = m_musicChannels.erase(it);
			delete channel;
		}
	}
	for (cSoundChannel* channel : m_effectChannels)
		channel->UpdateStatus(dt);
}

cSoundChannel* cSoundManager::CreateChannel(const void* key, const cResourceHandle& sound, bool music)
{
	if (!DecoderOf(sound))
		return nullptr;
	cAutoLock lock(m_device.GetLock());
	cSoundChannel* channel = m_device.NewChannel(key, sound);
	if (!channel)
		return nullptr;
	if (!channel->GetBuffer())
	{
		delete channel;
		return nullptr;
	}
	if (music)
	{
		for (cSoundChannel* older : m_musicChannels)
			older->StartFadeOut(MusicFadeSeconds);
		m_musicChannels.push_back(channel);
		channel->SetLoop(true);
		channel->SetVolume(m_musicVolume);
	}
	else
	{
		m_effectChannels.push_back(channel);
		channel->SetVolume(m_effectsVolume);
	}
	return channel;
}

void cSoundManager::PlayMusic(const cResourceHandle& sound)
{
	cSoundStream* decoder = DecoderOf(sound);
	if (!decoder)
		return;
	cAutoLock lock(m_device.GetLock());
	for (cSoundChannel* channel : m_musicChannels)
	{
		if (channel->GetKey() != decoder)
			continue;
		if (IsCurrentTrack(*channel))
			return;
		channel->Resume();
	}
	cSoundChannel* channel = CreateChannel(decoder, sound, true);
	if (!channel)
		return;
	channel->SetLoop(true);
	channel->Play(true);
}

void cSoundManager::FadeOutMusic()
{
	if (m_musicChannels.empty())
		return;
	cAutoLock lock(m_device.GetLock());
	m_musicChannels.back()->StartFadeOut(MusicFadeSeconds);
}

void cSoundManager::ReleaseChannel(cSoundChannel* channel)
{
	if (!s_alive)
		return;
	cAutoLock lock(m_device.GetLock());
	for (cSoundChannel* effect : m_effectChannels)
		if (effect == channel)
		{
			delete channel;
			return;
		}
}

bool cSoundManager::UnlinkChannel(cSoundChannel* channel)
{
	if (!s_alive)
		return false;
	cAutoLock lock(m_device.GetLock());
	for (std::list<cSoundChannel*>* channels : { &m_musicChannels, &m_effectChannels })
		for (auto it = channels->begin(); it != channels->end(); ++it)
			if (*it == channel)
			{
				channels->erase(it);
				return true;
			}
	return false;
}

void cSoundManager::OnActivate(bool active)
{
	cAutoLock lock(m_device.GetLock());
	for (std::list<cSoundChannel*>* channels : { &m_musicChannels, &m_effectChannels })
		for (cSoundChannel* channel : *channels)
		{
			if (active)
				channel->Resume();
			else
				channel->Suspend();
		}
}
