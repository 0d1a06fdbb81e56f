#include "game/scenario/commands/cSoundItemCommand.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/sound/cSoundResource.h"

void cSoundItemCommand::ParseItem(const cXmlNode& item)
{
	m_sound = cResourceHandle::InitByName<cSoundResource>(GetXmlAttribute(&item, "name", ""));
}
