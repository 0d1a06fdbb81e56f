#include "engine/graphics/cParticleSystem.h"

#include "engine/foundation/Random.h"
#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cModelControllerBase.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace
{
constexpr int kParticleFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr float kSmallestRotationPeriod = 0.00001f;

// 2r - 1: a random number from -1 to 1.
float RandomSigned()
{
	return 2 * RandomFloat() - 1;
}

// base x (1 + (2r - 1) x variation).
float Varied(float base, float variation)
{
	return (1 + RandomSigned() * variation) * base;
}

cVector3d TranslationOf(const cMatrix& m)
{
	return cVector3d(m.m[3][0], m.m[3][1], m.m[3][2]);
}

// The particles a description keeps alive at most: its longest lifetime
// times the particles made per second. A description that gives no sane
// number (no interval, no count, values out of range) reserves nothing;
// the vertex buffer grows when needed.
unsigned ExpectedParticles(const sParticleSystemDesc* description)
{
	if (!description || !(description->interval > 0))
		return 0;
	const double expected = (double(description->lifetime) + description->lifetimeVariation) * description->count
		/ description->interval;
	if (!std::isfinite(expected) || expected < 1)
		return 0;
	return unsigned(std::min(expected, double(cParticleSystem::kMaxParticles)));
}

sColor KeyColor(const sColorKey& key)
{
	return sColor(key.r, key.g, key.b, key.a);
}

sColor Blend(const sColorKey& from, const sColorKey& to, float weight)
{
	return sColor(from.r + (to.r - from.r) * weight, from.g + (to.g - from.g) * weight,
		from.b + (to.b - from.b) * weight, from.a + (to.a - from.a) * weight);
}
}

cParticleSystem::cParticleSystem(const sParticleSystemDesc* description)
	: m_description(description)
{
	const unsigned expected = ExpectedParticles(description);
	m_vertexBuffer.SetFormat(kParticleFormat, nullptr, 0);
	m_vertexBuffer.SetDynamic(true);
	m_vertexBuffer.SetCapacity(4 * expected);
	m_particles.reserve(expected);
	if (!description)
		return;
	for (const sParticleProgram& program : description->programs)
		m_programs.emplace(program.name, program);
	m_texture = cResourceHandle::InitByName<cTextureResource>(description->textureName);
}

cParticleSystem::~cParticleSystem() = default;

void cParticleSystem::Start(const std::string& program)
{
	auto found = m_programs.find(program);
	if (found == m_programs.end())
		return;
	m_running = true;
	m_spawnTimer = 0;
	m_loop = found->second.loop;
	m_programDuration = m_remainingTime = found->second.duration;
	m_programTime = 0;
}

void cParticleSystem::EndLoop()
{
	if (!m_loop)
		return;
	m_loop = false;
	m_remainingTime = m_programDuration;
}

void cParticleSystem::SetDuration(float seconds)
{
	m_programDuration = m_remainingTime = seconds;
}

void cParticleSystem::Update(float dt)
{
	if (!m_description || !m_running)
		return;
	m_programTime += dt;
	if (!m_loop)
	{
		m_remainingTime -= dt;
		if (m_remainingTime < 0)
		{
			m_particles.clear();
			m_running = false;
			return;
		}
	}
	if (m_programTime > m_programDuration)
		m_programTime = std::fmod(m_programTime, m_programDuration);

	m_spawnTimer += dt;
	if (m_description->interval <= m_spawnTimer && (m_loop || m_remainingTime - m_description->lifetime > 0)
		&& IsInEmissionWindow())
		Spawn();

	// The camera's right, up and viewing axes: the columns of its view matrix.
	cVector3d axes[3] = { cVector3d(1, 0, 0), cVector3d(0, 1, 0), cVector3d(0, 0, 1) };
	if (cCamera* camera = cGraphics::GetInstance()->GetCurrentCamera())
	{
		const cMatrix& view = camera->GetView();
		for (int axis = 0; axis < 3; ++axis)
			axes[axis] = cVector3d(view.m[0][axis], view.m[1][axis], view.m[2][axis]);
	}
	std::erase_if(m_particles, [&](const std::unique_ptr<sSystemParticle>& particle) {
		return !StepParticle(*particle, dt, axes);
	});
	std::stable_sort(m_particles.begin(), m_particles.end(),
		[](const std::unique_ptr<sSystemParticle>& a, const std::unique_ptr<sSystemParticle>& b) {
			return a->corners[0].z < b->corners[0].z;
		});
}

