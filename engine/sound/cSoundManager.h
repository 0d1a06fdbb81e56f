#pragma once
// The sound singleton: owns the DirectSound device and its streaming
// thread, keeps the playing channels in a music list and an effect list,
// applies the "music_volume" and "sound_volume" settings, cross-fades music
// tracks and silences everything while the application is inactive.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cDelegate.h"
#include "engine/sound/cDirectSound.h"

#include <list>

class cResourceHandle;
class cSoundChannel;
class cSoundStream;

class cSoundManager : public Singletone<cSoundManager>
{
public:
	// Fade-out of replaced or stopped music, in seconds.
	static constexpr float MusicFadeSeconds = 1.1f;

	// Opens the device (silent without one), registers the sound resource
	// type, binds the volume settings, listens to activation changes and
	// starts the streaming thread.
	cSoundManager();
	// Stops the thread, then deletes every channel and closes the device.
	~cSoundManager() override;

	// A channel of the sound in the music or effect list with its volume
	// set, not yet playing; null when none can be made (no sound, a sound
	// that did not load, no device or no free buffer). The channel keeps the
	// sound referenced until it is deleted. A new music channel loops and
	// fades out every older one.
	cSoundChannel* CreateChannel(const void* key, const cResourceHandle& sound, bool music);
	// Starts the sound as the looping music track with a cross-fade, unless
	// it plays steadily already. The caller may let go of the sound at once.
	void PlayMusic(const cResourceHandle& sound);
	// Fades out the current music track.
	void FadeOutMusic();
	// Deletes an effect channel; anything else is ignored.
	void ReleaseChannel(cSoundChannel* channel);
	// Removes the channel from whichever list holds it.
	bool UnlinkChannel(cSoundChannel* channel);
	// False before construction and once destruction has deleted every
	// channel: releasing a channel is then left alone.
	static bool IsAlive() { return s_alive; }

	void SetEffectsVolumePercent(int percent);
	void SetMusicVolumePercent(int percent);
	float GetEffectsVolume() const { return m_effectsVolume; }
	float GetMusicVolume() const { return m_musicVolume; }

	// The streaming thread's hook, run under the device lock.
	void Tick(int unused);
	// Main thread, once a frame: ends channels whose buffers stopped and
	// deletes music that has stopped.
	void Update(float dt);
	// The application's activation listener.
	void OnActivate(bool active);

	cDirectSound& GetDevice() { return m_device; }
	const std::list<cSoundChannel*>& GetMusicChannels() const { return m_musicChannels; }
	const std::list<cSoundChannel*>& GetEffectChannels() const { return m_effectChannels; }

private:
	// Getters and setters of the two bound settings.
	void GetMusicVolumeSetting(float* value);
	void OnMusicVolumeSetting(float* value);
	void GetSoundVolumeSetting(float* value);
	void OnSoundVolumeSetting(float* value);
	void BindVolumeSetting(const char* key, void (cSoundManager::*getter)(float*),
		void (cSoundManager::*setter)(float*));
	// Leaves the setting holding its text alone, so that nothing calls into
	// the destroyed manager.
	static void UnbindVolumeSetting(const char* key);

	static void DeleteAll(std::list<cSoundChannel*>& channels);

	double m_lastTick = 0;
	std::list<cSoundChannel*> m_effectChannels;
	std::list<cSoundChannel*> m_musicChannels;
	cDirectSound m_device;
	float m_effectsVolume = 1.0f;
	float m_musicVolume = 1.0f;
	float m_musicSetting = 1.0f;
	float m_soundSetting = 1.0f;
	cDelegatePtr<bool> m_activationListener;

	// Set from construction until every channel is gone at destruction;
	// channels released after that are left alone.
	static inline bool s_alive = false;
};
