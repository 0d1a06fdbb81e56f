#include "game/play/cLightObject.h"

#include "engine/graphics/cModelController.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/scene/cVisual.h"

cLightObject::cLightObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent),
	  m_selection(cResourceHandle::InitByName<cParticleResource>("gamepanel.p_selection"))
{
	const sParticleSystemDesc* description =
		m_selection ? &m_selection.Get<cParticleResource>()->GetDescription() : nullptr;
	m_particleSystem = std::make_unique<cParticleSystem>(description);
	m_particleSystem->SetLoop(true);
	GetProperties().GetMap().BindBool(
		"light", cDelegatePtr<bool*>(), cDelegatePtr<bool*>(MakeMemberDelegate(this, &cLightObject::OnLightSet)));
}

cLightObject::~cLightObject()
{
	if (s_highlighted == this)
		s_highlighted = nullptr;
}

void cLightObject::OnLightSet(bool*)
{
	s_highlighted = this;
}

void cLightObject::Update(float dt)
{
	cSceneObject::Update(dt);
	m_fadeCountdown -= dt;
	m_particleSystem->Update(dt);
	if (s_highlighted == this && !m_particleSystem->IsRunning())
	{
		m_particleSystem->SetSourceModel(GetVisual() ? GetVisual()->GetModelController() : nullptr);
		m_particleSystem->SetSurfaceOnly(false);
		m_particleSystem->SetTransform(GetTransform().GetWorldMatrix());
		m_particleSystem->Start("start");
	}
	else if (s_highlighted != this && m_particleSystem->IsRunning())
		m_particleSystem->EndLoop();
}

cSceneObject* CreateLightObject(const std::string& name, cSceneObject* parent)
{
	return new cLightObject(name, parent);
}
