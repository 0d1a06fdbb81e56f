#include "game/play/cLightObject.h"

#include "engine/foundation/Clamp.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/scene/cQuadVisual.h"
#include "game/play/LocationGlobals.h"

namespace
{
const float kFadeTime = 0.1f;
}

cLightObject::cLightObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent),
	  m_selection(cResourceHandle::InitByName<cParticleResource>("gamepanel.p_selection"))
{
	SetVisual(new cQuadVisual(this));
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

bool cLightObject::HandleInput()
{
	cSceneObject* parent = GetParent();
	if (!IsEnabled() || !parent || !parent->IsEnabled() || !parent->GetVisual() ||
		!parent->GetVisual()->HitTest(parent->GetLocalPickRay()))
		return false;
	if (!s_highlighted)
	{
		GetTransform().SetColor(1, 1, 1, 1);
		s_highlighted = this;
	}
	else if (GetTransform().GetWorldMatrix()._43 < s_highlighted->GetTransform().GetWorldMatrix()._43)
		s_highlighted = this;
	return false;
}

void cLightObject::DrawSelf()
{
	if (g_ispyMode)
		return;
	if (s_highlighted == this)
	{
		cSceneObject::DrawSelf();
		m_fadeCountdown = kFadeTime;
	}
	else if (m_fadeCountdown >= 0)
	{
		GetTransform().SetColor(1, 1, 1, Clamp(m_fadeCountdown / kFadeTime, 0, 1));
		cSceneObject::DrawSelf();
	}
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
