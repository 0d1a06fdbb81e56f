#include "game/minigames/cMinigameTube.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

#include <iterator>

namespace
{
// The hidden order takes the valves at these list indexes.
const int kOrderPool[] = {1, 2, 3, 4};

std::string ValveMotion(int valve, const char* look)
{
	return "klapan_" + std::to_string(valve + 1) + "_" + look;
}
}

cMinigameTube::cMinigameTube(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	GetChildList().CollectNumberedChildren(m_indicators, "open_", 1);
	GetChildList().CollectNumberedChildren(m_valves, "kapan_off_", 1);
	GetChildList().CollectNumberedChildren(m_pressedLooks, "kapan_on_", 1);
	if (m_valves.size() <= size_t(std::size(kOrderPool)))
		LOG(2, "Minigame '%s' has %i valves 'kapan_off_1'... of the 5 it needs: it can only be skipped or closed",
			name.c_str(), int(m_valves.size()));
	for (int valve = 1; valve <= 5; ++valve)
		MapSound("flute" + std::to_string(valve), "flute" + std::to_string(valve));
	MapSound("keys", "keys");
}

void cMinigameTube::Show()
{
	cMinigame::Show();
	GetMotions().PlayByName("open_1_on");
	GetMotions().SeekByName("open_1_on", m_indicators.empty() ? 0.0f : m_indicators.front()->GetMotions().GetLength());
	for (size_t valve = 0; valve < m_valves.size(); ++valve)
	{
		const std::string shown = ValveMotion(int(valve), "off_fadein");
		cObjectMotions& motions = m_valves[valve]->GetMotions();
		motions.PlayByName(shown);
		motions.SeekByName(shown, motions.GetLengthByName(shown));
	}
	std::vector<int> pool(std::begin(kOrderPool), std::end(kOrderPool));
	m_order.clear();
	while (!pool.empty())
	{
		const auto taken = pool.begin() + Random() % int(pool.size());
		m_order.push_back(*taken);
		pool.erase(taken);
	}
	m_progress = 0;
	m_pressed = -1;
}

void cMinigameTube::ResetValves()
{
	for (cSceneObject* valve : m_valves)
	{
		valve->SetEnabled(true);
		valve->SetVisible(true);
	}
}

bool cMinigameTube::HandleInput()
{
	if (m_solved || m_pressed >= 0 || size_t(m_progress) >= m_order.size() || IsBusy() || !IsLeftPressed())
		return false;
	for (size_t valve = 0; valve < m_valves.size(); ++valve)
	{
		cSceneObject& object = *m_valves[valve];
		if (!IsPointedAt(object))
			continue;
		// A valve already pressed takes the click and nothing happens.
		if (!object.IsEnabled())
			break;
		m_pressed = int(valve);
		object.SetEnabled(false);
		if (valve < m_pressedLooks.size())
			m_pressedLooks[valve]->SetVisible(true);
		PlaySound("flute" + std::to_string(valve + 1), false, true);
		PlayValveMotion(m_pressed, "off_fadeout");
		PlayValveMotion(m_pressed, "on_fadein");
		break;
	}
	return false;
}

void cMinigameTube::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_pressed < 0 || IsBusy())
	{
		if (size_t(m_progress) == m_order.size() && !IsBusy() && !m_solved && !IsSoundPlaying("keys"))
			Solve();
		return;
	}
	Judge(m_pressed);
	m_pressed = -1;
}

void cMinigameTube::Judge(int valve)
{
	if (valve == m_order[size_t(m_progress)])
	{
		PlayIndicatorStep(m_progress + 1, "off");
		PlayIndicatorStep(m_progress + 2, "on");
		if (size_t(++m_progress) < m_order.size())
			return;
		GetMotions().PlayByName("key");
		PlaySound("keys", false, true);
		return;
	}
	// The indicator goes back to its first step.
	if (m_progress > 0)
	{
		PlayIndicatorStep(m_progress + 1, "off");
		PlayIndicatorStep(1, "on");
	}
	PlayValveMotion(valve, "off_fadein");
	PlayValveMotion(valve, "on_fadeout");
	for (int pressed = 0; pressed < m_progress; ++pressed)
	{
		PlayValveMotion(m_order[size_t(pressed)], "off_fadein");
		PlayValveMotion(m_order[size_t(pressed)], "on_fadeout");
	}
	m_progress = 0;
	ResetValves();
}

void cMinigameTube::PlayValveMotion(int valve, const char* look)
{
	GetMotions().PlayByName(ValveMotion(valve, look));
}

void cMinigameTube::PlayIndicatorStep(int step, const char* state)
{
	GetMotions().PlayByName("open_" + std::to_string(step) + "_" + state);
}
