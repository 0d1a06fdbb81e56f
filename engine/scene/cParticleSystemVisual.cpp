#include "engine/scene/cParticleSystemVisual.h"

#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/scene/cSceneObject.h"

cParticleSystemVisual::cParticleSystemVisual(cSceneObject* owner) : cInertVisual(owner)
{
	cPropertyMap& properties = owner->GetProperties().GetMap();
	const cDelegatePtr<std::string*> none;
	properties.BindString("particles", none,
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cParticleSystemVisual::SetParticles)));
	properties.BindString("mode", none,
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cParticleSystemVisual::SetMode)));
}

cParticleSystemVisual::~cParticleSystemVisual()
{
	cResourceManager::ReleaseResource(m_resource);
	delete m_system;
}

float cParticleSystemVisual::GetAnimationLength()
{
	return m_system ? m_system->GetDuration() : 0.0f;
}

float cParticleSystemVisual::GetAnimationTime()
{
	return m_system ? m_system->GetRemainingTime() : 0.0f;
}

void cParticleSystemVisual::PlayAnimation(const std::string& name)
{
	if (!m_system)
		return;
	// A parent without a visual, or no parent at all, leaves no model to
	// spawn on: the particles then spawn at the transform.
	cModelController* source = nullptr;
	if (m_parentMode)
		if (cSceneObject* parent = m_owner->GetParent())
			if (cVisual* visual = parent->GetVisual())
				source = visual->GetModelController();
	m_system->SetSourceModel(source);
	m_system->SetSurfaceOnly(false);
	m_system->Start(name);
}

void cParticleSystemVisual::SetAnimationParam(const std::string&, int value)
{
	if (m_system)
		m_system->SetLoop(value != 0);
}

void cParticleSystemVisual::StopAnimation()
{
	if (m_system)
		m_system->EndLoop();
}

bool cParticleSystemVisual::IsAnimationPlaying()
{
	return m_system && m_system->IsRunning();
}

bool cParticleSystemVisual::IsAnimationLooping()
{
	return m_system && m_system->IsLooping();
}

void cParticleSystemVisual::Draw()
{
	if (!m_system)
		return;
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->SetDepthTest(false);
	m_system->Render();
	graphics->SetDepthTest(true);
}

void cParticleSystemVisual::Update(float dt)
{
	if (!m_skipUpdate && m_system)
	{
		m_system->SetTransform(m_owner->GetTransform().GetWorldMatrix());
		m_system->Update(dt);
	}
	m_skipUpdate = false;
}

void cParticleSystemVisual::SetModel(const std::string& name)
{
	cParticleResource* resource = cResourceManager::GetResourceByName<cParticleResource>(name);
	cResourceManager::ReleaseResource(m_resource);
	m_resource = resource;
	delete m_system;
	m_system = resource ? new cParticleSystem(&resource->GetDescription()) : nullptr;
}

void cParticleSystemVisual::SetAnimatorParam(const std::string&, float value)
{
	if (m_system)
		m_system->SetDuration(value);
}