bool cParticleSystem::IsInEmissionWindow() const
{
	const float t = m_programTime;
	const float a = t - m_spawnTimer;
	const float s = m_description->windowStart;
	const float e = m_description->windowStart + m_description->windowLength;
	return (a <= s && s <= t) || (a <= e && e <= t) || (s <= t && t <= e);
}

void cParticleSystem::Spawn()
{
	m_spawnTimer = 0;
	const int room = int(kMaxParticles - m_particles.size());
	const int count = std::min(m_description->count, room);
	if (m_sourceModel)
		SpawnOnModel(count);
	else
		SpawnAtTransform(count);
}

void cParticleSystem::SpawnAtTransform(int count)
{
	if (!m_previousTransformValid)
	{
		m_previousTransform = m_transform;
		m_previousTransformValid = true;
	}
	const cVector3d movement = TranslationOf(m_transform) - TranslationOf(m_previousTransform);
	for (int i = 0; i < count; ++i)
	{
		auto particle = std::make_unique<sSystemParticle>();
		InitParticle(*particle, m_transform, movement);
		m_particles.push_back(std::move(particle));
	}
	m_previousTransform = m_transform;
}

void cParticleSystem::SpawnOnModel(int count)
{
	float radius = 0;
	if (cModel* model = m_sourceModel->GetModel(); model && !model->GetBoundingBox().IsEmpty())
	{
		const cVector3d size = model->GetBoundingBox().GetSize();
		radius = 0.5f * std::sqrt(size.x * size.x + size.y * size.y);
	}
	for (int i = 0; i < count; ++i)
	{
		const float x = RandomFloatRange(-1, 1);
		const float y = RandomFloatRange(-1, 1);
		cVector3d direction(x, y, 0);
		direction.Normalize();
		// From outside the model towards its origin.
		const sRay ray { direction * radius, -direction * radius };
		cVector3d hit;
		cVector3d offset;
		if (m_sourceModel->IntersectRay(ray, hit))
		{
			float distance = hit.Length();
			if (!m_surfaceOnly)
				distance = RandomFloatRange(0, distance);
			offset = direction * distance;
		}
		cMatrix spawn;
		spawn.MakeTranslation(TranslationOf(m_transform) + offset);
		auto particle = std::make_unique<sSystemParticle>();
		InitParticle(*particle, spawn, cVector3d());
		m_particles.push_back(std::move(particle));
	}
}

void cParticleSystem::InitParticle(sSystemParticle& particle, const cMatrix& spawn, const cVector3d& movement) const
{
	const sParticleSystemDesc& d = *m_description;
	particle.orientation = spawn;
	particle.orientation.m[3][0] = particle.orientation.m[3][1] = particle.orientation.m[3][2] = 0;
	particle.position = TranslationOf(spawn);
	particle.offset = cVector3d();
	particle.color = 0xFFFFFFFF;
	const float uv[4][2] = { { 1, 1 }, { 1, 0 }, { 0, 0 }, { 0, 1 } };
	for (int corner = 0; corner < 4; ++corner)
		particle.corners[corner] = sParticleCorner { 0, 0, 0, particle.color, uv[corner][0], uv[corner][1] };
	particle.nextKey = particle.previousKey = 0;
	particle.age = 0;

	// The random draws come in this order.
	particle.lifetime = Varied(d.lifetime, d.lifetimeVariation);
	const float k = RandomSigned();
	particle.angle = Varied(d.angle, d.angleVariation);
	const float period = Varied(float(d.rotationPeriod), d.rotationPeriodVariation) * d.rotationFactor;
	particle.angularSpeed = std::fabs(period) < kSmallestRotationPeriod ? 0 : std::numbers::pi_v<float> / period;
	const float polar = RandomSigned() * d.polarSpread + d.polarAngle;
	const float azimuth = RandomSigned() * d.azimuthSpread + d.azimuth;
	cVector3d direction(std::cos(azimuth) * std::sin(polar), std::cos(polar), std::sin(azimuth) * std::sin(polar));
	if (movement.x == 0 && movement.y == 0 && movement.z == 0)
		direction.y = std::fabs(direction.y); // the upper hemisphere
	else
	{
		cVector3d along = movement;
		direction = direction.Normalize() + along.Normalize();
	}
	particle.size = Varied(d.size, d.sizeVariation);
	particle.speed = Varied(d.speed, d.speedVariation) * 10;
	particle.velocity = direction * particle.speed;
	particle.offset = cVector3d(particle.velocity.x * k * d.interval, 0, particle.velocity.z * k * d.interval)
		+ movement * k;
}

