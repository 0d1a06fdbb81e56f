#include "game/scenario/commands/cAnimationNameCommand.h"

#include "engine/foundation/cXmlNode.h"
#include "game/scenario/commands/CommandLocation.h"

void cAnimationNameCommand::ParseItem(const cXmlNode& item)
{
	m_animationName = GetXmlAttribute(&item, "name", "");
}

cLocationForm* cAnimationNameCommand::GetForm() const
{
	return LocationFormOf(m_location);
}
