// The demo's fan, fingers, glass and key minigames from freshly generated
// content: each scene holds what its minigame looks up, and each is drawn
// at its start and as it looks once solved (pictures written beside the
// content program for a look).

#include "../engine/foundation/ChildProcess.h"
#include "../engine/graphics/ScreenshotSupport.h"
#include "ContentTestSupport.h"

#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigameFactory.h"
#include "game/minigames/cMinigameFan.h"
#include "game/minigames/cMinigameFingers.h"
#include "game/minigames/cMinigameGlass.h"
#include "game/minigames/cMinigameKey.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
template <class Minigame>
std::unique_ptr<Minigame> Make(const char* name, cCameraObject* screen)
{
	std::unique_ptr<Minigame> game(dynamic_cast<Minigame*>(cMinigameFactory::GetInstance()->Create(name, screen)));
	EXPECT_NE(game, nullptr) << name;
	if (game)
	{
		EXPECT_NE(game->GetBorder(), nullptr) << name;
		ShowForASecond(game.get());
	}
	return game;
}

sPixels Shot(const std::string& name)
{
	sPixels pixels = DrawScene();
	EXPECT_TRUE(WriteScreenshot(name, pixels)) << name;
	return pixels;
}

cVector3d Middle(cSceneObject* object)
{
	object->GetTransform().UpdateWorldBox();
	return object->GetTransform().GetWorldBox().GetCenter();
}

void Settle()
{
	for (int i = 0; i < 5; ++i)
		cSceneManager::GetInstance()->Update(0.1f);
}

// Red clearly above green and blue.
bool IsReddish(D3DCOLOR colour)
{
	return int((colour >> 16) & 0xFF) > 2 * int((colour >> 8) & 0xFF) + 20;
}
}

TEST(DexterityContent, EachSceneHoldsItsPiecesAndIsDrawnAtItsStartAndSolved)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	const std::string strings = cTempFolder::ReadFile("localization/strings.xml");
	for (const char* name : { "fan", "fingers", "glass", "key" })
		EXPECT_NE(strings.find(std::string("name=\"") + name + "\""), std::string::npos) << name;
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();

		auto fan = Make<cMinigameFan>("fan", screen);
		ASSERT_NE(fan, nullptr);
		EXPECT_EQ(fan->GetObstacles().size(), 3u);
		EXPECT_GT(fan->GetMotions().GetLengthByName("key"), 0.0f);
		cSceneObject* magnet = fan->GetChildList().FindChild("magnit");
		const cVector3d home = Middle(magnet);
		EXPECT_TRUE(IsReddish(PixelAt(Shot("fan_demo_start"), int(home.x), int(home.y) - 18)));
		const cVector3d target = Middle(fan->GetChildList().FindChild("key_parent"));
		magnet->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(target.x - 40, target.y, -2)));
		Settle();
		EXPECT_TRUE(IsReddish(PixelAt(Shot("fan_demo_solved"), int(target.x) - 40, int(target.y) - 18)));
		fan->Hide();
		Settle();

		auto fingers = Make<cMinigameFingers>("fingers", screen);
		ASSERT_NE(fingers, nullptr);
		ASSERT_EQ(fingers->GetFingers().size(), 4u);
		ASSERT_EQ(fingers->GetMarks().size(), 4u);
		EXPECT_GT(fingers->GetMarks()[0]->GetMotions().GetLengthByName("fadeon"), 0.0f);
		const cVector3d mark = Middle(fingers->GetMarks()[1]);
		EXPECT_TRUE(IsReddish(PixelAt(Shot("fingers_demo_start"), int(mark.x) - 19, int(mark.y))));
		// Each finger laid on its own mark.
		for (size_t finger = 0; finger < 4; ++finger)
		{
			const cVector3d shift = Middle(fingers->GetMarks()[finger]) - Middle(fingers->GetFingers()[finger]);
			fingers->GetFingers()[finger]->GetTransform().SetLocalMatrix(
				cMatrix().MakeTranslation(cVector3d(shift.x, shift.y, -2)));
		}
		Settle();
		EXPECT_FALSE(IsReddish(PixelAt(Shot("fingers_demo_solved"), int(mark.x), int(mark.y))));
		fingers->Hide();
		Settle();

		auto glass = Make<cMinigameGlass>("glass", screen);
		ASSERT_NE(glass, nullptr);
		for (int ring = 0; ring < cMinigameGlass::kRings; ++ring)
		{
			EXPECT_EQ(glass->GetRing(ring).size(), 4u) << ring;
			EXPECT_GT(glass->GetMotions().GetLengthByName("brake" + std::to_string(ring + 1)), 0.0f) << ring;
		}
		const D3DCOLOR pane = PixelAt(Shot("glass_demo_start"), 612, 378);
		for (int ring = 1; ring <= cMinigameGlass::kRings; ++ring)
			glass->GetMotions().PlayByName("brake" + std::to_string(ring));
		Settle();
		const D3DCOLOR behind = PixelAt(Shot("glass_demo_solved"), 612, 378);
		EXPECT_NE(pane, behind) << "the pane is gone";
		glass->Hide();
		Settle();

		auto key = Make<cMinigameKey>("key", screen);
		ASSERT_NE(key, nullptr);
		EXPECT_EQ(key->GetDirt().size(), 7u);
		EXPECT_EQ(key->GetKeyParts().size(), 7u);
		EXPECT_GT(key->GetMotions().GetLengthByName("fill_ind"), 0.0f);
		const cVector3d dirt = Middle(key->GetDirt()[3]);
		const D3DCOLOR dirty = PixelAt(Shot("key_demo_start"), int(dirt.x), int(dirt.y));
		for (cSceneObject* piece : key->GetDirt())
			piece->GetTransform().SetColor(1, 1, 1, 0.4f);
		key->GetMotions().SeekByName("fill_ind", key->GetMotions().GetLengthByName("fill_ind"));
		Settle();
		const D3DCOLOR clean = PixelAt(Shot("key_demo_solved"), int(dirt.x), int(dirt.y));
		EXPECT_GT((clean >> 8) & 0xFF, (dirty >> 8) & 0xFF) << "the gold shows through";
		key->Hide();
		Settle();

		ExpectNothingMissing({ "not found", "has no", "fingers 'finger_d1'" });
	});
}
