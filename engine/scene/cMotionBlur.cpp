#include "engine/scene/cMotionBlur.h"

#include "engine/graphics/cFakeShaderResource.h"
#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cPostEffectVisual.h"

namespace
{
const char* const kShaderName = "pe_motionblur";
const float kSampleInterval = 0.03f;
// The velocity's scale in the shader's units.
const float kVelocityScale = 0.00002f;
}

cMotionBlur::cMotionBlur(const std::string& name, cSceneObject* parent) : cPostEffectObject(name, parent)
{
	m_visual->SetEffects(kShaderName);
	GetProperties().GetMap().BindString("effect", cDelegatePtr<std::string*>(), cDelegatePtr<std::string*>());
	m_shader = cResourceManager::GetResourceByName<cFakeShaderResource>(kShaderName);
	if (cShaderEffect* effect = m_shader ? m_shader->GetEffect() : nullptr)
		m_velocityParameter = effect->GetParameter("g_velocity");
}

cMotionBlur::~cMotionBlur()
{
	cResourceManager::ReleaseResource(m_shader);
}

cSceneObject* cMotionBlur::Create(const std::string& name, cSceneObject* parent)
{
	return new cMotionBlur(name, parent);
}

void cMotionBlur::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	if (m_velocityParameter)
	{
		const D3DXVECTOR4 velocity { m_smoothedVelocity.x * kVelocityScale, m_smoothedVelocity.y * kVelocityScale,
			m_smoothedVelocity.z * kVelocityScale, 1.0f };
		m_velocityParameter.effect->SetVectorArray(m_velocityParameter.handle, &velocity, 1);
	}
	cPostEffectObject::CollectDraw(queue, camera);
}

void cMotionBlur::Update(float dt)
{
	m_visual->SetEnabled(m_velocity.Length() > 0.0f);
	cPostEffectObject::Update(dt);
	m_sampleTimer -= dt;
	if (m_sampleTimer >= 0.0f)
		return;
	const cMatrix& world = GetTransform().GetWorldMatrix();
	const cVector3d position(world._41, world._42, world._43);
	if (m_hasPrevious)
	{
		// The time since the last sample: the interval plus the overshoot.
		const float elapsed = -m_sampleTimer + kSampleInterval;
		const cVector3d moved = m_lastPosition - position;
		m_velocity = cVector3d(moved.x / elapsed, moved.y / elapsed, moved.z / elapsed);
		m_smoothedVelocity = (m_velocity + m_smoothedVelocity) * 0.5f;
	}
	else
		m_velocity = cVector3d(0, 0, 0);
	const cMotionPlayer* player = GetMotions().GetPlayer();
	m_hasPrevious = m_hasPrevious || (player && player->IsPlaying());
	m_lastPosition = position;
	m_sampleTimer = kSampleInterval;
}
