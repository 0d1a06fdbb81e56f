#pragma once
// A particle system loaded from a "particle" resource, placed at the
// owner's world matrix and driven through the animation interface: playing
// starts the program of that name. In parent mode the particles spawn on
// the model of the parent object's visual. Binds "particles" and "mode"
// (setters only) in the owner's properties.

#include "engine/scene/cInertVisual.h"

class cParticleResource;

class cParticleSystemVisual : public cInertVisual
{
public:
	explicit cParticleSystemVisual(cSceneObject* owner);
	~cParticleSystemVisual() override;

	// The program's duration, and the time it has left.
	float GetAnimationLength() override;
	float GetAnimationTime() override;
	// Starts the program of the name; a name the description lacks does nothing.
	void PlayAnimation(const std::string& name) override;
	// The loop flag, whatever the name.
	void SetAnimationParam(const std::string& name, int value) override;
	// A looping program runs one more duration and ends.
	void StopAnimation() override;
	bool IsAnimationPlaying() override;
	bool IsAnimationLooping() override;
	cParticleSystem* GetParticleSystem() override { return m_system; }
	void Draw() override;
	// The first update after construction only arms the next ones.
	void Update(float dt) override;
	// Builds a new system from the particle resource of the name (none when
	// it is missing).
	void SetModel(const std::string& name) override;
	// The duration and the remaining time, whatever the name.
	void SetAnimatorParam(const std::string& name, float value) override;

	bool IsParentMode() const { return m_parentMode; }

private:
	void SetParticles(std::string* name) { SetModel(*name); }
	void SetMode(std::string* mode) { m_parentMode = *mode == "parent"; }

	cParticleSystem* m_system = nullptr;
	cParticleResource* m_resource = nullptr;
	bool m_parentMode = false;
	bool m_skipUpdate = true;
};
