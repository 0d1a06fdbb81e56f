#include "game/scenario/cCommandFactory.h"

#include "game/scenario/commands/cFlowCommand.h"
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
	{"animation", Placeholder},
	{"animation_loop", Placeholder},
	{"animation_stop", Placeholder},
	{"changedialog", Placeholder},
	{"click", Placeholder},
	{"click_but", Placeholder},
	{"delay", Placeholder},
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
	{"location", Placeholder},
	{"game", Placeholder},
	{"music", Placeholder},
	{"removeaim", Placeholder},
	{"show", Placeholder},
	{"show_but", Placeholder},
	{"showfade", Placeholder},
	{"showfade_but", Placeholder},
	{"sound", Placeholder},
	{"sound_effects", Placeholder},
	{"soundloop", Placeholder},
	{"soundstop", Placeholder},
	{"sublocation", Placeholder},
	{"state", Placeholder},
	{"command", &CreateCommand<cFlowCommand>},
};
}

cCommandFactory::cCommandFactory()
{
	for (const sKeyword& entry : kKeywordTable)
		m_registry.Register(entry.keyword, entry.creator);
}
