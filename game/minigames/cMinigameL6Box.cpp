#include "game/minigames/cMinigameL6Box.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/KeypadDisplay.h"
#include "game/minigames/MinigameMouse.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr size_t kDigits = 10;
// A longer entry is emptied.
constexpr size_t kLongest = 4;
// Seconds from the solve to the win.
constexpr float kWinDelay = 1.0f;
}

cMinigameL6Box::cMinigameL6Box(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	GetChildList().CollectNumberedChildren(m_buttons, "button_", 0);
	m_digitKeys = std::min(m_buttons.size(), kDigits);
	for (const char* extra : {"button_p", "button_on"})
		if (cSceneObject* key = GetChildList().FindChild(extra))
			m_buttons.push_back(key);
	GetChildList().CollectNumberedChildren(m_displays, "code", 1);
	if (m_digitKeys < kDigits || m_displays.size() < std::strlen(kCode))
		LOG(2, "Minigame '%s' has %i of the 10 keys 'button_0'... and %i of the 4 displays 'code1'...",
			name.c_str(), int(m_digitKeys), int(m_displays.size()));
	MapSound("button", "button_click");
}

void cMinigameL6Box::Show()
{
	cMinigame::Show();
	m_entered.clear();
	RefreshDisplay();
	m_pressed = nullptr;
	for (cSceneObject* key : m_buttons)
		key->SetVisible(true);
}

bool cMinigameL6Box::HandleInput()
{
	if (m_solved)
		return false;
	if (IsLeftPressed())
	{
		Release();
		for (size_t key = 0; key < m_buttons.size(); ++key)
			if (IsPointedAt(*m_buttons[key]))
				Press(key);
	}
	else if (m_pressed && !IsLeftDown())
		Release();
	return false;
}

void cMinigameL6Box::Press(size_t key)
{
	m_pressed = m_buttons[key];
	m_pressed->SetVisible(false);
	PlaySound("button", false, true);
	if (key < m_digitKeys)
		m_entered += char('0' + key);
	if (m_entered == kCode)
	{
		m_solved = true;
		m_victoryDelay = kWinDelay;
	}
	else if (m_entered.size() > kLongest)
		m_entered.clear();
	RefreshDisplay();
}

void cMinigameL6Box::Release()
{
	if (m_pressed)
		m_pressed->SetVisible(true);
	m_pressed = nullptr;
}

void cMinigameL6Box::RefreshDisplay()
{
	ShowOnDisplay(m_displays, m_entered, std::strlen(kCode), ' ');
}
