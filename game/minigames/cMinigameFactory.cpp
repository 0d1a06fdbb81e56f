#include "game/minigames/cMinigameFactory.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/cMinigameConnectors.h"
#include "game/minigames/cMinigameSkull.h"
#include "game/minigames/cMinigameTriangles.h"

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
	{"hammer", nullptr},
	{"statue", nullptr},
	{"bag", nullptr},
	{"connectors", &CreateMinigame<cMinigameConnectors>},
	{"wire", nullptr},
	{"key", nullptr},
	{"periscope", nullptr},
	{"platens", nullptr},
	{"glass", nullptr},
	{"globe", nullptr},
	{"faces", nullptr},
	{"tower", nullptr},
	{"triangles", &CreateMinigame<cMinigameTriangles>},
	{"picture", nullptr},
	{"skull", &CreateMinigame<cMinigameSkull>},
	{"device", nullptr},
	{"tube", nullptr},
	{"fingers", nullptr},
	{"terminal", nullptr},
	{"l6_box", nullptr},
	{"computer", nullptr},
	{"code_enter1", nullptr},
	{"code_enter2", nullptr},
	{"l10_terminal", nullptr},
	{"phone", nullptr},
	{"safe", nullptr},
	{"fan", nullptr},
	{"lock", nullptr},
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
