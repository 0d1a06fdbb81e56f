#include "game/scenario/commands/cDropInventory.h"

#include "game/location/cLocationForm.h"
#include "game/scenario/commands/cObjectListCommand.h"

void cDropInventory::Execute()
{
	if (cLocationForm* form = GetLocationForm(m_location))
		form->RemoveInventoryItem(m_itemName, m_count);
}
