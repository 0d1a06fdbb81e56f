#include "engine/graphics/cEmitterGroup.h"

#include "engine/graphics/cCamera.h"
#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cParticleEmitter.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/graphics/sEmitterDesc.h"
#include "engine/graphics/sEmitterSet.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int kParticleFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
}

cEmitterGroup::cEmitterGroup(const sEmitterSet* set) : cVertexBuffer(kParticleFormat, nullptr, 0)
{
	SetDynamic(true);
	SetDescription(set);
}

cEmitterGroup::~cEmitterGroup()
{
	for (cParticleEmitter* emitter : m_emitters)
		delete emitter;
	cResourceManager::ReleaseResource(m_texture);
	cResourceManager::ReleaseResource(m_shader);
}

void cEmitterGroup::SetDescription(const sEmitterSet* set)
{
	m_set = set;
	cTextureResource* texture = set ? set->GetTexture() : nullptr;
	cResourceManager::ReleaseResource(m_texture);
	m_texture = texture;

	const std::vector<sEmitterDesc*> none;
	const std::vector<sEmitterDesc*>& descriptions = set ? set->descriptions : none;
	m_duration = 0.0f;
	const size_t kept = std::min(m_emitters.size(), descriptions.size());
	for (size_t i = 0; i < kept; ++i)
		m_emitters[i]->Init(descriptions[i]);
	for (size_t i = kept; i < descriptions.size(); ++i)
		m_emitters.push_back(new cParticleEmitter(descriptions[i]));
	for (size_t i = descriptions.size(); i < m_emitters.size(); ++i)
		delete m_emitters[i];
	m_emitters.resize(descriptions.size());
	for (const sEmitterDesc* description : descriptions)
		m_duration = std::max(m_duration, description->duration);
}

void cEmitterGroup::SetShader(const std::string& name)
{
	cFakeShaderResource* shader = cResourceManager::GetResourceByName<cFakeShaderResource>(name);
	cResourceManager::ReleaseResource(m_shader);
	m_shader = shader;
}

void cEmitterGroup::Play()
{
	m_active = true;
	for (cParticleEmitter* emitter : m_emitters)
		emitter->time = 0.0f;
}

sBillboardBasis cEmitterGroup::CameraBasis()
{
	cCamera* camera = Singletone<cGraphics>::Exists() ? Singletone<cGraphics>::GetInstance()->GetCurrentCamera()
													  : nullptr;
	cMatrix axes = camera ? camera->GetView() : cMatrix::Identity();
	axes.Transpose();
	const auto row = [&axes](int r) { return cVector3d(axes.m[r][0], axes.m[r][1], axes.m[r][2]); };
	return MakeBillboardBasis(row(0), row(1), row(2), row(3));
}

void cEmitterGroup::Update(float dt, const sColor& color)
{
	if (!m_active)
		return;
	const float scaled = m_timeScale * dt;
	m_elapsed += scaled;
	const sBillboardBasis basis = CameraBasis();
	m_particleCount = 0;
	m_alive = false;
	bool allFinished = true;
	bool anyParticles = false;
	for (cParticleEmitter* emitter : m_emitters)
	{
		emitter->Update(m_position, basis, scaled, m_particleCount, m_loop, color);
		allFinished = allFinished && emitter->duration <= emitter->time;
		anyParticles = anyParticles || !emitter->particles.empty();
	}
	m_alive = anyParticles || !allFinished;
	if (!allFinished || (!m_loop && anyParticles))
		return;
	for (cParticleEmitter* emitter : m_emitters)
		emitter->time = 0.0f;
	m_elapsed = 0.0f;
	if (!m_loop)
		m_active = false;
}

void cEmitterGroup::Render()
{
	// One draw can show as many quads as the shared index buffer holds.
	const unsigned quads = std::min(unsigned(m_particleCount), kQuadIndexBufferQuads);
	const unsigned vertexCount = 4 * quads;
	SetCount(vertexCount);
	if (vertexCount == 0)
		return;
	if (m_texture && m_texture->GetTexture())
		m_texture->GetTexture()->Bind(0);
	for (int stage = 1; stage < kTextureStageCount; ++stage)
		cTexture::Unbind(stage);

	auto* vertices = static_cast<sParticleVertex*>(Lock(0, vertexCount));
	if (!vertices)
		return;
	unsigned copied = 0;
	for (const cParticleEmitter* emitter : m_emitters)
		for (const sParticle* particle : emitter->particles)
		{
			if (copied == quads)
				break;
			memcpy(vertices + 4 * copied++, particle->corners, sizeof(particle->corners));
		}
	Unlock();

	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	Bind();
	graphics->GetQuadIndexBuffer().Bind();
	const bool depthTest = graphics->GetDepthTest();
	graphics->SetDepthTest(false);
	graphics->DrawQuads(int(vertexCount), int(vertexCount / 2));
	graphics->SetDepthTest(depthTest);
}
