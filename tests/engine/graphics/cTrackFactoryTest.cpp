// The track factory's 189 classes and what each one's Apply writes.

#include "engine/graphics/cTrack.h"
#include "engine/graphics/cTrackFactory.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/sEmitterDesc.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Float and vector values every evaluation of the test keys yields.
constexpr float kFloat = 2.0f;
const cVector3d kVector(-1, 2, -3);
const sColor kColor(1, 0, 1, 0);

// Keys at time 0.5 (one for a plain kind, a pair for the others) holding
// the functor's test value, in the stored layout.
void WriteKeys(cStream& stream, int kind, int functor)
{
	const int count = (kind == 0 || kind == 3 || kind == 6) ? 1 : 2;
	StreamWriteU32(stream, uint32_t(count));
	for (int i = 0; i < count; ++i)
	{
		std::vector<float> floats { 0.5f };
		if (functor == kPositionFunctor || functor == kVelocityFunctor || functor == kAccelerationFunctor ||
			functor == kBoundingBoxFunctor)
			floats.insert(floats.end(), { kVector.x, kVector.y, kVector.z });
		else if (functor == kColorFunctor)
			floats.insert(floats.end(), { kColor.a, kColor.r, kColor.g, kColor.b });
		else
			floats.push_back(kFloat);
		for (float f : floats)
			StreamWriteU32(stream, std::bit_cast<uint32_t>(f));
	}
}

// The names of the fields of a particle that differ.
std::vector<std::string> ChangedFields(const sParticle& before, const sParticle& after)
{
	std::vector<std::string> changed;
	const auto check = [&](const char* name, bool differs) {
		if (differs)
			changed.push_back(name);
	};
	const auto vec = [](const cVector3d& a, const cVector3d& b) { return a.x != b.x || a.y != b.y || a.z != b.z; };
	check("position", vec(before.position, after.position));
	check("velocity", vec(before.velocity, after.velocity));
	check("acceleration", vec(before.acceleration, after.acceleration));
	check("angle", before.angle != after.angle);
	check("angular velocity", before.angularVelocity != after.angularVelocity);
	check("angular acceleration", before.angularAcceleration != after.angularAcceleration);
	check("mass", before.mass != after.mass);
	check("scale", before.scale != after.scale);
	check("colour", memcmp(&before.color, &after.color, sizeof(sColor)) != 0);
	check("lifetime", before.lifetime != after.lifetime);
	return changed;
}

bool Near(const cVector3d& a, const cVector3d& b)
{
	return std::fabs(a.x - b.x) < 1e-5f && std::fabs(a.y - b.y) < 1e-5f && std::fabs(a.z - b.z) < 1e-5f;
}

// A vector field of the particle by name, or null.
const cVector3d* VectorField(const sParticle& p, const std::string& name)
{
	return name == "position" ? &p.position : name == "velocity" ? &p.velocity
		: name == "acceleration"                                 ? &p.acceleration
																 : nullptr;
}

// A float field of the particle by name, or null.
const float* FloatField(const sParticle& p, const std::string& name)
{
	const std::pair<const char*, const float*> fields[] = { { "angle", &p.angle },
		{ "angular velocity", &p.angularVelocity }, { "angular acceleration", &p.angularAcceleration },
		{ "mass", &p.mass }, { "scale", &p.scale }, { "lifetime", &p.lifetime } };
	for (const auto& [fieldName, field] : fields)
		if (name == fieldName)
			return field;
	return nullptr;
}

struct sExpected
{
	const char* field;
	// Only for vector fields: the value after the track, from zero.
	cVector3d vector;
};

// What each functor changes: a particle field, or the emitter.
const sExpected kFunctorEffects[kTrackFunctorCount] = {
	{ "position", kVector }, { "velocity", kVector }, { "acceleration", kVector }, { "angle", {} },
	{ "angular velocity", {} }, { "angular acceleration", {} }, { "mass", {} }, { "scale", {} }, { "colour", {} },
	{ "emission", {} }, { "lifetime", {} }, { "position", cVector3d(kFloat, 0, 0) },
	{ "position", cVector3d(0, kFloat, 0) }, { "position", cVector3d(0, 0, kFloat) },
	{ "velocity", cVector3d(kFloat, 0, 0) }, { "velocity", cVector3d(0, kFloat, 0) },
	{ "velocity", cVector3d(0, 0, kFloat) }, { "acceleration", cVector3d(kFloat, 0, 0) },
	{ "acceleration", cVector3d(0, kFloat, 0) }, { "acceleration", cVector3d(0, 0, kFloat) }, { "box", {} },
};

