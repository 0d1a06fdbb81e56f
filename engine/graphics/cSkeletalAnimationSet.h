#pragma once
// One skeletal animation set of an animator: the key range of the model's
// shared timeline it plays, the frames of the animator's copy its bone
// tracks drive, and its fade states. Sets always wrap at their length.

#include "engine/graphics/ModelData.h"

#include <vector>

class cSkeletalAnimator;

class cSkeletalAnimationSet
{
public:
	enum eState
	{
		STATE_FADING_IN = 0,
		STATE_PLAYING = 1,
		STATE_FADING_OUT = 2,
		STATE_STOPPED = 3
	};

	// Binds the tracks to the animator's frames and finds the key range.
	cSkeletalAnimationSet(cSkeletalAnimator* animator, const sAnimationSetDesc* description, const sBoneKeys* keys);
	virtual ~cSkeletalAnimationSet() = default;

	// Only when stopped: fades in from time 0 over the fade time, with the
	// animator's length override of the set name (else 1 second).
	void Start(float fadeTime);
	// Fades out unless fading out or stopped already.
	void Stop();
	// Advances the time and the fade.
	void Update(float dt);
	// Writes the pose at the current time into the local matrices of the
	// frames: scale, then rotation, then translation.
	void Apply();
	// Moves to time t, finding the keys around it from the start key.
	void Seek(float t);
	// A new stopped set with the same description and keys.
	cSkeletalAnimationSet* Clone(cSkeletalAnimator* animator) const;

	eState GetState() const { return m_state; }
	float GetTime() const { return m_time; }
	float GetLength() const { return m_length; }

private:
	struct sChannel
	{
		sModelFrame* frame;
		const sBoneTrack* track;
	};

	// The key time at a position on the timeline, held at the last key.
	float KeyTime(size_t key) const;

	const sAnimationSetDesc* m_description;
	const sBoneKeys* m_keys;
	cSkeletalAnimator* m_animator;
	std::vector<sChannel> m_channels;
	eState m_state = STATE_STOPPED;
	size_t m_startKey = 0;
	size_t m_endKey = 0;
	size_t m_previousKey = 0;
	size_t m_nextKey = 0;
	float m_fadeTime = 0.0f;
	float m_time = 0.0f;
	float m_fadeTimer = 0.0f;
	float m_length = 1.0f;
};
