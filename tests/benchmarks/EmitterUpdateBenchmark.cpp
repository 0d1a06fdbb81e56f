// One update of an emitter with 10000 live particles and five tracks of
// the particle kinds, in particles per second: the engine's emitter update
// against a plain loop that evaluates the same key lists straight for
// every particle (no per-track dispatch), resets, steps and sorts the same
// way. Both start from the same particles; their states after one update
// are compared before timing. Closes with the medians of the repetitions,
// their ratio and the target (the engine within 1.5 times the plain loop).

#include "cSummaryReporter.h"

#include "engine/graphics/TrackFunctors.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/cEmitterWriter.h"
#include "engine/graphics/sBillboardBasis.h"
#include "engine/graphics/sEmitterDesc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr int kParticles = 10000;
// Small enough that no particle dies however long the benchmark runs.
constexpr float kStep = 0.0001f;

// The particle tracks' keys, given to the writer and to the plain loop.
struct sKeys
{
	sTrackData<sColor> color;
	sTrackData<cVector3d> velocity;
	sTrackData<float> scale;
	sTrackData<float> spin;
	sTrackData<float> rise;

	sKeys()
	{
		color.keys = { { sColor(1, 1, 1, 1), 0 }, { sColor(1, 0.5f, 0, 1), 0.5f }, { sColor(0.2f, 0, 0, 0), 1 } };
		velocity.keys = { { cVector3d(-10, 50, 0), 0 }, { cVector3d(10, 80, 0), 0 }, { cVector3d(-30, 0, 0), 1 },
			{ cVector3d(30, 20, 0), 1 } };
		scale.keys = { { 10, 0 }, { 60, 1 } };
		spin.keys = { { -2, 0 }, { 2, 0 }, { -1, 1 }, { 1, 1 } };
		rise.keys = { { 0, 0 }, { 40, 0.3f }, { 10, 1 } };
	}
};

const sKeys& Keys()
{
	static sKeys keys;
	return keys;
}

// The description: an emission track of 0 (no spawning while timed) and
// the five particle tracks; the two of kind 7 get random slots 0 and 1.
std::unique_ptr<sEmitterSet> MakeSet()
{
	const sKeys& k = Keys();
	cEmitterWriter writer;
	writer.AddTrack<float>(false, 0, kEmitFunctor, false, { { 0, 0 } });
	writer.AddTrack(true, 6, kColorFunctor, false, k.color.keys);
	writer.AddTrack(true, 7, kVelocityFunctor, false, k.velocity.keys);
	writer.AddTrack(true, 6, kScaleFunctor, false, k.scale.keys);
	writer.AddTrack(true, 7, kAngularVelocityFunctor, false, k.spin.keys);
	writer.AddTrack(true, 6, kPositionYFunctor, false, k.rise.keys);
	cMemoryStream bytes;
	writer.Write(bytes);
	bytes.Seek(0, cStream::FromStart);
	auto set = std::make_unique<sEmitterSet>();
	set->Read(bytes);
	return set;
}

const sBillboardBasis& Basis()
{
	static const sBillboardBasis basis =
		MakeBillboardBasis(cVector3d(1, 0, 0), cVector3d(0, 1, 0), cVector3d(0, 0, 1), cVector3d());
	return basis;
}

// The engine's emitter, and a copy of its particles for the plain loop.
struct sBench
{
	std::unique_ptr<sEmitterSet> set = MakeSet();
	cParticleEmitter emitter { set->descriptions[0] };
	sParticle own;
	std::vector<sParticle*> plain;

	sBench()
	{
		emitter.own.lifetime = 1000;
		emitter.accumulator = kParticles;
		emitter.Spawn(cVector3d(100, 200, 0));
		for (int i = 0; i < kParticles; ++i)
		{
			emitter.particles[i]->age = float(i) * 0.09f;
			emitter.particles[i]->origin.z = float(i % 97);
		}
		std::stable_sort(emitter.particles.begin(), emitter.particles.end(),
			[](const sParticle* a, const sParticle* b) { return a->origin.z < b->origin.z; });
		for (const sParticle* particle : emitter.particles)
			plain.push_back(new sParticle(*particle));
		own = emitter.own;
		own.color = sColor(1, 1, 1, 1);
	}

	~sBench()
	{
		for (sParticle* particle : plain)
			delete particle;
	}

	void EngineUpdate()
	{
		int count = 0;
		emitter.Update(cVector3d(100, 200, 0), Basis(), kStep, count, false, sColor(1, 1, 1, 1));
	}

	void PlainUpdate()
	{
		const sKeys& k = Keys();
		for (sParticle* p : plain)
		{
			p->position = p->velocity = p->acceleration = cVector3d();
			p->angle = p->angularVelocity = p->angularAcceleration = p->scale = p->mass = 0.0f;
			const float t = p->age / p->lifetime;
			p->color = k.color.GetValue(t);
			p->velocity += k.velocity.GetRangeValue(t, p->randomValues[0]);
			p->scale += k.scale.GetValue(t);
			p->angularVelocity += k.spin.GetRangeValue(t, p->randomValues[1]);
			p->position.y += k.rise.GetValue(t);
		}
		auto kept = plain.begin();
		for (sParticle* p : plain)
		{
			if (p->Step(own, Basis(), kStep))
				*kept++ = p;
			else
				delete p;
		}
		plain.erase(kept, plain.end());
		std::stable_sort(plain.begin(), plain.end(), [](const sParticle* a, const sParticle* b) { return a->depth < b->depth; });
	}

	bool Same() const
	{
		if (plain.size() != emitter.particles.size())
			return false;
		for (size_t i = 0; i < plain.size(); ++i)
			if (memcmp(plain[i], emitter.particles[i], sizeof(sParticle)) != 0)
				return false;
		return true;
	}
};

bool g_same = false;

void EngineEmitterUpdate(benchmark::State& state)
{
	sBench bench;
	for (auto _ : state)
		bench.EngineUpdate();
	if (!g_same)
		state.SkipWithError("the engine and the plain loop disagree");
	state.counters["particles/s"] = benchmark::Counter(kParticles, benchmark::Counter::kIsIterationInvariantRate);
}

void PlainParticleLoop(benchmark::State& state)
{
	sBench bench;
	for (auto _ : state)
		bench.PlainUpdate();
	if (!g_same)
		state.SkipWithError("the engine and the plain loop disagree");
	state.counters["particles/s"] = benchmark::Counter(kParticles, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(EngineEmitterUpdate)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(PlainParticleLoop)->Unit(benchmark::kMillisecond)->MinTime(0.5);
}

int main(int argc, char** argv)
{
	{
		sBench check;
		check.EngineUpdate();
		check.PlainUpdate();
		g_same = check.Same();
	}
	if (!SameOutput(g_same, "Emitter update"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	printf("\n");
	reporter.PrintTimeRatio("Emitter update of 10000 particles, 5 particle tracks", "EngineEmitterUpdate",
		"PlainParticleLoop", 1.5);
	const double engine = reporter.Median("EngineEmitterUpdate");
	const double plain = reporter.Median("PlainParticleLoop");
	if (engine > 0 && plain > 0)
		printf("  engine %.2f M particles/s, plain loop %.2f M particles/s\n", kParticles / engine / 1e6,
			kParticles / plain / 1e6);
	benchmark::Shutdown();
	return 0;
}
