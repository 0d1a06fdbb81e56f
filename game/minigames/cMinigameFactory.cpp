#include "game/minigames/cMinigameFactory.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/cMinigameBag.h"
#include "game/minigames/cMinigameCodeEnter1.h"
#include "game/minigames/cMinigameCodeEnter2.h"
#include "game/minigames/cMinigameComputer.h"
#include "game/minigames/cMinigameConnectors.h"
#include "game/minigames/cMinigameDevice.h"
#include "game/minigames/cMinigameFaces.h"
#include "game/minigames/cMinigameFan.h"
#include "game/minigames/cMinigameFingers.h"
#include "game/minigames/cMinigameGlass.h"
#include "game/minigames/cMinigameGlobe.h"
#include "game/minigames/cMinigameHammer.h"
#include "game/minigames/cMinigameKey.h"
#include "game/minigames/cMinigameL10Terminal.h"
#include "game/minigames/cMinigameL6Box.h"
#include "game/minigames/cMinigameLock.h"
#include "game/minigames/cMinigamePeriscope.h"
#include "game/minigames/cMinigamePhone.h"
#include "game/minigames/cMinigamePicture.h"
#include "game/minigames/cMinigamePlatens.h"
#include "game/minigames/cMinigameSafe.h"
#include "game/minigames/cMinigameSkull.h"
#include "game/minigames/cMinigameStatue.h"
#include "game/minigames/cMinigameTerminal.h"
#include "game/minigames/cMinigameTower.h"
#include "game/minigames/cMinigameTriangles.h"
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
	{"bag", &CreateMinigame<cMinigameBag>},
	{"connectors", &CreateMinigame<cMinigameConnectors>},
	{"wire", &CreateMinigame<cMinigameWire>},
	{"key", &CreateMinigame<cMinigameKey>},
	{"periscope", &CreateMinigame<cMinigamePeriscope>},
	{"platens", &CreateMinigame<cMinigamePlatens>},
	{"glass", &CreateMinigame<cMinigameGlass>},
	{"globe", &CreateMinigame<cMinigameGlobe>},
	{"faces", &CreateMinigame<cMinigameFaces>},
	{"tower", &CreateMinigame<cMinigameTower>},
	{"triangles", &CreateMinigame<cMinigameTriangles>},
	{"picture", &CreateMinigame<cMinigamePicture>},
	{"skull", &CreateMinigame<cMinigameSkull>},
	{"device", &CreateMinigame<cMinigameDevice>},
	{"tube", &CreateMinigame<cMinigameTube>},
	{"fingers", &CreateMinigame<cMinigameFingers>},
	{"terminal", &CreateMinigame<cMinigameTerminal>},
	{"l6_box", &CreateMinigame<cMinigameL6Box>},
	{"computer", &CreateMinigame<cMinigameComputer>},
	{"code_enter1", &CreateMinigame<cMinigameCodeEnter1>},
	{"code_enter2", &CreateMinigame<cMinigameCodeEnter2>},
	{"l10_terminal", &CreateMinigame<cMinigameL10Terminal>},
	{"phone", &CreateMinigame<cMinigamePhone>},
	{"safe", &CreateMinigame<cMinigameSafe>},
	{"fan", &CreateMinigame<cMinigameFan>},
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
