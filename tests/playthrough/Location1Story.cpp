#include "Location1Story.h"

#include "HallScreen.h"

#include <gtest/gtest.h>

namespace
{
using namespace std::chrono_literals;
// The screen at rest: the pointer parked, the animations ended.
void Settle(cGameRun& run)
{
	run.ParkPointer();
	run.CaptureStill();
}

// Clicks the object once the pointer has rested on it.
bool Touch(const cGameRun& run, const cScreenLayout& layout, const std::string& path)
{
	if (!layout.Has(path))
		return false;
	run.RestPointerAt(layout.Box(path).CentreX(), layout.Box(path).CentreY());
	return run.Click(layout, path);
}

// A speech cloud takes a click anywhere once its line shows (a click
// while it still moves in is lost); the room's window is no object of the
// story, so the click does nothing else. The cloud has moved out once the
// screen is still again.
void EndDialogue(cGameRun& run, const sLocation1Layouts& layouts)
{
	Settle(run);
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "window")) << "the dialogue did not end";
	Settle(run);
}

// The keeper's welcome on the first screen ends: the first aim stays.
void EndWelcome(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	EndDialogue(run, layouts);
}

// The box opens and the brass key flies into the panel's first slot. (The
// open box looks much like the closed one: the room already takes clicks.)
void OpenBox(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	EXPECT_TRUE(Touch(run, layouts.room, "box"));
	run.ParkPointer();
}

// The locked door, clicked with the key in the panel, plays the hint the
// box changed: the assistant's line on the key.
void AskAtTheDoor(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "door"));
	run.ParkPointer();
}

// The key taken from its slot and used on the door: the door swings open
// with its creak, and the search of the room begins with its list.
void OpenDoor(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens& screens)
{
	EndDialogue(run, layouts);
	EXPECT_EQ(screens.Await(run, "l1-02-key-in-panel"), "") << "the hint left the room changed";
	EXPECT_TRUE(Touch(run, layouts.panel, "slots_parent/inventory_0"));
	// The room takes a click only once it has seen the pointer leave the
	// panel (it asks whether the panel handled the pass before): a click at
	// once would fall on the door without the key and let the key go.
	run.RestPointerAt(layouts.room.Box("door").CentreX(), layouts.room.Box("door").CentreY());
	const size_t before = run.SoundBytes();
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "door"));
	run.ParkPointer();
	EXPECT_TRUE(Eventually([&] { return run.HeardWithoutBreakSince(before, 500ms); }, 5s))
		<< "the door opened without its creak";
}

// Something that was in the box has gone once this share of it differs.
const double kGone = 0.3;

// Each hidden object clicked until it fades from its place (a click while
// the list still opens is not taken).
void Find(cGameRun& run, const sLocation1Layouts& layouts, std::initializer_list<const char*> objects)
{
	for (const char* object : objects)
		EXPECT_TRUE(run.ClickUntilBoxChanges(layouts.room, object, kGone)) << object << " was never found";
	run.ParkPointer();
}

// The cups and the pen are found; the list keeps the clock and the book.
void FindCupsAndPen(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	Find(run, layouts, {"ho_cup", "ho_mug", "ho_pen"});
}

// The last two found: the list closes and the next aim is given.
void FindClockAndBook(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	Find(run, layouts, {"ho_clock", "ho_book"});
}

// The open door starts the fingers minigame.
void StartFingers(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	// Once: a second click would fall outside the minigame while it
	// appears, and close it.
	EXPECT_TRUE(Touch(run, layouts.room, "door_open"));
	run.ParkPointer();
}

std::string Numbered(const char* stem, int number)
{
	return stem + std::to_string(number);
}

