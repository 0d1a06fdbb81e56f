#include "game/play/cLightObject.h"

#include "engine/graphics/cParticleResource.h"

cLightObject::cLightObject()
	: m_selection(cResourceHandle::InitByName<cParticleResource>("gamepanel.p_selection"))
{
	const sParticleSystemDesc* description =
		m_selection ? &m_selection.Get<cParticleResource>()->GetDescription() : nullptr;
	m_particleSystem = std::make_unique<cParticleSystem>(description);
	m_particleSystem->SetLoop(true);
}

cLightObject::~cLightObject()
{
	if (s_highlighted == this)
		s_highlighted = nullptr;
}

void cLightObject::Update(float dt)
{
	m_fadeCountdown -= dt;
	m_particleSystem->Update(dt);
	if (s_highlighted == this && !m_particleSystem->IsRunning())
	{
		m_particleSystem->SetSourceModel(m_model);
		m_particleSystem->SetSurfaceOnly(false);
		m_particleSystem->SetTransform(m_world);
		m_particleSystem->Start("start");
	}
	else if (s_highlighted != this && m_particleSystem->IsRunning())
		m_particleSystem->EndLoop();
}
