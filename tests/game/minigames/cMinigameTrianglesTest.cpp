// The colour puzzle "triangles" played through real mouse clicks on a
// board written in the test: turns worked out from the corner colours
// solve it, a click during a turn does nothing, three turns come back to
// the same lights, skipping and closing, and damaged content.

#include "BoardInputSupport.h"
#include "TrianglesTestSupport.h"

#include "game/minigames/cMinigameTriangles.h"

using namespace triangles;

namespace
{
class cMinigameTrianglesTest : public cBoardInputTest
{
protected:
	void SetUp() override
	{
		cBoardInputTest::SetUp();
		if (HasFatalFailure())
			return;
		AddTrianglesModels(resources);
		AddLongSound("stone_take");
		content.AddMotion("tri_turn", TurnBytes());
		content.AddScene("triangles", TrianglesScene());
	}

	// Shown, and dealt again while the deal came out solved.
	cMinigameTriangles* ShowUnsolved()
	{
		auto* game = ShowGame<cMinigameTriangles>();
		for (int i = 0; i < 20 && game->IsSolved(); ++i)
		{
			game->Show();
			Step(0.5f);
		}
		EXPECT_FALSE(game->IsSolved());
		return game;
	}

	// A click on the triangle, a little off its centre, then the frames
	// until its turn has been checked. The check waits for every clip of
	// the board, the skip bar's "complete" too.
	void Turn(int triangle)
	{
		ClickOnGame(Centre(triangle).x + 6, Centre(triangle).y + 3);
		WaitForTheTurn();
	}
	void WaitForTheTurn()
	{
		for (int i = 0; i < 100 && game->IsTurning(); ++i)
			Step(0.05f);
	}

	// Which lights glow, cell by cell and corner by corner.
	std::string Glowing() const
	{
		std::string glow;
		for (int cell = 0; cell < cMinigameTriangles::kCells; ++cell)
			for (cSceneObject* light : game->GetCell(cell).lights)
				glow += light && light->IsVisible() ? '1' : '0';
		return glow;
	}

	cMinigameTriangles* game = nullptr;
};

class cMinigameTrianglesDrawTest : public cMinigameTrianglesTest
{
protected:
	cMinigameTrianglesDrawTest() { m_draws = true; }
};
}

TEST_F(cMinigameTrianglesDrawTest, TurnsWorkedOutFromTheColoursLightEveryLampAndWin)
{
	game = ShowUnsolved();
	// The corners as built: top first and clockwise for a triangle pointing
	// up, upper left first for one pointing down; the colours as dealt.
	const std::vector<std::array<int, 3>> colours = DealColours();
	for (int triangle = 0; triangle < 16; ++triangle)
		for (int k = 0; k < 3; ++k)
		{
			const sTriangleCell& cell = game->GetCell(CellOfTriangle(triangle));
			EXPECT_EQ(cell.colours[k], colours[size_t(triangle)][size_t(k)]) << triangle << " " << k;
			EXPECT_EQ(cell.lights[k]->GetName().back(), char('0' + k)) << triangle << " " << k;
		}
	Screenshot("triangles_start");

	const std::optional<std::vector<int>> solution = SolveBoard(colours);
	ASSERT_TRUE(solution);
	for (int triangle = 0; triangle < 16; ++triangle)
		for (int clicks = ((*solution)[size_t(triangle)] - game->GetTurn(triangle) + 3) % 3; clicks > 0; --clicks)
		{
			cSoundRegistry::GetInstance()->Clear();
			Turn(triangle);
			EXPECT_TRUE(IsPlaying("stone_take")) << "triangle " << triangle;
		}
	EXPECT_TRUE(game->IsSolved());
	EXPECT_EQ(Glowing(), std::string(84, '1'));
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(IsPlaying("victory"));
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());

	const sPixels pixels = Screenshot("triangles_solved");
	const cVector3d corner = Centre(0) + CornerOffset(0, 0);
	EXPECT_TRUE(ColorNear(Pixel(pixels, corner.x, corner.y), kColourValues[2])) << "the green top corner glows";
	RunUntilClosed(game);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigameTrianglesTest, AClickDuringATurnDoesNothingAndThreeTurnsComeBack)
{
	game = ShowUnsolved();
	const std::string before = Glowing();
	const int turn = game->GetTurn(5);
	ClickOnGame(Centre(5).x + 6, Centre(5).y + 3);
	EXPECT_TRUE(game->IsTurning());
	EXPECT_EQ(game->GetTriangle(5)->GetSortKey(), 100);
	EXPECT_EQ(game->GetTurn(5), (turn + 1) % 3);
	// Another triangle, clicked while the first still turns.
	const int other = game->GetTurn(6);
	ClickOnGame(Centre(6).x + 6, Centre(6).y + 3);
	WaitForTheTurn();
	EXPECT_EQ(game->GetTurn(6), other) << "not turned";
	EXPECT_EQ(game->GetTriangle(5)->GetSortKey(), 0);
	Turn(5);
	Turn(5);
	EXPECT_EQ(game->GetTurn(5), turn);
	EXPECT_EQ(Glowing(), before) << "three turns: the same lights";
	EXPECT_FALSE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "");
}

