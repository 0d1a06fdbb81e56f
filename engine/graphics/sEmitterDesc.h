#pragma once
// One emitter description: the tracks that drive the emitter (the emitter
// list) and those that drive its particles (the particle list), in file
// order, with what is derived from them after reading: the duration, the
// set of functors that have a track, and per functor the list of flagged
// particle tracks among which each new particle chooses one.

#include "engine/foundation/Singletone.h"
#include "engine/graphics/sParticle.h"

#include <bitset>
#include <vector>

class cStream;
class cTrackBase;

struct sEmitterDesc : public NoCopy
{
	sEmitterDesc() = default;
	// Deletes the tracks of both lists.
	~sEmitterDesc();

	// Deletes the tracks and clears everything derived from them.
	void Clear();
	// Reads the emitter list and the particle list, then numbers the
	// tracks. False when a record names no track class, a count does not
	// fit the bytes left or the stream ends early.
	bool Read(cStream& stream);
	// Writes both lists in the layout Read reads.
	void Write(cStream& stream) const;
	// The duration (the largest key time of the emitter list, at least 0),
	// the random slots of kinds 1 and 4 in the emitter list and of kind 7
	// in the particle list, and the alternative lists with each flagged
	// particle track's alternative index.
	void NumberTracks();

	// True when the particle list can be applied to a few particles at a
	// time, each run reset, written and stepped before the next, with the
	// outcome of applying it track by track to all of them: the emitter
	// list holds only emitter kinds, the particle list only particle kinds,
	// and at most one track draws a new random weight per particle (the
	// draws of two would interleave differently).
	bool AppliesParticlesInRuns() const;
	bool HasFunctor(int functor) const { return functors.test(size_t(functor)); }
	// Sets every field of the own particle that no track drives to its
	// default: mass 1, scale 100, lifetime 1, angles 0, white, and each
	// position, velocity and acceleration axis 0.
	void ApplyDefaults(sParticle& own) const;
	// Clears every field of the own particle that a track drives, before
	// the tracks of an update add to it.
	void ResetEmitterValues(sParticle& own) const;

	float duration = 0.0f;
	std::vector<cTrackBase*> emitterTracks;
	std::vector<cTrackBase*> particleTracks;
	std::bitset<kTrackFunctorCount> functors;
	// Not owned: they point into the particle list.
	std::vector<cTrackBase*> alternatives[kTrackFunctorCount];

private:
	bool ReadTrackList(cStream& stream, std::vector<cTrackBase*>& list);
};
