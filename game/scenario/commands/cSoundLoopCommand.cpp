#include "game/scenario/commands/cSoundLoopCommand.h"

#include "engine/resources/cResource.h"
#include "engine/sound/cSoundRegistry.h"
#include "game/play/cPlayerProgress.h"

#include <algorithm>

void cSoundLoopCommand::Execute()
{
	// A missing sound was logged when the scenario loaded; it has no name to list.
	if (!m_sound)
		return;
	cSoundRegistry::GetInstance()->Play(m_sound, true);
	if (!g_currentProgress)
		return;
	std::vector<std::string>& loops = g_currentProgress->loopingSounds;
	const std::string& name = m_sound.Get()->GetName();
	if (std::find(loops.begin(), loops.end(), name) == loops.end())
		loops.push_back(name);
}
