#include "game/minigames/cMinigameFactory.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/cMinigameDevice.h"
#include "game/minigames/cMinigameFaces.h"
#include "game/minigames/cMinigameHammer.h"
#include "game/minigames/cMinigameLock.h"
#include "game/minigames/cMinigamePhone.h"
#include "game/minigames/cMinigamePicture.h"
#include "game/minigames/cMinigamePlatens.h"
#include "game/minigames/cMinigameSafe.h"
#include "game/minigames/cMinigameStatue.h"
#include "game/minigames/cMinigameTower.h"
#include "game/minigames/cMinigameTube.h"
#include "game/minigames/cMinigameWire.h"

namespace
{
struct sMinigameName
{
	const char* name;
	cMinigameFactory::tCreator creator;
};

// A name's index is its position here. A minigame that is built gives its
// name a creator: { "hammer", &CreateMinigame<cMinigameHammer> }.
const sMinigameName kMinigameTable[] = {
	{"hammer", &CreateMinigame<cMinigameHammer>},
	{"statue", &CreateMinigame<cMinigameStatue>},
	{"bag", nullptr},
	{"connectors", nullptr},
	{"wire", &CreateMinigame<cMinigameWire>},
	{"key", nullptr},
	{"periscope", nullptr},
	{"platens", &CreateMinigame<cMinigamePlatens>},
	{"glass", nullptr},
	{"globe", nullptr},
	{"faces", &CreateMinigame<cMinigameFaces>},
	{"tower", &CreateMinigame<cMinigameTower>},
	{"triangles", nullptr},
	{"picture", &CreateMinigame<cMinigamePicture>},
	{"skull", nullptr},
	{"device", &CreateMinigame<cMinigameDevice>},
	{"tube", &CreateMinigame<cMinigameTube>},
	{"fingers", nullptr},
	{"terminal", nullptr},
	{"l6_box", nullptr},
	{"computer", nullptr},
	{"code_enter1", nullptr},
	{"code_enter2", nullptr},
	{"l10_terminal", nullptr},
	{"phone", &CreateMinigame<cMinigamePhone>},
	{"safe", &CreateMinigame<cMinigameSafe>},
	{"fan", nullptr},
	{"lock", &CreateMinigame<cMinigameLock>},
};
}

cMinigameFactory::cMinigameFactory()
{
	for (const sMinigameName& entry : kMinigameTable)
		m_registry.Register(entry.name, entry.creator);
}

cMinigame* cMinigameFactory::Create(const std::string& name, cSceneObject* parent) const
{
	const int index = m_registry.GetIndex(name);
	if (index < 0)
		LOG(2, "Unknown minigame '%s'", name.c_str());
	else if (!m_registry.GetCreator(index))
		LOG(1, "Minigame '%s' is not built yet", name.c_str());
	return m_registry.Create(name, name, parent);
}
