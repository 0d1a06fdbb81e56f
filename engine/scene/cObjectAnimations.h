#pragma once
// By-name control of the animations of an object's visual and of every
// visual below it. It keeps no state: each operation walks the subtree.
// The queries that ask whether something plays enter visible children only;
// the commands and length queries enter every child. An object without a
// visual contributes nothing and the walk goes on below it.

#include <string>

class cSceneObject;
class cVisual;

class cObjectAnimations
{
public:
	explicit cObjectAnimations(cSceneObject* owner) : m_owner(owner) {}
	virtual ~cObjectAnimations() = default;

	void PlayByName(const std::string& name);
	void StopAll();
	void StopByName(const std::string& name);
	void Seek(float fraction);
	void SeekByName(const std::string& name, float fraction);
	// The named int parameter the animator takes as that animation's loop flag.
	void SetLoopByName(const std::string& name, bool loop);

	// Stop at the first playing visual.
	bool IsPlaying() const;
	bool IsPlayingByName(const std::string& name) const;
	// Visits every visible visual, even after one answered true.
	bool IsLoopingByName(const std::string& name) const;

	// The largest value over the subtree.
	float GetLength() const;
	float GetLengthByName(const std::string& name) const;
	float GetTime() const;

private:
	template <class Action>
	void ForEachVisual(cSceneObject* object, const Action& action) const;
	template <class Query>
	bool AnyVisible(cSceneObject* object, const Query& query) const;
	template <class Query>
	float Largest(cSceneObject* object, const Query& query) const;

	cSceneObject* m_owner;
};
