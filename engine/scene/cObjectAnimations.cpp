#include "engine/scene/cObjectAnimations.h"

#include "engine/scene/cSceneObject.h"
#include "engine/scene/cVisual.h"

#include <algorithm>

template <class Action>
void cObjectAnimations::ForEachVisual(cSceneObject* object, const Action& action) const
{
	if (cVisual* visual = object->GetVisual())
		action(*visual);
	for (cSceneObject* child : object->GetChildList().GetChildren())
		ForEachVisual(child, action);
}

template <class Query>
bool cObjectAnimations::AnyVisible(cSceneObject* object, const Query& query) const
{
	cVisual* visual = object->GetVisual();
	if (visual && query(*visual))
		return true;
	for (cSceneObject* child : object->GetChildList().GetChildren())
		if (child->IsVisible() && AnyVisible(child, query))
			return true;
	return false;
}

template <class Query>
float cObjectAnimations::Largest(cSceneObject* object, const Query& query) const
{
	cVisual* visual = object->GetVisual();
	float largest = visual ? query(*visual) : 0.0f;
	for (cSceneObject* child : object->GetChildList().GetChildren())
		largest = std::max(largest, Largest(child, query));
	return largest;
}

void cObjectAnimations::PlayByName(const std::string& name)
{
	ForEachVisual(m_owner, [&](cVisual& visual) { visual.PlayAnimation(name); });
}

void cObjectAnimations::StopAll()
{
	ForEachVisual(m_owner, [](cVisual& visual) { visual.StopAnimation(); });
}

void cObjectAnimations::StopByName(const std::string& name)
{
	ForEachVisual(m_owner, [&](cVisual& visual) {
		if (visual.IsCurrentAnimation(name))
			visual.StopAnimation();
	});
}

void cObjectAnimations::Seek(float fraction)
{
	ForEachVisual(m_owner, [&](cVisual& visual) { visual.SeekAnimation(fraction); });
}

void cObjectAnimations::SeekByName(const std::string& name, float fraction)
{
	ForEachVisual(m_owner, [&](cVisual& visual) {
		if (visual.IsCurrentAnimation(name))
			visual.SeekAnimation(fraction);
	});
}

void cObjectAnimations::SetLoopByName(const std::string& name, bool loop)
{
	ForEachVisual(m_owner, [&](cVisual& visual) { visual.SetAnimationParam(name, loop); });
}

bool cObjectAnimations::IsPlaying() const
{
	return AnyVisible(m_owner, [](cVisual& visual) { return visual.IsAnimationPlaying(); });
}

bool cObjectAnimations::IsPlayingByName(const std::string& name) const
{
	return AnyVisible(m_owner, [&](cVisual& visual) { return visual.IsNamedAnimationPlaying(name); });
}

bool cObjectAnimations::IsLoopingByName(const std::string& name) const
{
	// Every visible visual is asked, so no short cut.
	bool looping = false;
	AnyVisible(m_owner, [&](cVisual& visual) {
		looping |= visual.IsNamedAnimationPlaying(name) && visual.IsAnimationLooping();
		return false;
	});
	return looping;
}

float cObjectAnimations::GetLength() const
{
	return Largest(m_owner,
		[](cVisual& visual) { return visual.IsAnimationPlaying() ? visual.GetAnimationLength() : 0.0f; });
}

float cObjectAnimations::GetLengthByName(const std::string& name) const
{
	return Largest(m_owner,
		[&](cVisual& visual) { return visual.IsCurrentAnimation(name) ? visual.GetAnimationLength() : 0.0f; });
}

float cObjectAnimations::GetTime() const
{
	return Largest(m_owner,
		[](cVisual& visual) { return visual.IsAnimationPlaying() ? visual.GetAnimationTime() : 0.0f; });
}
