#include "game/scenario/cCommandFactory.h"

#include "game/scenario/commands/cAddAim.h"
#include "game/scenario/commands/cAddInventory.h"
#include "game/scenario/commands/cAddItem.h"
#include "game/scenario/commands/cAnimationCommand.h"
#include "game/scenario/commands/cAnimationLoopCommand.h"
#include "game/scenario/commands/cAnimationStopCommand.h"
#include "game/scenario/commands/cChangeDialog.h"
#include "game/scenario/commands/cClick.h"
#include "game/scenario/commands/cClickBut.h"
#include "game/scenario/commands/cDelay.h"
#include "game/scenario/commands/cDisable.h"
#include "game/scenario/commands/cDisableBut.h"
#include "game/scenario/commands/cDropInventory.h"
#include "game/scenario/commands/cEnable.h"
#include "game/scenario/commands/cEnableBut.h"
#include "game/scenario/commands/cFlowCommand.h"
#include "game/scenario/commands/cGameCommand.h"
#include "game/scenario/commands/cHide.h"
#include "game/scenario/commands/cHideBut.h"
#include "game/scenario/commands/cHideFade.h"
#include "game/scenario/commands/cHideFadeBut.h"
#include "game/scenario/commands/cHintCommand.h"
#include "game/scenario/commands/cIsEnabled.h"
#include "game/scenario/commands/cIsInInventory.h"
#include "game/scenario/commands/cIsVisible.h"
#include "game/scenario/commands/cLocationCommand.h"
#include "game/scenario/commands/cMusicCommand.h"
#include "game/scenario/commands/cRemoveAim.h"
#include "game/scenario/commands/cShow.h"
#include "game/scenario/commands/cShowBut.h"
#include "game/scenario/commands/cShowFade.h"
#include "game/scenario/commands/cShowFadeBut.h"
#include "game/scenario/commands/cSoundCommand.h"
#include "game/scenario/commands/cSoundEffectsCommand.h"
#include "game/scenario/commands/cSoundLoopCommand.h"
#include "game/scenario/commands/cSoundStopCommand.h"
#include "game/scenario/commands/cState.h"
#include "game/scenario/commands/cSubLocation.h"

namespace
{
struct sKeyword
{
	const char* keyword;
	cCommandFactory::tCreator creator;
};

// A keyword's index is its position here.
const sKeyword kKeywordTable[] = {
	{"addaim", &CreateCommand<cAddAim>},
	{"addinventory", &CreateCommand<cAddInventory>},
	{"additem", &CreateCommand<cAddItem>},
	{"animation", &CreateCommand<cAnimationCommand>},
	{"animation_loop", &CreateCommand<cAnimationLoopCommand>},
	{"animation_stop", &CreateCommand<cAnimationStopCommand>},
	{"changedialog", &CreateCommand<cChangeDialog>},
	{"click", &CreateCommand<cClick>},
	{"click_but", &CreateCommand<cClickBut>},
	{"delay", &CreateCommand<cDelay>},
	{"disable", &CreateCommand<cDisable>},
	{"disable_but", &CreateCommand<cDisableBut>},
	{"dropinventory", &CreateCommand<cDropInventory>},
	{"enable", &CreateCommand<cEnable>},
	{"enable_but", &CreateCommand<cEnableBut>},
	{"hide", &CreateCommand<cHide>},
	{"hide_but", &CreateCommand<cHideBut>},
	{"hidefade", &CreateCommand<cHideFade>},
	{"hidefade_but", &CreateCommand<cHideFadeBut>},
	{"hint", &CreateCommand<cHintCommand>},
	{"isenabled", &CreateCommand<cIsEnabled>},
	{"isininventory", &CreateCommand<cIsInInventory>},
	{"isvisible", &CreateCommand<cIsVisible>},
	{"location", &CreateCommand<cLocationCommand>},
	{"game", &CreateCommand<cGameCommand>},
	{"music", &CreateCommand<cMusicCommand>},
	{"removeaim", &CreateCommand<cRemoveAim>},
	{"show", &CreateCommand<cShow>},
	{"show_but", &CreateCommand<cShowBut>},
	{"showfade", &CreateCommand<cShowFade>},
	{"showfade_but", &CreateCommand<cShowFadeBut>},
	{"sound", &CreateCommand<cSoundCommand>},
	{"sound_effects", &CreateCommand<cSoundEffectsCommand>},
	{"soundloop", &CreateCommand<cSoundLoopCommand>},
	{"soundstop", &CreateCommand<cSoundStopCommand>},
	{"sublocation", &CreateCommand<cSubLocation>},
	{"state", &CreateCommand<cState>},
	{"command", &CreateCommand<cFlowCommand>},
};
}

cCommandFactory::cCommandFactory()
{
	for (const sKeyword& entry : kKeywordTable)
		m_registry.Register(entry.keyword, entry.creator);
}
