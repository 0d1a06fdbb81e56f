#pragma once
// Minigames played for real: the window and its device, real mouse input
// through the input manager and the scene's input pass, the sound layer
// over a device without output, the game panel and the effect overlay.
// Each test writes its minigame's scene from pieces (solid quads with
// motions of their own) inside a frame whose middle is open, so that the
// pieces can be clicked and seen. The minigame's screen (1024 by 768, y
// up) fills the 640 by 480 window.

#include "MinigameTestSupport.h"

#include "../../engine/graphics/ScreenshotSupport.h"
#include "../../engine/sound/cSoundManagerTestSupport.h"
#include "../../engine/widgets/WidgetInputSupport.h"

#include "engine/sound/cSoundRegistry.h"
#include "game/panel/cGamePanel.h"

#include <initializer_list>

struct sPiece
{
	const char* name;
	sRect rect;
	// A texture of the support: "blue", "green", "red", "white", "grey", "yellow".
	const char* texture;
};

// The frame: four strips around an open middle, the close button at the
// top right and the skip button at the bottom right, inside the strips.
constexpr sRect kPuzzleFrame { 40, 40, 984, 728 };
constexpr sRect kPuzzleClose { 920, 664, 968, 712 };
constexpr sRect kPuzzleSkip { 880, 56, 968, 100 };

// The motions of the pieces: "still" keeps the pose (clips of any length
// play it), "fade" goes from transparent (key 0) to opaque (key 10) and
// back (key 20).
inline std::string StillBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	writer.AddKeyTime(10).AddPosition(0, 0, 0);
	return writer.GetBytes();
}

inline std::string FadeBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddColour(sColor(1, 1, 1, 0));
	writer.AddKeyTime(10).AddColour(sColor(1, 1, 1, 1));
	writer.AddKeyTime(20).AddColour(sColor(1, 1, 1, 0));
	return writer.GetBytes();
}

// A clip of "still" (or the fading in of "fade"), or with secondHalf the
// fading out of "fade".
inline std::string Clip(const std::string& name, float seconds, bool secondHalf = false)
{
	return "<add_motion name=\"" + name + (secondHalf ? R"(" first="10" last="20")" : R"(" first="0" last="10")") +
		" length=\"" + std::to_string(seconds) + "\"/>";
}

// A piece's element: its quad, the motion, the clips and other attributes.
inline std::string PieceElement(const sPiece& piece, const std::string& motion, const std::string& clips,
	const std::string& attributes = "")
{
	return std::string("<geometry name=\"") + piece.name + "\" model=\"" + piece.name + "_quad\"" +
		(motion.empty() ? "" : " motion=\"" + motion + "\"") + " " + attributes + ">" + clips + "</geometry>";
}

// The frame with its buttons and a skip bar that fills in 3 s and plays
// nothing when full; without the bar skipping works at once.
inline std::string PuzzleBorder(bool withSkipBar = true)
{
	return std::string(withSkipBar ? R"(<object name="bar" motion="still"><add_motion name="fill" first="0" last="10" length="3"/></object>)" : "") +
		R"(<geometry name="border" model="puzzle_frame_quad">
			<button name="close" model="puzzle_close_quad"/>
			<button name="skip" model="puzzle_skip_quad"/>
			<object name="description"/>
		</geometry>)";
}

class PuzzleTest : public WidgetInputTest
{
protected:
	// The minigame's screen in window pixels.
	static constexpr float kScale = 1024.0f / kWidth;

