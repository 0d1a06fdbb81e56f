#pragma once
// The hover marker "light": the highlighted one runs the selection
// particle effect "gamepanel.p_selection" on its model; when it loses the
// highlight the effect's loop ends and it dies out. This is the marker's
// particle work; its owner hands it the model it sits on and its world
// matrix.

#include "engine/foundation/cMatrix.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/resources/cResourceHandle.h"

#include <memory>

class cModelControllerBase;

class cLightObject
{
public:
	// The selection effect on the particle resource (a system that never
	// runs when the resource is missing), looping, its timers at 0.
	cLightObject();
	~cLightObject();

	cLightObject(const cLightObject&) = delete;
	cLightObject& operator=(const cLightObject&) = delete;

	// The setter of the bool property "light": makes this the highlighted
	// marker, whatever the value written.
	void OnLightSet() { s_highlighted = this; }
	// The marker shown as hovered, or null.
	static cLightObject* GetHighlighted() { return s_highlighted; }
	static void SetHighlighted(cLightObject* light) { s_highlighted = light; }

	// The model of the marker's visual (not owned) and its world matrix.
	void SetModel(cModelControllerBase* model) { m_model = model; }
	void SetWorldMatrix(const cMatrix& world) { m_world = world; }

	// Counts the fade down and updates the effect; the highlighted marker
	// starts it on its model, any other ends its loop.
	void Update(float dt);

	cParticleSystem& GetParticleSystem() { return *m_particleSystem; }
	float GetFadeCountdown() const { return m_fadeCountdown; }

private:
	static inline cLightObject* s_highlighted = nullptr;

	cResourceHandle m_selection;
	std::unique_ptr<cParticleSystem> m_particleSystem;
	float m_fadeCountdown = -1;
	cModelControllerBase* m_model = nullptr;
	cMatrix m_world;
};
