// The wheel locks played with the mouse: the bag's six wheels set to its
// combination open it and win with the victory sound; the code locks win
// silently a second after their three wheels are set, code_enter1 asking
// for every wheel again at each showing and code_enter2 keeping them;
// scenes missing a wheel, with a wheel too many, or without a border.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameBag.h"
#include "game/minigames/cMinigameCodeEnter1.h"
#include "game/minigames/cMinigameCodeEnter2.h"

namespace
{
const char* const kBagWheels[] = { "code_1", "code_2", "code_3", "code_4", "code_6", "code_7" };
constexpr sRect kLid { 150, 520, 870, 620 };

sRect WheelRect(size_t wheel)
{
	const float left = 150 + float(wheel) * 120;
	return { left, 250, left + 90, 450 };
}

// A wheel's look at a position: a grey whose level grows with it.
sColor PositionColour(int position)
{
	const float level = float(position) / 10;
	return sColor(level, level, level, 1);
}

class CodeWheelsTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		for (size_t wheel = 0; wheel < 6; ++wheel)
			AddModels({ { kBagWheels[wheel], WheelRect(wheel), "white" },
				{ ("vall_" + std::to_string(wheel + 1)).c_str(), WheelRect(wheel), "white" } });
		AddModels({ { "lid", kLid, "green" }, { "square", kPuzzleFrame, "grey" },
			{ "okno", kPuzzleFrame, "grey" } });
		// Position n is shown by the keys 2n and 2n + 1.
		cMotionWriter writer;
		for (int position = 0; position <= 10; ++position)
		{
			writer.AddKeyTime(float(position * 20)).AddColour(PositionColour(position));
			writer.AddKeyTime(float(position * 20 + 10)).AddColour(PositionColour(position));
		}
		content.AddMotion("wheel", writer.GetBytes());
		AddSound("roll", 0.1f);
		AddSound("victory", 0.5f);
	}

	// A wheel whose clips "hit1" ... show their positions for 0.2 s.
	static std::string Wheel(const std::string& name, int positions)
	{
		std::string clips;
		for (int position = 1; position <= positions; ++position)
			clips += "<add_motion name=\"hit" + std::to_string(position) + "\" first=\"" +
				std::to_string(position * 20) + "\" last=\"" + std::to_string(position * 20 + 10) +
				"\" length=\"0.2\"/>";
		return PieceElement({ name.c_str(), {}, "" }, "wheel", clips, R"(color="1 0 0 0")");
	}

	// The bag's wheels but the one left out, and the lid that opens.
	cMinigameBag* ShowBag(const std::string& without = "")
	{
		std::string elements;
		for (const char* wheel : kBagWheels)
			if (wheel != without)
				elements += Wheel(wheel, 6);
		elements += PieceElement({ "lid", {}, "" }, "fade", Clip("open", 0.3f, true));
		return ShowPuzzle<cMinigameBag>("bag", elements);
	}

	// The lock's frame and wheels, with or without the common border.
	template <class Lock>
	Lock* ShowLock(const char* name, const char* frame, int wheels = 3, bool withBorder = true)
	{
		std::string elements = PieceElement({ frame, {}, "" }, "", "", R"(local="1 0 0 0 1 0 0 0 1 0 0 1")");
		for (int wheel = 1; wheel <= wheels; ++wheel)
			elements += Wheel("vall_" + std::to_string(wheel), 10);
		if (!withBorder)
		{
			content.AddScene(name, elements);
			auto* game = new Lock(name, screen);
			game->GetTransform().SetLocalMatrix(Translation(0, 0, -500));
			game->Show();
			RunFor(0.5f);
			return game;
		}
		return ShowPuzzle<Lock>(name, elements);
	}

	// Clicks the wheel so often, each time once nothing moves.
	void Turn(cMinigame* game, size_t wheel, int clicks)
	{
		for (int click = 0; click < clicks; ++click)
		{
			ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
			Click(WheelRect(wheel));
		}
	}

	static std::string ShownClip(cMinigame* game, const std::string& wheel)
	{
		return game->GetChildList().FindChild(wheel)->GetMotions().GetCurrentClipName();
	}

	// The screenshot's wheel shows the position.
	static bool Shows(const sPixels& pixels, size_t wheel, int position)
	{
		const sRect rect = WheelRect(wheel);
		const int level = int(255 * PositionColour(position).r + 0.5f);
		return ColorNear(ColorAt(pixels, (rect.left + rect.right) / 2, 350), D3DCOLOR(0xFF000000 | level * 0x010101), 3);
	}
};
}

TEST_F(CodeWheelsTest, TheBagSetToItsCombinationOpensAndWinsWithTheVictory)
{
	cMinigameBag* game = ShowBag();
	const sPixels start = Screenshot("bag_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 500, 570), 0xFF00FF00)) << "the lid is closed";
	EXPECT_EQ(game->GetPosition(0), 6) << "a wheel never turned reads as its sixth position";

	ForgetSounds();
	Turn(game, 0, 1);
	EXPECT_EQ(ShownClip(game, "code_1"), "hit1");
	EXPECT_TRUE(game->IsSoundPlaying("roll"));
	Turn(game, 0, 6);
	EXPECT_EQ(ShownClip(game, "code_1"), "hit1") << "after the sixth position comes the first";

	for (size_t wheel = 0; wheel < 6; ++wheel)
		Turn(game, wheel, (cMinigameBag::kCombination[wheel] - game->GetPosition(wheel) + 6) % 6);
	EXPECT_TRUE(game->IsCorrect());
	EXPECT_FALSE(game->IsOpened()) << "the last wheel still turns";
	ASSERT_TRUE(RunUntil([&] { return game->IsOpened(); }));
	EXPECT_FALSE(game->IsSolved()) << "the lid opens first";
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }));
	const sPixels solved = Screenshot("bag_solved");
	for (size_t wheel = 0; wheel < 6; ++wheel)
		EXPECT_TRUE(Shows(solved, wheel, cMinigameBag::kCombination[wheel])) << wheel;
	EXPECT_TRUE(ColorNear(ColorAt(solved, 500, 570), 0xFF000000)) << "the lid is open";
	CheckVictory(game);
}

