#include "game/minigames/cMinigameGlass.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

namespace
{
// Seconds from the solve to the win.
constexpr float kWinDelay = 1.0f;
}

cMinigameGlass::cMinigameGlass(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	for (int ring = 0; ring < kRings; ++ring)
	{
		GetChildList().FindChildrenByProperty(m_rings[size_t(ring)], "ring", std::to_string(ring + 1));
		if (m_rings[size_t(ring)].empty())
			LOG(2, "Minigame '%s' has no pieces of ring %i: it can only be skipped or closed", name.c_str(), ring + 1);
	}
	MapSound("glass", "glass_crash");
}

void cMinigameGlass::Show()
{
	cMinigame::Show();
	for (const std::vector<cSceneObject*>& ring : m_rings)
		for (cSceneObject* piece : ring)
			piece->GetTransform().SetColor(1, 1, 1, 1);
	m_stage = 0;
	m_hover = false;
}

bool cMinigameGlass::HandleInput()
{
	if (m_solved || IsBusy())
		return false;
	if (m_stage >= kRings)
	{
		m_solved = true;
		m_victoryDelay = kWinDelay;
		return false;
	}
	bool over = false;
	for (cSceneObject* piece : m_rings[size_t(m_stage)])
	{
		if (!IsPointedAt(*piece))
			continue;
		if (IsLeftPressed())
		{
			Break();
			return false;
		}
		over = true;
		break;
	}
	if (over != m_hover)
		ShadeRing(over);
	return false;
}

void cMinigameGlass::Break()
{
	const std::string clip = "brake" + std::to_string(m_stage + 1);
	GetMotions().PlayByName(clip);
	GetAnimations().PlayByName(clip);
	PlaySound("glass", false, true);
	++m_stage;
	m_hover = false;
}

void cMinigameGlass::ShadeRing(bool over)
{
	m_hover = over;
	const float shade = over ? 0.2f : 1.0f;
	for (cSceneObject* piece : m_rings[size_t(m_stage)])
		piece->GetTransform().SetColor(shade, shade, shade, 1);
}
