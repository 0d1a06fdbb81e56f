// The key rubbed clean with the cloth under the minigame's camera: each
// pass of the moving cloth fades the dirt under the strip above the cursor
// by 0.1, the indicator fills, the rub sound runs; a clean key wins and the
// cloth glides home at 1000 units a second.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameKey.h"

#include <cmath>

namespace
{
constexpr sRect kBackground { 60, 60, 860, 708 };
constexpr sRect kKeyShape { 280, 330, 660, 430 };
constexpr float kClothX = 150, kClothY = 600;
// Three dirt pieces over the key count; the fourth lies beside it.
constexpr int kDirt = 4;

sRect DirtRect(int piece)
{
	if (piece == 3)
		return { 700, 150, 760, 210 };
	const float left = 300 + float(piece) * 120;
	return { left, 350, left + 100, 410 };
}

class KeyTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({ { "background", kBackground, "grey" }, { "clean_key", kKeyShape, "yellow" },
			{ "platok", { -40, -30, 40, 30 }, "white" }, { "indicator", { 100, 100, 200, 130 }, "green" } });
		for (int piece = 0; piece < kDirt; ++piece)
			AddModels({ { ("dirt_part_" + std::to_string(piece + 1)).c_str(), DirtRect(piece), "red" } });
		AddSound("cloth_rub", 0.3f);
		// Long enough for the cloth to glide home before the window closes.
		AddSound("victory", 2.0f);
	}

	// The indicator fades in over its clip "fill_ind".
	static std::string Scene(bool withKeyParts = true)
	{
		std::string elements = PieceElement({ "background", {}, "" }, "", "") +
			PieceElement({ "clean_key", {}, "" }, "", "") +
			PieceElement({ "indicator", {}, "" }, "fade", Clip("fill_ind", 1.0f), R"(color="0 1 1 1")");
		for (int piece = 0; piece < kDirt; ++piece)
			elements += PieceElement({ ("dirt_part_" + std::to_string(piece + 1)).c_str(), {}, "" }, "", "",
				piece < 3 && withKeyParts ? R"(key="true")" : "");
		char cloth[96];
		std::snprintf(cloth, sizeof cloth, R"(local="1 0 0 0 1 0 0 0 1 %g %g 0")", kClothX, kClothY);
		return elements + PieceElement({ "platok", {}, "" }, "", "", cloth);
	}

	cMinigameKey* ShowKey(bool withKeyParts = true)
	{
		return ShowPuzzle<cMinigameKey>("key", Scene(withKeyParts));
	}

	cSceneObject* Cloth(cMinigameKey* game) { return game->GetChildList().FindChild("platok"); }
	cVector3d ClothAt(cMinigameKey* game) { return Cloth(game)->GetTransform().GetWorldMatrix().GetTranslation(); }
	static float Alpha(cSceneObject* piece) { return piece->GetTransform().GetLocalColor().a; }

	void GrabCloth()
	{
		MoveTo(kClothX / kScale, kClothY / kScale);
		Hold();
	}

	// One rub pass over the piece: the cursor moves with the strip above
	// it inside the piece, then time passes for the next pass.
	void RubOnce(cSceneObject* piece, int pass)
	{
		piece->GetTransform().UpdateWorldBox();
		const cBoundingBox box = piece->GetTransform().GetWorldBox();
		const float x = box.GetCenter().x + (pass % 2 == 0 ? -8.0f : 8.0f);
		const float y = box.GetCenter().y - 16;
		MoveTo(x / kScale, y / kScale);
		Step(0.05f);
	}
};
}

