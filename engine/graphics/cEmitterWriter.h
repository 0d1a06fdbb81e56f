#pragma once
// Builds an emitter file: descriptions of keyframed tracks, the texture
// name, the effect's name and its loop flag, written in the layout the
// emitter resource reads. Used by the tests and the content tools.

#include "engine/animation/sTrackData.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/sEmitterSet.h"

#include <string>
#include <vector>

class cEmitterWriter
{
public:
	// Starts a new description; the tracks added after it go into it.
	void AddDescription();
	// Appends a track with its keys to the emitter list or the particle
	// list of the last description (a first one is started when there is
	// none). False, and nothing added, when the pair has no track class
	// or the value type does not match the functor's.
	template <class T>
	bool AddTrack(bool particleList, int kind, int functor, bool alternative, const std::vector<sTrackKey<T>>& keys)
	{
		sTrackData<T> data;
		data.keys = keys;
		cMemoryStream bytes;
		data.Write(bytes);
		return AddTrackBytes(particleList, kind, functor, alternative, bytes);
	}

	void SetTexture(const std::string& name) { m_set.textureName = name; }
	void SetName(const std::string& name) { m_set.name = name; }
	void SetLoop(bool loop) { m_set.loop = loop; }

	void Write(cStream& out) const;
	// The file's bytes.
	std::string GetBytes() const;

private:
	bool AddTrackBytes(bool particleList, int kind, int functor, bool alternative, cMemoryStream& keys);

	sEmitterSet m_set;
};