// An emitter at time 0.6 after a step of 0.2, with one particle halfway
// through its life; motion values zero, colours white.
struct sApplyBench
{
	sEmitterDesc desc;
	cParticleEmitter emitter { &desc };
	sParticle* particle = new sParticle;

	sApplyBench()
	{
		emitter.time = 0.6f;
		emitter.timeStep = 0.2f;
		emitter.own.Init(cVector3d(), 32, 3);
		particle->Init(cVector3d(), 32, 1);
		particle->age = 0.5f;
		std::fill(std::begin(particle->alternatives), std::end(particle->alternatives), -1);
		emitter.particles.push_back(particle);
	}
};
}

TEST(cTrackFactory, CreatesEveryKindAndFunctorPair)
{
	cTrackFactory* factory = Singletone<cTrackFactory>::GetInstance();
	for (int kind = 0; kind < kTrackKindCount; ++kind)
		for (int functor = 0; functor < kTrackFunctorCount; ++functor)
		{
			SCOPED_TRACE(testing::Message() << "kind " << kind << " functor " << functor);
			std::unique_ptr<cTrackBase> track(factory->CreateTrack(kind, functor, functor % 2 == 1));
			ASSERT_NE(track, nullptr);
			EXPECT_EQ(track->GetKind(), kind);
			EXPECT_EQ(track->GetFunctor(), functor);
			EXPECT_EQ(track->IsAlternative(), functor % 2 == 1);
			EXPECT_EQ(track->GetRandomSlot(), 0);
			EXPECT_EQ(track->GetAlternativeIndex(), -1);
			EXPECT_EQ(track->GetMaxTime(), 0);

			// The keys of the functor's value type read whole.
			cMemoryStream keys;
			WriteKeys(keys, kind, functor);
			keys.Seek(0, cStream::FromStart);
			ASSERT_TRUE(track->Read(keys));
			EXPECT_TRUE(keys.IsEnd());
			EXPECT_EQ(track->GetMaxTime(), 0.5f);

			// Applied to an emitter whose step passes the keys.
			sApplyBench bench;
			const sParticle own = bench.emitter.own;
			const sParticle particle = *bench.particle;
			track->Apply(bench.emitter);
			const bool onParticles = kind >= 6;
			const sExpected& effect = kFunctorEffects[functor];
			const std::string field = effect.field;
			const bool emitterOnly = field == "emission" || field == "lifetime" || field == "box";
			std::vector<std::string> expectOwn, expectParticle;
			if (!onParticles && field != "emission" && field != "box")
				expectOwn.push_back(field);
			if (onParticles && !emitterOnly)
				expectParticle.push_back(field);
			EXPECT_EQ(ChangedFields(own, bench.emitter.own), expectOwn);
			EXPECT_EQ(ChangedFields(particle, *bench.particle), expectParticle);

			// The written value (paired kinds blend two equal keys).
			const sParticle& target = onParticles ? *bench.particle : bench.emitter.own;
			if (const cVector3d* vector = VectorField(target, field))
			{
				EXPECT_TRUE(Near(*vector, effect.vector));
			}
			const float* value = FloatField(target, field);
			if (value && !(field == "lifetime" && onParticles))
			{
				EXPECT_FLOAT_EQ(*value, kFloat);
			}
			if (field == "colour")
			{
				EXPECT_EQ(memcmp(&target.color, &kColor, sizeof(sColor)), 0);
			}

			const float rate = kind <= 2 ? 0.2f : 1.0f;
			EXPECT_FLOAT_EQ(bench.emitter.accumulator, field == "emission" && !onParticles ? kFloat * rate : 0);
			const bool box = field == "box" && !onParticles;
			EXPECT_EQ(bench.emitter.spawnMode, box ? 1 : 0);
			EXPECT_TRUE(Near(bench.emitter.boxHalfExtents, box ? cVector3d(1, 2, 3) : cVector3d()));
		}
}

