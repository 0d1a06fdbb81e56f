#include "game/minigames/cMinigamePhone.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

namespace
{
// The keys around the digits, after them in this order.
const char* const kNamedKeys[] = { "button_lt", "button_t", "button_rt", "button_b", "button_talk", "button_end",
	"button_lb", "button_rb" };
}

cMinigamePhone::cMinigamePhone(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	GetChildList().CollectNumberedChildren(m_keys, "button_", 0);
	for (const char* key : kNamedKeys)
		if (cSceneObject* found = GetChildList().FindChild(key))
			m_keys.push_back(found);
		else
			LOG(2, "phone: the scene of '%s' has no key \"%s\"", name.c_str(), key);
}

void cMinigamePhone::Show()
{
	cMinigame::Show();
	for (cSceneObject* key : m_keys)
		key->SetVisible(true);
	m_pressed = nullptr;
}

void cMinigamePhone::Release()
{
	m_pressed->SetVisible(true);
	m_pressed = nullptr;
}

bool cMinigamePhone::HandleInput()
{
	if (m_solved)
		return false;
	if (IsLeftPressed())
	{
		if (m_pressed)
			Release();
		// Every key hit goes in; the last one hit is the one held.
		for (cSceneObject* key : m_keys)
			if (IsPointedAt(*key))
			{
				m_pressed = key;
				key->SetVisible(false);
			}
	}
	else if (m_pressed && !IsLeftDown())
		Release();
	return false;
}
