// The minigame driven by real mouse and key events through the input
// manager and the scene's input pass: clicks outside the frame, the close
// button, and the cheat key.

#include "MinigameTestSupport.h"

#include "../../engine/widgets/WidgetInputSupport.h"

#include "game/panel/cGamePanel.h"
#include "game/play/cProfileManager.h"
#include "platform/dinput/DInputKeys.h"

namespace
{
// The test's window shows the minigame's 1024 by 768 screen in 640 by 480
// pixels.
constexpr float kScale = 1024.0f / 640;

class MinigameInputTest : public WidgetInputTest
{
protected:
	void SetUp() override
	{
		WidgetInputTest::SetUp();
		if (HasFatalFailure())
			return;
		RegisterClipTypes();
		AddMinigameModels(resources, false);
		content.AddMotion("slide", SlideBytes());
		content.AddScene("test_game", MinigameScene(true));
		content.AddScene("bare_game", MinigameScene(false));
		content.AddScene("minigame_effect", EffectScene());
		testing::internal::CaptureStderr();
		new cGamePanel(nullptr);
		testing::internal::GetCapturedStderr();
		CreateMinigameEffect();
		scene->Update(0);
	}

	// The overlay goes before the models it shows.
	void TearDown() override
	{
		delete GetMinigameEffect();
		WidgetInputTest::TearDown();
	}

	// A minigame under the screen, shown, past the time in which outside
	// clicks are ignored.
	cTestMinigame* ShowGame(const std::string& name)
	{
		auto* game = new cTestMinigame(name, screen);
		game->Show();
		Step(0.5f);
		return game;
	}

	// A click at the point of the minigame's screen.
	void ClickOnGame(float x, float y) { ClickAt(x / kScale, y / kScale); }

	void PressKey(BYTE code)
	{
		Send({ Key(code, true) });
		StepWhen([&] { return m_input->IsDown(cInputManager::kKeyboardSlot, code); });
		Send({ Key(code, false) });
		StepWhen([&] { return !m_input->IsDown(cInputManager::kKeyboardSlot, code); });
	}

	// Hidden, or on its way there (a click takes a few frames).
	static bool IsClosing(cMinigame* game)
	{
		const int state = game->GetState();
		return state != cGameWindow::kAppear && state != cGameWindow::kWorking;
	}

	cTestResources resources;
	cSceneContent content;
};

struct sPoint
{
	float x, y;
};
// On the minigame's screen: outside the frame, inside it, on the close button.
constexpr sPoint kOutside { 80, 80 };
constexpr sPoint kInside { 480, 400 };
constexpr sPoint kOnClose { 672, 504 };
}

TEST_F(MinigameInputTest, AClickOutsideTheFrameClosesOnceTheFirstMomentHasPassed)
{
	auto* game = new cTestMinigame("test_game", screen);
	game->Show();
	ClickOnGame(kOutside.x, kOutside.y);
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking) << "too early";

	Step(0.5f);
	ClickOnGame(kInside.x, kInside.y);
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking);
	ClickOnGame(kOutside.x, kOutside.y);
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "");
	EXPECT_EQ(scene->GetTopModal(), nullptr);

	// The close button, and a solved puzzle that ignores outside clicks.
	game->Show();
	Step(0.5f);
	ClickOnGame(kOnClose.x, kOnClose.y);
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "");
	game->Show();
	Step(0.5f);
	game->SolveQuietly(5);
	ClickOnGame(kOutside.x, kOutside.y);
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking);
}

TEST_F(MinigameInputTest, WithoutABorderAnOutsideClickClosesAWindowThatClaimsOne)
{
	cTestMinigame* bare = ShowGame("bare_game");
	ClickOnGame(kOutside.x, kOutside.y);
	EXPECT_EQ(bare->GetState(), cGameWindow::kWorking) << "no border: outside clicks do nothing";

	bare->ClaimBorder(cBoundingBox().SetFromPoints(cVector3d(kFrame.left, kFrame.bottom, 0),
		cVector3d(kFrame.right, kFrame.top, 1)));
	ClickOnGame(kInside.x, kInside.y);
	EXPECT_EQ(bare->GetState(), cGameWindow::kWorking);
	ClickOnGame(kOutside.x, kOutside.y);
	EXPECT_TRUE(IsClosing(bare));
	Step();
	Step();
	EXPECT_FALSE(bare->IsVisible());
}

TEST_F(MinigameInputTest, TheCheatKeyWinsWithoutSoundOrOverlay)
{
	cProfileManager* profiles = cProfileManager::GetInstance();
	cTestMinigame* game = ShowGame("test_game");
	PressKey(DIK_F3);
	EXPECT_FALSE(game->IsSolved()) << "only in cheat mode";

	profiles->SetCheatMode(true);
	PressKey(DIK_F3);
	EXPECT_TRUE(IsClosing(game)) << "won as soon as the overlay is idle";
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_FALSE(GetMinigameEffect()->IsVisible());

	// With the overlay still busy the window waits; a close meanwhile keeps the win.
	game->Show();
	Step(0.5f);
	GetMinigameEffect()->Show();
	PressKey(DIK_F3);
	EXPECT_TRUE(game->IsSolved());
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(game->GetResult(), "");
	ClickOnGame(kOnClose.x, kOnClose.y);
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "win");
	profiles->SetCheatMode(false);
}
