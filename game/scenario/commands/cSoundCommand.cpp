#include "game/scenario/commands/cSoundCommand.h"

#include "engine/sound/cSoundRegistry.h"
#include "game/scenario/commands/CommandLocation.h"

void cSoundCommand::Execute()
{
	cSoundRegistry::GetInstance()->Play(m_sound, false);
	if (cLocationForm* form = LocationFormOf(m_location))
	{
		form->GetWaitList().Clear();
		form->GetWaitList().SetSound(m_sound);
	}
}
