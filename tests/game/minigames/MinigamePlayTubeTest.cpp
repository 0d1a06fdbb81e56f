// The tube played with the mouse: the valves pressed in the hidden order
// move the indicator on and bring the key out; a wrong valve lets the
// pressed ones spring back and the indicator returns to its first step;
// scenes with too few valves or none at all.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameTube.h"

#include <algorithm>

namespace
{
constexpr int kValveCount = 5;

sRect ValveRect(int valve)
{
	const float left = 130 + float(valve) * 160;
	return { left, 250, left + 110, 420 };
}
sRect StepRect(int step)
{
	const float left = 200 + float(step) * 110;
	return { left, 540, left + 70, 600 };
}
constexpr sRect kKey { 780, 500, 900, 640 };

std::string Numbered(const char* stem, int index, const char* tail = "")
{
	return stem + std::to_string(index + 1) + tail;
}

class TubeTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		for (int valve = 0; valve < kValveCount; ++valve)
			AddModels({ { Numbered("kapan_off_", valve).c_str(), ValveRect(valve), "grey" },
				{ Numbered("kapan_on_", valve).c_str(), ValveRect(valve), "white" },
				{ Numbered("open_", valve).c_str(), StepRect(valve), "green" } });
		AddModels({ { "key", kKey, "yellow" } });
		for (int valve = 0; valve < kValveCount; ++valve)
			AddSound(Numbered("flute", valve), 0.2f);
		AddSound("victory", 0.5f);
	}

	// Valves whose looks fade in and out in 0.2 s, the indicator's steps,
	// and the key, all transparent until their clips show them.
	static std::string Scene(int valves)
	{
		const std::string hidden = R"(color="0 1 1 1")";
		std::string elements;
		for (int valve = 0; valve < valves; ++valve)
		{
			const std::string stem = Numbered("klapan_", valve, "_");
			elements += PieceElement({ Numbered("kapan_off_", valve).c_str(), {}, "" }, "fade",
				Clip(stem + "off_fadein", 0.2f) + Clip(stem + "off_fadeout", 0.2f, true));
			elements += PieceElement({ Numbered("kapan_on_", valve).c_str(), {}, "" }, "fade",
				Clip(stem + "on_fadein", 0.2f) + Clip(stem + "on_fadeout", 0.2f, true), hidden);
		}
		for (int step = 0; step < kValveCount; ++step)
			elements += PieceElement({ Numbered("open_", step).c_str(), {}, "" }, "fade",
				Clip(Numbered("open_", step, "_on"), 0.2f) + Clip(Numbered("open_", step, "_off"), 0.2f, true), hidden);
		return elements + PieceElement({ "key", {}, "" }, "fade", Clip("key", 0.4f), hidden);
	}

	cMinigameTube* ShowTube(int valves = kValveCount)
	{
		return ShowPuzzle<cMinigameTube>("tube", Scene(valves));
	}

	// Presses the valve once nothing moves, and waits for the judgement.
	void Press(cMinigameTube* game, int valve)
	{
		ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
		Click(ValveRect(valve));
		ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
	}

	static std::string CurrentClip(cMinigameTube* game, const std::string& object)
	{
		return game->GetChildList().FindChild(object)->GetMotions().GetCurrentClipName();
	}
};
}

