#include "engine/widgets/cFlash.h"

#include "engine/foundation/Random.h"
#include "engine/scene/cQuadVisual.h"

cFlash::cFlash(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
{
	SetVisual(new cQuadVisual(this));
	cPropertyMap& properties = GetProperties().GetMap();
	properties.BindBoolVariable("manual", &m_manual);
	properties.BindFloatVariable("visible_time", &m_visibleTime);
	properties.BindFloatVariable("random_min", &m_randomMin);
	properties.BindFloatVariable("random_max", &m_randomMax);
	properties.BindBool("show_model", cDelegatePtr<bool*>(), cDelegatePtr<bool*>(MakeMemberDelegate(this, &cFlash::OnShowModel)));
}

cSceneObject* cFlash::Create(const std::string& name, cSceneObject* parent)
{
	return new cFlash(name, parent);
}

void cFlash::OnShowModel(bool*)
{
	m_timer = m_visibleTime;
	m_shown = true;
	GetTransform().SetColor(1, 1, 1, 1);
}

void cFlash::Update(float dt)
{
	m_timer -= dt;
	if (m_timer < 0)
	{
		m_shown = !m_manual && !m_shown;
		m_timer = m_shown ? m_visibleTime : RandomFloatRange(m_randomMin, m_randomMax);
		GetTransform().SetColor(1, 1, 1, m_shown ? 1.0f : 0.0f);
	}
	cSceneObject::Update(dt);
}
