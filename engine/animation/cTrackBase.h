#pragma once
// A keyframed track of an emitter description: one key list of one value
// type, applied every update to an emitter or to each of its particles.
// The kind (0 to 8) decides what the track acts on and how its keys are
// evaluated, the functor (0 to 20) which field the value goes into. After
// reading, the description numbers the track's random slot and
// alternative index; from then on the track does not change, so one
// description's tracks serve every emitter built on it.

#include "engine/foundation/Singletone.h"

#include <span>

class cParticleEmitter;
class cStream;
struct sParticle;

constexpr int kTrackKindCount = 9;
// Kinds from this one on act on each live particle.
constexpr int kFirstParticleKind = 6;
// The particle kind that draws a new random weight for every particle.
constexpr int kDrawnParticleKind = 8;

class cTrackBase : public NoCopy
{
public:
	cTrackBase(int kind, int functor, bool alternative) : m_functor(functor), m_kind(kind), m_alternative(alternative)
	{
	}
	virtual ~cTrackBase() = default;

	// Writes this update's value into the emitter or its particles.
	virtual void Apply(cParticleEmitter& emitter) const = 0;
	// As Apply, but a track of the particle kinds writes only the given
	// particles of the emitter.
	virtual void ApplyTo(cParticleEmitter& emitter, std::span<sParticle* const> particles) const = 0;
	// The key list in the stored layout; false (no keys) when the count
	// does not fit the bytes left or the stream ends early.
	virtual bool Read(cStream& stream) = 0;
	virtual void Write(cStream& stream) const = 0;
	// The key list in the import layout; false (no keys) when the stream
	// ends early.
	virtual bool Import(cStream& stream) = 0;
	// The largest key time; 0 without keys.
	virtual float GetMaxTime() const = 0;

	int GetKind() const { return m_kind; }
	int GetFunctor() const { return m_functor; }
	bool IsAlternative() const { return m_alternative; }
	int GetRandomSlot() const { return m_randomSlot; }
	void SetRandomSlot(int slot) { m_randomSlot = slot; }
	int GetAlternativeIndex() const { return m_alternativeIndex; }
	void SetAlternativeIndex(int index) { m_alternativeIndex = index; }

protected:
	// Index of the stored random value that kinds 1, 4 and 7 weight with.
	int m_randomSlot = 0;
	// Position among the alternatives of the functor; -1 for none.
	int m_alternativeIndex = -1;
	int m_functor;
	int m_kind;
	bool m_alternative;
};
