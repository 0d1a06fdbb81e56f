// The demo's minigame content: the test minigame's scene holds the frame
// with its buttons, description and a skip bar that fills in 15 s; the
// effect overlay's star grows in; the skull, circuit and triangle boards
// show their pieces; all of it drawn and read back.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "../engine/graphics/GraphicsTestSupport.h"
#include "../game/minigames/ScreenshotSupport.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundResource.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigame.h"
#include "game/minigames/cMinigameConnectors.h"
#include "game/minigames/cMinigameSkull.h"
#include "game/minigames/cMinigameTriangles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace
{
bool Generate(const std::string& folder)
{
	const std::string command = std::string("'") + ZV2_CONTENT_PROGRAM + "' '" + folder + "'";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The pixel at (x, y) with y growing upward, without alpha.
D3DCOLOR At(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), pixels.height - 1 - UINT(y)) & 0xFFFFFF;
}

// The graphics, the resource types and the generated data, and the
// screen camera to hang minigames under.
cCameraObject* StartDemoScreen()
{
	StartSettingsAndLog("zv2");
	StartGraphics(1024, 768);
	// The scene manager registers the scene resource type.
	cCameraObject* screen = cSceneManager::GetInstance()->GetDefaultCamera();
	RegisterGraphicsResourceTypes();
	cSoundResource::RegisterType(*cResourceManager::GetInstance());
	cResourceManager::GetInstance()->AddSource("data");
	SetScreenCamera(screen->GetCamera());
	return screen;
}

// Places the minigame as the scenario does and shows it for a second.
void ShowForASecond(cMinigame* game)
{
	game->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(0, 0, -500)));
	game->Show();
	for (int i = 0; i < 10; ++i)
		cSceneManager::GetInstance()->Update(0.1f);
}

// The log names none of the texts.
void ExpectNothingMissing(std::initializer_list<const char*> texts)
{
	const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
	for (const char* text : texts)
		EXPECT_EQ(log.find(text), std::string::npos) << text << "\n" << log;
}

sPixels Draw()
{
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->BeginScene();
	cSceneManager::GetInstance()->Render();
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}
}

TEST(MinigameContent, TheTestMinigameShowsInItsFrameAndTheOverlayCelebrates)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartDemoScreen();
		cSceneManager* scene = cSceneManager::GetInstance();
		screen->GetCamera().SetDepthTest(false);

		CreateMinigameEffect();
		auto* game = new cMinigame("test_minigame", screen);
		game->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(0, 0, -500)));
		cChildList& children = game->GetChildList();
		ASSERT_NE(game->GetBorder(), nullptr);
		for (const char* path : { "border/close", "border/skip", "border/description", "border/skip_bar", "board" })
			EXPECT_NE(children.FindByPath(path), nullptr) << path;

		game->Show();
		for (int i = 0; i < 10; ++i)
			scene->Update(0.1f);
		EXPECT_FALSE(children.FindByPath("border/skip")->IsEnabled());
		sPixels pixels = Draw();
		EXPECT_NE(At(pixels, 400, 300), 0u) << "the board inside the frame";
		EXPECT_TRUE(ColorNear(At(pixels, 163, 400), 0x6E461E)) << "the frame's edge";
		EXPECT_NE(At(pixels, 820, 610), At(pixels, 163, 400)) << "the close button";
		EXPECT_EQ(At(pixels, 100, 400), 0u) << "outside the frame";
		for (int i = 0; i < 140; ++i)
			scene->Update(0.1f);
		EXPECT_TRUE(game->IsSkipBarComplete());
		EXPECT_TRUE(children.FindByPath("border/skip")->IsEnabled());

		// The star grows in over the frame, centred on the overlay's place.
		cGameWindow* effect = GetMinigameEffect();
		ASSERT_NE(effect, nullptr);
		EXPECT_GT(effect->GetChildList().FindChild("star")->GetMotions().GetLengthByName("appear"), 0.0f);
		EXPECT_GT(game->PlaySound("victory", false, true), 1.0f) << "the victory sound's length";
		for (int i = 0; i < 10; ++i)
			scene->Update(0.1f);
		EXPECT_TRUE(effect->IsVisible());
		pixels = Draw();
		EXPECT_TRUE(ColorNear(At(pixels, 394, 384), 0xFFD23C)) << "the star";

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		EXPECT_EQ(log.find("scene_resource"), std::string::npos) << log;
		EXPECT_EQ(log.find("model["), std::string::npos) << log;
		EXPECT_EQ(log.find("sound[victory]"), std::string::npos) << log;
	});
}

TEST(MinigameContent, TheSkullBoardShowsItsLasersBeamsAndTray)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartDemoScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameSkull(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = Draw();
		EXPECT_TRUE(WriteScreenshot(std::string(ZV2_BUILD_FOLDER) + "/skull_demo_start.png", pixels));
		EXPECT_EQ(game->GetDeliveredCount(), 0);
		EXPECT_EQ(game->GetBeamPoints(0).size(), 2u) << "blue runs straight into the red ring";
		// The beam is 6 units wide; somewhere across it blue stands out.
		bool blue = false;
		for (int y = 556; y <= 564; ++y)
			blue = blue || (At(pixels, 330, y) & 0xFF) > ((At(pixels, 330, y) >> 16) & 0xFF) + 80;
		EXPECT_TRUE(blue) << "the blue beam";
		EXPECT_NE(At(pixels, 215, 250), At(pixels, 300, 400)) << "a mirror in the tray";
		EXPECT_NE(At(pixels, 512, 400), At(pixels, 300, 400)) << "the skull";

		ExpectNothingMissing({ "skull:", "model[", "texture[", "sound[connect]" });
	});
}

TEST(MinigameContent, TheCircuitBoardLightsTheStartAndHoldsItsWiresInTheTray)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartDemoScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameConnectors(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = Draw();
		EXPECT_TRUE(WriteScreenshot(std::string(ZV2_BUILD_FOLDER) + "/connectors_demo_start.png", pixels));
		EXPECT_TRUE(game->IsLit(0) && game->IsLit(1));
		EXPECT_FALSE(game->IsLit(2));
		for (int wire = 0; wire < cMinigameConnectors::kWires; ++wire)
			EXPECT_NE(game->GetWire(wire), nullptr);
		EXPECT_NE(At(pixels, 290, 585), At(pixels, 442, 585)) << "node 0 glows, node 2 does not";
		EXPECT_NE(At(pixels, 760, 585), At(pixels, 760, 550)) << "a wire in the tray";
		ExpectNothingMissing({ "connectors:", "model[", "texture[", "sound[connect]", "sound[button_click]" });
	});
}

TEST(MinigameContent, TheTriangleBoardHoldsSixteenStonesWithThreeGemsEach)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartDemoScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameTriangles(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = Draw();
		EXPECT_TRUE(WriteScreenshot(std::string(ZV2_BUILD_FOLDER) + "/triangles_demo_start.png", pixels));
		for (int cell = 0; cell < cMinigameTriangles::kCells; ++cell)
			for (cSceneObject* light : game->GetCell(cell).lights)
				EXPECT_NE(light, nullptr) << cell;
		EXPECT_TRUE(ColorNear(At(pixels, 512, 540), 0x78695A, 8)) << "the top stone";
		ExpectNothingMissing({ "triangles:", "model[", "texture[", "sound[stone_take]", "motion[" });
	});
}