TEST_F(CodeWheelsTest, TheBagStaysShutOnAWrongWheelAndAWheelTurnedDuringTheOpeningHoldsTheWin)
{
	cMinigameBag* game = ShowBag();
	for (size_t wheel = 0; wheel < 5; ++wheel)
		Turn(game, wheel, cMinigameBag::kCombination[wheel]);
	// The last wheel one position short.
	Turn(game, 5, cMinigameBag::kCombination[5] - 1);
	RunFor(1);
	EXPECT_FALSE(game->IsCorrect());
	EXPECT_FALSE(game->IsOpened());
	EXPECT_FALSE(game->IsSolved());

	Turn(game, 5, 1);
	ASSERT_TRUE(RunUntil([&] { return game->IsOpened(); }));
	// Turned away while the lid opens: no win until it is set again, then at once.
	Click(WheelRect(2));
	RunFor(1);
	EXPECT_FALSE(game->IsSolved());
	Turn(game, 2, 5);
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }, 0.5f));
	CheckVictory(game);

	// Shown again, the wheels keep their look but count as unturned.
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetPosition(0), 6);
	EXPECT_EQ(ShownClip(game, "code_1"), "hit" + std::to_string(cMinigameBag::kCombination[0]));
	CheckSkipAndClose(game);
}

TEST_F(CodeWheelsTest, ABagWithoutItsFourthWheelOpensOnTheOtherFive)
{
	testing::internal::CaptureStderr();
	cMinigameBag* game = ShowBag("code_4");
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has no wheel 'code_4'"));
	EXPECT_EQ(game->GetWheels()[3], nullptr);
	Click(WheelRect(3));
	for (size_t wheel : { 0, 1, 2, 4, 5 })
		Turn(game, wheel, cMinigameBag::kCombination[wheel]);
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }));
	CheckVictory(game);
}

TEST_F(CodeWheelsTest, CodeEnter1WinsSilentlyASecondAfterItsCombinationAndAsksForItAgain)
{
	auto* game = ShowLock<cMinigameCodeEnter1>("code_enter1", "square");
	Screenshot("code_enter1_start");
	// A wheel runs through its ten positions and starts again.
	Turn(game, 0, 11);
	EXPECT_EQ(ShownClip(game, "vall_1"), "hit1");
	EXPECT_EQ(game->GetPositions()[0], 1);
	Turn(game, 0, cMinigameCodeEnter1::kCombination[0] - 1);
	Turn(game, 1, cMinigameCodeEnter1::kCombination[1]);
	// One wheel one short of its place.
	Turn(game, 2, cMinigameCodeEnter1::kCombination[2] - 1);
	RunFor(1.5f);
	EXPECT_FALSE(game->IsSolved());
	ForgetSounds();
	Turn(game, 2, 1);
	Step();
	ASSERT_TRUE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "");
	RunFor(0.5f);
	EXPECT_FALSE(IsClosing(game)) << "a second passes first";
	const sPixels solved = Screenshot("code_enter1_solved");
	for (size_t wheel = 0; wheel < 3; ++wheel)
		EXPECT_TRUE(Shows(solved, wheel, cMinigameCodeEnter1::kCombination[wheel])) << wheel;
	CheckQuietWin(game);

	// Shown again, the wheels look set but must be turned again.
	game->Show();
	RunFor(1.5f);
	EXPECT_FALSE(game->IsSolved());
	EXPECT_EQ(game->GetPositions(), cMinigameCodeEnter::tCode({ -1, -1, -1 }));
	CheckSkipAndClose(game);
}

TEST_F(CodeWheelsTest, CodeEnter2KeepsItsWheelsFromTheShowingBefore)
{
	auto* game = ShowLock<cMinigameCodeEnter2>("code_enter2", "okno");
	for (size_t wheel = 0; wheel < 3; ++wheel)
		Turn(game, wheel, cMinigameCodeEnter2::kCombination[wheel]);
	Step();
	ASSERT_TRUE(game->IsSolved());
	CheckQuietWin(game);
	game->Show();
	Step();
	EXPECT_TRUE(game->IsSolved()) << "the wheels are still set";
	CheckQuietWin(game);
}

TEST_F(CodeWheelsTest, ACodeLockWithoutABorderClosesOnAClickOutsideItsFrame)
{
	auto* game = ShowLock<cMinigameCodeEnter1>("code_enter1", "square", 4, false);
	EXPECT_EQ(game->GetBorder(), nullptr);
	// A fourth wheel turns but does not count.
	Turn(game, 3, 2);
	EXPECT_EQ(ShownClip(game, "vall_4"), "hit2");
	Screenshot("code_enter1_no_border");
	Click(500, 600);
	EXPECT_FALSE(IsClosing(game)) << "inside the frame";
	Click(1010, 20);
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "");
}

TEST_F(CodeWheelsTest, ALockWithoutWheelsIsLoggedAndOnlyCloses)
{
	testing::internal::CaptureStderr();
	auto* game = ShowLock<cMinigameCodeEnter2>("code_enter2", "okno", 2);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 2 wheels"));
	Turn(game, 0, 4);
	Turn(game, 1, 10);
	RunFor(1.5f);
	EXPECT_FALSE(game->IsSolved());
	game->Show();
	RunFor(0.5f);
	CheckSkipAndClose(game);
}
