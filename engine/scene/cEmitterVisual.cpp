#include "engine/scene/cEmitterVisual.h"

#include "engine/graphics/cEmitterGroup.h"
#include "engine/graphics/cEmitterResource.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/sEmitterSet.h"
#include "engine/scene/cSceneObject.h"

cEmitterVisual::cEmitterVisual(cSceneObject* owner) : cInertVisual(owner)
{
	cPropertyMap& properties = owner->GetProperties().GetMap();
	const cDelegatePtr<std::string*> none;
	properties.BindString("emitter", none,
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cEmitterVisual::SetEmitterProperty)));
	properties.BindString("shader", none,
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cEmitterVisual::SetShaderProperty)));
}

cEmitterVisual::~cEmitterVisual()
{
	// The group points into the resource's set: it goes first.
	delete m_group;
	cResourceManager::ReleaseResource(m_resource);
}

bool cEmitterVisual::IsGroupName(const std::string& name) const
{
	return m_group && m_group->GetSet() && m_group->GetSet()->name == name;
}

float cEmitterVisual::GetAnimationLength()
{
	return m_group ? m_group->GetDuration() * m_group->GetTimeScale() : 0.0f;
}

float cEmitterVisual::GetAnimationTime()
{
	return m_group ? m_group->GetElapsed() : 0.0f;
}

void cEmitterVisual::PlayAnimation(const std::string& name)
{
	if (IsGroupName(name))
		m_group->Play();
}

void cEmitterVisual::SetAnimationParam(const std::string& name, int value)
{
	if (IsGroupName(name))
		m_group->SetLoop(value != 0);
}

void cEmitterVisual::StopAnimation()
{
	if (m_group)
		m_group->Stop();
}

bool cEmitterVisual::IsAnimationPlaying()
{
	return m_group && m_group->IsActive();
}

bool cEmitterVisual::IsNamedAnimationPlaying(const std::string& name)
{
	return IsAnimationPlaying() && IsGroupName(name);
}

bool cEmitterVisual::IsCurrentAnimation(const std::string& name)
{
	return IsGroupName(name);
}

const std::string& cEmitterVisual::GetAnimationName()
{
	return m_group && m_group->GetSet() ? m_group->GetSet()->name : m_name;
}

bool cEmitterVisual::IsAnimationLooping()
{
	return m_group && m_group->GetLoop();
}

void cEmitterVisual::Draw()
{
	if (!m_group)
		return;
	cGraphics::GetInstance()->SetWorldMatrix(m_drawMatrix);
	m_group->Render();
}

void cEmitterVisual::Update(float dt)
{
	if (!m_skipUpdate && m_group)
	{
		const cMatrix& world = m_owner->GetTransform().GetWorldMatrix();
		m_group->SetPosition(cVector3d(world._41, world._42, world._43));
		m_group->Update(dt, m_owner->GetTransform().GetEffectiveColor());
	}
	m_skipUpdate = false;
}

void cEmitterVisual::SetAnimatorParam(const std::string& name, float value)
{
	// A zero length would turn the scale, and with it the group's time,
	// into infinities.
	if (IsGroupName(name) && m_group->GetDuration() > 0.0f)
		m_group->SetTimeScale(value / m_group->GetDuration());
}

void cEmitterVisual::SetEmitter(const std::string& name)
{
	cEmitterResource* resource = cResourceManager::GetResourceByName<cEmitterResource>(name);
	delete m_group;
	m_group = nullptr;
	cResourceManager::ReleaseResource(m_resource);
	m_resource = resource;
	if (!resource)
		return;
	const sEmitterSet* set = resource->GetSet();
	m_group = new cEmitterGroup(set);
	m_group->SetLoop(set && set->loop);
	m_group->SetShader(m_shaderName);
}

void cEmitterVisual::SetShader(const std::string& name)
{
	m_shaderName = name;
	if (m_group)
		m_group->SetShader(name);
}
