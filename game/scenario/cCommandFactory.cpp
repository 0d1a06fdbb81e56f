#include "game/scenario/cCommandFactory.h"

#include "game/scenario/commands/cAnimationCommand.h"
#include "game/scenario/commands/cAnimationLoopCommand.h"
#include "game/scenario/commands/cAnimationStopCommand.h"
#include "game/scenario/commands/cDelay.h"
#include "game/scenario/commands/cFlowCommand.h"
#include "game/scenario/commands/cGameCommand.h"
#include "game/scenario/commands/cLocationCommand.h"
#include "game/scenario/commands/cMusicCommand.h"
#include "game/scenario/commands/cSoundCommand.h"
#include "game/scenario/commands/cSoundEffectsCommand.h"
#include "game/scenario/commands/cSoundLoopCommand.h"
#include "game/scenario/commands/cSoundStopCommand.h"
#include "game/scenario/commands/cState.h"
#include "game/scenario/commands/cSubLocation.h"
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
	{"addaim", Placeholder},
	{"addinventory", Placeholder},
	{"additem", Placeholder},
	{"animation", &CreateCommand<cAnimationCommand>},
	{"animation_loop", &CreateCommand<cAnimationLoopCommand>},
	{"animation_stop", &CreateCommand<cAnimationStopCommand>},
	{"changedialog", Placeholder},
	{"click", Placeholder},
	{"click_but", Placeholder},
	{"delay", &CreateCommand<cDelay>},
	{"disable", Placeholder},
	{"disable_but", Placeholder},
	{"dropinventory", Placeholder},
	{"enable", Placeholder},
	{"enable_but", Placeholder},
	{"hide", Placeholder},
	{"hide_but", Placeholder},
	{"hidefade", Placeholder},
	{"hidefade_but", Placeholder},
	{"hint", Placeholder},
	{"isenabled", Placeholder},
	{"isininventory", Placeholder},
	{"isvisible", Placeholder},
	{"location", &CreateCommand<cLocationCommand>},
	{"game", &CreateCommand<cGameCommand>},
	{"music", &CreateCommand<cMusicCommand>},
	{"removeaim", Placeholder},
	{"show", Placeholder},
	{"show_but", Placeholder},
	{"showfade", Placeholder},
	{"showfade_but", Placeholder},
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
