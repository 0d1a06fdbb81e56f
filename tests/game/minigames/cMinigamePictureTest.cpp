// The picture minigame played with the mouse: pieces of three rings
// swapped by riding their slots' flights, until each lies over its own slot.

#include "PictureBoard.h"

#include <cmath>

namespace
{
using namespace PictureBoard;

class cMinigamePictureTest : public PuzzleMinigameTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameTest::SetUp();
		if (HasFatalFailure())
			return;
		AddPictureArt({ resources, false });
		content.AddScene("picture", PictureScene(content));
	}

	void PressPiece(cSceneObject* piece, float dx = 0, float dy = 0)
	{
		const cVector3d at = Where(piece);
		ClickOnGame(at.x + dx, at.y + dy);
	}
	// Selects the first piece and swaps it with the second; waits until
	// nothing moves in the minigame (the skip bar's end plays for 2 s).
	void Swap(cMinigamePicture* game, cSceneObject* first, cSceneObject* second)
	{
		PressPiece(first);
		PressPiece(second);
		EXPECT_TRUE(game->IsSwapping());
		for (int frame = 0; frame < 100 && game->IsSwapping(); ++frame)
			Step(0.05f);
	}
	static bool IsDirectChild(cMinigame* game, cSceneObject* piece)
	{
		return piece->GetParent() == game && piece->IsVisible();
	}
};
}

