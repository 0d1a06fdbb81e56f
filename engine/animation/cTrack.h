#pragma once
// The concrete track of one kind and one functor; all 189 pairs are
// instances of this template, registered with cTrackFactory.
//
// Kinds 0 to 5 act on the emitter at its time: 0 the single curve, 1 and 2
// the paired curves weighted by the own particle's random value at the
// track's slot or by a new random weight, 3 to 5 the same three as key
// events over the time step. Kinds 6 to 8 act on each live particle at its
// age as a fraction of its lifetime: 6 the single curve, 7 and 8 the paired
// curves weighted by the particle's random value or a new random weight.
// A particle follows a track of the particle kinds only when its chosen
// alternative for the functor is the track's alternative index.

#include "engine/animation/TrackFunctors.h"
#include "engine/animation/TrackImport.h"
#include "engine/animation/cTrackBase.h"
#include "engine/animation/sTrackData.h"
#include "engine/foundation/Random.h"

#include <type_traits>

template <int Kind, int Functor, class Data, class F>
class cTrack : public cTrackBase
{
	static_assert(Kind >= 0 && Kind < kTrackKindCount);
	static_assert(std::is_same_v<Data, sTrackData<typename F::Value>>);

public:
	using Value = typename F::Value;

	explicit cTrack(bool alternative) : cTrackBase(Kind, Functor, alternative) {}

	void Apply(cParticleEmitter& emitter) const override { ApplyTo(emitter, emitter.particles); }

	void ApplyTo(cParticleEmitter& emitter, std::span<sParticle* const> particles) const override
	{
		if constexpr (Kind <= 2)
			F::Write(emitter, emitter.own, Evaluate(emitter.time, EmitterWeight(emitter)), emitter.timeStep);
		else if constexpr (Kind <= 5)
		{
			const float weight = EmitterWeight(emitter);
			Value value {};
			const bool fired = Kind == 3 ? m_keys.GetEvent(emitter.time, emitter.timeStep, value)
										 : m_keys.GetRangeEvent(emitter.time, emitter.timeStep, weight, value);
			if (fired)
				F::Write(emitter, emitter.own, value, 1.0f);
		}
		else if constexpr (!F::EmitterOnly)
		{
			for (sParticle* particle : particles)
			{
				if (!(particle->lifetime > 0.0f) || particle->alternatives[Functor] != m_alternativeIndex)
					continue;
				const float weight = Kind == 7 ? particle->GetRandom(m_randomSlot) : Kind == 8 ? RandomFloat() : 0.0f;
				F::Write(emitter, *particle, Evaluate(particle->age / particle->lifetime, weight), 1.0f);
			}
		}
	}

	bool Read(cStream& stream) override { return m_keys.Read(stream); }
	void Write(cStream& stream) const override { m_keys.Write(stream); }

	bool Import(cStream& stream) override
	{
		if constexpr (std::is_same_v<Value, cVector3d>)
			return ImportVectorKeys(stream, m_keys, Kind != 0 && Kind != 6);
		else if constexpr (std::is_same_v<Value, sColor>)
			return ImportColorKeys(stream, m_keys);
		else
			return ImportFloatKeys(stream, m_keys, Functor >= kAngleFunctor && Functor <= kAngularAccelerationFunctor);
	}

	float GetMaxTime() const override { return m_keys.GetMaxTime(); }

	const Data& GetKeys() const { return m_keys; }
	Data& GetKeys() { return m_keys; }

private:
	// The weight of the paired emitter kinds: the own particle's stored
	// random value (kinds 1 and 4) or a new one drawn per apply (2 and 5).
	float EmitterWeight(const cParticleEmitter& emitter) const
	{
		if constexpr (Kind == 1 || Kind == 4)
			return emitter.own.GetRandom(m_randomSlot);
		else if constexpr (Kind == 2 || Kind == 5)
			return RandomFloat();
		else
			return 0.0f;
	}

	// The single curve for kinds 0 and 6, the paired curves otherwise.
	Value Evaluate(float time, float weight) const
	{
		if constexpr (Kind == 0 || Kind == 6)
			return m_keys.GetValue(time);
		else
			return m_keys.GetRangeValue(time, weight);
	}

	Data m_keys;
};

// The track class of a kind and functor number.
template <int Kind, int Functor>
using TrackOf = cTrack<Kind, Functor, sTrackData<typename TrackFunctor<Functor>::Value>, TrackFunctor<Functor>>;
