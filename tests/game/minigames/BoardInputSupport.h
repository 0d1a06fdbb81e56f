#pragma once
// Puzzle boards played through real mouse and key events: the window
// shows the minigame's 1024 by 768 screen in 640 by 480 pixels through the
// game's screen camera, the sound manager plays the boards' sounds ("victory"
// short, so that a solved window soon closes, the others long, so that
// they still play when looked at), the effect overlay waits for wins, and
// the one test that looks at pixels draws for real and keeps screenshots
// beside the test program.

#include "BoardTestSupport.h"

#include "../../engine/sound/WaveBuilder.h"
#include "../../engine/widgets/WidgetInputSupport.h"
#include "../../engine/graphics/ScreenshotSupport.h"

#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "platform/dinput/DInputKeys.h"

#include <filesystem>
#include <string>

class cBoardInputTest : public WidgetInputTest
{
protected:
	static constexpr float kScale = 1024.0f / 640;

	void SetUp() override
	{
		// Textures load only once there is a device, which the test that
		// looks at pixels asks for before its input window is made. A
		// device made earlier in the process is used as it is (the window
		// it was reset for may be gone), reset to 640 by 480 pixels when it
		// has another size; otherwise one is made on a window of its own,
		// which outlasts the test's input window.
		if (m_draws)
		{
			if (!cGraphics::GetDevice())
			{
				Singletone<cWin32Application>::Create();
				StartGraphics(kWidth, kHeight);
			}
			graphics = EarlierGraphics(kWidth, kHeight);
		}
		WidgetInputTest::SetUp();
		if (HasFatalFailure())
			return;
		SetScreenCamera(screen->GetCamera(), 1024, 768);
		Singletone<cSoundManager>::GetInstance();
		RegisterClipTypes();
		AddMinigameModels(resources, true);
		board::AddBorderModels(resources);
		resources.Add("sound", "victory", board::Bytes(PcmWave(13230, 2, 16, 44100)));
		content.AddMotion("slide", SlideBytes());
		content.AddScene("minigame_effect", EffectScene());
		CreateMinigameEffect();
		scene->Update(0);
	}

	void TearDown() override
	{
		cSoundRegistry::GetInstance()->Clear();
		delete GetMinigameEffect();
		WidgetInputTest::TearDown();
	}

	// A two-second sound of the name.
	void AddLongSound(const std::string& name)
	{
		resources.Add("sound", name, board::Bytes(PcmWave(88200, 2, 16, 44100)));
	}

	// Places the minigame as the scenario does, shows it and waits out its
	// first moment.
	template <class Minigame>
	Minigame* ShowGame()
	{
		auto* game = new Minigame(screen);
		game->GetTransform().SetLocalMatrix(Translation(0, 0, -500));
		game->Show();
		Step(0.5f);
		return game;
	}

	// The cursor rests at the point for a frame before the button goes
	// down: a press that follows the move at once is at times missed.
	void ClickOnGame(float x, float y)
	{
		MoveOnGame(x, y);
		Step();
		ClickAt(x / kScale, y / kScale);
	}
	void MoveOnGame(float x, float y) { MoveTo(x / kScale, y / kScale); }
	void ClickSkip() { ClickOnGame(200, 135); }
	void ClickClose() { ClickOnGame(825, 625); }

	void PressKey(BYTE code)
	{
		Send({ Key(code, true) });
		StepWhen([&] { return m_input->IsDown(cInputManager::kKeyboardSlot, code); });
		Send({ Key(code, false) });
		StepWhen([&] { return !m_input->IsDown(cInputManager::kKeyboardSlot, code); });
	}

	// Draws the scene, keeps the picture as the named PNG beside the test
	// program and gives its pixels.
	sPixels Screenshot(const std::string& name)
	{
		graphics->BeginScene();
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		EXPECT_TRUE(WriteScreenshot(name, pixels));
		return pixels;
	}

	// The pixel at the minigame's point (y up).
	static D3DCOLOR Pixel(const sPixels& pixels, float x, float y)
	{
		return pixels.At(UINT(x / kScale), UINT(kHeight - 1 - y / kScale)) | 0xFF000000;
	}

	static bool IsPlaying(const char* sound)
	{
		return cSoundRegistry::GetInstance()->IsPlaying(cResourceHandle::InitByName<cSoundResource>(sound));
	}

	// Hidden, or on its way there.
	static bool IsClosing(cMinigame* game)
	{
		return game->GetState() != cGameWindow::kAppear && game->GetState() != cGameWindow::kWorking;
	}

	// Runs until the window has closed (or a while has passed).
	void RunUntilClosed(cMinigame* game)
	{
		for (int i = 0; i < 40 && game->IsVisible(); ++i)
			Step(0.1f);
	}

	cTestResources resources;
	cSceneContent content;
	cGraphics* graphics = nullptr;
	bool m_draws = false;
};
