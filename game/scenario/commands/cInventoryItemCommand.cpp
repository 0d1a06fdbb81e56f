#include "game/scenario/commands/cInventoryItemCommand.h"

#include "engine/foundation/cXmlNode.h"
#include "game/location/cLocationForm.h"
#include "game/scenario/commands/cObjectListCommand.h"

#include <cstdlib>

void cInventoryItemCommand::ParseItem(const cXmlNode& item)
{
	const std::string text = GetXmlAttribute(&item, "name", "");
	const size_t hash = text.find('#');
	m_itemName = text.substr(0, hash);
	m_count = hash == std::string::npos ? 1 : atoi(text.c_str() + hash + 1);
	if (cLocationForm* form = GetLocationForm(m_location))
		form->PreloadItemModel(m_itemName);
}
