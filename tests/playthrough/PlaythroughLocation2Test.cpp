// The demo from its second room to its end by real X input: a new game
// started in the study, its story played to the puzzle hall and back, the
// main menu reached through the game panel's menu, the options changed and
// the game quit; then a second launch, in which the remembered player
// carries on where the first run left.

#include "Location2Story.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

TEST(Playthrough, Location2ToTheEnd)
{
	cGameRun run;
	ASSERT_TRUE(run.IsReady()) << "no content or no X server";
	const std::string game = run.ContentFolder();
	// A new game starts in the location "startup.txt" names.
	std::ofstream(game + "/startup.txt") << "location2";
	const sLocation2Layouts layouts(game);
	cStoryScreens screens;
	ASSERT_TRUE(run.Launch()) << "the game showed no window";

	StartNewGame(run, layouts.front, screens, "Ann");
	// Each step starts where the one before ended: a failed one ends the run.
	PlayLocation2ToTheHall(run, layouts, screens);
	ASSERT_FALSE(HasFailure());
	LeaveTheHallToTheMainMenu(run, layouts, screens);
	ASSERT_FALSE(HasFailure());
	const float music = ChangeTheOptions(run, layouts, screens);
	ASSERT_FALSE(HasFailure());
	QuitFromTheMainMenu(run, layouts, screens);
	ASSERT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	ExpectCleanLog(run.Log());
	ExpectNoLongFrame(run.Log());
	EXPECT_NEAR(StoredMusicVolume(run), music, 0.05f) << "the music volume dragged to is not kept";

	// The second launch greets Ann at once; Start goes back to the study as
	// it was left, searched, with nothing in the panel's slots.
	ASSERT_TRUE(run.Launch()) << "the game showed no window the second time";
	run.ParkPointer();
	EXPECT_EQ(screens.Check(run, "l2-14-welcome-back"), "");
	EXPECT_TRUE(run.ClickUntilChanged(layouts.front.menu, "start"));
	run.ParkPointer();
	EXPECT_EQ(screens.Check(run, "l2-15-map-resuming"), "");
	EXPECT_TRUE(CloseTheDiary(run, layouts.front.diary));
	run.ParkPointer();
	EXPECT_EQ(screens.Await(run, "l2-05-study-searched"), "");
	Quit(run, layouts.front);
	EXPECT_EQ(run.WaitForEnd(std::chrono::seconds(30)), 0);
	ExpectCleanLog(run.Log());
	EXPECT_NEAR(StoredMusicVolume(run), music, 0.05f);
	std::printf("Play-through from location2: contact sheet %s\n", screens.WriteContactSheet("location2").c_str());
}
