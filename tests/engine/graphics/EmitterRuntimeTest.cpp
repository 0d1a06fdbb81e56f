// The emitter runtime without a device: spawning, the default emission,
// looping and stopping, the spawn box, alternatives and the particles'
// quads (identity camera axes).

#include "EmitterTestSupport.h"

#include "engine/animation/TrackFunctors.h"
#include "engine/animation/cTrackBase.h"
#include "engine/foundation/Random.h"
#include "engine/graphics/cEmitterGroup.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/sEmitterDesc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

namespace
{
const sColor kWhite(1, 1, 1, 1);

int Count(const cEmitterGroup& group)
{
	int count = 0;
	for (const cParticleEmitter* emitter : group.GetEmitters())
		count += int(emitter->particles.size());
	return count;
}
}

TEST(EmitterRuntime, TracklessDescriptionLoopsAtAHundredParticlesPerSecond)
{
	std::unique_ptr<sEmitterSet> set = TracklessSet(true);
	cEmitterGroup group(set.get());
	ASSERT_EQ(group.GetEmitters().size(), 1u);
	EXPECT_EQ(group.GetDuration(), 0);
	group.SetLoop(true);
	group.SetPosition(cVector3d(10, 20, 30));
	group.Play();
	const sColor tint(1, 0.5f, 0.25f, 1);
	// 25 particles a step of 0.25 s (one step late), each living 1 s.
	const int expected[] = { 0, 25, 50, 75, 75, 75 };
	for (int count : expected)
	{
		group.Update(0.25f, tint);
		EXPECT_EQ(group.GetParticleCount(), count);
		EXPECT_EQ(Count(group), count);
		EXPECT_TRUE(group.IsActive());
		EXPECT_EQ(group.GetElapsed(), 0) << "every update completes a cycle";
	}
	for (const sParticle* particle : group.GetEmitters()[0]->particles)
	{
		EXPECT_EQ(particle->lifetime, 1);
		EXPECT_TRUE(SameVector(particle->origin, cVector3d(10, 20, 30)));
		// Motionless, half size 50, white limited by the tint.
		const sParticleVertex& c0 = particle->corners[0];
		const sParticleVertex& c2 = particle->corners[2];
		EXPECT_FLOAT_EQ(c0.x, -40);
		EXPECT_FLOAT_EQ(c0.y, -30);
		EXPECT_FLOAT_EQ(c2.x, 60);
		EXPECT_FLOAT_EQ(c2.y, 70);
		EXPECT_FLOAT_EQ(c2.z, 30);
		EXPECT_EQ(c0.color, ColorToArgb(1, 1, 0.5f, 0.25f));
		EXPECT_EQ(particle->corners[1].u, 1);
		EXPECT_EQ(particle->corners[1].v, 0);
	}

	// Without loop the same description never spawns and stops at once.
	group.Stop();
	cEmitterGroup once(set.get());
	once.Play();
	once.Update(0.25f, kWhite);
	EXPECT_EQ(once.GetParticleCount(), 0);
	EXPECT_FALSE(once.IsActive());
	EXPECT_FALSE(once.IsAlive());
}

TEST(EmitterRuntime, SpawnTakesTheWholePartOfTheAccumulator)
{
	std::unique_ptr<sEmitterSet> set = TracklessSet(false);
	cParticleEmitter emitter(set->descriptions[0]);
	emitter.accumulator = 2.7f;
	emitter.Spawn(cVector3d(1, 2, 3));
	EXPECT_EQ(emitter.particles.size(), 2u);
	EXPECT_NEAR(emitter.accumulator, 0.7f, 1e-6f);
	emitter.accumulator = 0.99f;
	emitter.Spawn(cVector3d());
	EXPECT_EQ(emitter.particles.size(), 2u);
	for (const sParticle* particle : emitter.particles)
		for (int f = 0; f < kTrackFunctorCount; ++f)
			EXPECT_EQ(particle->alternatives[f], -1);

	// An absurd emission value spawns no more than one draw can show.
	emitter.accumulator = 1e30f;
	emitter.Spawn(cVector3d());
	EXPECT_EQ(emitter.particles.size(), size_t(kQuadIndexBufferQuads));
}

TEST(EmitterRuntime, WithoutLoopSpawningEndsAtTheDurationAndTheGroupStopsWhenTheLastParticleDies)
{
	cEmitterWriter writer;
	writer.AddTrack<float>(false, 0, kEmitFunctor, false, { { 40, 0 }, { 40, 1 } });
	std::unique_ptr<sEmitterSet> set = ReadSet(writer);
	EXPECT_EQ(set->descriptions[0]->duration, 1);
	cEmitterGroup group(set.get());
	group.Play();
	// Steps of 0.25: 10 particles at 0.5 and 0.75, none from 1 on.
	const struct
	{
		int count;
		bool active;
	} steps[] = { { 0, true }, { 10, true }, { 20, true }, { 20, true }, { 10, true }, { 0, false } };
	for (const auto& step : steps)
	{
		group.Update(0.25f, kWhite);
		EXPECT_EQ(group.GetParticleCount(), step.count);
		EXPECT_EQ(group.IsActive(), step.active);
		EXPECT_EQ(group.IsAlive(), step.active);
	}
	EXPECT_EQ(group.GetEmitters()[0]->time, 0);
	EXPECT_EQ(group.GetElapsed(), 0);
}

