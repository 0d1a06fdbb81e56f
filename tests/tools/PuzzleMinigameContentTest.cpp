// The demo's board minigames from freshly generated content: each scene
// holds what its minigame looks up, and each is drawn at its start and once
// solved, the pictures written beside the content program for a look.

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
#include "engine/sound/cSoundResource.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigameDevice.h"
#include "game/minigames/cMinigameFaces.h"
#include "game/minigames/cMinigamePicture.h"
#include "game/minigames/cMinigameTower.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace
{
// Drawn, and written as <name>.png into the screenshots folder.
sPixels Shot(const std::string& name)
{
	sPixels pixels = DrawScene();
	EXPECT_TRUE(WriteScreenshot(name, pixels)) << name;
	return pixels;
}

// The screen, the content's resources and the effect overlay.
cCameraObject* StartScreen()
{
	cCameraObject* screen = StartContentScreen();
	CreateMinigameEffect();
	return screen;
}

template <class Minigame>
Minigame* ShowGame(cCameraObject* screen)
{
	auto* game = new Minigame(screen);
	game->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(0, 0, -500)));
	game->Show();
	for (int i = 0; i < 3; ++i)
		cSceneManager::GetInstance()->Update(0.1f);
	return game;
}

void ExpectNoBoardMissing()
{
	ExpectNothingMissing({ "faces:", "device:", "picture:", "tower:", "not found" });
}
}

TEST(PuzzleMinigameContent, TheFacesBoardLightsTheRowAndSmilesOnceEveryHeadIsAlone)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	const std::string strings = cTempFolder::ReadFile("localization/strings.xml");
	EXPECT_NE(strings.find("name=\"faces\""), std::string::npos);
	EXPECT_NE(strings.find("name=\"device\""), std::string::npos);
	RunInChild([] {
		cCameraObject* screen = StartScreen();
		auto* game = ShowGame<cMinigameFaces>(screen);
		ASSERT_EQ(game->GetHeadCount(), 8);
		EXPECT_NE(game->GetChildList().FindByPath("border/description"), nullptr);
		for (const char* ray : { "ray_00_01", "ray_00_10", "ray_00_11", "ray_01_10", "ray_66_77" })
			EXPECT_NE(game->GetChildList().FindChild(ray), nullptr) << ray;
		sPixels pixels = Shot("faces_demo_start");
		// Row 7's cells are lit orange over the board; row 3's are not.
		const D3DCOLOR lit = PixelAt(pixels, 304 + 52 + 4, 200 + 7 * 52 + 4);
		const D3DCOLOR dark = PixelAt(pixels, 304 + 52 + 4, 200 + 3 * 52 + 4);
		EXPECT_GT(int((lit >> 16) & 0xFF) - int(lit & 0xFF), 60) << std::hex << lit;
		EXPECT_LT(int((dark >> 16) & 0xFF) - int(dark & 0xFF), 20) << std::hex << dark;

		// Eight heads, none seeing another: columns 0 4 7 5 2 6 1 3 by row.
		const int columns[8] = { 0, 4, 7, 5, 2, 6, 1, 3 };
		for (int head = 0; head < 8; ++head)
			game->PlaceHead(head, head, columns[head], true);
		game->Evaluate();
		EXPECT_TRUE(game->IsSolved());
		cSceneManager::GetInstance()->Update(0.3f);
		pixels = Shot("faces_demo_solved");
		const D3DCOLOR free = PixelAt(pixels, 304 + 6 * 52 + 4, 200 + 7 * 52 + 4);
		EXPECT_LT(int((free >> 16) & 0xFF) - int(free & 0xFF), 20) << "row 7 no longer lit";
		ExpectNoBoardMissing();
	});
}

TEST(PuzzleMinigameContent, TheDevicePartsLieScatteredOverTheirOutlinesAndFitThem)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartScreen();
		auto* game = ShowGame<cMinigameDevice>(screen);
		ASSERT_EQ(game->GetPieceCount(), 4);
		EXPECT_TRUE(game->GetCamera()->GetCamera().IsClipEnabled());
		Shot("device_demo_start");

		// Every part at its place, as the snaps leave them.
		for (int index = 0; index < game->GetPieceCount(); ++index)
		{
			game->GetPiece(index)->GetTransform().SetLocalMatrix(game->GetStartMatrix(index));
			game->GetPiece(index)->GetTransform().SetColor(1, 1, 1, 1);
		}
		cSceneManager::GetInstance()->Update(0.1f);
		const sPixels pixels = Shot("device_demo_assembled");
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 380 + 30, 420), 0xC8A046)) << std::hex << PixelAt(pixels, 410, 420);
		ExpectNoBoardMissing();
	});
}

