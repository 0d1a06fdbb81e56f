#include "game/minigames/cMinigameStatue.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

#include <algorithm>
#include <iterator>

namespace
{
const char* const kSet = "hit1";
const char* const kHead = "head";
const char* const kFeathers[] = {"1_pero", "2_pero", "3_pero", "4_pero", "5_pero"};
const char* const kArms[] = {"l_arm", "r_arm"};

bool IsFeather(const std::string& part)
{
	return std::find(std::begin(kFeathers), std::end(kFeathers), part) != std::end(kFeathers);
}
}

cMinigameStatue::cMinigameStatue(const std::string& name, cSceneObject* parent)
	: cMinigame(name, parent), m_body(GetChildList().FindChild("body"))
{
	if (!m_body)
		LOG(2, "Minigame '%s' has no object 'body': it can only be skipped or closed", name.c_str());
	MapSound("stone_take", "stone_take");
}

void cMinigameStatue::Show()
{
	cMinigame::Show();
	m_states.clear();
	m_allSet = false;
	m_doorsOpened = false;
}

std::string cMinigameStatue::GetPartState(const std::string& part) const
{
	auto found = m_states.find(part);
	return found == m_states.end() ? std::string() : found->second;
}

cSceneObject* cMinigameStatue::FindHitPart(cSceneObject* object)
{
	if (!object)
		return nullptr;
	for (cSceneObject* child : object->GetChildList().GetChildren())
	{
		if (IsPointedAt(*child))
			return child;
		if (cSceneObject* below = FindHitPart(child))
			return below;
	}
	return nullptr;
}

bool cMinigameStatue::AreAllSet(const char* const* first, const char* const* last) const
{
	return std::all_of(first, last, [&](const char* part) { return IsSet(part); });
}

bool cMinigameStatue::IsAllowed(const std::string& part) const
{
	if (IsSet(part))
		return false;
	if (part == kHead)
		return AreAllSet(std::begin(kFeathers), std::end(kFeathers));
	if (IsFeather(part))
		return !IsSet(kHead);
	return IsSet(kHead);
}

bool cMinigameStatue::HandleInput()
{
	if (m_solved || IsBusy() || !IsLeftPressed())
		return false;
	cSceneObject* part = FindHitPart(m_body);
	if (part && IsAllowed(part->GetName()))
		Touch(*part);
	return false;
}

void cMinigameStatue::Touch(cSceneObject& part)
{
	const std::string& name = part.GetName();
	const std::string old = GetPartState(name);
	const std::string state = old.empty() || old == "hit2" ? kSet : "hit2";
	const std::string clip = name + "_" + state;
	part.GetAnimations().PlayByName(clip);
	part.GetMotions().PlayByName(clip);
	// A part without the clip does not count.
	if (!part.GetMotions().IsPlayingByName(clip))
		return;
	PlaySound("stone_take", false, true);
	m_states[name] = state;
	m_allSet = IsSet(kHead) && AreAllSet(std::begin(kFeathers), std::end(kFeathers)) &&
		AreAllSet(std::begin(kArms), std::end(kArms));
}

void cMinigameStatue::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_allSet || IsBusy())
		return;
	if (!m_doorsOpened)
	{
		GetMotions().PlayByName("open_doors");
		GetAnimations().PlayByName("open_doors");
		m_doorsOpened = true;
	}
	else
		Solve();
}