TEST(EmitterRuntime, LoopWrapLetsEventTracksSeeTheNewCycle)
{
	cEmitterWriter writer;
	writer.AddTrack<float>(false, 3, kEmitFunctor, false, { { 7, 0.1f }, { 1000, 5 } });
	std::unique_ptr<sEmitterSet> set = ReadSet(writer);
	cParticleEmitter emitter(set->descriptions[0]);
	EXPECT_EQ(emitter.duration, 5);
	emitter.time = 4.9f;
	int count = 0;
	emitter.Update(cVector3d(), cEmitterGroup::CameraBasis(), 0.3f, count, true, kWhite);
	EXPECT_NEAR(emitter.time, 0.2f, 1e-5f);
	EXPECT_NEAR(emitter.timeStep, 0.2f, 1e-5f);
	EXPECT_EQ(emitter.accumulator, 7) << "the key at 0.1 fires, the one at 5 does not";
}

TEST(EmitterRuntime, ParticlesLiveTheirLifetimeAndSpawnInTheBox)
{
	cEmitterWriter writer;
	writer.AddTrack<cVector3d>(false, 0, kBoundingBoxFunctor, false, { { cVector3d(), 0 } });
	std::unique_ptr<sEmitterSet> boxed = ReadSet(writer);
	cEmitterGroup group(boxed.get());
	group.SetLoop(true);
	group.SetPosition(cVector3d(5, 6, 7));
	group.Play();
	group.Update(0.25f, kWhite);
	group.Update(0.25f, kWhite);
	const cParticleEmitter& emitter = *group.GetEmitters()[0];
	EXPECT_EQ(emitter.spawnMode, cParticleEmitter::SpawnInBox);
	ASSERT_FALSE(emitter.particles.empty());
	for (const sParticle* particle : emitter.particles)
		EXPECT_TRUE(SameVector(particle->origin, cVector3d(5, 6, 7)));

	cEmitterWriter dying;
	dying.AddTrack<float>(false, 0, kLifeTimeFunctor, false, { { 0, 0 } });
	std::unique_ptr<sEmitterSet> set = ReadSet(dying);
	cEmitterGroup instant(set.get());
	instant.SetLoop(true);
	instant.Play();
	for (int i = 0; i < 4; ++i)
	{
		instant.Update(0.25f, kWhite);
		EXPECT_EQ(instant.GetParticleCount(), 0) << "a lifetime of 0 ends in the first step";
	}
	EXPECT_EQ(instant.GetEmitters()[0]->accumulator, 25) << "the particles were spawned";
}

TEST(EmitterRuntime, EachParticleFollowsOneFlaggedAlternative)
{
	cEmitterWriter writer;
	writer.AddTrack<sColor>(true, 6, kColorFunctor, true, { { sColor(1, 0, 0, 1), 0 } });
	writer.AddTrack<sColor>(true, 6, kColorFunctor, false, { { sColor(0, 0, 1, 1), 0 } });
	writer.AddTrack<sColor>(true, 6, kColorFunctor, true, { { sColor(0, 1, 0, 1), 0 } });
	writer.SetLoop(true);
	std::unique_ptr<sEmitterSet> set = ReadSet(writer);
	const sEmitterDesc& desc = *set->descriptions[0];
	ASSERT_EQ(desc.alternatives[kColorFunctor].size(), 2u);
	EXPECT_EQ(desc.particleTracks[2]->GetAlternativeIndex(), 1);
	cEmitterGroup group(set.get());
	group.SetLoop(true);
	group.Play();
	for (int i = 0; i < 3; ++i)
		group.Update(0.25f, kWhite);
	int red = 0, green = 0;
	for (const sParticle* particle : group.GetEmitters()[0]->particles)
	{
		EXPECT_EQ(particle->color.b, 0) << "the unflagged track reaches no particle";
		red += particle->color.r == 1;
		green += particle->color.g == 1;
	}
	EXPECT_EQ(red + green, 50);
	EXPECT_GT(red, 0);
	EXPECT_GT(green, 0);
}

TEST(EmitterRuntime, AnEmitTrackAnywhereSwitchesTheDefaultEmissionOff)
{
	cEmitterWriter writer;
	writer.AddTrack<float>(true, 6, kEmitFunctor, false, { { 1000, 0 } });
	writer.SetLoop(true);
	std::unique_ptr<sEmitterSet> set = ReadSet(writer);
	EXPECT_TRUE(set->descriptions[0]->HasFunctor(kEmitFunctor));
	cEmitterGroup group(set.get());
	group.SetLoop(true);
	group.Play();
	for (int i = 0; i < 4; ++i)
		group.Update(0.25f, kWhite);
	EXPECT_EQ(group.GetParticleCount(), 0);
}

