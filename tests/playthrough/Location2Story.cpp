#include "Location2Story.h"

#include "HallScreen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <thread>

namespace
{
// The study's hidden objects; the two coins make one item of the list.
const char* const kHiddenObjects[] = {"ho_coin", "ho_coin2", "ho_feather", "ho_glasses", "ho_candle"};

// The share of the music slider's track the thumb is dragged to.
const float kMusicShare = 0.4f;

// A found object, gone from its place, changes this share of its box.
const double kGone = 0.2;

bool Inside(const sScreenBox& box, int x, int y)
{
	return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

// Drags along the row from one point to the other, slowly enough for a
// slow frame to see the button go down over the thumb, until the box
// changes. The box is compared with the screen at rest: a window still
// fading in would change it without a drag.
bool DragUntilBoxChanges(const cGameRun& run, const sScreenBox& box, int fromX, int toX, int y)
{
	const sScreenshot before = run.CaptureStill();
	const auto changed = [&] { return BoxChange(run.Capture(), before, box) > 0.02; };
	for (int attempt = 0; attempt < 3 && !changed(); ++attempt)
	{
		run.RestPointerAt(fromX, y);
		run.SetLeftButton(true);
		for (int step = 1; step <= 10; ++step)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(100));
			run.MoveTo(fromX + (toX - fromX) * step / 10, y);
		}
		Eventually(changed, std::chrono::milliseconds(1500));
		run.SetLeftButton(false);
	}
	return changed();
}

// Approving, a screen seen before is not compared: the story still waits
// for the game to settle before its next click.
void AwaitSeen(const cGameRun& run, cStoryScreens& screens, const std::string& name)
{
	run.ParkPointer();
	run.CaptureStill();
	EXPECT_EQ(screens.Await(run, name), "") << name;
}

void Check(const cGameRun& run, cStoryScreens& screens, const std::string& name)
{
	run.ParkPointer();
	EXPECT_EQ(screens.Check(run, name), "") << name;
}

// The map shows while the next location loads; its close shows the location.
void PassTheMap(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens, const std::string& name)
{
	Check(run, screens, name);
	EXPECT_TRUE(CloseTheDiary(run, layouts.front.diary)) << "the map never closed";
}
}

sLocation2Layouts::sLocation2Layouts(const std::string& game)
	: front(game), room(cScreenLayout::Read(game, "location2")), closeup(cScreenLayout::Read(game, "location2_closeup")),
	  hall(cScreenLayout::Read(game, "puzzle_hall")), panel(cScreenLayout::Read(game, "gamepanel")),
	  inGameMenu(cScreenLayout::Read(game, "in_game_options")), options(cScreenLayout::Read(game, "options"))
{
}

void PlayLocation2ToTheHall(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens)
{
	Check(run, screens, "l2-01-location2");

	// The cabinet opens its close-up over the study; the note in it is taken.
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "cabinet"));
	Check(run, screens, "l2-02-closeup");
	EXPECT_TRUE(run.ClickUntilBoxChanges(layouts.closeup, "note", kGone));
	Check(run, screens, "l2-03-note-taken");

	// A click beside the close-up closes it: the study is as it was.
	const sScreenBox shelves = layouts.room.Box("shelves");
	ASSERT_FALSE(Inside(layouts.closeup.Box("bg"), shelves.CentreX(), shelves.CentreY()));
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "shelves"));
	AwaitSeen(run, screens, "l2-01-location2");

	// The magnifier starts the search: the panel lists what to find.
	EXPECT_TRUE(run.ClickUntilBoxChanges(layouts.room, "magnifier", kGone));
	Check(run, screens, "l2-04-search-list");
	for (const char* object : kHiddenObjects)
	{
		SCOPED_TRACE(object);
		EXPECT_TRUE(run.ClickUntilBoxChanges(layouts.room, object, kGone));
	}
	Check(run, screens, "l2-05-study-searched");

	// The sign to the hall: the map while the hall loads.
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "exit_hall"));
	PassTheMap(run, layouts, screens, "l2-06-map-to-the-hall");
	Check(run, screens, "l2-07-puzzle-hall");
}

void LeaveTheHallToTheMainMenu(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens)
{
	// The hall's door leads back; the study keeps what was done in it.
	EXPECT_TRUE(run.ClickUntilBoxChanges(layouts.hall, "hall_exit", kGone));
	PassTheMap(run, layouts, screens, "l2-08-map-to-the-study");
	AwaitSeen(run, screens, "l2-05-study-searched");

	// The panel's menu, and its way back to the main menu.
	EXPECT_TRUE(run.ClickUntilChanged(layouts.panel, "menu_button"));
	Check(run, screens, "l2-09-in-game-menu");
	EXPECT_TRUE(run.ClickUntilChanged(layouts.inGameMenu, "window_options/to_main_menu"));
	Check(run, screens, "l2-10-main-menu");
}

float ChangeTheOptions(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens)
{
	EXPECT_TRUE(run.ClickUntilChanged(layouts.front.menu, "options"));
	Check(run, screens, "l2-11-options");

	// The layout shows the thumb at the track's start; at full volume it
	// stands the track's length less half its width further right.
	const sScreenBox track = layouts.options.Box("window_options/music");
	const sScreenBox thumb = layouts.options.Box("window_options/music/thumb");
	const int travel = (track.right - track.left) - (thumb.right - thumb.left) / 2;
	const sScreenBox reach = {track.left, thumb.top, thumb.right + travel, thumb.bottom};
	EXPECT_TRUE(DragUntilBoxChanges(run, reach, thumb.CentreX() + travel, thumb.CentreX() + int(float(travel) * kMusicShare),
		thumb.CentreY()));
	Check(run, screens, "l2-12-music-lowered");

	EXPECT_TRUE(run.ClickUntilChanged(layouts.options, "window_options/close"));
	AwaitSeen(run, screens, "l2-10-main-menu");
	return kMusicShare;
}

void QuitFromTheMainMenu(cGameRun& run, const sLocation2Layouts& layouts, cStoryScreens& screens)
{
	EXPECT_TRUE(run.ClickUntilChanged(layouts.front.menu, "quit"));
	Check(run, screens, "l2-13-quit-question");
	EXPECT_TRUE(run.Click(layouts.front.question, "window_profile_small/yes"));
}

float StoredMusicVolume(const cGameRun& run)
{
	std::ifstream file(run.SettingsFolder() + "/zv2.xml");
	const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	std::smatch value;
	if (!std::regex_search(text, value, std::regex("id=\"music_volume\" value=\"([0-9.]+)\"")))
		return -1;
	return float(std::atof(value[1].str().c_str()));
}
