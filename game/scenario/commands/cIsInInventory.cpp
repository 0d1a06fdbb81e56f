#include "game/scenario/commands/cIsInInventory.h"

#include "engine/foundation/cXmlNode.h"
#include "game/location/cLocationForm.h"
#include "game/scenario/commands/ConditionBranch.h"
#include "game/scenario/commands/cObjectListCommand.h"

#include <cstdlib>

void cIsInInventory::ParseItem(const cXmlNode& item)
{
	const std::string text = GetXmlAttribute(&item, "name", "");
	const size_t hash = text.rfind('#');
	m_names.push_back(text.substr(0, hash));
	m_counts.push_back(hash == std::string::npos ? 0 : atoi(text.c_str() + hash + 1));
}

void cIsInInventory::Execute()
{
	m_outcome = ConditionOutcome(Test());
}

void cIsInInventory::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	CollectEventsOfBranch(*this, Test(), events, filtered);
}

bool cIsInInventory::Test() const
{
	const cLocationForm* form = GetLocationForm(m_location);
	for (size_t i = 0; i < m_names.size(); ++i)
		if (!form || !form->HasInventoryItem(m_names[i], m_counts[i]))
			return false;
	return true;
}
