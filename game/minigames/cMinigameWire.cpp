#include "game/minigames/cMinigameWire.h"

#include "game/minigames/MinigameMouse.h"

#include <algorithm>

namespace
{
// Seconds from the cut to the win.
constexpr float kWinDelay = 1.0f;
}

cMinigameWire::cMinigameWire(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	MapSound("metal_cut", "metal_cut");
}

void cMinigameWire::Show()
{
	cMinigame::Show();
	m_clicks = 0;
	m_pending = false;
}

bool cMinigameWire::HandleInput()
{
	if (m_solved || IsBusy() || !IsLeftPressed())
		return false;
	const std::string hit = "hit" + std::to_string(++m_clicks);
	GetMotions().PlayByName(hit);
	GetAnimations().PlayByName(hit);
	m_pending = true;
	return false;
}

bool cMinigameWire::IsPastHalf()
{
	const float length = std::max(GetAnimations().GetLength(), GetMotions().GetLength());
	if (length <= 0)
		return true;
	return std::max(GetAnimations().GetTime(), GetMotions().GetTime()) / length > 0.5f;
}

void cMinigameWire::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_pending && IsPastHalf())
	{
		PlaySound("metal_cut", false, true);
		const std::string cut = "break" + std::to_string(m_clicks);
		GetMotions().PlayByName(cut);
		GetAnimations().PlayByName(cut);
		m_pending = false;
	}
	if (m_clicks >= kClicksToCut && !IsBusy() && !m_solved)
	{
		m_solved = true;
		m_victoryDelay = kWinDelay;
	}
}
