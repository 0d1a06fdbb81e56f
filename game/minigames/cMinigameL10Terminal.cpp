#include "game/minigames/cMinigameL10Terminal.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

namespace
{
// Seconds from the solve to the win.
constexpr float kWinDelay = 1.0f;

void Release(cSceneObject* button)
{
	if (button)
		button->SetVisible(true);
}
}

cMinigameL10Terminal::cMinigameL10Terminal(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	GetChildList().CollectNumberedChildren(m_buttons, "button_", 0);
	for (const char* extra : {"button_in", "button_number"})
		if (cSceneObject* button = GetChildList().FindChild(extra))
			m_buttons.push_back(button);
	if (m_buttons.size() <= kPair[1])
		LOG(2, "Minigame '%s' has %i buttons 'button_0'...: too few for its pair, it can only be skipped or closed",
			name.c_str(), int(m_buttons.size()));
	MapSound("click", "click");
}

void cMinigameL10Terminal::Show()
{
	cMinigame::Show();
	m_older = nullptr;
	m_newer = nullptr;
}

bool cMinigameL10Terminal::HandleInput()
{
	if (m_solved || !IsLeftPressed())
		return false;
	for (cSceneObject* button : m_buttons)
		if (IsPointedAt(*button))
			Click(button);
	if (HoldsPair())
	{
		m_solved = true;
		m_victoryDelay = kWinDelay;
	}
	return false;
}

void cMinigameL10Terminal::Click(cSceneObject* button)
{
	PlaySound("click", false, true);
	if (button == m_older)
	{
		Release(m_older);
		m_older = nullptr;
	}
	else if (button == m_newer)
	{
		Release(m_newer);
		m_newer = m_older;
		m_older = nullptr;
	}
	else
	{
		Release(m_older);
		m_older = m_newer;
		m_newer = button;
		button->SetVisible(false);
	}
}

bool cMinigameL10Terminal::HoldsPair() const
{
	if (m_buttons.size() <= kPair[1] || !m_older || !m_newer)
		return false;
	const cSceneObject* first = m_buttons[kPair[0]];
	const cSceneObject* second = m_buttons[kPair[1]];
	return (m_older == first && m_newer == second) || (m_older == second && m_newer == first);
}