TEST(cTrackFactory, PairsOutsideTheRangesHaveNoClass)
{
	cTrackFactory* factory = Singletone<cTrackFactory>::GetInstance();
	for (auto [kind, functor] : { std::pair { 9, 0 }, { 0, 21 }, { -1, 0 }, { 0, -1 } })
		EXPECT_EQ(factory->CreateTrack(kind, functor, false), nullptr) << kind << " " << functor;
}

TEST(TrackApply, EmitterEventsActOnceAndContinuousKindsScaleByTheStep)
{
	sApplyBench bench;
	TrackOf<0, kEmitFunctor> rate(false);
	rate.GetKeys().keys = { { 50, 0 } };
	TrackOf<3, kEmitFunctor> burst(false);
	burst.GetKeys().keys = { { 10, 1 } };
	float expected = 0;
	for (float time = 0.1f; time < 1.55f; time += 0.1f)
	{
		bench.emitter.time = time;
		bench.emitter.timeStep = 0.1f;
		rate.Apply(bench.emitter);
		burst.Apply(bench.emitter);
		expected += 5;
		if (time >= 1.0f && time < 1.1f)
			expected += 10;
	}
	EXPECT_NEAR(bench.emitter.accumulator, expected, 1e-3f);
}

TEST(TrackApply, PositionsAddUpAndTheLaterColourWins)
{
	sApplyBench bench;
	TrackOf<6, kPositionFunctor> first(false);
	first.GetKeys().keys = { { cVector3d(1, 2, 3), 0 } };
	TrackOf<6, kPositionYFunctor> second(false);
	second.GetKeys().keys = { { 10, 0 } };
	TrackOf<6, kColorFunctor> red(false);
	red.GetKeys().keys = { { sColor(1, 0, 0, 1), 0 } };
	TrackOf<6, kColorFunctor> blue(false);
	blue.GetKeys().keys = { { sColor(0, 0, 1, 1), 0 } };
	for (const cTrackBase* track : std::initializer_list<const cTrackBase*> { &first, &second, &red, &blue })
		track->Apply(bench.emitter);
	EXPECT_TRUE(Near(bench.particle->position, cVector3d(1, 12, 3)));
	EXPECT_EQ(bench.particle->color.r, 0);
	EXPECT_EQ(bench.particle->color.b, 1);
}

TEST(TrackApply, ParticlesWithoutLifeOrOfAnotherAlternativeAreSkipped)
{
	sApplyBench bench;
	sParticle* chosen = new sParticle(*bench.particle);
	chosen->alternatives[kScaleFunctor] = 1;
	bench.emitter.particles.push_back(chosen);
	bench.particle->lifetime = 0;
	sParticle* undefined = new sParticle(*chosen);
	undefined->lifetime = std::numeric_limits<float>::quiet_NaN();
	bench.emitter.particles.push_back(undefined);

	TrackOf<6, kScaleFunctor> plain(false);
	plain.GetKeys().keys = { { 5, 0 } };
	TrackOf<6, kScaleFunctor> flagged(true);
	flagged.GetKeys().keys = { { 7, 0 } };
	flagged.SetAlternativeIndex(1);
	plain.Apply(bench.emitter);
	flagged.Apply(bench.emitter);
	EXPECT_EQ(bench.particle->scale, 0) << "lifetime 0";
	EXPECT_EQ(undefined->scale, 0) << "lifetime not a number";
	EXPECT_EQ(chosen->scale, 7) << "only the chosen alternative";
}

TEST(TrackApply, RandomSlotsBeyondTheStoredValuesWeighZero)
{
	sApplyBench bench;
	bench.particle->randomValues[57] = 1.0f;
	bench.emitter.own.randomValues[3] = 1.0f;
	TrackOf<7, kMassFunctor> particleTrack(false);
	particleTrack.GetKeys().keys = { { 10, 0 }, { 20, 0 } };
	TrackOf<1, kMassFunctor> emitterTrack(false);
	emitterTrack.GetKeys().keys = { { 100, 0 }, { 200, 0 } };
	for (int slot : { 57, 58, 1000, -1 })
	{
		particleTrack.SetRandomSlot(slot);
		bench.particle->mass = 0;
		particleTrack.Apply(bench.emitter);
		EXPECT_EQ(bench.particle->mass, slot == 57 ? 20 : 10) << slot;
	}
	emitterTrack.SetRandomSlot(3);
	emitterTrack.Apply(bench.emitter);
	EXPECT_EQ(bench.emitter.own.mass, 200);
}
