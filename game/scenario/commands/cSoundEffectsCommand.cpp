#include "game/scenario/commands/cSoundEffectsCommand.h"

#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/cXmlNode.h"
#include "game/scenario/commands/CommandLocation.h"

void cSoundEffectsCommand::ParseItem(const cXmlNode& item)
{
	cLocationForm* form = LocationFormOf(m_location);
	if (!form)
		return;
	if (!m_firstItemRead)
	{
		m_firstItemRead = true;
		form->SetAmbientInterval(TextToFloat(GetXmlAttribute(&item, "name", "180")));
		return;
	}
	form->AddAmbientSound(GetXmlAttribute(&item, "name", ""), TextToFloat(GetXmlAttribute(&item, "arg", "1")));
}
