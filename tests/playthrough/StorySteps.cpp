#include "StorySteps.h"

#include <gtest/gtest.h>

void ExpectLogWithout(const std::string& log, std::initializer_list<const char*> texts)
{
	EXPECT_NE(log.find(" Log end: "), std::string::npos) << log;
	for (const char* bad : texts)
		EXPECT_EQ(log.find(bad), std::string::npos) << "the log holds \"" << bad << "\":\n" << log;
}

void ExpectCleanLog(const std::string& log)
{
	ExpectLogWithout(log, {"Error: ", "PROGRAM ABORTING", "not found"});
}

sStoryLayouts::sStoryLayouts(const std::string& game)
	: prompt(cScreenLayout::Read(game, "edit_box")), menu(cScreenLayout::Read(game, "mainmenu")),
	  diary(cScreenLayout::Read(game, "diary")), question(cScreenLayout::Read(game, "mb_yn"))
{
}

void StartNewGame(cGameRun& run, const sStoryLayouts& layouts, cStoryScreens& screens, const std::string& name)
{
	// The logos and the loading window pass; a first start asks for a name.
	EXPECT_EQ(screens.Check(run, "01-name-prompt"), "");
	run.Type(name);
	EXPECT_TRUE(run.ClickUntilChanged(layouts.prompt, "window_profile_small_q/ok"));
	EXPECT_EQ(screens.Check(run, "02-main-menu"), "");
	EXPECT_TRUE(run.HeardSince(0)) << "the menu's music is silent";

	// Start: the diary shows while the location loads; closing it shows the room.
	EXPECT_TRUE(run.ClickUntilChanged(layouts.menu, "start"));
	EXPECT_EQ(screens.Check(run, "03-diary"), "");
	EXPECT_TRUE(CloseTheDiary(run, layouts.diary));
}

bool CloseTheDiary(const cGameRun& run, const cScreenLayout& diary)
{
	if (!diary.Has("close") || !diary.Has("page"))
		return false;
	const sScreenBox close = diary.Box("close");
	return run.ClickUntilBoxChanges(close.CentreX(), close.CentreY(), diary.Box("page"), 0.5, 25);
}

void Quit(cGameRun& run, const sStoryLayouts& layouts)
{
	for (int attempt = 0; attempt < 5 && !run.EndsWithin(std::chrono::seconds(0)); ++attempt)
	{
		run.RequestClose();
		if (run.EndsWithin(std::chrono::seconds(1)))
			break;
		run.Click(layouts.question, "window_profile_small/yes");
		run.EndsWithin(std::chrono::seconds(3));
	}
}

void ExpectNoLongFrame(const std::string& log)
{
	const std::string label = "Longest frame: ";
	const size_t at = log.rfind(label);
	ASSERT_NE(at, std::string::npos) << "the game reported no longest frame:\n" << log;
	const int milliseconds = std::atoi(log.c_str() + at + label.size());
	std::printf("The longest frame outside loading: %d ms\n", milliseconds);
	EXPECT_LT(milliseconds, 1000) << "a frame longer than one second outside loading";
}
