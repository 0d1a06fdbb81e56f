// The statue played with the mouse: the feathers, then the head, then the
// arms; touches out of order, on set parts and on parts without their clip
// do nothing; the doors open before the win.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameStatue.h"

namespace
{
sRect FeatherRect(int feather)
{
	const float left = 300 + float(feather) * 90;
	return { left, 600, left + 60, 680 };
}
constexpr sRect kHead { 440, 470, 580, 580 };
constexpr sRect kLeftArm { 300, 300, 400, 450 };
constexpr sRect kRightArm { 620, 300, 720, 450 };
constexpr sRect kPlinth { 420, 150, 600, 280 };
constexpr sRect kDoors { 760, 150, 900, 400 };

std::string Feather(int feather)
{
	return std::to_string(feather + 1) + "_pero";
}

class StatueTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		for (int feather = 0; feather < 5; ++feather)
			AddModels({ { Feather(feather).c_str(), FeatherRect(feather), "green" } });
		AddModels({ { "head", kHead, "white" }, { "l_arm", kLeftArm, "white" }, { "r_arm", kRightArm, "white" },
			{ "plinth", kPlinth, "grey" }, { "doors", kDoors, "yellow" } });
		AddSound("stone_take", 0.2f);
		AddSound("victory", 0.5f);
	}

	// Parts dimmed until their "<part>_hit1" clip lights them in 0.3 s;
	// the part named without is left without its clip. The plinth lies
	// under the left arm and is no part of the solution.
	static std::string Scene(const std::string& without = "")
	{
		auto part = [&](const std::string& name, const std::string& children = "") {
			const std::string clip = name == without ? "" : Clip(name + "_hit1", 0.3f);
			return PieceElement({ name.c_str(), {}, "" }, "fade", clip + children, R"(color="0.4 1 1 1")");
		};
		std::string body;
		for (int feather = 0; feather < 5; ++feather)
			body += part(Feather(feather));
		body += part("head") + part("l_arm", part("plinth")) + part("r_arm");
		return "<object name=\"body\">" + body + "</object>" +
			PieceElement({ "doors", {}, "" }, "fade", Clip("open_doors", 0.4f, true));
	}

	cMinigameStatue* ShowStatue(const std::string& without = "")
	{
		return ShowPuzzle<cMinigameStatue>("statue", Scene(without));
	}

	// Touches once nothing moves; whether the touch was taken (a sound).
	bool Touch(cMinigameStatue* game, const sRect& rect)
	{
		EXPECT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
		ForgetSounds();
		Click(rect);
		return game->IsSoundPlaying("stone_take");
	}
};
}

TEST_F(StatueTest, FeathersThenHeadThenArmsOpenTheDoorsAndWin)
{
	cMinigameStatue* game = ShowStatue();
	const sPixels start = Screenshot("statue_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 510, 525), 0xFF666666, 3)) << "the dimmed head";
	EXPECT_TRUE(ColorNear(ColorAt(start, 830, 275), 0xFFFFFF00)) << "the closed doors";

	for (int feather : { 3, 0, 4, 1, 2 })
	{
		EXPECT_TRUE(Touch(game, FeatherRect(feather))) << feather;
		EXPECT_EQ(game->GetPartState(Feather(feather)), "hit1");
	}
	EXPECT_TRUE(Touch(game, kHead));
	EXPECT_TRUE(Touch(game, kRightArm));
	EXPECT_FALSE(game->IsAllSet());
	EXPECT_TRUE(Touch(game, kLeftArm));
	EXPECT_TRUE(game->IsAllSet());

	// The doors open once the arm has moved, then the win.
	ASSERT_TRUE(RunUntil([&] { return game->AreDoorsOpened(); }));
	EXPECT_FALSE(game->IsSolved());
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }));
	const sPixels solved = Screenshot("statue_solved");
	EXPECT_TRUE(ColorNear(ColorAt(solved, 510, 525), 0xFFFFFFFF)) << "the head set";
	EXPECT_TRUE(ColorNear(ColorAt(solved, 830, 275), 0xFF000000)) << "the doors open";
	CheckVictory(game);

	// Shown again, every part starts unset.
	game->Show();
	EXPECT_EQ(game->GetPartState("head"), "");
	EXPECT_FALSE(game->IsAllSet());
}

TEST_F(StatueTest, TouchesOutOfOrderOrOnSetPartsDoNothing)
{
	cMinigameStatue* game = ShowStatue();
	EXPECT_FALSE(Touch(game, kHead)) << "before the feathers";
	EXPECT_FALSE(Touch(game, kLeftArm)) << "before the head";
	EXPECT_TRUE(Touch(game, FeatherRect(0)));
	EXPECT_FALSE(Touch(game, FeatherRect(0))) << "already set";
	for (int feather = 1; feather < 4; ++feather)
		Touch(game, FeatherRect(feather));
	EXPECT_FALSE(Touch(game, kHead)) << "one feather left";
	Touch(game, FeatherRect(4));
	EXPECT_TRUE(Touch(game, kHead));
	EXPECT_FALSE(Touch(game, FeatherRect(2))) << "a feather after the head";
	// Any other part below the body belongs to the arms' group.
	EXPECT_TRUE(Touch(game, kPlinth));
	EXPECT_EQ(game->GetPartState("plinth"), "hit1");
	EXPECT_FALSE(game->IsAllSet());
	EXPECT_EQ(game->GetPartState("l_arm"), "");
}

TEST_F(StatueTest, APartWithoutItsClipDoesNotCount)
{
	cMinigameStatue* game = ShowStatue("head");
	for (int feather = 0; feather < 5; ++feather)
		Touch(game, FeatherRect(feather));
	EXPECT_FALSE(Touch(game, kHead));
	EXPECT_EQ(game->GetPartState("head"), "");
	EXPECT_FALSE(Touch(game, kRightArm)) << "the head is still not set";
	CheckSkipAndClose(game);
}

TEST_F(StatueTest, WithoutABodyItIsLoggedAndOnlySkipAndCloseWork)
{
	testing::internal::CaptureStderr();
	cMinigameStatue* game = ShowPuzzle<cMinigameStatue>("bare_statue", "<object name=\"nothing\"/>");
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "no object 'body'"));
	Click(kHead);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}