	void SetUp() override
	{
		WidgetInputTest::SetUp();
		if (HasFatalFailure())
			return;
		// The device of an earlier test draws on: it cannot be made anew
		// while the resources of the shared panel hold on to it.
		graphics = cGraphics::GetDevice() ? EarlierGraphics(kWidth, kHeight) : StartGraphics(kWidth, kHeight);
		// The game's screen camera shows the logical screen over the window,
		// as the minigame's own camera does.
		SetScreenCamera(screen->GetCamera());
		screen->GetCamera().SetDepthTest(false);
		sounds = StartSoundManager();
		cSoundResource::RegisterType(*cResourceManager::GetInstance());
		RegisterClipTypes();
		AddMinigameModels(resources, true);
		resources.Add("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
		resources.Add("texture", "grey", DdsFile(1, 1, { 0xFF808080 }));
		resources.Add("texture", "yellow", DdsFile(1, 1, { 0xFFFFFF00 }));
		cModel frame;
		AddQuad(frame, kPuzzleFrame.left, kPuzzleFrame.bottom, kPuzzleFrame.right, kPuzzleFrame.bottom + 12);
		AddQuad(frame, kPuzzleFrame.left, kPuzzleFrame.top - 12, kPuzzleFrame.right, kPuzzleFrame.top);
		AddQuad(frame, kPuzzleFrame.left, kPuzzleFrame.bottom, kPuzzleFrame.left + 12, kPuzzleFrame.top);
		AddQuad(frame, kPuzzleFrame.right - 12, kPuzzleFrame.bottom, kPuzzleFrame.right, kPuzzleFrame.top);
		frame.materials = { Material(0, 8, { "blue" }) };
		resources.Add("model", "puzzle_frame_quad", ModelBytes(frame));
		AddModels({ { "puzzle_close", kPuzzleClose, "red" }, { "puzzle_skip", kPuzzleSkip, "yellow" } });
		content.AddMotion("still", StillBytes());
		content.AddMotion("fade", FadeBytes());
		content.AddMotion("slide", SlideBytes());
		content.AddScene("minigame_effect", EffectScene());
		testing::internal::CaptureStderr();
		new cGamePanel(nullptr);
		testing::internal::GetCapturedStderr();
		CreateMinigameEffect();
		scene->Update(0);
	}

	void TearDown() override
	{
		delete GetMinigameEffect();
		if (scene)
			cSoundRegistry::GetInstance()->Clear();
		WidgetInputTest::TearDown();
	}

	// The quads "<name>_quad" of the pieces.
	void AddModels(std::initializer_list<sPiece> pieces)
	{
		for (const sPiece& piece : pieces)
		{
			cModel model;
			AddQuad(model, piece.rect.left, piece.rect.bottom, piece.rect.right, piece.rect.top);
			model.materials = { Material(0, 2, { piece.texture }) };
			resources.Add("model", std::string(piece.name) + "_quad", ModelBytes(model));
		}
	}

	// A sound of the name lasting seconds.
	void AddSound(const std::string& name, float seconds)
	{
		const std::string wave =
			Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", StereoSamples(int(44100 * seconds))));
		resources.Add("sound", name, tBytes(wave.begin(), wave.end()));
	}

	// The minigame of the class over the scene of the name (the elements
	// and the frame), placed as the scenario places minigames, shown, past
	// the moment in which outside clicks are ignored.
	template <class Game>
	Game* ShowPuzzle(const std::string& name, const std::string& elements, bool withSkipBar = true)
	{
		content.AddScene(name, elements + PuzzleBorder(withSkipBar));
		auto* game = new Game(name, screen);
		game->GetTransform().SetLocalMatrix(Translation(0, 0, -500));
		game->Show();
		RunFor(0.5f);
		return game;
	}

	// Frames without input, dt each, for seconds.
	void RunFor(float seconds, float dt = 0.05f)
	{
		for (float done = 0; done < seconds - 1e-4f; done += dt)
			Step(dt);
	}

	// Frames of dt until the condition holds; false after seconds.
	bool RunUntil(const std::function<bool()>& condition, float seconds = 10, float dt = 0.05f)
	{
		for (float done = 0; done < seconds; done += dt)
		{
			if (condition())
				return true;
			Step(dt);
		}
		return condition();
	}

	// A test program that starts meanwhile on the shared display takes the
	// focus with its new window, and the input manager then reads nothing:
	// the window takes the focus back before the mouse is used.
	void KeepActive()
	{
		if (!m_application->IsActive())
		{
			EXPECT_TRUE(Activate(true));
		}
	}

	// The left button goes down or up, sent again when the focus was lost
	// before the input manager saw it; then the frame's passes run.
	void SetButton(bool down)
	{
		for (int attempt = 0; attempt < 5; ++attempt)
		{
			KeepActive();
			Send({ MouseInput(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP) });
			if (WaitForButton(down))
				break;
		}
		scene->DispatchInput();
		scene->Update(0.016f);
	}
	void Hold() { SetButton(true); }
	void LetGo() { SetButton(false); }

	// A click at the point of the minigame's screen, or at a rectangle's middle.
	void Click(float x, float y)
	{
		KeepActive();
		MoveTo(x / kScale, y / kScale);
		Hold();
		LetGo();
	}
	void Click(const sRect& rect) { Click((rect.left + rect.right) / 2, (rect.bottom + rect.top) / 2); }

	// Polls until the input manager sees the button so; false after a while.
	bool WaitForButton(bool down)
	{
		for (int poll = 0; poll < 100; ++poll)
		{
			Frame();
			if (m_input->IsDown(cInputManager::kMouseSlot, cInputManager::kLeftButton) == down)
				return true;
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		}
		return false;
	}

	// Every sound heard so far counts as ended: the device has no output
	// that would end them.
	static void ForgetSounds() { cSoundRegistry::GetInstance()->Clear(); }

	// Hidden, or on its way there.
	static bool IsClosing(cMinigame* game)
	{
		const int state = game->GetState();
		return state != cGameWindow::kAppear && state != cGameWindow::kWorking;
	}

	// The skip bar fills and the skip button gives the win; the close
	// button before a solve gives nothing.
	void CheckSkipAndClose(cMinigame* game)
	{
		Click(kPuzzleSkip);
		EXPECT_EQ(game->GetState(), cGameWindow::kWorking) << "the skip bar is not full yet";
		RunFor(3.1f);
		ASSERT_TRUE(game->IsSkipBarComplete());
		Click(kPuzzleSkip);
		EXPECT_TRUE(IsClosing(game));
		EXPECT_EQ(game->GetResult(), "win");
		RunFor(0.5f);
		game->Show();
		RunFor(0.5f);
		Click(kPuzzleClose);
		EXPECT_TRUE(IsClosing(game));
		EXPECT_EQ(game->GetResult(), "");
	}

	// Waits for the solved window to hide, and checks the win on the way.
	void CheckVictory(cMinigame* game, bool withOverlay = true)
	{
		EXPECT_EQ(game->GetResult(), "win");
		EXPECT_EQ(GetMinigameEffect()->IsVisible(), withOverlay);
		if (withOverlay)
		{
			EXPECT_TRUE(game->IsSoundPlaying("victory"));
		}
		EXPECT_TRUE(RunUntil([&] { return IsClosing(game); }, 5));
		EXPECT_EQ(game->GetResult(), "win");
	}

	// A solve without the victory sound and overlay: the win comes with
	// the closing, about a second later.
	void CheckQuietWin(cMinigame* game)
	{
		EXPECT_EQ(game->GetResult(), "");
		EXPECT_FALSE(game->IsSoundPlaying("victory"));
		EXPECT_FALSE(GetMinigameEffect()->IsVisible());
		EXPECT_TRUE(RunUntil([&] { return IsClosing(game); }, 1.5f));
		EXPECT_EQ(game->GetResult(), "win");
	}

	// Draws the scene, writes it as a screenshot, and gives the pixels.
	sPixels Screenshot(const std::string& name)
	{
		graphics->BeginScene();
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		WriteScreenshot(name, pixels);
		return pixels;
	}

	// The colour at the point of the minigame's screen.
	static D3DCOLOR ColorAt(const sPixels& pixels, float x, float y)
	{
		return pixels.At(UINT(x / kScale), UINT(kHeight - 1 - int(y / kScale))) | 0xFF000000;
	}

	// A log line that holds the text was written meanwhile.
	static bool Logged(const std::string& captured, const std::string& text)
	{
		return captured.find(text) != std::string::npos;
	}

	cGraphics* graphics = nullptr;
	cSoundManager* sounds = nullptr;
	cTestResources resources;
	cSceneContent content;
};
