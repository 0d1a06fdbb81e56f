#include "engine/scene/cPostEffectVisual.h"

#include "engine/scene/cSceneObject.h"

cPostEffectVisual::cPostEffectVisual(cSceneObject* owner) : cInertVisual(owner)
{
	owner->GetProperties().GetMap().BindString("effect", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cPostEffectVisual::SetEffectProperty)));
}

void cPostEffectVisual::Draw()
{
	if (!m_enabled)
		return;
	const float alpha = m_owner->GetTransform().GetEffectiveColor().a;
	if (alpha <= 0.0f)
		return;
	if (alpha < 1.0f)
		m_postEffect.RenderBlended(alpha);
	else
		m_postEffect.Render();
}

void cPostEffectVisual::Update(float)
{
	if (m_enabled && m_owner->GetProperties().IsEffectiveVisible())
		m_postEffect.BeginCapture();
}

void cPostEffectVisual::SetEffects(const std::string& names)
{
	m_postEffect.SetEffects(names);
}
