// The pane broken ring by ring with the mouse: hovering the current ring
// darkens all its pieces, a click breaks it with the crash sound; other
// rings and clicks during a break do nothing; after the ninth break the
// window closes with the win a second later, without a victory sound.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameGlass.h"

namespace
{
constexpr int kRings = cMinigameGlass::kRings;

// Each ring is a pair of upright bars, the outer ring outermost.
sRect PieceRect(int ring, int side)
{
	const float left = side == 0 ? 100 + float(ring) * 40 : 894 - float(ring) * 40;
	return { left, 150, left + 30, 600 };
}
std::string PieceName(int ring, int side)
{
	return "piece_" + std::to_string(ring + 1) + (side == 0 ? "_left" : "_right");
}

class GlassTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		for (int ring = 0; ring < kRings; ++ring)
			for (int side = 0; side < 2; ++side)
				AddModels({ { PieceName(ring, side).c_str(), PieceRect(ring, side), "white" } });
		AddSound("glass_crash", 0.2f);
		AddSound("victory", 0.5f);
	}

	// Each piece fades out in 0.2 s when its ring breaks.
	static std::string Scene()
	{
		std::string elements;
		for (int ring = 0; ring < kRings; ++ring)
			for (int side = 0; side < 2; ++side)
				elements += PieceElement({ PieceName(ring, side).c_str(), {}, "" }, "fade",
					Clip("brake" + std::to_string(ring + 1), 0.2f, true), "ring=\"" + std::to_string(ring + 1) + "\"");
		return elements;
	}

	cMinigameGlass* ShowGlass() { return ShowPuzzle<cMinigameGlass>("glass", Scene()); }

	// The middle of a piece of the ring, from its world box.
	static std::pair<float, float> PieceMiddle(cMinigameGlass* game, int ring, size_t piece = 0)
	{
		cTransformNode& transform = game->GetRing(ring)[piece]->GetTransform();
		transform.UpdateWorldBox();
		const cVector3d centre = transform.GetWorldBox().GetCenter();
		return { centre.x, centre.y };
	}

	void Break(cMinigameGlass* game, int ring)
	{
		ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
		const auto [x, y] = PieceMiddle(game, ring);
		Click(x, y);
	}
};
}

TEST_F(GlassTest, TheRingsBrokenFromTheOutsideInWinASecondLaterWithoutAVictorySound)
{
	cMinigameGlass* game = ShowGlass();
	for (int ring = 0; ring < kRings; ++ring)
		EXPECT_EQ(game->GetRing(ring).size(), 2u) << ring;
	const sPixels start = Screenshot("glass_start");
	for (int ring = 0; ring < kRings; ++ring)
		EXPECT_TRUE(ColorNear(ColorAt(start, PieceRect(ring, 1).left + 15, 400), 0xFFFFFFFF)) << ring;

	for (int ring = 0; ring < kRings; ++ring)
	{
		ForgetSounds();
		Break(game, ring);
		EXPECT_EQ(game->GetStage(), ring + 1);
		EXPECT_TRUE(game->IsSoundPlaying("glass"));
		EXPECT_EQ(game->GetRing(ring)[1]->GetMotions().GetCurrentClipName(), "brake" + std::to_string(ring + 1));
	}
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }, 1));
	const sPixels broken = Screenshot("glass_solved");
	for (int ring = 0; ring < kRings; ++ring)
		EXPECT_TRUE(ColorNear(ColorAt(broken, PieceRect(ring, 0).left + 15, 400), 0xFF000000)) << ring;
	EXPECT_EQ(game->GetResult(), "") << "the win comes with the countdown";
	EXPECT_FALSE(GetMinigameEffect()->IsVisible());
	EXPECT_FALSE(game->IsSoundPlaying("victory"));
	RunFor(0.9f);
	EXPECT_FALSE(IsClosing(game));
	RunFor(0.2f);
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "win");

	// Shown again: from the outer ring, every piece in its own colour.
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetStage(), 0);
	EXPECT_FALSE(game->IsSolved());
	for (int ring = 0; ring < kRings; ++ring)
		for (cSceneObject* piece : game->GetRing(ring))
			EXPECT_FLOAT_EQ(piece->GetTransform().GetLocalColor().r, 1.0f) << piece->GetName();
}

TEST_F(GlassTest, HoveringShadesTheCurrentRingOnlyAndOtherRingsOrBusyClicksDoNothing)
{
	cMinigameGlass* game = ShowGlass();
	const auto [x, y] = PieceMiddle(game, 0, 1);
	MoveTo(x / kScale, y / kScale);
	EXPECT_TRUE(game->IsHovering());
	for (cSceneObject* piece : game->GetRing(0))
		EXPECT_FLOAT_EQ(piece->GetTransform().GetLocalColor().r, 0.2f) << piece->GetName();
	const sPixels hovered = Screenshot("glass_hover");
	EXPECT_TRUE(ColorNear(ColorAt(hovered, PieceRect(0, 0).left + 15, 400), 0xFF333333)) << "the other piece of the ring";
	EXPECT_TRUE(ColorNear(ColorAt(hovered, PieceRect(1, 0).left + 15, 400), 0xFFFFFFFF)) << "the next ring";
	MoveTo(500 / kScale, 680 / kScale);
	EXPECT_FALSE(game->IsHovering());
	for (cSceneObject* piece : game->GetRing(0))
		EXPECT_FLOAT_EQ(piece->GetTransform().GetLocalColor().r, 1.0f);

	// An inner ring first: nothing.
	ForgetSounds();
	const auto inner = PieceMiddle(game, 4);
	Click(inner.first, inner.second);
	EXPECT_EQ(game->GetStage(), 0);
	EXPECT_FALSE(game->IsSoundPlaying("glass"));

	// The next ring clicked while the first still breaks: ignored.
	Break(game, 0);
	const auto next = PieceMiddle(game, 1);
	Click(next.first, next.second);
	EXPECT_EQ(game->GetStage(), 1);
	Break(game, 1);
	EXPECT_EQ(game->GetStage(), 2);
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(GlassTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowGlass());
}

TEST_F(GlassTest, AMissingRingIsLoggedAndLeavesOnlySkipAndClose)
{
	testing::internal::CaptureStderr();
	cMinigameGlass* game = ShowPuzzle<cMinigameGlass>("glass", R"(<object name="stray" ring="10"/>)");
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has no pieces of ring 1"));
	Click(500, 400);
	RunFor(0.5f);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}
