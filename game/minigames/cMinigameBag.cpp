#include "game/minigames/cMinigameBag.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

namespace
{
const char* const kWheelNames[cMinigameBag::kWheels] = {"code_1", "code_2", "code_3", "code_4", "code_6", "code_7"};
constexpr int kPositions = 6;
const char* const kUnturned = "hit6";
}

cMinigameBag::cMinigameBag(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	for (const char* wheel : kWheelNames)
	{
		m_wheels.push_back(GetChildList().FindChild(wheel));
		if (!m_wheels.back())
			LOG(2, "Minigame '%s' has no wheel '%s'", name.c_str(), wheel);
	}
	MapSound("roll", "roll");
}

void cMinigameBag::Show()
{
	cMinigame::Show();
	m_states.clear();
	m_correct = false;
	m_opened = false;
}

int cMinigameBag::GetPosition(size_t wheel) const
{
	auto found = m_states.find(kWheelNames[wheel]);
	const std::string& state = found == m_states.end() ? std::string(kUnturned) : found->second;
	return std::stoi(state.substr(3));
}

bool cMinigameBag::HandleInput()
{
	if (m_solved || !IsLeftPressed())
		return false;
	for (size_t wheel = 0; wheel < m_wheels.size(); ++wheel)
		if (m_wheels[wheel] && IsPointedAt(*m_wheels[wheel]))
		{
			Turn(wheel);
			break;
		}
	m_correct = ShowsCombination();
	return false;
}

void cMinigameBag::Turn(size_t wheel)
{
	PlaySound("roll", false, true);
	const std::string state = "hit" + std::to_string(GetPosition(wheel) % kPositions + 1);
	m_states[kWheelNames[wheel]] = state;
	m_wheels[wheel]->GetAnimations().PlayByName(state);
	m_wheels[wheel]->GetMotions().PlayByName(state);
}

bool cMinigameBag::ShowsCombination() const
{
	for (size_t wheel = 0; wheel < m_wheels.size(); ++wheel)
		if (m_wheels[wheel] && GetPosition(wheel) != kCombination[wheel])
			return false;
	return true;
}

void cMinigameBag::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_correct || IsBusy())
		return;
	if (!m_opened)
	{
		GetMotions().PlayByName("open");
		GetAnimations().PlayByName("open");
		m_opened = true;
	}
	else
		Solve();
}