// Each finger picked up and put down on its own mark. The minigame may
// let the first clicks after it shows go: the finger is picked up again
// until it follows the pointer towards its mark.
void PlaceFingers(cGameRun& run, const sLocation1Layouts& layouts, int first, int last)
{
	for (int finger = first; finger <= last; ++finger)
	{
		const std::string mark = Numbered("red_", finger);
		bool held = false;
		for (int attempt = 0; attempt < 4 && !held; ++attempt)
		{
			const std::string loose = Numbered("finger_d", finger);
			EXPECT_TRUE(Touch(run, layouts.fingers, loose)) << finger;
			const sScreenshot before = run.Capture();
			run.MoveTo(layouts.fingers.Box(mark).CentreX(), layouts.fingers.Box(mark).CentreY());
			held = run.WaitForBoxChange(before, layouts.fingers.Box(loose), kGone, 1s);
		}
		EXPECT_TRUE(held) << "finger " << finger << " was never picked up";
		EXPECT_TRUE(Touch(run, layouts.fingers, mark)) << finger;
	}
	run.ParkPointer();
}

int FingerCount(const sLocation1Layouts& layouts)
{
	int count = 0;
	while (layouts.fingers.Has(Numbered("finger_d", count + 1)))
		++count;
	return count;
}

// All but the last finger on their marks: faded, the marks lit.
void PlaceAllButOneFinger(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	PlaceFingers(run, layouts, 1, FingerCount(layouts) - 1);
}

// The last finger solves the minigame: it closes after its victory, the
// room's music changes and the way on fades in.
void SolveFingers(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	PlaceFingers(run, layouts, FingerCount(layouts), FingerCount(layouts));
}

// The way on hides the room and opens the diary with its map while
// location2 loads.
void TakeTheWayOn(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	// The room's music since the fingers were matched: before, only its
	// clock and short ambient sounds were heard.
	const size_t now = run.SoundBytes();
	EXPECT_TRUE(Eventually([&] { return run.HeardWithoutBreakSince(now, 1500ms); }, 10s)) << "no music";
	EXPECT_TRUE(run.ClickUntilChanged(layouts.room, "passage"));
	run.ParkPointer();
}

// The diary closed: location2.
void CloseTheMap(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens&)
{
	EXPECT_TRUE(CloseTheDiary(run, layouts.front.diary));
	run.ParkPointer();
}
}

sLocation1Layouts::sLocation1Layouts(const std::string& game)
	: room(cScreenLayout::Read(game, "location1")), panel(cScreenLayout::Read(game, "gamepanel")),
	  fingers(cScreenLayout::Read(game, "fingers")), front(game)
{
}

const std::vector<sLocation1Step>& Location1Steps()
{
	static const std::vector<sLocation1Step> steps = {
		{"l1-01-explore", EndWelcome, true},
		// Not resumed here: the part the box changed ("door_locked" plays
		// "door_key") is not kept in the saved progress, so after a restart
		// the door's hint is the locked one again.
		{"l1-02-key-in-panel", OpenBox, false},
		{"l1-03-door-hint", AskAtTheDoor, false},
		{"l1-04-door-open-search", OpenDoor, true},
		{"l1-05-three-found", FindCupsAndPen, true},
		{"l1-06-search-done", FindClockAndBook, true},
		{"l1-07-fingers", StartFingers, false},
		{"l1-08-fingers-placed", PlaceAllButOneFinger, false},
		{"l1-09-way-on", SolveFingers, true},
		{"l1-10-map", TakeTheWayOn, false},
		{"l1-11-location2", CloseTheMap, true},
	};
	return steps;
}

void PlayLocation1Step(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens& screens,
	const sLocation1Step& step)
{
	SCOPED_TRACE(step.screen);
	// The screen before matched its picture, maybe while something still
	// moved: the step starts from rest.
	Settle(run);
	step.play(run, layouts, screens);
	EXPECT_EQ(screens.Check(run, step.screen), "");
}

void QuitAndComeBack(cGameRun& run, const sLocation1Layouts& layouts, cStoryScreens& screens)
{
	Quit(run, layouts.front);
	EXPECT_EQ(run.WaitForEnd(30s), 0);
	ExpectCleanLog(run.Log());
	ASSERT_TRUE(run.Launch()) << "the game showed no window again";
	// The player is remembered: no name prompt, the menu greets Ann.
	EXPECT_EQ(screens.Check(run, "l1-00-menu-on-return"), "");
	EXPECT_TRUE(run.ClickUntilChanged(layouts.front.menu, "start"));
	EXPECT_TRUE(CloseTheDiary(run, layouts.front.diary));
	run.ParkPointer();
}
