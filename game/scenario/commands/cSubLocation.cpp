#include "game/scenario/commands/cSubLocation.h"

#include "engine/foundation/cXmlNode.h"
#include "game/scenario/commands/CommandLocation.h"
#include "game/scenario/sEventContext.h"

void cSubLocation::ParseItem(const cXmlNode& item)
{
	const std::string name = GetXmlAttribute(&item, "name", "");
	cLocationForm* form = LocationFormOf(m_location);
	if (form && !name.empty())
		m_subLocation = form->GetSubLocation(name);
}

void cSubLocation::Execute()
{
	cLocationForm* form = LocationFormOf(m_location);
	if (!form)
		return;
	if (!m_subLocation)
		form->CloseSubLocation();
	else if (!m_subLocation->GetChildList().GetChildren().empty())
		form->OpenSubLocation(m_subLocation);
}

int cSubLocation::IsReady()
{
	return m_subLocation && m_subLocation->IsVisible() ? kRunning : kFinished;
}

void cSubLocation::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	if (m_subLocation)
	{
		std::vector<cScenarioEvent> inside;
		if (!filtered)
			m_subLocation->CollectCurrentEvents(inside);
		if (filtered || !inside.empty())
		{
			cScenarioEvent open;
			open.kind = cScenarioEvent::kSubLocation;
			open.object = m_subLocation->GetName();
			open.position = GetEventContext().position;
			events.push_back(open);
		}
	}
	cScenarioCommand::CollectEvents(events, filtered);
}
