#include "game/scenario/commands/cAddAim.h"

#include "engine/foundation/cXmlNode.h"
#include "game/location/cLocationForm.h"
#include "game/scenario/commands/cObjectListCommand.h"

#include <cstdlib>

void cAddAim::ParseItem(const cXmlNode& item)
{
	m_aims.emplace_back(GetXmlAttribute(&item, "name", ""), atoi(GetXmlAttribute(&item, "arg", "0").c_str()));
}

void cAddAim::Execute()
{
	if (cLocationForm* form = GetLocationForm(m_location))
		for (const auto& [name, argument] : m_aims)
			form->AddAim(name, argument);
}
