// The platens played with the mouse: the test listens to the melody the
// minigame plays, repeats it on the rollers, and follows the stages, the
// lamps, the sounds and the win; wrong rollers, clicks during the melody,
// and scenes without clips or without rollers.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameFactory.h"
#include "game/minigames/cMinigamePlatens.h"

#include <memory>

namespace
{
constexpr int kRollerCount = 6;

sRect RollerRect(int roller)
{
	const float left = 110 + float(roller) * 135;
	return { left, 280, left + 110, 500 };
}
sRect LampRect(int lamp, bool green)
{
	const float left = 250 + float(lamp) * 110;
	return green ? sRect { left, 610, left + 70, 660 } : sRect { left, 540, left + 70, 590 };
}

std::string Name(const char* stem, int index)
{
	return stem + std::to_string(index + 1);
}

class PlatensTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		for (int roller = 0; roller < kRollerCount; ++roller)
			AddModels({ { Name("walik_", roller).c_str(), RollerRect(roller), "white" } });
		for (int lamp = 0; lamp < cMinigamePlatens::kStages; ++lamp)
			AddModels({ { Name("lamp_green_", lamp).c_str(), LampRect(lamp, true), "green" },
				{ Name("lamp_red_", lamp).c_str(), LampRect(lamp, false), "red" } });
		for (int note = 0; note < kRollerCount; ++note)
			AddSound(Name("melody", note), 0.2f);
		AddSound("error", 0.3f);
		AddSound("bingo", 0.3f);
		AddSound("victory", 0.6f);
	}

	// Rollers that turn for 0.25 s, lamps that fade on in 0.3 s from dark;
	// without clips nothing of them moves.
	static std::string Scene(int rollers, bool withClips)
	{
		std::string elements;
		for (int roller = 0; roller < rollers; ++roller)
			elements += PieceElement({ Name("walik_", roller).c_str(), {}, "" }, withClips ? "still" : "",
				withClips ? Clip("wal1", 0.25f) : "");
		for (int lamp = 0; lamp < cMinigamePlatens::kStages; ++lamp)
			for (const char* stem : { "lamp_green_", "lamp_red_" })
				elements += PieceElement({ Name(stem, lamp).c_str(), {}, "" }, withClips ? "fade" : "",
					withClips ? Clip("fadeon", 0.3f) : "", R"(color="0.25 1 1 1")");
		return elements;
	}

	cMinigamePlatens* ShowPlatens(int rollers = kRollerCount, bool withClips = true)
	{
		return ShowPuzzle<cMinigamePlatens>("platens", Scene(rollers, withClips));
	}

	// Waits for the player's turn and repeats the melody, each click once
	// the roller before has stopped.
	void RepeatMelody(cMinigamePlatens* game)
	{
		ASSERT_TRUE(RunUntil([&] { return !game->IsPlayingMelody(); }));
		const std::vector<int> melody = game->GetMelody();
		ASSERT_EQ(int(melody.size()), game->GetStage() + 2);
		for (int note : melody)
		{
			ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
			Click(RollerRect(note));
		}
	}

	static bool IsLit(cMinigamePlatens* game, const char* stem, int lamp)
	{
		return game->GetChildList().FindChild(Name(stem, lamp))->GetMotions().IsCurrentByName("fadeon");
	}
};
}

