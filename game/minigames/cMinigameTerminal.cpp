#include "game/minigames/cMinigameTerminal.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/KeypadDisplay.h"

#include <algorithm>
#include <cstring>

cMinigameTerminal::cMinigameTerminal(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	GetChildList().CollectNumberedChildren(m_buttons, "button", 0);
	GetChildList().CollectNumberedChildren(m_displays, "code", 0);
	if (m_buttons.size() < 10 || m_displays.size() < std::strlen(kCode))
		LOG(2, "Minigame '%s' has %i of the 10 keys 'button0'... and %i of the 6 displays 'code0'...", name.c_str(),
			int(m_buttons.size()), int(m_displays.size()));
	for (cSceneObject* key : m_buttons)
		key->BindEvent("on_click", tEvent(MakeMemberDelegate(this, &cMinigameTerminal::OnKey)));
}

void cMinigameTerminal::Show()
{
	cMinigame::Show();
	m_entered.clear();
	RefreshDisplay();
}

void cMinigameTerminal::OnKey(cSceneObject* key)
{
	const auto found = std::find(m_buttons.begin(), m_buttons.end(), key);
	if (m_solved || found == m_buttons.end() || GetMotions().IsPlayingByName("mistake"))
		return;
	m_entered += std::to_string(found - m_buttons.begin());
	if (m_entered.size() >= std::strlen(kCode))
	{
		if (m_entered == kCode)
		{
			GetMotions().PlayByName("correct");
			m_victoryDelay = GetMotions().GetLengthByName("correct");
			m_solved = true;
		}
		else
			GetMotions().PlayByName("mistake");
	}
	RefreshDisplay();
}

void cMinigameTerminal::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_solved && !GetMotions().IsPlaying() && m_entered.size() >= std::strlen(kCode))
	{
		m_entered.clear();
		RefreshDisplay();
	}
}

void cMinigameTerminal::RefreshDisplay()
{
	ShowOnDisplay(m_displays, m_entered, std::strlen(kCode), '0');
}
