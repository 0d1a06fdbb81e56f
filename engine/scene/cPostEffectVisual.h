#pragma once
// A chain of full-screen effects over everything drawn before its owner in
// the frame: the update pass begins the capture (one render target per
// effect), and drawing the owner runs the chain into the target below,
// blended over the unprocessed picture while the owner is partly
// transparent. Binds "effect" (setter only: comma-separated shader names)
// in the owner's properties.

#include "engine/graphics/cPostEffect.h"
#include "engine/scene/cInertVisual.h"

class cPostEffectVisual : public cInertVisual
{
public:
	explicit cPostEffectVisual(cSceneObject* owner);

	// Nothing while disabled or at the owner's alpha 0.
	void Draw() override;
	// Begins the capture while the owner is effectively visible and enabled.
	void Update(float dt) override;
	void SetEffects(const std::string& names);

	void SetEnabled(bool enabled) { m_enabled = enabled; }
	bool IsEnabled() const { return m_enabled; }
	cPostEffect& GetPostEffect() { return m_postEffect; }

private:
	void SetEffectProperty(std::string* names) { SetEffects(*names); }

	cPostEffect m_postEffect;
	bool m_enabled = true;
};