TEST_F(PlatensTest, TheMelodiesRepeatedStageByStageLightTheGreenLampsAndWin)
{
	cMinigamePlatens* game = ShowPlatens();
	const sPixels start = Screenshot("platens_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 165, 400), 0xFFFFFFFF)) << "a roller";
	EXPECT_TRUE(ColorNear(ColorAt(start, 285, 635), 0xFF004000, 3)) << "a dark green lamp";
	EXPECT_TRUE(ColorNear(ColorAt(start, 46, 400), 0xFF0000FF)) << "the frame";

	// The melody plays note by note on its rollers, with their notes.
	ASSERT_TRUE(RunUntil([&] { return !game->GetMelody().empty(); }));
	const int first = game->GetMelody().front();
	ASSERT_TRUE(RunUntil([&] { return game->GetRollers()[size_t(first)]->GetMotions().IsPlayingByName("wal1"); }));
	EXPECT_TRUE(game->IsSoundPlaying(Name("melody", first)));

	for (int stage = 0; stage < cMinigamePlatens::kStages; ++stage)
	{
		ForgetSounds();
		RepeatMelody(game);
		EXPECT_TRUE(game->IsSoundPlaying("bingo")) << stage;
		EXPECT_TRUE(IsLit(game, "lamp_green_", stage)) << stage;
		EXPECT_FALSE(IsLit(game, "lamp_red_", stage)) << stage;
	}
	// Won at once, while the last roller and lamp still move.
	EXPECT_TRUE(game->IsSolved());
	EXPECT_TRUE(game->IsBusy());
	RunFor(0.4f);
	const sPixels solved = Screenshot("platens_solved");
	for (int lamp = 0; lamp < cMinigamePlatens::kStages; ++lamp)
		EXPECT_TRUE(ColorNear(ColorAt(solved, LampRect(lamp, true).left + 35, 635), 0xFF00FF00, 3)) << lamp;
	CheckVictory(game);
}

TEST_F(PlatensTest, AWrongRollerLightsTheRedLampsLeftAndRepeatsTheStageWithANewMelody)
{
	cMinigamePlatens* game = ShowPlatens();
	RepeatMelody(game);
	ASSERT_TRUE(RunUntil([&] { return !game->IsPlayingMelody(); }));
	ASSERT_EQ(game->GetStage(), 1);
	const int right = game->GetMelody().front();
	Click(RollerRect((right + 1) % kRollerCount));
	EXPECT_TRUE(game->IsSoundPlaying("error"));
	EXPECT_TRUE(game->GetMelody().empty());
	EXPECT_TRUE(game->IsPlayingMelody());
	EXPECT_FALSE(IsLit(game, "lamp_red_", 0));
	for (int lamp = 1; lamp < cMinigamePlatens::kStages; ++lamp)
		EXPECT_TRUE(IsLit(game, "lamp_red_", lamp)) << lamp;
	EXPECT_EQ(game->GetStage(), 1) << "the stage stays";

	// Clicks during the pause and the melody do nothing.
	ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
	ForgetSounds();
	Click(RollerRect(0));
	EXPECT_FALSE(game->IsSoundPlaying(Name("melody", 0)));
	ASSERT_TRUE(RunUntil([&] { return !game->GetMelody().empty(); }));
	EXPECT_EQ(game->GetMelody().size(), 3u) << "the same stage's length";
	RepeatMelody(game);
	EXPECT_EQ(game->GetStage(), 2);
	EXPECT_FALSE(game->IsSolved());
	const sPixels pixels = Screenshot("platens_wrong");
	EXPECT_TRUE(ColorNear(ColorAt(pixels, 505, 565), 0xFFFF0000, 3)) << "a lit red lamp";

	// Shown again: the first stage with a new melody; the lamps stay lit.
	game->Show();
	EXPECT_EQ(game->GetStage(), 0);
	EXPECT_TRUE(game->GetMelody().empty());
	EXPECT_TRUE(IsLit(game, "lamp_green_", 0));
	EXPECT_TRUE(IsLit(game, "lamp_red_", 4));
	RepeatMelody(game);
	EXPECT_EQ(game->GetStage(), 1);
}

TEST_F(PlatensTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowPlatens());
}

TEST_F(PlatensTest, RollersAndLampsWithoutClipsStillLeadToTheWin)
{
	cMinigamePlatens* game = ShowPlatens(kRollerCount, false);
	for (int stage = 0; stage < cMinigamePlatens::kStages; ++stage)
		RepeatMelody(game);
	Step();
	EXPECT_TRUE(game->IsSolved());
	CheckVictory(game);
}

TEST_F(PlatensTest, OneRollerPlaysOnlyItselfAndNoRollersLeaveOnlySkipAndClose)
{
	cMinigamePlatens* single = ShowPlatens(1);
	ASSERT_TRUE(RunUntil([&] { return !single->GetMelody().empty(); }));
	EXPECT_EQ(single->GetMelody(), std::vector<int>({ 0, 0 }));
	single->Hide();
	RunFor(0.5f);

	// The factory makes it by its name; a scene without rollers is logged.
	testing::internal::CaptureStderr();
	std::unique_ptr<cMinigame> made(cMinigameFactory::GetInstance()->Create("platens", nullptr));
	EXPECT_NE(dynamic_cast<cMinigamePlatens*>(made.get()), nullptr);
	made.reset();
	content.AddScene("empty_platens", "<object name=\"nothing\"/>" + PuzzleBorder());
	auto* empty = new cMinigamePlatens("empty_platens", screen);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "no rollers"));
	empty->Show();
	RunFor(2);
	Click(RollerRect(0));
	EXPECT_FALSE(empty->IsSolved());
	CheckSkipAndClose(empty);
}
