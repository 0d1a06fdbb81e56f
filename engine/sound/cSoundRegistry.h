#pragma once
// Sound effects fired for objects and forgotten: every play is a sound
// instance, remembered with the sound it plays, so that all running
// instances of a sound can be stopped, faded out or asked about by naming
// the sound again. Instances whose sound has finished are deleted once a
// frame. Main thread only.

#include "engine/foundation/Singletone.h"

#include <map>
#include <vector>

class cResourceHandle;
class cSoundInstance;
class cSoundStream;

class cSoundRegistry : public Singletone<cSoundRegistry>
{
public:
	// Deletes every instance.
	~cSoundRegistry() override;

	// Plays the sound once more as a new instance, at full volume at once.
	// An empty handle does nothing.
	void Play(const cResourceHandle& sound, bool loop);
	// Stops every instance of the sound; they go at the next update.
	void Stop(const cResourceHandle& sound);
	// Fades every instance of the sound out over seconds.
	void FadeOut(const cResourceHandle& sound, float seconds);
	// An instance of the sound exists, playing or not yet purged.
	bool Contains(const cResourceHandle& sound) const;
	// An instance of the sound is heard and not fading out.
	bool IsPlaying(const cResourceHandle& sound) const;
	// Deletes every instance.
	void Clear();
	// Once a frame: deletes the instances that no longer play.
	void Update();

private:
	// Calls action with every instance of the sound.
	template <class Action>
	void ForEachInstanceOf(const cResourceHandle& sound, Action action) const;
	void DeleteAll();

	// Every live instance, in the order played.
	std::vector<cSoundInstance*> m_instances;
	// The decoder each instance's sound had when it was played.
	std::map<cSoundInstance*, cSoundStream*> m_keys;

	// Set by the destructor: clearing is then left alone.
	static inline bool s_destroyed = false;
};
