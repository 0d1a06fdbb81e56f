#pragma once
// The board minigames played for real, in scenes written by each test: with
// mouse input through the window system on the test's 640 by 480 window,
// the scene camera showing the minigame's 1024 by 768 screen on it (so
// that the scene's pick ray and the minigame's agree); or drawn on the
// device and read back. A strip at the bottom holds the frame's close and
// skip buttons and a skip bar that fills in 3 s.

#include "MinigameTestSupport.h"
#include "../../engine/graphics/ScreenshotSupport.h"

#include "../../engine/scene/SceneDrawSupport.h"
#include "../../engine/widgets/WidgetInputSupport.h"

#include "game/minigames/cMinigameFactory.h"

#include <cstdio>

// The scene's point (x, y on the minigame's screen) on the window, y up.
constexpr float kGameScale = 1024.0f / 640;

// The frame: a strip along the bottom with the skip button at its left end
// and the close button at its right end.
constexpr sRect kStrip { 100, 20, 924, 80 };
constexpr sRect kSkipButton { 100, 20, 164, 80 };
constexpr sRect kCloseButton { 860, 20, 924, 80 };

// Models and textures for the test's scenes; textures only with a device.
struct sPuzzleArt
{
	cTestResources& resources;
	bool textured;

	// A quad of the rectangle showing the texture's part from (0, 0) to (u, v).
	void Quad(const std::string& name, const sRect& rect, const std::string& texture, float u = 1, float v = 1)
	{
		cModel model;
		AddCellQuad(model, rect.left, rect.bottom, rect.right, rect.top, u, v);
		model.materials = { textured ? Material(0, 2, { texture }) : Material(0, 2) };
		resources.Add("model", name, ModelBytes(model));
	}
	void Texture(const std::string& name, UINT width, const std::vector<uint32_t>& argb)
	{
		if (textured)
			resources.Add("texture", name, DdsFile(width, 1, argb));
	}
};

// The frame's models, the effect overlay's scene and the skip bar's motion.
inline void AddFrameContent(cTestResources& resources, cSceneContent& content, bool textured)
{
	RegisterClipTypes();
	AddMinigameModels(resources, textured);
	sPuzzleArt art { resources, textured };
	art.Texture("white", 1, { 0xFFFFFFFF });
	art.Texture("yellow", 1, { 0xFFFFFF00 });
	art.Quad("strip_quad", kStrip, "blue");
	art.Quad("strip_close", kCloseButton, "red");
	art.Quad("strip_skip", kSkipButton, "green");
	content.AddMotion("slide", SlideBytes());
	content.AddScene("minigame_effect", EffectScene());
	CreateMinigameEffect();
}

// Made by the factory under the parent and placed as the scenario places
// minigames.
template <class Minigame>
Minigame* MakeGame(const std::string& name, cSceneObject* parent)
{
	auto* game = dynamic_cast<Minigame*>(cMinigameFactory::GetInstance()->Create(name, parent));
	EXPECT_NE(game, nullptr) << name;
	if (game)
		game->GetTransform().SetLocalMatrix(Translation(0, 0, -500));
	return game;
}

// The frame's elements, to follow a minigame's own.
inline std::string StripBorder()
{
	return R"(<geometry name="border" model="strip_quad">
		<button name="close" model="strip_close"/><button name="skip" model="strip_skip"/>
		<bar name="bar" motion="slide"><add_motion name="fill" first="0" last="30" length="3"/></bar>
	</geometry>)";
}

// "1 0 0 0 1 0 0 0 1 x y z": a placement for a scene element.
inline std::string At(float x, float y, float z = 0)
{
	char text[96];
	std::snprintf(text, sizeof text, "1 0 0 0 1 0 0 0 1 %g %g %g", x, y, z);
	return text;
}

class PuzzleMinigameTest : public WidgetInputTest
{
protected:
	void SetUp() override
	{
		WidgetInputTest::SetUp();
		if (HasFatalFailure())
			return;
		SetScreenCamera(screen->GetCamera());
		AddFrameContent(resources, content, false);
		scene->Update(0);
	}

	void TearDown() override
	{
		delete GetMinigameEffect();
		WidgetInputTest::TearDown();
	}

	// Shown, and past the moment in which clicks are ignored.
	template <class Minigame>
	Minigame* ShowGame(const std::string& name)
	{
		auto* game = MakeGame<Minigame>(name, screen);
		if (!game)
			return nullptr;
		game->Show();
		Step(0.5f);
		return game;
	}

	// The cursor to the point of the minigame's screen.
	void MoveOnGame(float x, float y) { MoveTo(x / kGameScale, y / kGameScale); }
	void ClickOnGame(float x, float y)
	{
		MoveOnGame(x, y);
		Press();
		Release();
	}
	void RightClick()
	{
		Send({ MouseInput(MOUSEEVENTF_RIGHTDOWN) });
		StepWhen([&] { return m_input->IsDown(cInputManager::kMouseSlot, cInputManager::kRightButton); });
		Send({ MouseInput(MOUSEEVENTF_RIGHTUP) });
		StepWhen([&] { return !m_input->IsDown(cInputManager::kMouseSlot, cInputManager::kRightButton); });
	}
	// Frames of dt until the time has passed.
	void Run(float seconds, float dt = 0.05f)
	{
		for (float done = 0; done < seconds; done += dt)
			Step(dt);
	}

	// A close before a solve gives "", a skip once the bar is full "win".
	void ExpectCloseAndSkip(cMinigame* game)
	{
		ClickOnGame(kCloseButton.left + 32, kCloseButton.bottom + 30);
		Run(0.5f);
		EXPECT_FALSE(game->IsVisible());
		EXPECT_EQ(game->GetResult(), "");

		game->Show();
		Run(1);
		ClickOnGame(kSkipButton.left + 32, kSkipButton.bottom + 30);
		EXPECT_TRUE(game->IsVisible()) << "the skip button waits for the bar";
		Run(2.5f);
		EXPECT_TRUE(game->IsSkipBarComplete());
		ClickOnGame(kSkipButton.left + 32, kSkipButton.bottom + 30);
		Run(0.5f);
		EXPECT_FALSE(game->IsVisible());
		EXPECT_EQ(game->GetResult(), "win");
		EXPECT_FALSE(game->IsSolved());
	}

	cTestResources resources;
	cSceneContent content;
};

class PuzzleMinigameDrawTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		AddFrameContent(resources, content, true);
		Frame();
	}

	void TearDown() override
	{
		delete GetMinigameEffect();
		SceneDrawTest::TearDown();
	}

	// Drawn after an update of dt, read back and written as <name>.png
	// into the working folder.
	sPixels Shot(const std::string& name, float dt = 0.05f)
	{
		sPixels pixels = Frame(dt);
		EXPECT_TRUE(WriteScreenshot(name, pixels)) << name;
		return pixels;
	}

	cSceneContent content;
};
