// The faces minigame played with the mouse: heads picked up and set down
// on the cells of a board written here, what they see lit, the happy faces
// of lonely heads, and the win when all eight are lonely.

#include "FacesBoard.h"

#include <array>

namespace
{
using namespace FacesBoard;

class cMinigameFacesTest : public PuzzleMinigameTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameTest::SetUp();
		if (!HasFatalFailure())
			AddFacesContent({ resources, false }, content);
	}

	// A press on the cell's centre: its head, or the cell when it is free.
	void PressCell(int row, int column) { ClickOnGame(CellX(column) + kCell / 2, CellY(row) + kCell / 2); }
	// A press on the cell's corner, outside a head standing there.
	void PressCellCorner(int row, int column) { ClickOnGame(CellX(column) + 5, CellY(row) + 5); }
};

}

TEST_F(cMinigameFacesTest, EightLonelyHeadsPlacedWithTheMouseWin)
{
	auto* game = ShowGame<cMinigameFaces>("faces");
	ASSERT_NE(game, nullptr);
	ASSERT_EQ(game->GetHeadCount(), 8);
	EXPECT_EQ(game->GetLonelyCount(), 0) << "in a row all see each other";
	for (int column = 0; column < 8; ++column)
		EXPECT_EQ(game->GetHeadCell(column), 70 + column);
	EXPECT_TRUE(IsLit(game, "point_7_3"));
	EXPECT_TRUE(IsLit(game, "ray_73_74"));
	EXPECT_FALSE(IsLit(game, "point_6_3"));
	EXPECT_FALSE(IsLit(game, "ray_63_73"));

	// The head already on its cell of row 7 stays; every other goes to a
	// row of its own.
	const std::array<int, 8> columns = EightAlone();
	int row = 0;
	for (int head = 0; head < 8; ++head)
	{
		if (head == columns[7])
			continue;
		PressCell(7, head);
		PressCell(row, columns[row]);
		EXPECT_FALSE(game->IsSolved()) << "the board is judged when the glide ends";
		Run(0.3f);
		EXPECT_EQ(game->GetHeadCell(head), row * 10 + columns[row]);
		++row;
	}
	EXPECT_EQ(game->GetLonelyCount(), 8);
	EXPECT_TRUE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());
	EXPECT_FALSE(IsLit(game, "point_7_3"));

	// Presses no longer move anything; the window closes with the win.
	const int cell = game->GetHeadCell(columns[7] == 0 ? 1 : 0);
	PressCell(cell / 10, cell % 10);
	PressCell(3, 3);
	Run(0.3f);
	EXPECT_EQ(game->GetHeadCell(columns[7] == 0 ? 1 : 0), cell);
	Run(1.5f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigameFacesTest, AHeadIsNotSetDownWhereAnotherStandsNorWhereNoCellIs)
{
	auto* game = ShowGame<cMinigameFaces>("faces");
	ASSERT_NE(game, nullptr);
	cTransformNode& held = game->GetChildList().FindChild("head_1")->GetTransform();
	const cMatrix before = held.GetWorldMatrix();

	PressCell(7, 1);
	EXPECT_NEAR(held.GetWorldMatrix()._11, 1.1f * before._11, 1e-4f) << "held heads show larger";
	// Head 0's cell, beside the head: the cell's own picture is hit.
	PressCellCorner(7, 0);
	Run(0.3f);
	EXPECT_EQ(game->GetCell(7, 0), 1);
	EXPECT_EQ(game->GetCell(7, 1), 2);
	EXPECT_EQ(game->GetHeadCell(1), 71);
	EXPECT_EQ(game->GetLonelyCount(), 0);
	EXPECT_TRUE(IsLit(game, "ray_70_71"));
	EXPECT_NEAR(held.GetWorldMatrix()._11, before._11, 1e-4f);
	EXPECT_NEAR(held.GetWorldMatrix()._41, before._41, 1e-3f);

	// Beside the board nothing is hit: the head goes back.
	PressCell(7, 1);
	ClickOnGame(200, 300);
	Run(0.3f);
	EXPECT_EQ(game->GetHeadCell(1), 71);
	EXPECT_NEAR(held.GetWorldMatrix()._11, before._11, 1e-4f);

	// A head that still sees another keeps its sad face: no solve.
	PressCell(7, 1);
	PressCell(4, 1);
	Run(0.3f);
	EXPECT_EQ(game->GetHeadCell(1), 41);
	EXPECT_TRUE(IsLit(game, "point_6_3")) << "on the diagonal to head 4";
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

TEST_F(cMinigameFacesTest, ADamagedBoardIsLoggedAndTheWindowStillCloses)
{
	// Three heads, a missing cell, and ray pieces whose names hold no cells.
	content.AddScene("faces", R"(<geometry name="head_0" model="head_quad"/><geometry name="head_1" model="head_quad"/>
		<geometry name="head_2" model="head_quad"/><geometry name="point_7_1" model="cell_quad"/>
		<geometry name="ray_7" model="row_ray"/><geometry name="ray_ab_cd" model="row_ray"/>
		<geometry name="ray_99_-9" model="row_ray"/>)" + StripBorder());
	testing::internal::CaptureStderr();
	auto* game = ShowGame<cMinigameFaces>("faces");
	const std::string logged = testing::internal::GetCapturedStderr();
	ASSERT_NE(game, nullptr);
	EXPECT_NE(logged.find("faces: 3 heads of 8"), std::string::npos) << logged;
	EXPECT_NE(logged.find("point_0_0"), std::string::npos) << logged;
	EXPECT_NE(logged.find("ray_7"), std::string::npos) << logged;
	for (int i = 0; i < 3; ++i)
		EXPECT_EQ(game->GetHeadCell(i), 70 + i);
	ClickOnGame(CellX(1) + 30, CellY(7) + 30);
	ClickOnGame(CellX(5) + 30, CellY(2) + 30);
	Run(0.3f);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}
