// The minigame drawn for real: the puzzle through the minigame's own
// camera, the frame over it through the camera the window hangs under, and
// the effect overlay over both once the puzzle is solved.

#include "MinigameTestSupport.h"

#include "../../engine/scene/SceneDrawSupport.h"

namespace
{
constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kBlack = 0xFF000000;

class MinigameDrawTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		RegisterClipTypes();
		AddMinigameModels(resources, true);
		content.AddMotion("slide", SlideBytes());
		content.AddScene("test_game", MinigameScene(true));
		content.AddScene("bare_game", MinigameScene(false));
		content.AddScene("minigame_effect", EffectScene());
		CreateMinigameEffect();
		Frame();
	}

	// Placed as the scenario places minigames, and shown.
	cTestMinigame* ShowGame(const std::string& name)
	{
		auto* game = new cTestMinigame(name, screen);
		game->GetTransform().SetLocalMatrix(Translation(0, 0, -500));
		game->Show();
		Frame(0.1f);
		return game;
	}

	cSceneContent content;
};
}

TEST_F(MinigameDrawTest, TheFrameIsDrawnOverThePuzzleAndTheOverlayOverBoth)
{
	cTestMinigame* game = ShowGame("test_game");
	sPixels pixels = Frame(0.1f);
	EXPECT_TRUE(ColorNear(At(pixels, 250, 150), kGreen)) << "the puzzle alone";
	// The frame lies on the plane of the minigame's camera: only the outer
	// camera shows it.
	EXPECT_TRUE(ColorNear(At(pixels, 600, 450), kBlue)) << "the frame alone";
	EXPECT_TRUE(ColorNear(At(pixels, 400, 300), kBlue)) << "the frame over the puzzle";
	EXPECT_TRUE(ColorNear(At(pixels, 900, 700), kBlack));
	EXPECT_TRUE(ColorNear(At(pixels, 450, 450), kBlue));

	// The overlay's square at (394, 384), over the frame.
	testing::internal::CaptureStderr();
	game->SolveWithVictory();
	testing::internal::GetCapturedStderr();
	Frame(0.1f);
	pixels = Frame(0.1f);
	EXPECT_TRUE(ColorNear(At(pixels, 450, 450), kRed));
	EXPECT_TRUE(ColorNear(At(pixels, 400, 300), kBlue));

	// Once the overlay is idle both go.
	for (int i = 0; i < 8; ++i)
		pixels = Frame(0.1f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_FALSE(GetMinigameEffect()->IsVisible());
	EXPECT_TRUE(ColorNear(At(pixels, 450, 450), kBlack));
	EXPECT_TRUE(ColorNear(At(pixels, 250, 150), kBlack));
}

TEST_F(MinigameDrawTest, AWindowWithoutBorderDrawsItsPuzzle)
{
	ShowGame("bare_game");
	const sPixels pixels = Frame(0.1f);
	EXPECT_TRUE(ColorNear(At(pixels, 250, 150), kGreen));
	EXPECT_TRUE(ColorNear(At(pixels, 600, 450), kBlack));
}
