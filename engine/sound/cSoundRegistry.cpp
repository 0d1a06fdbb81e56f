#include "engine/sound/cSoundRegistry.h"

#include "engine/resources/cResourceHandle.h"
#include "engine/sound/cSoundInstance.h"
#include "engine/sound/cSoundResource.h"

cSoundRegistry::~cSoundRegistry()
{
	DeleteAll();
	s_destroyed = true;
}

template <class Action>
void cSoundRegistry::ForEachInstanceOf(const cResourceHandle& sound, Action action) const
{
	if (!sound)
		return;
	const cSoundStream* decoder = sound.Get<cSoundResource>()->GetSoundStream();
	for (const auto& [instance, key] : m_keys)
		if (key == decoder)
			action(*instance);
}

void cSoundRegistry::Play(const cResourceHandle& sound, bool loop)
{
	if (!sound)
		return;
	cSoundInstance* instance = new cSoundInstance(sound);
	m_instances.push_back(instance);
	instance->SetLoop(loop);
	instance->Play(false);
	m_keys[instance] = instance->GetDecoder();
}

void cSoundRegistry::Stop(const cResourceHandle& sound)
{
	ForEachInstanceOf(sound, [](cSoundInstance& instance) { instance.Stop(); });
}

void cSoundRegistry::FadeOut(const cResourceHandle& sound, float seconds)
{
	ForEachInstanceOf(sound, [seconds](cSoundInstance& instance) { instance.FadeOut(seconds); });
}

bool cSoundRegistry::Contains(const cResourceHandle& sound) const
{
	bool found = false;
	ForEachInstanceOf(sound, [&found](cSoundInstance&) { found = true; });
	return found;
}

bool cSoundRegistry::IsPlaying(const cResourceHandle& sound) const
{
	bool playing = false;
	ForEachInstanceOf(sound, [&playing](cSoundInstance& instance) {
		playing = playing || (!instance.IsFadingOut() && instance.IsPlaying());
	});
	return playing;
}

void cSoundRegistry::Clear()
{
	if (!s_destroyed)
		DeleteAll();
}

void cSoundRegistry::DeleteAll()
{
	for (cSoundInstance* instance : m_instances)
		delete instance;
	m_instances.clear();
	m_keys.clear();
}

void cSoundRegistry::Update()
{
	for (size_t i = 0; i < m_instances.size();)
	{
		cSoundInstance* instance = m_instances[i];
		if (instance->IsPlaying())
		{
			++i;
			continue;
		}
		m_keys.erase(instance);
		delete instance;
		m_instances.erase(m_instances.begin() + static_cast<std::ptrdiff_t>(i));
	}
}
