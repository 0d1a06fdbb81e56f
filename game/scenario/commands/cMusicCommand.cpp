#include "game/scenario/commands/cMusicCommand.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/resources/cResource.h"
#include "engine/sound/cSoundManager.h"
#include "game/location/cLocationForm.h"
#include "game/play/cPlayerProgress.h"

void cMusicCommand::ParseItem(const cXmlNode& item)
{
	cSoundItemCommand::ParseItem(item);
	PreloadSound(GetXmlAttribute(&item, "name", ""));
}

void cMusicCommand::Execute()
{
	cSoundManager* sounds = cSoundManager::GetInstance();
	if (!m_sound)
	{
		if (g_currentProgress)
			g_currentProgress->music.clear();
		sounds->FadeOutMusic();
		return;
	}
	if (g_currentProgress)
		g_currentProgress->music = m_sound.Get()->GetName();
	sounds->PlayMusic(m_sound);
}
