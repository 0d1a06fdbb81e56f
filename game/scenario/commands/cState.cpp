#include "game/scenario/commands/cState.h"

#include "engine/foundation/cXmlNode.h"
#include "game/scenario/cScenarioOwner.h"
#include "game/scenario/sEventContext.h"

bool cState::Load(const cXmlNode& element)
{
	m_stateName = GetXmlAttribute(&element, "name", "");
	return cScenarioCommand::Load(element);
}

void cState::Execute()
{
	if (m_location)
		m_location->SetState(m_stateName);
}

void cState::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	cScenarioEvent change;
	change.kind = cScenarioEvent::kStateChange;
	change.position = GetEventContext().position;
	events.push_back(change);
	cScenarioCommand::CollectEvents(events, filtered);
	if (!m_location)
		return;
	// A state whose root is being walked is further up this walk.
	cScenarioCommand* next = m_location->GetState(m_stateName);
	if (next && !next->IsCollecting() && next != m_location->GetState(""))
		next->CollectEvents(events, filtered);
}