TEST_F(cMinigamePictureTest, SwapsWithinTheRingsPutEveryPieceOverItsSlotAndWin)
{
	auto* game = ShowGame<cMinigamePicture>("picture");
	ASSERT_NE(game, nullptr);
	for (int ring = 0; ring < 3; ++ring)
	{
		ASSERT_EQ(game->GetRing(ring).size(), size_t(SlotCount(ring)));
		for (cSceneObject* slot : game->GetSlots(ring))
			EXPECT_FALSE(slot->IsVisible());
	}
	// Each ring sorted by swapping the piece that lies over a piece's own
	// slot away, found from where the pieces and slots are.
	for (int ring = 0; ring < 3; ++ring)
	{
		const std::vector<cSceneObject*>& pieces = game->GetRing(ring);
		const std::vector<cSceneObject*>& slots = game->GetSlots(ring);
		for (size_t j = 0; j < pieces.size(); ++j)
		{
			const std::string own = slots[j]->GetName();
			if (cMinigamePicture::FindSlotUnder(pieces[j], slots) == own)
				continue;
			for (cSceneObject* other : pieces)
				if (cMinigamePicture::FindSlotUnder(other, slots) == own)
				{
					EXPECT_FALSE(game->IsSolved());
					Swap(game, pieces[j], other);
					break;
				}
			EXPECT_EQ(cMinigamePicture::FindSlotUnder(pieces[j], slots), own);
		}
	}
	EXPECT_TRUE(game->IsSolved()) << "in the frame in which the last flight ended";
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());
	for (int ring = 0; ring < 3; ++ring)
		for (cSceneObject* piece : game->GetRing(ring))
			EXPECT_TRUE(IsDirectChild(game, piece));
	Run(1.5f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigamePictureTest, TwoPiecesOfARingChangePlacesAndOtherPressesOnlyCancel)
{
	auto* game = ShowGame<cMinigamePicture>("picture");
	ASSERT_NE(game, nullptr);
	cSceneObject* first = game->GetRing(2)[0];
	cSceneObject* second = game->GetRing(2)[1];
	const cVector3d firstPlace = Where(first);
	const cVector3d secondPlace = Where(second);

	PressPiece(first);
	EXPECT_EQ(game->GetSelected(), first);
	EXPECT_NEAR(first->GetTransform().GetLocalColor().r, 0.7f, 1e-4f);
	PressPiece(second);
	EXPECT_TRUE(game->IsSwapping());
	EXPECT_TRUE(game->GetSlots(2)[3]->IsVisible()) << "the flying slots are shown";
	Run(0.7f);
	EXPECT_FALSE(game->IsSwapping());
	EXPECT_LT((Where(first) - secondPlace).Length(), 10.0f);
	EXPECT_LT((Where(second) - firstPlace).Length(), 10.0f);
	EXPECT_TRUE(IsDirectChild(game, first));
	EXPECT_TRUE(IsDirectChild(game, second));
	EXPECT_FALSE(game->GetSlots(2)[3]->IsVisible());
	EXPECT_EQ(game->GetSelected(), nullptr);
	EXPECT_NEAR(first->GetTransform().GetLocalColor().r, 1.0f, 1e-4f);

	// A piece of another ring, empty space, or the selected piece itself.
	const cVector3d before = Where(first);
	for (cSceneObject* second_press : { game->GetRing(1)[0], static_cast<cSceneObject*>(nullptr), first })
	{
		PressPiece(first);
		if (second_press)
			PressPiece(second_press);
		else
			ClickOnGame(900, 650);
		EXPECT_EQ(game->GetSelected(), nullptr);
		EXPECT_FALSE(game->IsSwapping());
	}
	Run(0.7f);
	EXPECT_LT((Where(first) - before).Length(), 0.01f);

	// A press on the partner's edge, beyond every slot: no flight starts.
	PressPiece(first);
	PressPiece(second, kPieceHalf - 5, kPieceHalf - 5);
	EXPECT_FALSE(game->IsSwapping());
	EXPECT_EQ(game->GetSelected(), nullptr);
	EXPECT_TRUE(IsDirectChild(game, first));
	EXPECT_TRUE(IsDirectChild(game, second));
	EXPECT_NEAR(second->GetTransform().GetLocalColor().r, 1.0f, 1e-4f);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

TEST_F(cMinigamePictureTest, AClosedWindowEndsTheFlightsWithThePiecesAtTheirNewPlaces)
{
	auto* game = ShowGame<cMinigamePicture>("picture");
	ASSERT_NE(game, nullptr);
	cSceneObject* first = game->GetRing(1)[0];
	cSceneObject* second = game->GetRing(1)[2];
	const cVector3d firstPlace = Where(first);
	const cVector3d secondPlace = Where(second);
	PressPiece(first);
	PressPiece(second);
	ASSERT_TRUE(game->IsSwapping());
	ClickOnGame(kCloseButton.left + 32, kCloseButton.bottom + 30);
	EXPECT_FALSE(game->IsSwapping());
	Run(0.5f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "");

	// Shown again, the pieces keep the places the swap gave them.
	game->Show();
	Run(0.5f);
	EXPECT_TRUE(IsDirectChild(game, first));
	EXPECT_TRUE(IsDirectChild(game, second));
	EXPECT_LT((Where(first) - secondPlace).Length(), 10.0f);
	EXPECT_LT((Where(second) - firstPlace).Length(), 10.0f);
	for (cSceneObject* slot : game->GetSlots(1))
		EXPECT_FALSE(slot->IsVisible());
}

TEST_F(cMinigamePictureTest, PiecesWithoutSlotsAreLoggedNeverFlyAndTheWindowStillCloses)
{
	content.AddScene("picture", PictureScene(content, false));
	testing::internal::CaptureStderr();
	auto* game = ShowGame<cMinigamePicture>("picture");
	const std::string logged = testing::internal::GetCapturedStderr();
	ASSERT_NE(game, nullptr);
	EXPECT_NE(logged.find("picture: ring 1 has 2 pieces but 0 slots"), std::string::npos) << logged;
	cSceneObject* first = game->GetRing(0)[0];
	const cVector3d before = Where(first);
	PressPiece(first);
	PressPiece(game->GetRing(0)[1]);
	EXPECT_FALSE(game->IsSwapping());
	Run(0.3f);
	EXPECT_LT((Where(first) - before).Length(), 0.01f);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

