// The device minigame played with the mouse: pieces scattered and turned
// at the showing, carried back and turned with the right button, snapping
// into place when let go close to it and turned alike.

#include "DeviceBoard.h"

#include <cmath>

namespace
{
using namespace DeviceBoard;

class cMinigameDeviceTest : public PuzzleMinigameTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameTest::SetUp();
		if (!HasFatalFailure())
			AddDeviceContent({ resources, false }, content);
	}

	// Takes the piece at its origin, turns it by the steps and lets it go
	// at the point.
	void Carry(cMinigameDevice* game, int index, int turns, float x, float y)
	{
		const cVector3d origin = game->GetPiece(index)->GetTransform().GetWorldMatrix().GetTranslation();
		ClickOnGame(origin.x, origin.y);
		EXPECT_EQ(game->GetHeld(), index);
		for (int turn = 0; turn < turns; ++turn)
			RightClick();
		ClickOnGame(x, y);
		EXPECT_EQ(game->GetHeld(), -1);
	}
};
}

TEST_F(cMinigameDeviceTest, EveryPieceCarriedBackAndTurnedAlikeSnapsAndTheLastWins)
{
	auto* game = ShowGame<cMinigameDevice>("device");
	ASSERT_NE(game, nullptr);
	ASSERT_EQ(game->GetPieceCount(), 3);
	for (int index = 0; index < 3; ++index)
	{
		EXPECT_NEAR(game->GetPiece(index)->GetTransform().GetLocalColor().a, 0.8f, 1e-4f) << "loose";
	}
	for (int index = 0; index < 3; ++index)
	{
		const cMatrix start = game->GetStartMatrix(index);
		const int turns = TurnsFromPlace(game->GetPiece(index)->GetTransform().GetLocalMatrix(), start);
		Carry(game, index, (12 - turns) % 12, start._41, start._42);
		EXPECT_TRUE(game->IsConnected(index)) << index;
		const cMatrix& placed = game->GetPiece(index)->GetTransform().GetLocalMatrix();
		EXPECT_EQ(std::memcmp(&placed, &start, sizeof placed), 0) << "exactly at its place";
		EXPECT_EQ(game->IsSolved(), index == 2);
	}
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());

	// A placed piece is never taken again; the window closes with the win.
	const cMatrix& first = game->GetStartMatrix(0);
	ClickOnGame(first._41, first._42);
	EXPECT_EQ(game->GetHeld(), -1);
	Run(1.5f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigameDeviceTest, APieceLetGoFarOffOrTurnedOtherwiseStaysLooseButTheMirrorTurnSnaps)
{
	auto* game = ShowGame<cMinigameDevice>("device");
	ASSERT_NE(game, nullptr);
	const cMatrix start = game->GetStartMatrix(0);
	const int turns = TurnsFromPlace(game->GetPiece(0)->GetTransform().GetLocalMatrix(), start);

	// At its place but two steps of 30 degrees off.
	Carry(game, 0, (14 - turns) % 12, start._41, start._42);
	EXPECT_FALSE(game->IsConnected(0));
	EXPECT_NEAR(game->GetPiece(0)->GetTransform().GetLocalMatrix()._43, -10.0f, 1e-4f) << "left lifted";
	EXPECT_NEAR(game->GetPiece(0)->GetTransform().GetLocalColor().a, 0.8f, 1e-4f);

	// Turned alike but let go 40 units away.
	Carry(game, 0, 10, start._41 + 40, start._42);
	EXPECT_FALSE(game->IsConnected(0));
	EXPECT_NEAR(game->GetPiece(0)->GetTransform().GetLocalMatrix()._41, start._41 + 40, 2.0f);

	// Half a turn from its place: the bar lies along the same line and snaps.
	Carry(game, 0, 6, start._41, start._42);
	EXPECT_TRUE(game->IsConnected(0));
	EXPECT_NEAR(game->GetPiece(0)->GetTransform().GetLocalColor().a, 1.0f, 1e-4f);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

TEST_F(cMinigameDeviceTest, WithoutPiecesOrBackgroundItIsLoggedAndStillCloses)
{
	content.AddScene("device", StripBorder());
	testing::internal::CaptureStderr();
	auto* game = ShowGame<cMinigameDevice>("device");
	const std::string logged = testing::internal::GetCapturedStderr();
	ASSERT_NE(game, nullptr);
	EXPECT_NE(logged.find("device: no pieces"), std::string::npos) << logged;
	EXPECT_NE(logged.find("device: no \"background\""), std::string::npos) << logged;
	ClickOnGame(500, 400);
	RightClick();
	ClickOnGame(500, 400);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}


TEST_F(cMinigameDeviceTest, APieceWiderThanTheTrayLiesAtTheLowEndOfItsRange)
{
	sPuzzleArt { resources, false }.Quad("huge_piece", { -300, -10, 300, 10 }, "yellow");
	content.AddScene("device", R"(<geometry name="mashine_1" model="huge_piece" local="1 0 0 0 1 0 0 0 1 512 400 0"/>)" +
		StripBorder());
	testing::internal::CaptureStderr();
	auto* game = ShowGame<cMinigameDevice>("device");
	testing::internal::GetCapturedStderr();
	ASSERT_NE(game, nullptr);
	const cMatrix& placed = game->GetPiece(0)->GetTransform().GetLocalMatrix();
	EXPECT_NEAR(placed._41, 242.0f + 300, 1e-3f) << "x from 542 to 482 is no range";
	EXPECT_GE(placed._42, 194.0f + 10);
	EXPECT_LE(placed._42, 574.0f - 10);
	ExpectCloseAndSkip(game);
}
