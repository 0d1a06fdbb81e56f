#include "game/location/cLocationWaitList.h"

#include "engine/scene/cSceneObject.h"
#include "engine/sound/cSoundRegistry.h"
#include "game/panel/cGamePanel.h"

#include <algorithm>

cLocationWaitList::cLocationWaitList(cSceneObject* form) : m_form(form)
{
}

void cLocationWaitList::Clear()
{
	m_names.clear();
	m_fades.clear();
	m_sound.Reset();
}

void cLocationWaitList::AddAnimation(const std::string& name)
{
	if (std::find(m_names.begin(), m_names.end(), name) == m_names.end())
		m_names.push_back(name);
}

void cLocationWaitList::SetSound(const cResourceHandle& sound)
{
	m_sound = sound;
}

void cLocationWaitList::AddFade(sFadeEntry* fade)
{
	m_fades.push_back(fade);
}

void cLocationWaitList::ForgetFade(sFadeEntry* fade)
{
	std::erase(m_fades, fade);
}

bool cLocationWaitList::IsBusy() const
{
	return IsPanelBusy() || !m_fades.empty() || IsNameBusy() ||
		(m_sound && cSoundRegistry::GetInstance()->Contains(m_sound));
}

bool cLocationWaitList::IsPanelBusy() const
{
	const cGamePanel* panel = cGamePanel::Get();
	return panel && (panel->GetFlyEffectCount() > 0 || panel->IsAnySlotMoving() || panel->IsAnySlotFlying());
}

bool cLocationWaitList::IsNameBusy() const
{
	return std::any_of(m_names.begin(), m_names.end(), [this](const std::string& name) {
		return m_form->GetMotions().IsPlayingByName(name) || m_form->GetAnimations().IsPlayingByName(name);
	});
}