TEST_F(KeyTest, RubbingTheKeyPartsCleanFillsTheIndicatorAndWins)
{
	cMinigameKey* game = ShowKey();
	EXPECT_EQ(game->GetDirt().size(), size_t(kDirt));
	EXPECT_EQ(game->GetKeyParts().size(), 3u);
	const sPixels start = Screenshot("key_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 350, 380), 0xFFFF0000)) << "dirt over the key";
	EXPECT_TRUE(ColorNear(ColorAt(start, 290, 420), 0xFFFFFF00)) << "the key's edge";
	EXPECT_TRUE(ColorNear(ColorAt(start, kClothX, kClothY), 0xFFFFFFFF)) << "the cloth";
	EXPECT_TRUE(ColorNear(ColorAt(start, 150, 115), 0xFF808080)) << "the empty indicator";

	ForgetSounds();
	GrabCloth();
	ASSERT_TRUE(game->IsDragging());
	// The key parts are rubbed one after the other until each is clean.
	std::vector<cSceneObject*> parts = game->GetKeyParts();
	for (cSceneObject* part : parts)
		for (int pass = 0; Alpha(part) > 0.4f + 1e-4f && !game->IsSolved() && pass < 20; ++pass)
		{
			const float before = Alpha(part);
			const float progress = game->GetProgress();
			RubOnce(part, pass);
			EXPECT_NEAR(Alpha(part), before - 0.1f, 1e-4f);
			EXPECT_GE(game->GetProgress(), progress);
			EXPECT_TRUE(game->IsSoundPlaying("cloth_rub"));
		}
	ASSERT_TRUE(game->IsSolved());
	EXPECT_FLOAT_EQ(game->GetProgress(), 1.0f);
	EXPECT_FLOAT_EQ(Alpha(game->GetDirt().back()), 1.0f) << "the dirt beside the key is untouched";
	EXPECT_FALSE(game->IsDragging());
	EXPECT_GT(game->GetReturnTimer(), 0) << "the cloth glides home";
	LetGo();
	ASSERT_TRUE(RunUntil([&] { return game->GetReturnTimer() <= 0; }, 1.5f));
	const sPixels solved = Screenshot("key_solved");
	EXPECT_TRUE(ColorNear(ColorAt(solved, 350, 380), 0xFFD9A600, 40)) << "the key shows through";
	EXPECT_TRUE(ColorNear(ColorAt(solved, 150, 115), 0xFF00FF00)) << "the full indicator";
	EXPECT_TRUE(ColorNear(ColorAt(solved, kClothX, kClothY), 0xFFFFFFFF)) << "the cloth at home";
	CheckVictory(game);

	// Reopened: the dirt and the empty indicator again.
	game->Show();
	RunFor(0.5f);
	for (cSceneObject* part : parts)
		EXPECT_FLOAT_EQ(Alpha(part), 1.0f);
	const sPixels again = Screenshot("key_again");
	EXPECT_TRUE(ColorNear(ColorAt(again, 350, 380), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(ColorAt(again, 150, 115), 0xFF808080));
}

TEST_F(KeyTest, AStillClothDoesNotRubTenPassesRemoveAPieceAndALetGoGlidesHome)
{
	cMinigameKey* game = ShowKey();
	cSceneObject* beside = game->GetDirt().back();
	GrabCloth();
	RubOnce(beside, 0);
	EXPECT_NEAR(Alpha(beside), 0.9f, 1e-4f) << "the strip meets the dirt in the screen plane";
	EXPECT_LT(cSceneManager::GetInstance()->GetPickRay().origin.z, -1000) << "though the cursor's ray starts far in front";
	RunFor(0.3f);
	EXPECT_NEAR(Alpha(beside), 0.9f, 1e-4f) << "holding still does not rub";
	for (int pass = 1; pass < 9; ++pass)
		RubOnce(beside, pass);
	EXPECT_NEAR(Alpha(beside), 0.1f, 1e-4f);
	EXPECT_EQ(game->GetDirt().size(), size_t(kDirt));
	RubOnce(beside, 9);
	EXPECT_EQ(game->GetDirt().size(), size_t(kDirt - 1)) << "the tenth pass removes it";
	EXPECT_NEAR(Alpha(beside), 0.1f, 1e-4f) << "and it keeps its last colour";
	EXPECT_FLOAT_EQ(game->GetProgress(), 0.0f);

	// Let go far from home: the cloth glides back at 1000 units a second.
	const cVector3d released = ClothAt(game);
	LetGo();
	const float distance = std::hypot(released.x - kClothX, released.y - kClothY);
	EXPECT_NEAR(game->GetReturnTimer(), distance / 1000 - 0.016f, 0.01f);
	// A click on the cloth meanwhile is ignored.
	const cVector3d gliding = ClothAt(game);
	Click(gliding.x - 10, gliding.y - 10);
	EXPECT_FALSE(game->IsDragging());
	ASSERT_TRUE(RunUntil([&] { return game->GetReturnTimer() <= 0; }, 2));
	EXPECT_NEAR(ClothAt(game).x, kClothX, 0.01f);
	EXPECT_NEAR(ClothAt(game).y, kClothY, 0.01f);
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(KeyTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowKey());
}

TEST_F(KeyTest, MissingClothOrKeyPartsAreLoggedWithoutACrash)
{
	// No key parts: the key counts as clean at the first rub.
	testing::internal::CaptureStderr();
	cMinigameKey* game = ShowKey(false);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has no key parts"));
	GrabCloth();
	RubOnce(game->GetDirt().front(), 0);
	EXPECT_TRUE(game->IsSolved());
	EXPECT_FLOAT_EQ(game->GetProgress(), 1.0f);
	LetGo();
	CheckVictory(game);

	testing::internal::CaptureStderr();
	auto* bare = new cMinigameKey("missing_key", screen);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has no object 'platok'"));
	bare->Show();
	RunFor(0.5f);
	Click(kClothX, kClothY);
	EXPECT_FALSE(bare->IsSolved());
	bare->Hide();
	EXPECT_EQ(bare->GetResult(), "");
}
