#include "game/scenario/ScenarioTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CommandFactory, EveryKeywordOfTheTableMakesItsCommand)
{
	const char* const table[] = {"addaim", "addinventory", "additem", "animation", "animation_loop", "animation_stop",
		"changedialog", "click", "click_but", "delay", "disable", "disable_but", "dropinventory", "enable", "enable_but",
		"hide", "hide_but", "hidefade", "hidefade_but", "hint", "isenabled", "isininventory", "isvisible", "location",
		"game", "music", "removeaim", "show", "show_but", "showfade", "showfade_but", "sound", "sound_effects",
		"soundloop", "soundstop", "sublocation", "state", "command"};
	const cCommandFactory* factory = Singletone<cCommandFactory>::GetInstance();
	int index = 0;
	for (const char* keyword : table)
	{
		EXPECT_EQ(factory->GetRegistry().GetIndex(keyword), index++) << keyword;
		std::unique_ptr<cScenarioCommand> command(factory->Create(keyword, nullptr));
		ASSERT_TRUE(command) << keyword;
		EXPECT_EQ(command->GetName(), keyword);
	}
	for (const char* keyword : {"Show", "SHOW", "state_declaration", "item", "", "show "})
		EXPECT_EQ(factory->Create(keyword, nullptr), nullptr) << keyword;
}
