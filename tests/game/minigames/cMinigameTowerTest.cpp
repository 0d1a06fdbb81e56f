// The tower minigame played with the mouse: balls rolled into free open
// cells and carried round by the ring, until the goal cells hold their
// colours; the moves are found by a search over the board the minigame
// builds.

#include "TowerBoard.h"

#include <cmath>
#include <deque>
#include <unordered_map>

namespace
{
using namespace TowerBoard;

class cMinigameTowerTest : public PuzzleMinigameTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameTest::SetUp();
		if (HasFatalFailure())
			return;
		AddTowerArt({ resources, false });
		content.AddScene("tower", TowerScene(content));
	}

	// A click on the cell's ball or on the ring's handle once nothing
	// moves (the skip bar's end plays for 2 s), then frames until nothing
	// moves any more.
	void Play(cMinigameTower* game, int move)
	{
		WaitUntilStill(game);
		if (move == cMinigameTower::kCells)
			ClickOnGame(kHandleX, kHandleY);
		else if (cSceneObject* ball = game->GetCell(move).ball)
			ClickOnGame(Where(ball).x, Where(ball).y);
		else
			ADD_FAILURE() << "no ball in cell " << move;
		WaitUntilStill(game);
	}
	void WaitUntilStill(cMinigameTower* game)
	{
		for (int frame = 0; frame < 100 && (game->GetMovingBall() || game->IsBusy()); ++frame)
			Step(0.05f);
	}
	static cVector3d Where(cSceneObject* ball) { return ball->GetTransform().GetWorldMatrix().GetTranslation(); }
};
}

TEST_F(cMinigameTowerTest, TheSearchedMovesPlayedWithTheMouseBringEveryColourHome)
{
	auto* game = ShowGame<cMinigameTower>("tower");
	ASSERT_NE(game, nullptr);
	ASSERT_EQ(game->GetBalls().size(), size_t(cMinigameTower::kBalls));
	EXPECT_NEAR(Where(game->GetBalls()[0]).z, -900.0f, 1e-3f) << "400 in front of the minigame";
	const tMoves moves = SolveFrom(*game);
	ASSERT_FALSE(moves.empty());
	for (int move : moves)
	{
		EXPECT_FALSE(game->IsSolved());
		Play(game, move);

	}
	EXPECT_TRUE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());
	// Every ball stands on its cell's place, back under the minigame.
	for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
		if (cSceneObject* ball = game->GetCell(cell).ball)
		{
			EXPECT_EQ(ball->GetParent(), game);
			EXPECT_NEAR(Where(ball).x, CellX(cell), 0.01f);
			EXPECT_NEAR(Where(ball).y, CellY(cell), 0.01f);
		}
	Run(1.5f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");

	// Shown again, the board starts over.
	game->Show();
	Run(0.1f);
	EXPECT_EQ(game->GetRingPosition(), 0);
	EXPECT_EQ(game->GetCell(2).colour, 4);
	EXPECT_NEAR(Where(game->GetCell(2).ball).x, CellX(2), 0.01f);
}

TEST_F(cMinigameTowerTest, BallsTakeTheFirstFreeOpenNeighbourAndTheRingCarriesGatesWithTheirFlags)
{
	auto* game = ShowGame<cMinigameTower>("tower");
	ASSERT_NE(game, nullptr);
	// Nothing free around the green ball of cell 6: the press does nothing.
	const cVector3d blocked = Where(game->GetCell(6).ball);
	Play(game, 6);
	EXPECT_NEAR(Where(game->GetCell(6).ball).x, blocked.x, 0.01f);
	EXPECT_EQ(game->GetCell(6).colour, 3);

	// Cell 1's white ball: up to cell 0 is the first free, open neighbour.
	cSceneObject* white = game->GetCell(1).ball;
	Play(game, 1);
	EXPECT_EQ(game->GetCell(0).ball, white);
	EXPECT_EQ(game->GetCell(1).colour, 0);
	EXPECT_NEAR(Where(white).y, CellY(0), 0.01f);
	// Closed cell 5 never takes the yellow ball of cell 2: it goes up to 1.
	Play(game, 2);
	EXPECT_EQ(game->GetCell(1).colour, 4);
	EXPECT_EQ(game->GetCell(5).colour, 0);

	// The ring carries cell 0's ball and open flag to cell 11.
	Play(game, cMinigameTower::kCells);
	EXPECT_EQ(game->GetRingPosition(), 1);
	EXPECT_EQ(game->GetCell(11).ball, white);
	EXPECT_TRUE(game->GetCell(11).open);
	EXPECT_FALSE(game->GetCell(0).open);
	EXPECT_NEAR(Where(white).x, CellX(11), 0.01f);
	EXPECT_NEAR(Where(white).y, CellY(11), 0.01f);
	EXPECT_EQ(white->GetParent(), game);
	// Three turns more bring the ring round with empty gates.
	for (int turn = 0; turn < 3; ++turn)
		Play(game, cMinigameTower::kCells);
	EXPECT_EQ(game->GetRingPosition(), 0);
	EXPECT_TRUE(game->GetCell(0).open);
	EXPECT_EQ(game->GetCell(0).ball, white);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

TEST_F(cMinigameTowerTest, AnIncompleteBoardIsLoggedAndTheWindowStillCloses)
{
	content.AddScene("tower", TowerScene(content, 5, 3));
	testing::internal::CaptureStderr();
	auto* game = ShowGame<cMinigameTower>("tower");
	const std::string logged = testing::internal::GetCapturedStderr();
	ASSERT_NE(game, nullptr);
	EXPECT_NE(logged.find("tower: 5 cells of 12 and 3 balls of 8"), std::string::npos) << logged;
	for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
		if (game->GetCell(cell).ball)
			Play(game, cell);
	for (int turn = 0; turn < 5; ++turn)
		Play(game, cMinigameTower::kCells);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