TEST(PuzzleMinigameContent, ThePictureIsWholeOnceEveryPieceTurnsToItsSlot)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartScreen();
		auto* game = ShowGame<cMinigamePicture>(screen);
		const size_t sizes[3] = { 4, 6, 8 };
		for (int ring = 0; ring < 3; ++ring)
		{
			ASSERT_EQ(game->GetRing(ring).size(), sizes[ring]);
			ASSERT_EQ(game->GetSlots(ring).size(), sizes[ring]);
			// Each piece lies over some slot of its ring, not its own.
			for (cSceneObject* piece : game->GetRing(ring))
				EXPECT_NE(cMinigamePicture::FindSlotUnder(piece, game->GetSlots(ring)), "") << piece->GetName();
		}
		EXPECT_FALSE(game->IsSolved());
		Shot("picture_demo_start");

		// A slot's flight carries its rider to the other slot's place.
		cSceneObject* slot = game->GetSlots(2)[0];
		slot->GetMotions().PlayByName("fly_to_3");
		slot->GetMotions().SeekByName("fly_to_3", 1);
		slot->UpdateTransforms(false, false);
		slot->GetTransform().UpdateWorldBox();
		cSceneObject* third = game->GetSlots(2)[2];
		third->GetTransform().UpdateWorldBox();
		const cVector3d flown = (slot->GetTransform().GetWorldBox().min + slot->GetTransform().GetWorldBox().max) * 0.5f;
		const cVector3d place = (third->GetTransform().GetWorldBox().min + third->GetTransform().GetWorldBox().max) * 0.5f;
		EXPECT_LT(std::hypot(flown.x - place.x, flown.y - place.y), 1.0f);
		slot->GetMotions().PlayByName("start");

		// Every piece turned back to its own place.
		for (int ring = 0; ring < 3; ++ring)
			for (cSceneObject* piece : game->GetRing(ring))
				piece->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(piece->GetTransform().GetLocalMatrix().GetTranslation()));
		for (int i = 0; i < 2; ++i)
			cSceneManager::GetInstance()->Update(0.1f);
		EXPECT_TRUE(game->IsSolved());
		Shot("picture_demo_solved");
		ExpectNoBoardMissing();
	});
}

TEST(PuzzleMinigameContent, TheTowerBallsStandInTheirSocketsAndRollAlongTheMarkers)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartScreen();
		auto* game = ShowGame<cMinigameTower>(screen);
		ASSERT_EQ(game->GetBalls().size(), 8u);
		// Every cell's marker moves the way its neighbour lies.
		for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
		{
			const sTowerCell& tower = game->GetCell(cell);
			ASSERT_NE(tower.dummy, nullptr);
			if (tower.ball)
			{
				const cVector3d ball = tower.ball->GetTransform().GetWorldMatrix().GetTranslation();
				const cVector3d marker = tower.dummy->GetTransform().GetWorldMatrix().GetTranslation();
				EXPECT_LT(std::hypot(ball.x - marker.x, ball.y - marker.y), 0.01f) << cell;
			}
			EXPECT_GT(tower.dummy->GetMotions().GetLengthByName("up"), 0.0f);
		}
		sPixels pixels = Shot("tower_demo_start");
		EXPECT_GT(PixelAt(pixels, 512, 384 + 120) & 0xFF, 0xB0u) << "the white ball in cell 1";

		// The balls set on the goal sockets, as the solved board holds them.
		const int goals[8] = { 2, 6, 7, 9, 1, 4, 3, 10 };
		for (int ball = 0; ball < 8; ++ball)
		{
			const cMatrix& marker = game->GetCell(goals[ball]).dummy->GetTransform().GetWorldMatrix();
			cMatrix placement = game->GetBalls()[size_t(ball)]->GetTransform().GetWorldMatrix();
			placement._41 = marker._41;
			placement._42 = marker._42;
			game->GetBalls()[size_t(ball)]->GetTransform().SetWorldMatrix(placement);
		}
		cSceneManager::GetInstance()->Update(0.1f);
		Shot("tower_demo_arranged");
		ExpectNoBoardMissing();
	});
}
