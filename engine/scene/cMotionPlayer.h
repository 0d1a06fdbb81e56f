#pragma once
// Plays the clips of one motion resource on a transform node: one clip at a
// time, forward or backward, once or looping. Each pose is written into the
// node's local matrix (position keys are offsets in the base's rotated
// frame, scale keys add to the base scale, rotation keys turn before the
// base rotation) and its local colour (colour keys replace it).
//
// A motion without data or without key times plays nothing: Play, Seek and
// Update then leave the node alone and the player stays stopped.

#include "engine/foundation/cMatrix.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/scene/sMotionClip.h"
#include "engine/scene/sMotionDesc.h"

#include <map>
#include <string>
#include <vector>

class cTransformNode;
struct sMotionData;

class cMotionPlayer
{
public:
	// Keeps the handle's reference, then takes the base from the node's
	// local matrix.
	cMotionPlayer(cTransformNode* target, const cResourceHandle& motion);
	virtual ~cMotionPlayer() = default;
	cMotionPlayer(const cMotionPlayer&) = delete;
	cMotionPlayer& operator=(const cMotionPlayer&) = delete;

	// A name given twice keeps the later values.
	void AddClips(const std::vector<sMotionDesc>& clips);
	// Starts the clip from time 0, forward; a looping clip that is already
	// playing goes on undisturbed.
	void Play(const std::string& name);
	// Moves to the time (clamped to the clip, or wrapped for a looping
	// clip) and applies that pose, without starting a stopped clip.
	void Seek(float seconds);
	void Update(float dt);
	void Stop() { m_playing = false; }
	// Plays on from where the clip stopped; nothing before the first play.
	void Resume();
	void SetClipLoop(const std::string& name, bool loop);
	void SetForward(bool forward) { m_forward = forward; }
	// 0 for a clip the player does not have.
	float GetClipLength(const std::string& name) const;
	// The time when the named clip is the current one, else 0.
	float GetTimeIfCurrent(const std::string& name) const;
	// Takes the base rotation, position and scale from a local matrix.
	void Rebase(const cMatrix& local);

	bool IsPlaying() const { return m_playing; }
	bool IsForward() const { return m_forward; }
	float GetTime() const { return m_time; }
	// The current clip, or null before the first play.
	const sMotionClip* GetCurrentClip() const { return m_clip; }
	const std::string& GetCurrentClipName() const { return m_clipName; }
	const std::map<std::string, sMotionClip>& GetClips() const { return m_clips; }
	const cResourceHandle& GetMotion() const { return m_motion; }

private:
	// The motion's keys, or null when it has no data or no key times.
	const sMotionData* Keys() const;
	void ApplyPose(const sMotionData& keys, float keyTime);

	std::map<std::string, sMotionClip> m_clips;
	cResourceHandle m_motion;
	cTransformNode* m_target;
	cMatrix m_baseMatrix;
	cVector3d m_baseScale;
	sMotionClip* m_clip = nullptr;
	std::string m_clipName;
	// The clip's key window and the pair of keys that brackets the current
	// key time, as indices into the key times.
	int m_firstKey = 0;
	int m_upperKey = 0;
	int m_lowerKey = 0;
	int m_lastKey = 0;
	bool m_playing = false;
	bool m_forward = true;
	float m_time = 0;
};
