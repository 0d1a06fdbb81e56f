#include "engine/scene/cObjectMotions.h"

#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cMotionResource.h"
#include "engine/scene/cSceneObject.h"

#include <algorithm>

namespace
{
cMotionPlayer* PlayerOf(cSceneObject* object)
{
	return object->GetMotions().GetPlayer();
}
}

cObjectMotions::~cObjectMotions()
{
	delete m_player;
}

template <class Action>
void cObjectMotions::ForEachPlayer(cSceneObject* object, const Action& action) const
{
	if (cMotionPlayer* player = PlayerOf(object))
		action(*player);
	for (cSceneObject* child : object->GetChildList().GetChildren())
		ForEachPlayer(child, action);
}

template <class Query>
bool cObjectMotions::Any(cSceneObject* object, bool visibleOnly, const Query& query) const
{
	cMotionPlayer* player = PlayerOf(object);
	if (player && query(*player))
		return true;
	for (cSceneObject* child : object->GetChildList().GetChildren())
		if ((!visibleOnly || child->IsVisible()) && Any(child, visibleOnly, query))
			return true;
	return false;
}

template <class Query>
float cObjectMotions::Largest(cSceneObject* object, const Query& query) const
{
	cMotionPlayer* player = PlayerOf(object);
	float largest = player ? query(*player) : 0.0f;
	for (cSceneObject* child : object->GetChildList().GetChildren())
		largest = std::max(largest, Largest(child, query));
	return largest;
}

void cObjectMotions::PlayByName(const std::string& name)
{
	ForEachPlayer(m_owner, [&](cMotionPlayer& player) { player.Play(name); });
}

void cObjectMotions::StopAll()
{
	ForEachPlayer(m_owner, [](cMotionPlayer& player) { player.Stop(); });
}

void cObjectMotions::StopByName(const std::string& name)
{
	ForEachPlayer(m_owner, [&](cMotionPlayer& player) {
		if (player.GetCurrentClipName() == name)
			player.Stop();
	});
}

void cObjectMotions::SeekByName(const std::string& name, float seconds)
{
	ForEachPlayer(m_owner, [&](cMotionPlayer& player) {
		if (player.GetCurrentClipName() == name)
			player.Seek(seconds);
	});
}

void cObjectMotions::ResumeByName(const std::string& name)
{
	ForEachPlayer(m_owner, [&](cMotionPlayer& player) {
		if (player.GetCurrentClipName() == name)
			player.Resume();
	});
}

void cObjectMotions::SetDirectionByName(const std::string& name, bool forward)
{
	ForEachPlayer(m_owner, [&](cMotionPlayer& player) {
		if (player.GetCurrentClipName() == name)
			player.SetForward(forward);
	});
}

void cObjectMotions::SetLoopByName(const std::string& name, bool loop)
{
	ForEachPlayer(m_owner, [&](cMotionPlayer& player) { player.SetClipLoop(name, loop); });
}

void cObjectMotions::Rebase(bool recursive)
{
	if (m_player)
		m_player->Rebase(m_owner->GetTransform().GetLocalMatrix());
	if (recursive)
		for (cSceneObject* child : m_owner->GetChildList().GetChildren())
			child->GetMotions().Rebase(true);
}

bool cObjectMotions::IsPlaying() const
{
	return Any(m_owner, true, [](cMotionPlayer& player) { return player.IsPlaying(); });
}

bool cObjectMotions::IsPlayingByName(const std::string& name) const
{
	return Any(m_owner, true,
		[&](cMotionPlayer& player) { return player.IsPlaying() && player.GetCurrentClipName() == name; });
}

bool cObjectMotions::IsLoopingByName(const std::string& name) const
{
	// Every visible player is asked, so no short cut.
	bool looping = false;
	Any(m_owner, true, [&](cMotionPlayer& player) {
		looping |= player.GetCurrentClip() && player.GetCurrentClipName() == name && player.GetCurrentClip()->loop;
		return false;
	});
	return looping;
}

bool cObjectMotions::IsCurrentByName(const std::string& name) const
{
	return Any(m_owner, false, [&](cMotionPlayer& player) { return player.GetCurrentClipName() == name; });
}

float cObjectMotions::GetLength() const
{
	return Largest(m_owner,
		[](cMotionPlayer& player) { return player.GetCurrentClip() ? player.GetCurrentClip()->length : 0.0f; });
}

float cObjectMotions::GetLengthByName(const std::string& name) const
{
	return Largest(m_owner, [&](cMotionPlayer& player) { return player.GetClipLength(name); });
}

float cObjectMotions::GetTime() const
{
	return Largest(m_owner, [](cMotionPlayer& player) { return player.GetTime(); });
}

float cObjectMotions::GetTimeByName(const std::string& name) const
{
	return Largest(m_owner, [&](cMotionPlayer& player) { return player.GetTimeIfCurrent(name); });
}

std::string cObjectMotions::GetCurrentClipName() const
{
	return m_player ? m_player->GetCurrentClipName() : std::string();
}

void cObjectMotions::CreatePlayer(const std::string& motionName)
{
	delete m_player;
	m_player = new cMotionPlayer(&m_owner->GetTransform(), cResourceHandle::InitByName<cMotionResource>(motionName));
}