TEST(EmitterRuntime, NewParticlesHaveEveryRandomValueSet)
{
	// Each new thread starts the generator from the same state.
	float drawn[5];
	std::thread([&] {
		for (float& value : drawn)
			value = RandomFloat();
	}).join();
	std::thread([&] {
		sParticle particle;
		std::fill(std::begin(particle.randomValues), std::end(particle.randomValues), -7.0f);
		particle.Init(cVector3d(), 5, 1);
		for (int i = 0; i < kParticleRandomValues; ++i)
			EXPECT_EQ(particle.randomValues[i], i < 5 ? drawn[i] : 0.0f) << i;
	}).join();
}

TEST(EmitterRuntime, RebuildingKeepsTimesAndParticles)
{
	std::unique_ptr<sEmitterSet> one = TracklessSet(true);
	cEmitterWriter writer;
	writer.AddDescription();
	writer.AddDescription();
	writer.AddTrack<float>(false, 0, kEmitFunctor, false, { { 0, 3 } });
	std::unique_ptr<sEmitterSet> two = ReadSet(writer);
	cEmitterGroup group(one.get());
	group.SetLoop(true);
	group.Play();
	group.Update(0.25f, kWhite);
	group.Update(0.25f, kWhite);
	const cParticleEmitter* first = group.GetEmitters()[0];
	const float time = first->time;
	group.SetDescription(two.get());
	ASSERT_EQ(group.GetEmitters().size(), 2u);
	EXPECT_EQ(group.GetEmitters()[0], first);
	EXPECT_EQ(first->time, time);
	EXPECT_EQ(first->particles.size(), 25u);
	EXPECT_EQ(group.GetDuration(), 3);
	group.SetDescription(one.get());
	EXPECT_EQ(group.GetEmitters().size(), 1u);
}

TEST(EmitterRuntime, ParticlesUpdatedAFewAtATimeEndAsTrackByTrack)
{
	// Particle tracks of the single and the paired curve, an emitter-only
	// functor among them, and particles of which some die in the update.
	cEmitterWriter writer;
	writer.AddTrack<float>(false, 0, kEmitFunctor, false, { { 0, 0 } });
	writer.AddTrack<sColor>(true, 6, kColorFunctor, false, { { sColor(1, 1, 1, 1), 0 }, { sColor(1, 0, 0, 0.5f), 1 } });
	writer.AddTrack<cVector3d>(true, 7, kVelocityFunctor, false,
		{ { cVector3d(-10, 50, 0), 0 }, { cVector3d(10, 80, 0), 0 }, { cVector3d(-30, 0, 0), 1 }, { cVector3d(30, 20, 0), 1 } });
	writer.AddTrack<float>(true, 7, kScaleFunctor, false, { { 10, 0 }, { 20, 0 }, { 60, 1 }, { 70, 1 } });
	writer.AddTrack<float>(true, 6, kLifeTimeFunctor, false, { { 5, 0 } });
	writer.AddTrack<float>(true, 6, kPositionYFunctor, false, { { 0, 0 }, { 40, 0.3f }, { 10, 1 } });
	std::unique_ptr<sEmitterSet> set = ReadSet(writer);
	const sEmitterDesc* description = set->descriptions[0];
	ASSERT_TRUE(description->AppliesParticlesInRuns());

	cParticleEmitter emitter(description);
	emitter.own.lifetime = 1;
	emitter.accumulator = 53;
	emitter.Spawn(cVector3d(1, 2, 3));
	ASSERT_EQ(emitter.particles.size(), 53u);
	for (size_t i = 0; i < emitter.particles.size(); ++i)
	{
		emitter.particles[i]->age = float(i % 11) * 0.095f;
		emitter.particles[i]->origin.z = float(i % 7);
	}
	cParticleEmitter reference(description);
	for (const sParticle* particle : emitter.particles)
		reference.particles.push_back(new sParticle(*particle));

	const sBillboardBasis basis =
		MakeBillboardBasis(cVector3d(1, 0, 0), cVector3d(0, 1, 0), cVector3d(0, 0, 1), cVector3d());
	int count = 0;
	emitter.Update(cVector3d(1, 2, 3), basis, 0.1f, count, false, kWhite);

	// By hand: every track over every particle, then every step.
	reference.own = emitter.own;
	for (sParticle* particle : reference.particles)
		particle->ResetValues();
	for (const cTrackBase* track : description->particleTracks)
		track->Apply(reference);
	std::vector<sParticle*> kept;
	for (sParticle* particle : reference.particles)
	{
		if (particle->Step(reference.own, basis, 0.1f))
			kept.push_back(particle);
		else
			delete particle;
	}
	std::stable_sort(kept.begin(), kept.end(), [](const sParticle* a, const sParticle* b) { return a->depth < b->depth; });
	reference.particles = kept;

	EXPECT_EQ(count, 49) << "the four of age 0.95 die";
	ASSERT_EQ(emitter.particles.size(), reference.particles.size());
	for (size_t i = 0; i < kept.size(); ++i)
		EXPECT_EQ(memcmp(emitter.particles[i], reference.particles[i], sizeof(sParticle)), 0) << i;
}
