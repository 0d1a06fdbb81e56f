#include "game/scenario/cScenario.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/scene/cSceneManager.h"
#include "game/play/cPlayerProgress.h"
#include "game/scenario/commands/cStateDeclaration.h"
#include "game/scenario/sEventContext.h"

#include <algorithm>

cScenario::cScenario(const std::string& locationName) : m_locationName(locationName)
{
}

cScenario::~cScenario() = default;

bool cScenario::Load(const cXmlNode& root, cScenarioOwner* owner)
{
	m_current = nullptr;
	m_running = nullptr;
	m_stateName.clear();
	m_states.clear();
	bool whole = true;
	for (const cXmlNode* element = root.GetFirstChild(); element; element = element->GetNextSibling())
	{
		const std::string name = GetXmlAttribute(element, "name", "");
		auto state = std::make_unique<cStateDeclaration>("state_declaration", owner);
		if (!state->Load(*element))
		{
			LOG(2, "Location '%s' error. State '%s' could not be read whole", m_locationName.c_str(), name.c_str());
			whole = false;
		}
		m_states[name] = std::move(state);
	}
	return whole;
}

cScenarioCommand* cScenario::GetState(const std::string& name)
{
	if (name.empty())
		return m_current;
	auto state = m_states.find(name);
	if (state != m_states.end())
		return state->second.get();
	LOG(2, "Location '%s' error. State '%s' not found.\n", m_locationName.c_str(), name.c_str());
	return nullptr;
}

void cScenario::SetState(const std::string& name)
{
	auto state = m_states.find(name);
	if (state == m_states.end())
	{
		m_current = nullptr;
		m_stateName.clear();
		return;
	}
	m_current = state->second.get();
	m_stateName = name;
}

void cScenario::Tick()
{
	if (m_running)
		m_running = m_running->Tick();
}

void cScenario::Reset()
{
	m_current = GetState("startup");
	m_running = nullptr;
	// A "state" command ticked below renames the state it switches to.
	m_stateName = m_current ? "startup" : "";
	if (m_current)
	{
		cAutoLock lock(Singletone<cSceneManager>::GetInstance()->GetLock());
		m_current = m_running = m_current->Tick();
	}
	for (const auto& [name, state] : m_states)
		state->Reset();
}

void cScenario::SaveTo(cPlayerProgress& progress) const
{
	// Without a current state the next visit starts afresh.
	progress.SetLocationStateName(m_locationName, m_current ? m_stateName : std::string());
	progress.SaveScenario(m_locationName, m_current);
}

bool cScenario::RestoreFrom(cPlayerProgress& progress)
{
	const std::string stateName = progress.GetLocationStateName(m_locationName);
	if (stateName.empty())
		return false;
	SetState(stateName);
	if (!m_current)
		return false;
	m_running = nullptr;
	// A record that marks no command would leave the scenario standing still for good.
	return progress.RestoreScenario(m_locationName, m_current) && m_running;
}

void cScenario::CollectEvents(std::vector<cScenarioEvent>& events, const std::string& name, int kind)
{
	events.clear();
	ResetEventContext();
	if (!m_current)
		return;
	if (name.empty())
	{
		m_current->CollectEvents(events, false);
		std::stable_sort(events.begin(), events.end(),
			[](const cScenarioEvent& a, const cScenarioEvent& b) { return a.kind < b.kind; });
		return;
	}
	GetEventContext().filter = name;
	m_current->CollectEvents(events, true);
	std::erase_if(events, [kind](const cScenarioEvent& event) { return event.kind != kind; });
}
