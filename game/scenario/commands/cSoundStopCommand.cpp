#include "game/scenario/commands/cSoundStopCommand.h"

#include "engine/resources/cResource.h"
#include "engine/sound/cSoundRegistry.h"
#include "game/play/cPlayerProgress.h"

#include <algorithm>

void cSoundStopCommand::Execute()
{
	if (!m_sound)
		return;
	cSoundRegistry::GetInstance()->Stop(m_sound);
	if (!g_currentProgress)
		return;
	std::vector<std::string>& loops = g_currentProgress->loopingSounds;
	auto listed = std::find(loops.begin(), loops.end(), m_sound.Get()->GetName());
	if (listed != loops.end())
		loops.erase(listed);
}
