// The demo played by real X input from the game's launch to its end, every
// screen compared with its approved picture, the log and the sound checked.
// Each step is what a player does next; later screens extend the story.

#include "Location1Story.h"
#include "Location2Story.h"
#include "StorySteps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

TEST(Playthrough, TheDemoFromLaunchToQuit)
{
	cGameRun run;
	ASSERT_TRUE(run.IsReady()) << "no content or no X server";
	const std::string game = run.ContentFolder();
	const sLocation1Layouts location1(game);
	const sLocation2Layouts location2(game);
	const sStoryLayouts& layouts = location1.front;
	cStoryScreens screens;
	ASSERT_TRUE(run.Launch()) << "the game showed no window";

	// Each part starts where the one before ended: a failed one ends the run.
	StartNewGame(run, layouts, screens, "Ann");
	EXPECT_EQ(screens.Check(run, "04-location1"), "");
	for (const sLocation1Step& step : Location1Steps())
		PlayLocation1Step(run, location1, screens, step);
	ASSERT_FALSE(HasFailure());
	PlayLocation2ToTheHall(run, location2, screens);
	ASSERT_FALSE(HasFailure());
	LeaveTheHallToTheMainMenu(run, location2, screens);
	ASSERT_FALSE(HasFailure());
	ChangeTheOptions(run, location2, screens);
	ASSERT_FALSE(HasFailure());
	QuitFromTheMainMenu(run, location2, screens);
	EXPECT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	const double seconds = run.SecondsSinceLaunch();
	const std::string log = run.Log();
	ExpectCleanLog(log);
	ExpectNoLongFrame(log);

	// A second launch greets Ann and goes back to the study as it was left.
	ASSERT_TRUE(run.Launch()) << "the game showed no window the second time";
	run.ParkPointer();
	EXPECT_EQ(screens.Check(run, "l2-14-welcome-back"), "");
	EXPECT_TRUE(run.ClickUntilChanged(layouts.menu, "start"));
	run.ParkPointer();
	EXPECT_EQ(screens.Await(run, "l2-15-map-resuming"), "");
	EXPECT_TRUE(CloseTheDiary(run, layouts.diary));
	run.ParkPointer();
	EXPECT_EQ(screens.Await(run, "l2-05-study-searched"), "");
	Quit(run, layouts);
	EXPECT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	ExpectCleanLog(run.Log());

	const std::string sheet = screens.WriteContactSheet("demo");
	EXPECT_FALSE(sheet.empty());
	std::printf("Play-through: %.1f s from launch to quit; contact sheet %s\n", seconds, sheet.c_str());
	RecordProperty("seconds_from_launch_to_quit", std::to_string(seconds));
}

// Location1 left at each of its resting points: the game quit by the
// close box, launched again and continued shows the room as it was left,
// with its inventory and its search list, and plays on from there.
TEST(Playthrough, Location1ResumesAtEveryState)
{
	cGameRun run;
	ASSERT_TRUE(run.IsReady()) << "no content or no X server";
	const sLocation1Layouts location1(run.ContentFolder());
	cStoryScreens screens;
	ASSERT_TRUE(run.Launch()) << "the game showed no window";

	StartNewGame(run, location1.front, screens, "Ann");
	EXPECT_EQ(screens.Await(run, "04-location1"), "");
	for (const sLocation1Step& step : Location1Steps())
	{
		PlayLocation1Step(run, location1, screens, step);
		if (!step.resumable)
			continue;
		SCOPED_TRACE("resumed at " + step.screen);
		QuitAndComeBack(run, location1, screens);
		if (HasFatalFailure())
			return;
		EXPECT_EQ(screens.Await(run, step.screen), "");
	}
	Quit(run, location1.front);
	EXPECT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	ExpectCleanLog(run.Log());
	screens.WriteContactSheet("location1-resumed");
}

