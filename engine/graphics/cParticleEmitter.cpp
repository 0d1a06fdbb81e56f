#include "engine/graphics/cParticleEmitter.h"

#include "engine/animation/TrackFunctors.h"
#include "engine/animation/cTrackBase.h"
#include "engine/foundation/Random.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/sEmitterDesc.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace
{
// Random values drawn for the own particle.
constexpr int kOwnRandomValues = 32;
// Random values drawn at most for a spawned particle.
constexpr int kSpawnedRandomValues = 32;
// Lifetime of the own particle before the description's defaults apply.
constexpr float kInitialLifetime = 3.0f;
// Particles per second without an emission track.
constexpr float kDefaultEmissionRate = 100.0f;
// Live particles of one emitter at most, as many as one draw of the group
// can show: an absurd emission value must not exhaust memory.
constexpr size_t kMaxParticles = kQuadIndexBufferQuads;
// Particles updated together when the tracks allow it: few enough that
// they stay in the first-level cache from reset to step.
constexpr size_t kParticleRun = 16;
}

cParticleEmitter::cParticleEmitter(const sEmitterDesc* description)
{
	own.Init(cVector3d(), kOwnRandomValues, kInitialLifetime);
	std::fill(std::begin(own.alternatives), std::end(own.alternatives), -1);
	Init(description);
}

cParticleEmitter::~cParticleEmitter()
{
	for (sParticle* particle : particles)
		delete particle;
}

void cParticleEmitter::Init(const sEmitterDesc* description)
{
	desc = description;
	desc->ApplyDefaults(own);
	duration = std::max(desc->duration, 0.0f);
	spawnMode = SpawnAtPoint;
}

void cParticleEmitter::Spawn(const cVector3d& point)
{
	const float whole = std::trunc(accumulator);
	if (!(whole >= 1.0f))
		return;
	accumulator -= whole;
	const int n = int(std::min<size_t>(kSpawnedRandomValues, desc->emitterTracks.size() + desc->particleTracks.size()));
	const cVector3d lo = point - boxHalfExtents;
	const cVector3d hi = point + boxHalfExtents;
	const size_t room = kMaxParticles - std::min(kMaxParticles, particles.size());
	const size_t spawned = whole < float(room) ? size_t(whole) : room;
	for (size_t k = 0; k < spawned; ++k)
	{
		cVector3d origin = point;
		if (spawnMode == SpawnInBox)
		{
			origin.z = RandomFloatRange(lo.z, hi.z);
			origin.y = RandomFloatRange(lo.y, hi.y);
			origin.x = RandomFloatRange(lo.x, hi.x);
		}
		sParticle* particle = new sParticle;
		particle->Init(origin, n, own.lifetime);
		for (int f = 0; f < kTrackFunctorCount; ++f)
		{
			const size_t choices = desc->alternatives[f].size();
			particle->alternatives[f] = choices ? int(size_t(Random()) % choices) : -1;
		}
		particles.push_back(particle);
	}
}

void cParticleEmitter::Update(const cVector3d& point, const sBillboardBasis& basis, float dt, int& count, bool loop,
	const sColor& color)
{
	timeStep = dt;
	time += dt;
	bool wrapped = false;
	if (time >= duration && loop)
	{
		time = (std::fabs(duration) < 0.00001f || time - duration >= duration) ? dt : time - duration;
		timeStep = time;
		wrapped = true;
	}
	if (duration > time || wrapped)
		Spawn(point);
	else
		accumulator = 0.0f;

	desc->ResetEmitterValues(own);
	if (!desc->HasFunctor(kEmitFunctor))
		accumulator += timeStep * kDefaultEmissionRate;
	own.color = color;

	// Particles that a run resets, writes and steps while they are in the
	// cache; when the tracks do not allow runs, all particles are one run,
	// reset and written track by track before any is stepped.
	const bool inRuns = desc->AppliesParticlesInRuns();
	if (!inRuns)
		for (sParticle* particle : particles)
			particle->ResetValues();
	for (const cTrackBase* track : desc->emitterTracks)
		track->Apply(*this);
	if (!inRuns)
		for (const cTrackBase* track : desc->particleTracks)
			track->Apply(*this);

	const size_t runLength = inRuns ? kParticleRun : particles.size();
	size_t kept = 0;
	for (size_t first = 0; first < particles.size(); first += runLength)
	{
		const std::span<sParticle* const> run(particles.data() + first, std::min(runLength, particles.size() - first));
		if (inRuns)
		{
			for (sParticle* particle : run)
				particle->ResetValues();
			for (const cTrackBase* track : desc->particleTracks)
				track->ApplyTo(*this, run);
		}
		// The kept particles move down over places already stepped.
		for (sParticle* particle : run)
		{
			if (particle->Step(own, basis, dt))
				particles[kept++] = particle;
			else
				delete particle;
		}
	}
	particles.resize(kept);
	std::stable_sort(particles.begin(), particles.end(),
		[](const sParticle* a, const sParticle* b) { return a->depth < b->depth; });
	count += int(particles.size());
}
