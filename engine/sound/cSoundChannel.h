#pragma once
// One playing sound: a decoder shared with other channels, this channel's
// cursor into it, and a ring buffer of three seconds kept filled ahead of
// the play position by the streaming thread. Carries the volume, the fades
// and the life state. The channel holds a reference on its sound resource,
// so the decoder it reads lives as long as the channel, whoever else lets
// go of the sound.

#include "engine/resources/cResourceHandle.h"
#include "engine/sound/sSoundCursor.h"
#include "platform/dsound/DSound.h"

#include <atomic>

class cSoundStream;

class cSoundChannel
{
public:
	enum eState
	{
		Idle,
		FadingIn,
		Playing,
		FadingOut,
		Stopped
	};

	// Length of the fade-in that Play starts, in seconds.
	static constexpr float FadeInSeconds = 1.1f;

	// Takes a reference on the sound, whose decoder must exist, and borrows
	// a ring buffer from the sound manager's device; a channel without one
	// (GetBuffer null) plays nothing and is discarded.
	cSoundChannel(const void* key, const cResourceHandle& sound);
	// Leaves the sound manager's lists, gives the buffer back, then the
	// reference on the sound. Runs on the main thread.
	~cSoundChannel();

	cSoundChannel(const cSoundChannel&) = delete;
	cSoundChannel& operator=(const cSoundChannel&) = delete;

	// Starts from the beginning of the data; a looping sound may fade in.
	void Play(bool fadeIn);
	// Rewinds the cursor and empties the ring.
	void Reset();
	// Advances the fade by dt seconds and refills the ring; runs under the
	// device lock.
	void Update(float dt);
	// Main thread: a playing channel whose buffer stopped by itself ends.
	void UpdateStatus(float dt);

	void SetVolume(float volume);
	// Fades from the channel's volume to silence; a length of 0 or less (or
	// no number) silences the channel at once and stops it at the next step.
	void StartFadeOut(float seconds);
	void SetLoop(bool loop);
	// Stop or restart the buffer while the application is inactive.
	void Suspend();
	void Resume();

	bool IsBufferPlaying() const;
	bool IsPlayingSteady() const { return m_state == Playing && IsBufferPlaying(); }
	bool IsStopped() const { return m_state == Stopped; }

	eState GetState() const { return m_state; }
	const void* GetKey() const { return m_key; }
	float GetVolume() const { return m_volume; }
	bool IsSuspended() const { return m_suspended; }
	IDirectSoundBuffer* GetBuffer() const { return m_buffer; }

	// The DirectSound volume, in hundredths of a decibel, of a volume from 0 to 1.
	static LONG Attenuation(float volume);

private:
	void SetAttenuation(float volume);
	void StopForGood();
	void Refill();
	// Locks the range of the ring at the write offset and fills it from the
	// decoder; returns the bytes written.
	DWORD WriteData(DWORD bytes);
	void WriteSilence(DWORD bytes);
	void AdvanceWriteOffset(DWORD bytes);

	// Keeps the decoder alive; m_source is its decoder.
	cResourceHandle m_sound;
	cSoundStream* m_source;
	sSoundCursor m_cursor;
	// Read by the main thread while the streaming thread ends the channel.
	std::atomic<eState> m_state{Idle};
	IDirectSoundBuffer* m_buffer = nullptr;
	const void* m_key;
	bool m_suspended = false;
	// Set by the main thread, read by the streaming thread's fades.
	std::atomic<float> m_volume{1.0f};
	float m_fadeRemaining = 0.0f;
	float m_fadeLength = 0.0f;
	DWORD m_ringSize = 0;
	DWORD m_queued = 0;
	DWORD m_writeOffset = 0;
	DWORD m_played = 0;
};