TEST_F(cMinigameTrianglesTest, SkipWinsOnceTheBarIsFullAndCloseLeavesNoResult)
{
	game = ShowUnsolved();
	ClickSkip();
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking) << "the skip bar is still filling";
	for (int i = 0; i < 6; ++i)
		Step(0.5f);
	ClickSkip();
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "win");

	game->Show();
	Step(0.5f);
	if (!game->IsSolved())
	{
		Turn(0);
		ClickClose();
		EXPECT_TRUE(IsClosing(game));
		EXPECT_EQ(game->GetResult(), "");
	}
}

TEST(cMinigameTriangles, ColoursComeFromTheNames)
{
	EXPECT_EQ(cMinigameTriangles::ColourFromName("light_red_green"), cMinigameTriangles::kRed);
	EXPECT_EQ(cMinigameTriangles::ColourFromName("light_green_white"), cMinigameTriangles::kGreen);
	EXPECT_EQ(cMinigameTriangles::ColourFromName("light_white_1"), cMinigameTriangles::kWhite);
	EXPECT_EQ(cMinigameTriangles::ColourFromName("light_blue"), cMinigameTriangles::kYellow);
}

namespace
{
class cMinigameTrianglesContentTest : public SceneTest
{
protected:
	cTestResources resources;
	cSceneContent content;
};
}

TEST_F(cMinigameTrianglesContentTest, MissingTrianglesAndLightsAreLoggedAndTheGameStillCloses)
{
	AddTrianglesModels(resources);
	// Two triangles only: one with two lights, one with four; a down
	// triangle whose upper lights differ in height by 9.9 is ordered left
	// to right.
	content.AddScene("triangles", Placed("triangle_0", "tri_piece", 300, 300) +
		"<geometry name=\"triangle_1\" model=\"tri_piece\" local=\"" + At(500, 300) + "\">" +
		Placed("light_red_a", "tri_red", 20, 10) + Placed("light_white_b", "tri_white", -20, 19.9f) +
		Placed("light_green_c", "tri_green", 0, -20) + "</geometry>");
	testing::internal::CaptureStderr();
	auto* game = new cMinigameTriangles(root());
	game->Show();
	for (int i = 0; i < 5; ++i)
		scene->Update(0.1f);
	EXPECT_FALSE(game->IsSolved());
	const sTriangleCell& cell = game->GetCell(4);
	EXPECT_EQ(cell.lights[0]->GetName(), "light_white_b");
	EXPECT_EQ(cell.lights[1]->GetName(), "light_red_a");
	game->OnClose();
	for (int i = 0; i < 10; ++i)
		scene->Update(0.1f);
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_FALSE(game->IsVisible());
	for (const char* text : { "\"triangle_0\" has 0 lights", "no \"triangle_2\"", "no \"light_green_0\"" })
		EXPECT_NE(log.find(text), std::string::npos) << text << "\n" << log;
}
