#pragma once
// The animator of one model controller, chosen by the model's animation
// data: skeletal sets, morph frames or a texture atlas. Animations are
// played by name; their range, length and loop flag come from the model
// unless overridden per name here (overrides act when an animation starts).
// Owners call Update every frame while the animator runs.

#include "engine/graphics/sAnimationRequest.h"
#include "engine/foundation/cMatrix.h"

#include <cstdint>
#include <map>
#include <string>

class cModelControllerBase;

class cAnimator
{
public:
	explicit cAnimator(cModelControllerBase* controller) : m_controller(controller) {}
	virtual ~cAnimator() = default;

	cAnimator(const cAnimator&) = delete;
	cAnimator& operator=(const cAnimator&) = delete;

	// Whether the controller must keep its own deformable copy of the vertices.
	virtual bool NeedsDynamicVertexBuffer() const { return false; }
	// The animator's own blended vertex bytes; null when it keeps none.
	virtual const uint8_t* GetVertexData() const { return nullptr; }
	virtual bool IsLooping() const = 0;
	// Per layer of skeletal sets; the other animators answer false and 0.
	virtual bool IsPlaying(unsigned layer) const;
	virtual float GetLength(unsigned layer) const;
	// The identity, shared by all callers, unless a skeleton names the bone.
	virtual const cMatrix* GetBoneMatrix(const std::string& bone) const;

	virtual void SetTime(float seconds) = 0;
	virtual void Update(float dt) = 0;
	virtual void Play(unsigned layer, const sAnimationRequest& request) = 0;
	// Stores the loop flag the named animation takes when it starts.
	virtual void SetLoopByName(const std::string& name, bool loop);
	virtual void SetLoop(bool loop);
	virtual void Resume(unsigned layer) = 0;
	virtual void Stop(unsigned layer) = 0;
	// Stores the length in seconds the named animation takes when it starts.
	virtual void SetLengthByName(const std::string& name, float seconds);
	// A new animator of the same kind and data for the controller: not
	// running, without overrides.
	virtual cAnimator* Clone(cModelControllerBase* controller) const = 0;

	// The scene layer's names for the overrides: an int parameter is the
	// loop flag, a float parameter the length of the animation so named.
	void SetNamedParam(const std::string& name, int value) { SetLoopByName(name, value != 0); }
	void SetParam(const std::string& name, float value) { SetLengthByName(name, value); }

	// The current animation's name (every layer answers the same).
	const std::string& GetAnimationName(unsigned layer) const;
	// Whether owners should keep updating the animator.
	bool IsRunning() const { return m_playing; }
	// Seconds into the current animation, and its length in seconds.
	float GetTime() const { return m_time; }
	float GetAnimationLength() const { return m_length; }
	cModelControllerBase* GetController() const { return m_controller; }

protected:
	// The override of the name, or null.
	const float* FindLengthOverride(const std::string& name) const;
	const bool* FindLoopOverride(const std::string& name) const;

	cModelControllerBase* m_controller;
	std::map<std::string, float> m_lengthOverrides;
	std::map<std::string, bool> m_loopOverrides;
	std::string m_name;
	bool m_playing = false;
	float m_time = 0.0f;
	float m_length = 0.0f;
};
