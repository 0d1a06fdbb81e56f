#pragma once
// Creates tracks by their kind and functor numbers, as emitter
// descriptions store them: one creator for each of the 9 x 21 track
// classes, registered when the factory is first used.

#include "engine/foundation/Singletone.h"

#include <map>

class cTrackBase;

class cTrackFactory : public Singletone<cTrackFactory>
{
public:
	// Allocates a track (owned by the caller) with its alternative flag.
	typedef cTrackBase* (*TrackCreator)(bool alternative);

	// Registers the creators of kinds 0 to 8 with functors 0 to 20.
	cTrackFactory();
	~cTrackFactory() override = default;

	// A new track of the pair, or null when the pair has no class.
	cTrackBase* CreateTrack(int kind, int functor, bool alternative) const;

private:
	std::map<int, std::map<int, TrackCreator>> m_creators;
};
