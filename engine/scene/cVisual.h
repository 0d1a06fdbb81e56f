#pragma once
// The drawable part a scene object may own: what the object's draw, update,
// hit test and animation operations forward to. Concrete kinds draw quads
// of models, text, vertex buffers, render targets, particles and emitters.

#include "engine/foundation/cBoundingBox.h"
#include "engine/foundation/cMatrix.h"
#include "engine/foundation/sRay.h"

#include <string>

class cEmitterGroup;
class cModelController;
class cParticleSystem;
class cSceneObject;
struct sTextLayout;

class cVisual
{
public:
	explicit cVisual(cSceneObject* owner) : m_owner(owner) {}

	virtual float GetAnimationLength() = 0;
	virtual float GetAnimationTime() = 0;
	virtual void PlayAnimation(const std::string& name) = 0;
	virtual void ResumeAnimation() = 0;
	virtual void SetAnimationParam(const std::string& name, int value) = 0;
	virtual void SetAnimationTime(float seconds) = 0;
	// Seeks to the fraction (0 to 1) of the animation's length.
	virtual void SeekAnimation(float fraction) = 0;
	virtual void StopAnimation() = 0;
	virtual bool IsAnimationPlaying() = 0;
	virtual bool IsNamedAnimationPlaying(const std::string& name) = 0;
	// True when the named animation is the current one, playing or not.
	virtual bool IsCurrentAnimation(const std::string& name) = 0;
	virtual const std::string& GetAnimationName() = 0;
	virtual bool IsAnimationLooping() = 0;
	// Rays are in the owner's local space.
	virtual bool HitTestPoint(const sRay& ray, cVector3d& hitPoint) = 0;
	virtual bool HitTest(const sRay& ray) = 0;
	virtual cModelController* GetModelController() { return nullptr; }
	virtual cModelController* GetSecondModelController() { return nullptr; }
	virtual cParticleSystem* GetParticleSystem() { return nullptr; }
	virtual sTextLayout* GetTextLayout() { return nullptr; }
	// One identity matrix and one empty box shared by every visual.
	virtual const cMatrix& GetLocalMatrix();
	virtual const cBoundingBox& GetLocalBox();
	virtual cEmitterGroup* GetEmitterGroup() { return nullptr; }
	virtual ~cVisual() = default;
	virtual void Draw() = 0;
	virtual void Update(float dt) = 0;
	// Gives the owner's transform this visual's local bounds.
	virtual void UpdateOwnerBox() = 0;
	virtual void SetModel(const std::string& name) = 0;
	virtual void SetAnimatorParam(const std::string& name, float value) = 0;
	virtual void SetTextureOffset(float u, float v) = 0;

	cSceneObject* GetOwner() const { return m_owner; }

protected:
	// Empty: the animation name of kinds without an animator.
	std::string m_name;
	cSceneObject* m_owner;
};
