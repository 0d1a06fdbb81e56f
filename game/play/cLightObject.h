#pragma once
// The hover marker, scene object type "light": placed under a clickable
// object, it is highlighted while the cursor is over that object (the
// nearest marker wins), draws its glow and runs the selection particle
// effect "gamepanel.p_selection" on the model of its visual; when it loses
// the highlight the glow fades out over 0.1 s, the effect's loop ends and
// it dies out. Writing its bool property "light" highlights it.

#include "engine/graphics/cParticleSystem.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/scene/cSceneObject.h"

#include <memory>

class cLightObject : public cSceneObject
{
public:
	// A quad visual; the selection effect on the particle resource (a
	// system that never runs when the resource is missing), looping, its
	// timers at 0; the property "light" bound.
	cLightObject(const std::string& name, cSceneObject* parent);
	// A highlighted marker that goes leaves no highlight behind.
	~cLightObject() override;

	// Highlights this marker when the cursor is over its parent's visual
	// and no nearer marker is highlighted. Never consumes the input.
	bool HandleInput() override;
	std::string GetTypeName() const override { return "light"; }
	// Nothing in hidden-object mode; the highlighted marker is drawn, the
	// others only while they fade out.
	void DrawSelf() override;
	// The scene object's update, then the fade countdown and the effect;
	// the highlighted marker starts the effect on its visual's model at
	// its world matrix, any other ends its loop.
	void Update(float dt) override;

	// The setter of the property "light": makes this the highlighted
	// marker, whatever the value written.
	void OnLightSet(bool* value);
	// The marker shown as hovered, or null.
	static cLightObject* GetHighlighted() { return s_highlighted; }
	static void SetHighlighted(cLightObject* light) { s_highlighted = light; }

	cParticleSystem& GetParticleSystem() { return *m_particleSystem; }
	float GetFadeCountdown() const { return m_fadeCountdown; }

private:
	static inline cLightObject* s_highlighted = nullptr;

	cResourceHandle m_selection;
	std::unique_ptr<cParticleSystem> m_particleSystem;
	float m_fadeCountdown = -1;
};

// The creator of the object type "light".
cSceneObject* CreateLightObject(const std::string& name, cSceneObject* parent);
