// The fingers carried with the mouse: each finger put on its own mark stays
// faded and the mark lights; a wrong mark plays "error" and the finger goes
// back; a click on nothing drops it silently; all placed wins.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameFingers.h"

namespace
{
constexpr int kFingers = 3;
constexpr sRect kBackground { 60, 60, 860, 708 };

sRect MarkRect(int mark)
{
	const float left = 150 + float(mark) * 220;
	return { left, 480, left + 100, 640 };
}
sRect FingerRect(int finger)
{
	// The fingers lie in another order than their marks.
	const float left = 150 + float((finger + 1) % kFingers) * 220;
	return { left, 150, left + 60, 330 };
}

std::string Numbered(const char* stem, int index)
{
	return stem + std::to_string(index + 1);
}

// The middle of the object's world box.
std::pair<float, float> Middle(cSceneObject* object)
{
	object->GetTransform().UpdateWorldBox();
	const cVector3d centre = object->GetTransform().GetWorldBox().GetCenter();
	return { centre.x, centre.y };
}

class FingersTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({ { "background", kBackground, "grey" } });
		for (int finger = 0; finger < kFingers; ++finger)
			AddModels({ { Numbered("red_", finger).c_str(), MarkRect(finger), "red" },
				{ Numbered("finger_d", finger).c_str(), FingerRect(finger), "white" } });
		AddSound("bip", 0.2f);
		AddSound("error", 0.2f);
		AddSound("victory", 0.5f);
	}

	static std::string Scene()
	{
		std::string elements = PieceElement({ "background", {}, "" }, "", "");
		for (int mark = 0; mark < kFingers; ++mark)
			elements += PieceElement({ Numbered("red_", mark).c_str(), {}, "" }, "still", Clip("fadeon", 0.2f));
		for (int finger = 0; finger < kFingers; ++finger)
			elements += PieceElement({ Numbered("finger_d", finger).c_str(), {}, "" }, "", "");
		return elements;
	}

	cMinigameFingers* ShowFingers() { return ShowPuzzle<cMinigameFingers>("fingers", Scene()); }

	void ClickAt(const std::pair<float, float>& point) { Click(point.first, point.second); }

	// Picks the finger up, carries it over the mark and drops it there.
	void Carry(cMinigameFingers* game, int finger, int mark)
	{
		ClickAt(Middle(game->GetFingers()[size_t(finger)]));
		ASSERT_EQ(game->GetHeld(), game->GetFingers()[size_t(finger)]);
		const auto [x, y] = Middle(game->GetMarks()[size_t(mark)]);
		MoveTo(x / kScale, y / kScale);
		const auto [fingerX, fingerY] = Middle(game->GetHeld());
		EXPECT_NEAR(fingerX, x, 2) << "the finger follows the cursor";
		EXPECT_NEAR(fingerY, y, 2);
		ForgetSounds();
		Hold();
		LetGo();
		EXPECT_EQ(game->GetHeld(), nullptr);
	}
};
}

TEST_F(FingersTest, EachFingerOnItsOwnMarkStaysFadedAndAllPlacedWin)
{
	cMinigameFingers* game = ShowFingers();
	EXPECT_TRUE(game->GetCamera()->GetCamera().IsClipEnabled());
	const sPixels start = Screenshot("fingers_start");
	const auto firstFinger = Middle(game->GetFingers()[0]);
	EXPECT_TRUE(ColorNear(ColorAt(start, firstFinger.first, firstFinger.second), 0xFFFFFFFF)) << "a finger";
	EXPECT_TRUE(ColorNear(ColorAt(start, 200, 560), 0xFFFF0000)) << "a mark";

	for (int finger = 0; finger < kFingers; ++finger)
	{
		const auto before = Middle(game->GetFingers()[size_t(finger)]);
		Carry(game, finger, finger);
		EXPECT_TRUE(game->IsSoundPlaying("bip"));
		EXPECT_EQ(game->GetRemaining(), kFingers - finger - 1);
		cSceneObject* placed = game->GetFingers()[size_t(finger)];
		EXPECT_FALSE(placed->IsEnabled());
		EXPECT_FLOAT_EQ(placed->GetTransform().GetLocalColor().a, 0.3f);
		EXPECT_EQ(Middle(placed), before) << "it goes back where it was picked up";
		EXPECT_EQ(game->GetMarks()[size_t(finger)]->GetMotions().GetCurrentClipName(), "fadeon");
		if (finger + 1 < kFingers)
		{
			EXPECT_FALSE(game->IsSolved());
		}
	}
	const sPixels placed = Screenshot("fingers_solved");
	const D3DCOLOR faded = ColorAt(placed, firstFinger.first, firstFinger.second);
	EXPECT_TRUE(ColorNear(faded, 0xFFA6A6A6, 12)) << std::hex << faded << ": white at 0.3 over grey";
	Step();
	EXPECT_TRUE(game->IsSolved());
	CheckVictory(game);

	// Shown again: every finger loose and opaque.
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetRemaining(), kFingers);
	for (cSceneObject* finger : game->GetFingers())
		EXPECT_TRUE(finger->IsEnabled() && finger->GetTransform().GetLocalColor().a == 1.0f);
}

TEST_F(FingersTest, AWrongMarkPlaysErrorEmptySpaceDropsSilentlyAndAPlacedFingerStaysPut)
{
	cMinigameFingers* game = ShowFingers();
	// A click on nothing picks nothing up.
	Click(700, 400);
	EXPECT_EQ(game->GetHeld(), nullptr);

	const auto home = Middle(game->GetFingers()[0]);
	Carry(game, 0, 1);
	EXPECT_TRUE(game->IsSoundPlaying("error"));
	EXPECT_FALSE(game->IsSoundPlaying("bip"));
	EXPECT_EQ(Middle(game->GetFingers()[0]), home);
	EXPECT_TRUE(game->GetFingers()[0]->IsEnabled()) << "it stays available";
	EXPECT_EQ(game->GetRemaining(), kFingers);

	// Picked up, then dropped on empty space.
	ClickAt(home);
	ASSERT_EQ(game->GetHeld(), game->GetFingers()[0]);
	ForgetSounds();
	Click(700, 400);
	EXPECT_EQ(game->GetHeld(), nullptr);
	EXPECT_EQ(Middle(game->GetFingers()[0]), home);
	EXPECT_FALSE(game->IsSoundPlaying("error") || game->IsSoundPlaying("bip"));

	// A placed finger takes no second pick.
	Carry(game, 0, 0);
	ClickAt(home);
	EXPECT_EQ(game->GetHeld(), nullptr);
	EXPECT_EQ(game->GetRemaining(), kFingers - 1);
	RunFor(0.3f);
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(FingersTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowFingers());
}

TEST_F(FingersTest, MissingMarksAreLoggedAndNoFingersSolveAtOnce)
{
	testing::internal::CaptureStderr();
	cMinigameFingers* game = ShowPuzzle<cMinigameFingers>("fingers",
		PieceElement({ "finger_d1", {}, "" }, "", "") + PieceElement({ "finger_d2", {}, "" }, "", ""));
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 0 marks"));
	ClickAt(Middle(game->GetFingers()[0]));
	ASSERT_NE(game->GetHeld(), nullptr);
	Click(MarkRect(0));
	EXPECT_EQ(game->GetHeld(), nullptr);
	RunFor(0.2f);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);

	auto* bare = new cMinigameFingers("missing_fingers", screen);
	bare->Show();
	Step();
	EXPECT_TRUE(bare->IsSolved()) << "nothing to place";
}