// The driver finds its targets in the generated scenes: the boxes of
// location1's objects are where the scene places their models.
TEST(PlaythroughLayout, ReadsTheObjectsBoxesFromTheGeneratedScene)
{
	cGameRun run;
	ASSERT_TRUE(run.IsReady()) << "no content or no X server";
	const cScreenLayout layout = cScreenLayout::Read(run.ContentFolder(), "location1");
	ASSERT_FALSE(layout.IsEmpty());
	for (const char* name : {"door", "box"})
	{
		ASSERT_TRUE(layout.Has(name)) << name;
		const sScreenBox box = layout.Box(name);
		EXPECT_LT(box.left, box.right) << name;
		EXPECT_LT(box.top, box.bottom) << name;
		EXPECT_GE(box.left, 0) << name;
		EXPECT_LE(box.bottom, 768) << name;
	}
	// The door stands right of the box and higher up the screen.
	EXPECT_GT(layout.Box("door").CentreX(), layout.Box("box").CentreX());
	EXPECT_LT(layout.Box("door").CentreY(), layout.Box("box").CentreY());
	EXPECT_FALSE(layout.Has("no_such_object"));
}

// Start-ups a player's machine may give the game: each still reaches the
// main menu's first-name prompt and ends cleanly.
enum class eHostileStart
{
	DamagedProfiles,
	DamagedSettings,
	NoSplashFolder,
	Packs
};

class PlaythroughStart : public testing::TestWithParam<eHostileStart>
{
};

TEST_P(PlaythroughStart, ReachesTheMainMenu)
{
	cGameRun run;
	ASSERT_TRUE(run.IsReady()) << "no content or no X server";
	const std::string game = run.ContentFolder();
	switch (GetParam())
	{
	case eHostileStart::DamagedProfiles:
		std::ofstream(run.SettingsFolder() + "/profiles.data", std::ios::binary) << "\x12\x00\x00\x00garbage";
		break;
	case eHostileStart::DamagedSettings:
		std::ofstream(run.SettingsFolder() + "/zv2.xml") << "<config><config><item id=\"video.window\" value=";
		break;
	case eHostileStart::NoSplashFolder:
		std::filesystem::remove_all(game + "/splash");
		break;
	case eHostileStart::Packs:
		run.Start({"-pack"});
		ASSERT_EQ(run.WaitForEnd(std::chrono::seconds(60)), 0);
		for (const std::string name : {"data", "localization"})
		{
			std::filesystem::remove_all(game + "/" + name);
			std::filesystem::rename(game + "/my_" + name, game + "/" + name);
		}
		break;
	}
	const sStoryLayouts layouts(game);
	ASSERT_TRUE(run.Launch()) << "the game showed no window";
	// A damaged settings file leaves the defaults: the game covers the
	// private display's screen, and only the windowed starts can be
	// compared with the approved pictures.
	const bool windowed = GetParam() != eHostileStart::DamagedSettings;
	cStoryScreens screens;
	if (windowed)
	{
		EXPECT_EQ(screens.Check(run, "01-name-prompt"), "");
	}
	else
	{
		EXPECT_TRUE(Eventually([&] { return run.Capture().width == 1280; })) << "not full screen";
		run.CaptureStill(std::chrono::milliseconds(2500), std::chrono::seconds(30));
	}
	run.Type("Ann");
	EXPECT_TRUE(run.ClickUntilChanged(layouts.prompt, "window_profile_small_q/ok"));
	if (windowed)
	{
		EXPECT_EQ(screens.Check(run, "02-main-menu"), "");
	}
	Quit(run, layouts);
	EXPECT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	// A damaged file is named in an error line; nothing else goes wrong.
	ExpectLogWithout(run.Log(), {"PROGRAM ABORTING", "not found"});
}

static std::string StartName(const testing::TestParamInfo<eHostileStart>& info)
{
	static const char* const kNames[] = {"DamagedProfiles", "DamagedSettings", "NoSplashFolder", "Packs"};
	return kNames[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Hostile, PlaythroughStart,
	testing::Values(eHostileStart::DamagedProfiles, eHostileStart::DamagedSettings, eHostileStart::NoSplashFolder,
		eHostileStart::Packs),
	StartName);
