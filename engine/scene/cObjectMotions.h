#pragma once
// By-name control of the keyframed motions of an object and of every
// object below it. The owner may have one motion player; each operation
// acts on the owner's player (when there is one) and then on the children.
// The queries that ask whether something plays enter visible children
// only; the commands, the length and time queries and IsCurrentByName
// enter every child. An object without a player answers false, 0 or empty,
// and the walk goes on below it.

#include <string>

class cMotionPlayer;
class cSceneObject;

class cObjectMotions
{
public:
	explicit cObjectMotions(cSceneObject* owner) : m_owner(owner) {}
	// Deletes the player.
	virtual ~cObjectMotions();
	cObjectMotions(const cObjectMotions&) = delete;
	cObjectMotions& operator=(const cObjectMotions&) = delete;

	void PlayByName(const std::string& name);
	void StopAll();
	// The remaining commands act on players whose current clip has the name;
	// SetLoopByName on every player that has such a clip.
	void StopByName(const std::string& name);
	void SeekByName(const std::string& name, float seconds);
	void ResumeByName(const std::string& name);
	void SetDirectionByName(const std::string& name, bool forward);
	void SetLoopByName(const std::string& name, bool loop);
	// Takes each player's base from its owner's current local matrix; the
	// children's only when recursive is set.
	void Rebase(bool recursive);

	// Stop at the first true.
	bool IsPlaying() const;
	bool IsPlayingByName(const std::string& name) const;
	// Visits every visible player, even after one answered true.
	bool IsLoopingByName(const std::string& name) const;
	bool IsCurrentByName(const std::string& name) const;

	// The largest value over the subtree, of players playing or not.
	float GetLength() const;
	float GetLengthByName(const std::string& name) const;
	float GetTime() const;
	float GetTimeByName(const std::string& name) const;
	// The owner's own player's current clip name.
	std::string GetCurrentClipName() const;

	// Replaces the owner's player by a new one on the owner's transform and
	// the named motion resource (a missing one leaves the player without data).
	void CreatePlayer(const std::string& motionName);
	// The owner's player, or null.
	cMotionPlayer* GetPlayer() const { return m_player; }

private:
	template <class Action>
	void ForEachPlayer(cSceneObject* object, const Action& action) const;
	template <class Query>
	bool Any(cSceneObject* object, bool visibleOnly, const Query& query) const;
	template <class Query>
	float Largest(cSceneObject* object, const Query& query) const;

	cSceneObject* m_owner;
	cMotionPlayer* m_player = nullptr;
};
