#include "game/scenario/commands/cAddInventory.h"

#include "game/location/cLocationForm.h"
#include "game/scenario/commands/cObjectListCommand.h"
#include "game/scenario/sEventContext.h"

void cAddInventory::Execute()
{
	cLocationForm* form = GetLocationForm(m_location);
	if (form && !m_itemName.empty())
		form->AddInventoryItem(m_itemName, m_count);
}

void cAddInventory::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	const sEventContext& context = GetEventContext();
	events.push_back({context.item.empty() ? cScenarioEvent::kGiveItem : cScenarioEvent::kUseItem, context.object,
		context.item, context.position});
	cScenarioCommand::CollectEvents(events, filtered);
}