TEST_F(TubeTest, TheValvesInTheHiddenOrderBringTheKeyOutAndWinOnceItsSoundHasEnded)
{
	AddSound("keys", 0.4f);
	cMinigameTube* game = ShowTube();
	std::vector<int> order = game->GetOrder();
	std::sort(order.begin(), order.end());
	EXPECT_EQ(order, std::vector<int>({ 1, 2, 3, 4 })) << "the first valve never takes part";
	const sPixels start = Screenshot("tube_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 185, 335), 0xFF808080)) << "a valve at rest";
	EXPECT_TRUE(ColorNear(ColorAt(start, 235, 570), 0xFF00FF00)) << "the indicator's first step";
	EXPECT_TRUE(ColorNear(ColorAt(start, 345, 570), 0xFF000000)) << "its second step is off";
	EXPECT_TRUE(ColorNear(ColorAt(start, 840, 570), 0xFF000000)) << "no key yet";

	for (int progress = 0; progress < 4; ++progress)
	{
		const int valve = game->GetOrder()[size_t(progress)];
		ForgetSounds();
		Press(game, valve);
		EXPECT_TRUE(game->IsSoundPlaying(Numbered("flute", valve)));
		EXPECT_EQ(game->GetProgress(), progress + 1);
		EXPECT_FALSE(game->GetValves()[size_t(valve)]->IsEnabled()) << "it stays pressed";
		EXPECT_EQ(CurrentClip(game, Numbered("open_", progress + 1)), Numbered("open_", progress + 1, "_on"));
	}
	EXPECT_EQ(CurrentClip(game, "key"), "key");
	EXPECT_TRUE(game->IsSoundPlaying("keys"));
	RunFor(0.5f);
	EXPECT_FALSE(game->IsSolved()) << "the key's sound still plays";
	const sPixels keyOut = Screenshot("tube_solved");
	EXPECT_TRUE(ColorNear(ColorAt(keyOut, 840, 570), 0xFFFFFF00)) << "the key";
	for (int valve : game->GetOrder())
		EXPECT_TRUE(ColorNear(ColorAt(keyOut, ValveRect(valve).left + 55, 335), 0xFFFFFFFF)) << valve;
	ForgetSounds();
	Step();
	EXPECT_TRUE(game->IsSolved());
	CheckVictory(game);

	// Shown again: a new order, and the valves pressed before stay pressed.
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetProgress(), 0);
	for (int valve = 1; valve < kValveCount; ++valve)
		EXPECT_FALSE(game->GetValves()[size_t(valve)]->IsEnabled()) << valve;
}

TEST_F(TubeTest, AWrongValveAfterThreeRightOnesLetsAllSpringBackAndTheIndicatorStartsAgain)
{
	cMinigameTube* game = ShowTube();
	const std::vector<int> order = game->GetOrder();
	Press(game, order[0]);
	// A pressed valve takes no second press.
	ForgetSounds();
	Press(game, order[0]);
	EXPECT_FALSE(game->IsSoundPlaying(Numbered("flute", order[0])));
	EXPECT_EQ(game->GetProgress(), 1);
	Press(game, order[1]);
	Press(game, order[2]);
	ASSERT_EQ(game->GetProgress(), 3);

	// The first valve is always wrong.
	Press(game, 0);
	EXPECT_EQ(game->GetProgress(), 0);
	EXPECT_EQ(CurrentClip(game, "open_1"), "open_1_on");
	EXPECT_EQ(CurrentClip(game, "open_4"), "open_4_off");
	for (int valve : { 0, order[0], order[1], order[2] })
		EXPECT_EQ(CurrentClip(game, Numbered("kapan_on_", valve)), Numbered("klapan_", valve, "_on_fadeout")) << valve;
	for (cSceneObject* valve : game->GetValves())
		EXPECT_TRUE(valve->IsEnabled() && valve->IsVisible()) << valve->GetName();
	const sPixels pixels = Screenshot("tube_wrong");
	EXPECT_TRUE(ColorNear(ColorAt(pixels, 235, 570), 0xFF00FF00)) << "the first step again";
	EXPECT_TRUE(ColorNear(ColorAt(pixels, 565, 570), 0xFF000000)) << "the fourth step is off";
	EXPECT_TRUE(ColorNear(ColorAt(pixels, ValveRect(order[0]).left + 55, 335), 0xFF808080));

	// The search starts again from the first of the order.
	for (int valve : order)
		Press(game, valve);
	Step();
	EXPECT_TRUE(game->IsSolved());
	CheckVictory(game);
}

TEST_F(TubeTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowTube());
}

TEST_F(TubeTest, TooFewValvesAreLoggedAndLeaveOnlySkipAndClose)
{
	testing::internal::CaptureStderr();
	cMinigameTube* game = ShowTube(3);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 3 valves"));
	for (int valve = 1; valve < 3; ++valve)
		Press(game, valve);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);

	// No scene at all: a window of its camera alone, which still shows and skips.
	testing::internal::CaptureStderr();
	auto* bare = new cMinigameTube("missing_tube", screen);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 0 valves"));
	bare->Show();
	RunFor(0.5f);
	Click(ValveRect(2));
	EXPECT_FALSE(bare->IsSolved());
	bare->Skip();
	EXPECT_EQ(bare->GetResult(), "win");
}
