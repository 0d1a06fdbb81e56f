#include "game/minigames/cMinigameCodeEnter.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

#include <cstdlib>

namespace
{
constexpr int kPositions = 10;
// Seconds from the solve to the win.
constexpr float kWinDelay = 1.0f;

// The number a wheel shows by its clip "hit<n>"; 0 for any other clip.
int ShownNumber(const std::string& clip)
{
	if (clip.compare(0, 3, "hit") != 0)
		return 0;
	return std::atoi(clip.c_str() + 3);
}
}

cMinigameCodeEnter::cMinigameCodeEnter(
	const std::string& name, cSceneObject* parent, const char* frame, const tCode& combination)
	: cMinigame(name, parent), m_combination(combination)
{
	if (cSceneObject* window = GetChildList().FindChild(frame))
	{
		cTransformNode& transform = window->GetTransform();
		if (transform.IsWorldBoxDirty())
			transform.UpdateWorldBox();
		m_windowBox = transform.GetWorldBox();
		m_windowBox.min.z = 0;
		m_windowBox.max.z = 1;
	}
	GetChildList().CollectNumberedChildren(m_wheels, "vall_", 1);
	if (m_wheels.size() < size_t(kCodeWheels))
		LOG(2, "Minigame '%s' has %i wheels 'vall_1'... of the 3 it needs: it can only be skipped or closed",
			name.c_str(), int(m_wheels.size()));
	MapSound("roll", "roll");
	m_hasBorder = true;
}

bool cMinigameCodeEnter::HandleInput()
{
	if (m_solved || !IsLeftPressed())
		return false;
	for (size_t wheel = 0; wheel < m_wheels.size(); ++wheel)
		if (IsPointedAt(*m_wheels[wheel]))
		{
			Turn(wheel);
			break;
		}
	return false;
}

void cMinigameCodeEnter::Turn(size_t wheel)
{
	int number = ShownNumber(m_wheels[wheel]->GetMotions().GetCurrentClipName()) + 1;
	if (number < 1 || number > kPositions)
		number = 1;
	PlaySound("roll", false, true);
	m_wheels[wheel]->GetMotions().PlayByName("hit" + std::to_string(number));
	if (wheel < m_positions.size())
		m_positions[wheel] = number;
}

void cMinigameCodeEnter::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_solved && m_positions == m_combination)
	{
		m_solved = true;
		m_victoryDelay = kWinDelay;
	}
}
