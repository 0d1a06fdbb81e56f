#pragma once
// One play of a sound effect: owns its effect channel and keeps the sound
// resource referenced for as long as the instance lives.

#include "engine/foundation/Singletone.h"
#include "engine/resources/cResourceHandle.h"

class cSoundChannel;
class cSoundStream;

class cSoundInstance : public NoCopy
{
public:
	// Takes a reference on the sound (when there is one); no channel yet.
	explicit cSoundInstance(const cResourceHandle& sound);
	// Gives the channel back, then the reference.
	~cSoundInstance();

	// Stores the flag and passes it to the channel, when there is one.
	void SetLoop(bool loop);
	// Starts the sound from its beginning on a new effect channel; without
	// a free buffer or a loaded sound there is no channel and nothing plays.
	void Play(bool fadeIn);
	// Stops at once: the channel and its buffer go back.
	void Stop();
	// Fades the channel out over seconds; nothing without a channel.
	void FadeOut(float seconds);

	// The channel's buffer plays.
	bool IsPlaying() const;
	bool IsFadingOut() const;
	// The decoder of the sound, which identifies it; null when it did not load.
	cSoundStream* GetDecoder() const;

private:
	void ReleaseChannel();

	cResourceHandle m_sound;
	cSoundChannel* m_channel = nullptr;
	bool m_loop = false;
};