float cParticleSystem::FadeFactor(const sSystemParticle& particle) const
{
	const sParticleSystemDesc& d = *m_description;
	float factor = 1;
	if (particle.age < d.fadeIn)
		factor = particle.age / d.fadeIn;
	else if (particle.age > particle.lifetime - d.fadeOut)
		factor = (particle.lifetime - particle.age) / d.fadeOut;
	return std::clamp(factor, 0.0f, 1.0f);
}

bool cParticleSystem::StepParticle(sSystemParticle& particle, float dt, const cVector3d axes[3]) const
{
	const float half = FadeFactor(particle) * particle.size * 0.5f;
	particle.age += dt;
	particle.velocity += m_description->acceleration * (particle.speed * dt * 10);
	particle.offset += TransformPoint(particle.velocity * dt, particle.orientation);
	particle.angle += dt * particle.angularSpeed;

	const cVector3d& right = axes[0];
	const cVector3d& up = axes[1];
	cMatrix spin;
	spin.MakeRotationAxis(axes[2], particle.angle);
	const cVector3d corners[4] = { -right - up, -right + up, right + up, right - up };
	for (int corner = 0; corner < 4; ++corner)
	{
		const cVector3d at = TransformPoint(corners[corner] * half, spin) + particle.offset + particle.position;
		particle.corners[corner].x = at.x;
		particle.corners[corner].y = at.y;
		particle.corners[corner].z = at.z;
	}
	UpdateColor(particle);
	return particle.lifetime > particle.age;
}

void cParticleSystem::UpdateColor(sSystemParticle& particle) const
{
	const sParticleSystemDesc& d = *m_description;
	const std::vector<sColorKey>& keys = d.colorKeys;
	const float t = d.lifetime > particle.lifetime ? particle.age / (d.lifetime + d.lifetimeVariation)
												  : particle.age / particle.lifetime;
	while (particle.nextKey < keys.size() && t > keys[particle.nextKey].time)
		particle.previousKey = particle.nextKey++;
	const bool hasNext = particle.nextKey < keys.size();
	const bool hasPrevious = particle.previousKey < keys.size();
	if (!hasNext && !hasPrevious)
		return;
	sColor color;
	if (!hasNext)
		color = KeyColor(keys[particle.previousKey]);
	else if (particle.nextKey != particle.previousKey)
	{
		const sColorKey& from = keys[particle.previousKey];
		const sColorKey& to = keys[particle.nextKey];
		// Two keys at one time are a step: the later one holds.
		const float span = to.time - from.time;
		color = Blend(from, to, span == 0 ? 1 : 1 - (to.time - t) / span);
	}
	else
		color = KeyColor(keys[particle.nextKey]);
	particle.color = ColorToArgb(color.a, color.r, color.g, color.b);
	for (sParticleCorner& corner : particle.corners)
		corner.color = particle.color;
}

void cParticleSystem::Render()
{
	if (m_particles.empty())
		return;
	cGraphics* graphics = cGraphics::GetInstance();
	if (m_texture)
		if (cTexture* texture = m_texture.Get<cTextureResource>()->GetTexture())
			texture->Bind(0);
	for (int stage = 1; stage < kTextureStageCount; ++stage)
		cTexture::Unbind(stage);
	graphics->SetWorldMatrix(cMatrix::Identity());

	const unsigned quads = unsigned(m_particles.size());
	m_vertexBuffer.SetCount(4 * quads);
	if (auto* vertices = static_cast<sParticleCorner*>(m_vertexBuffer.Lock(0, 0)))
	{
		for (const std::unique_ptr<sSystemParticle>& particle : m_particles)
			vertices = std::copy(std::begin(particle->corners), std::end(particle->corners), vertices);
		m_vertexBuffer.Unlock();
	}
	m_vertexBuffer.Bind();
	graphics->GetQuadIndexBuffer().Bind();
	const bool depthTest = graphics->GetDepthTest();
	graphics->SetDepthTest(false);
	graphics->DrawQuads(int(4 * quads), int(2 * quads));
	graphics->SetDepthTest(depthTest);
}
