// The board minigames drawn for real in the test scenes, at their start
// and once solved, each written as a PNG screenshot. These run before the
// input tests of this program: those make and drop windows of their own,
// and the device lives on the first one.

#include "DeviceBoard.h"
#include "FacesBoard.h"
#include "PictureBoard.h"
#include "TowerBoard.h"

namespace FacesBoard
{
class cMinigameFacesDrawTest : public PuzzleMinigameDrawTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameDrawTest::SetUp();
		AddFacesContent({ resources, true }, content);
	}
};

TEST_F(cMinigameFacesDrawTest, SadHeadsInARowAndHappyOnesAlone)
{
	auto* game = MakeGame<cMinigameFaces>("faces", screen);
	ASSERT_NE(game, nullptr);
	game->Show();
	Frame(0.1f);
	sPixels pixels = Shot("faces_start");
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(2)) + 30, int(CellY(7)) + 30), kRed)) << "a sad head";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(2)) + 4, int(CellY(7)) + 4), kYellow)) << "its lit cell";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(2)) + 50, int(CellY(7)) + 30), 0xFFFFFFFF)) << "the ray";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(2)) + 4, int(CellY(3)) + 4), kBlack)) << "a cell nobody sees";

	const std::array<int, 8> columns = EightAlone();
	for (int head = 0; head < 8; ++head)
		game->PlaceHead(head, head, columns[head], true);
	game->Evaluate();
	EXPECT_TRUE(game->IsSolved());
	pixels = Shot("faces_solved");
	for (int row = 0; row < 8; ++row)
		EXPECT_TRUE(ColorNear(At(pixels, int(CellX(columns[row])) + 30, int(CellY(row)) + 30), kGreen)) << row;
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(columns[0])) + 4, int(CellY(0)) + 4), kBlack));
}
}

namespace DeviceBoard
{
class cMinigameDeviceDrawTest : public PuzzleMinigameDrawTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameDrawTest::SetUp();
		AddDeviceContent({ resources, true }, content);
	}
};

TEST_F(cMinigameDeviceDrawTest, ThePiecesLieScatteredOnTheTrayInsideItsClip)
{
	auto* game = MakeGame<cMinigameDevice>("device", screen);
	ASSERT_NE(game, nullptr);
	EXPECT_TRUE(game->GetCamera()->GetCamera().IsClipEnabled());
	game->Show();
	Frame(0.1f);
	const sPixels pixels = Shot("device_start");
	// Loose pieces are dimmed and let the tray shine through.
	int pieces = 0;
	for (int y = 144; y < 624; y += 4)
		for (int x = 192; x < 832; x += 4)
		{
			const D3DCOLOR colour = At(pixels, x, y);
			pieces += ((colour >> 16) & 0xFF) > 0x40 && ((colour >> 16) & 0xFF) < 0xC0 ? 1 : 0;
		}
	EXPECT_GT(pieces, 200);
	EXPECT_TRUE(ColorNear(At(pixels, 196, 148), 0xFF0000FF)) << "the tray";
	EXPECT_TRUE(ColorNear(At(pixels, 150, 400), 0xFF000000)) << "outside the tray";
}
}

namespace PictureBoard
{
class cMinigamePictureDrawTest : public PuzzleMinigameDrawTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameDrawTest::SetUp();
		AddPictureArt({ resources, true });
		content.AddScene("picture", PictureScene(content));
	}
};

TEST_F(cMinigamePictureDrawTest, ThePiecesAreDrawnAndTheSlotsNever)
{
	auto* game = MakeGame<cMinigamePicture>("picture", screen);
	ASSERT_NE(game, nullptr);
	game->Show();
	Frame(0.1f);
	sPixels pixels = Shot("picture_start");
	EXPECT_TRUE(ColorNear(At(pixels, int(SlotX(1)), int(SlotY(0))), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(At(pixels, int(SlotX(4)), int(SlotY(2))), 0xFFFFFF00));
	EXPECT_TRUE(ColorNear(At(pixels, int(SlotX(4)), int(SlotY(0))), 0xFF000000)) << "ring 1 has two places";

	// Every piece put over its own slot: the next update solves it.
	for (int ring = 0; ring < 3; ++ring)
		for (int k = 1; k <= SlotCount(ring); ++k)
			game->GetRing(ring)[size_t(k - 1)]->GetTransform().SetLocalMatrix(Translation(SlotX(k), SlotY(ring), 0));
	Frame(0.1f);
	Frame(0.1f);
	EXPECT_TRUE(game->IsSolved());
	pixels = Shot("picture_solved");
	EXPECT_TRUE(ColorNear(At(pixels, int(SlotX(3)), int(SlotY(1))), 0xFF00FF00));
}
}

namespace TowerBoard
{
class cMinigameTowerDrawTest : public PuzzleMinigameDrawTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameDrawTest::SetUp();
		AddTowerArt({ resources, true });
		content.AddScene("tower", TowerScene(content));
	}
};

TEST_F(cMinigameTowerDrawTest, TheBallsStandOnTheirCells)
{
	auto* game = MakeGame<cMinigameTower>("tower", screen);
	ASSERT_NE(game, nullptr);
	game->Show();
	Frame(0.1f);
	const sPixels pixels = Shot("tower_start");
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(1)), int(CellY(1))), 0xFFFFFFFF)) << "white";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(3)), int(CellY(3))), 0xFFFF0000)) << "red";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(6)), int(CellY(6))), 0xFF00FF00)) << "green";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(9)), int(CellY(9))), 0xFFFFFF00)) << "yellow";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(0)), int(CellY(0))), 0xFF0000FF)) << "an empty gate on the wheel";
}
}
