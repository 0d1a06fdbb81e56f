// The demo's minigame content: the test minigame's scene holds the frame
// with its buttons, description and a skip bar that fills in 15 s; the
// effect overlay's star grows in; the skull, circuit and triangle boards
// show their pieces; all of it drawn and read back.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "../engine/graphics/ScreenshotSupport.h"
#include "ContentTestSupport.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cVisual.h"
#include "engine/graphics/cModelController.h"
#include "engine/sound/cSoundResource.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigame.h"
#include "game/minigames/cMinigameConnectors.h"
#include "game/minigames/cMinigameSkull.h"
#include "game/minigames/cMinigameTriangles.h"

#include <gtest/gtest.h>

TEST(MinigameContent, TheTestMinigameShowsInItsFrameAndTheOverlayCelebrates)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		cSceneManager* scene = cSceneManager::GetInstance();

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
		sPixels pixels = DrawScene();
		EXPECT_NE(PixelAt(pixels, 400, 300), 0u) << "the board inside the frame";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 163, 400), 0x6E461E)) << "the frame's edge";
		EXPECT_NE(PixelAt(pixels, 820, 610), PixelAt(pixels, 163, 400)) << "the close button";
		EXPECT_EQ(PixelAt(pixels, 100, 400), 0u) << "outside the frame";
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
		pixels = DrawScene();
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 394, 384), 0xFFD23C)) << "the star";

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		EXPECT_EQ(log.find("scene_resource"), std::string::npos) << log;
		EXPECT_EQ(log.find("model["), std::string::npos) << log;
		EXPECT_EQ(log.find("sound[victory]"), std::string::npos) << log;
	});
}

TEST(MinigameContent, TheSkullBoardShowsItsLasersBeamsAndTray)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameSkull(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = DrawScene();
		EXPECT_TRUE(WriteScreenshot("skull_demo_start", pixels));
		EXPECT_EQ(game->GetDeliveredCount(), 0);
		EXPECT_EQ(game->GetBeamPoints(0).size(), 2u) << "blue runs straight into the red ring";
		// The beam is 6 units wide; somewhere across it blue stands out.
		bool blue = false;
		for (int y = 556; y <= 564; ++y)
			blue = blue || (PixelAt(pixels, 330, y) & 0xFF) > ((PixelAt(pixels, 330, y) >> 16) & 0xFF) + 80;
		EXPECT_TRUE(blue) << "the blue beam";
		EXPECT_NE(PixelAt(pixels, 215, 250), PixelAt(pixels, 300, 400)) << "a mirror in the tray";
		EXPECT_NE(PixelAt(pixels, 512, 400), PixelAt(pixels, 300, 400)) << "the skull";

		ExpectNothingMissing({ "skull:", "model[", "texture[", "sound[connect]" });
	});
}

TEST(MinigameContent, TheCircuitBoardLightsTheStartAndHoldsItsWiresInTheTray)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameConnectors(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = DrawScene();
		EXPECT_TRUE(WriteScreenshot("connectors_demo_start", pixels));
		EXPECT_TRUE(game->IsLit(0) && game->IsLit(1));
		EXPECT_FALSE(game->IsLit(2));
		for (int wire = 0; wire < cMinigameConnectors::kWires; ++wire)
			EXPECT_NE(game->GetWire(wire), nullptr);
		EXPECT_NE(PixelAt(pixels, 290, 585), PixelAt(pixels, 442, 585)) << "node 0 glows, node 2 does not";
		EXPECT_NE(PixelAt(pixels, 760, 585), PixelAt(pixels, 760, 550)) << "a wire in the tray";
		ExpectNothingMissing({ "connectors:", "model[", "texture[", "sound[connect]", "sound[button_click]" });
	});
}

TEST(MinigameContent, TheTriangleBoardHoldsSixteenStonesWithThreeGemsEach)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameTriangles(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = DrawScene();
		EXPECT_TRUE(WriteScreenshot("triangles_demo_start", pixels));
		for (int cell = 0; cell < cMinigameTriangles::kCells; ++cell)
			for (cSceneObject* light : game->GetCell(cell).lights)
				EXPECT_NE(light, nullptr) << cell;
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 512, 540), 0x78695A, 8)) << "the top stone";
		// A stone is hit only inside its triangle: the corners of its box
		// beside the apex belong to its neighbours.
		for (int triangle : {0, 1})
		{
			cSceneObject* stone = game->GetTriangle(triangle);
			const cBoundingBox& box = stone->GetVisual()->GetModelController()->GetModel()->GetBoundingBox();
			const auto hits = [&](float x, float y) {
				return stone->HitTestVisual(sRay{cVector3d(x, y, -100), cVector3d(0, 0, 200)});
			};
			EXPECT_TRUE(hits(0, 0)) << triangle;
			EXPECT_FALSE(hits(box.max.x - 1, box.max.y - 1)) << triangle;
			EXPECT_FALSE(hits(box.min.x + 1, box.max.y - 1)) << triangle;
		}
		ExpectNothingMissing({ "triangles:", "model[", "texture[", "sound[stone_take]", "motion[" });
	});
}
