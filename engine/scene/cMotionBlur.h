#pragma once
// Type "motionblur": the effect "pe_motionblur" fed with the object's own
// velocity ("g_velocity"), enabled only while the object moves. The
// velocity is sampled every 0.03 s, and only once a motion has been seen
// playing on the object. Its "effect" property is inert: the chain stays
// "pe_motionblur". Only a device with shader support creates it by type
// name.

#include "engine/graphics/sEffectParameter.h"
#include "engine/scene/cPostEffectObject.h"

class cFakeShaderResource;

class cMotionBlur : public cPostEffectObject
{
public:
	cMotionBlur(const std::string& name, cSceneObject* parent);
	~cMotionBlur() override;
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "motionblur"; }
	// Writes the smoothed velocity into the effect, then collects as the
	// post-effect object.
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;
	void Update(float dt) override;

	const cVector3d& GetVelocity() const { return m_velocity; }
	const cVector3d& GetSmoothedVelocity() const { return m_smoothedVelocity; }
	bool HasPrevious() const { return m_hasPrevious; }

private:
	cVector3d m_lastPosition;
	cFakeShaderResource* m_shader = nullptr;
	sEffectParameter m_velocityParameter;
	bool m_hasPrevious = false;
	cVector3d m_smoothedVelocity;
	cVector3d m_velocity;
	float m_sampleTimer = 0.0f;
};
