#include "game/scenario/cCommandFactory.h"

#include "game/scenario/commands/cAddAim.h"
#include "game/scenario/commands/cAddInventory.h"
#include "game/scenario/commands/cAddItem.h"
#include "game/scenario/commands/cChangeDialog.h"
#include "game/scenario/commands/cClick.h"
#include "game/scenario/commands/cClickBut.h"
#include "game/scenario/commands/cDisable.h"
#include "game/scenario/commands/cDisableBut.h"
#include "game/scenario/commands/cDropInventory.h"
#include "game/scenario/commands/cEnable.h"
#include "game/scenario/commands/cEnableBut.h"
#include "game/scenario/commands/cHide.h"
#include "game/scenario/commands/cHideBut.h"
#include "game/scenario/commands/cHideFade.h"
#include "game/scenario/commands/cHideFadeBut.h"
#include "game/scenario/commands/cHintCommand.h"
#include "game/scenario/commands/cIsEnabled.h"
#include "game/scenario/commands/cIsInInventory.h"
#include "game/scenario/commands/cIsVisible.h"
#include "game/scenario/commands/cRemoveAim.h"
#include "game/scenario/commands/cShow.h"
#include "game/scenario/commands/cShowBut.h"
#include "game/scenario/commands/cShowFade.h"
#include "game/scenario/commands/cShowFadeBut.h"
#include "game/scenario/commands/cPlaceholderCommand.h"

namespace
{
const cCommandFactory::tCreator Placeholder = &CreateCommand<cPlaceholderCommand>;

struct sKeyword
{
	const char* keyword;
	cCommandFactory::tCreator creator;
};

// A keyword's index is its position here. A kind that is built replaces
// its placeholder: { "delay", &CreateCommand<cDelay> }.
const sKeyword kKeywordTable[] = {
	{"addaim", &CreateCommand<cAddAim>},
	{"addinventory", &CreateCommand<cAddInventory>},
	{"additem", &CreateCommand<cAddItem>},
	{"animation", Placeholder},
	{"animation_loop", Placeholder},
	{"animation_stop", Placeholder},
	{"changedialog", &CreateCommand<cChangeDialog>},
	{"click", &CreateCommand<cClick>},
	{"click_but", &CreateCommand<cClickBut>},
	{"delay", Placeholder},
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
	{"location", Placeholder},
	{"game", Placeholder},
	{"music", Placeholder},
	{"removeaim", &CreateCommand<cRemoveAim>},
	{"show", &CreateCommand<cShow>},
	{"show_but", &CreateCommand<cShowBut>},
	{"showfade", &CreateCommand<cShowFade>},
	{"showfade_but", &CreateCommand<cShowFadeBut>},
	{"sound", Placeholder},
	{"sound_effects", Placeholder},
	{"soundloop", Placeholder},
	{"soundstop", Placeholder},
	{"sublocation", Placeholder},
	{"state", Placeholder},
	{"command", Placeholder},
};
}

cCommandFactory::cCommandFactory()
{
	for (const sKeyword& entry : kKeywordTable)
		m_registry.Register(entry.keyword, entry.creator);
}
