// The demo's globe minigame: its scene holds every object the minigame
// looks for, the globe, ruler and nail are drawn, the signs wait hidden,
// and each of the five animals of the sequence can be brought under the
// nail by turning the globe and sliding the ruler within their clips.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/graphics/ScreenshotSupport.h"
#include "ContentTestSupport.h"

#include "engine/foundation/cOrientedBox.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigameGlobe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
cOrientedBox PlacedBox(cSceneObject* object)
{
	cOrientedBox box;
	box.InitFromBox(object->GetTransform().GetLocalBox());
	box.SetMatrix(object->GetTransform().GetWorldMatrix());
	return box;
}

// Some turn and ruler place puts the nail over the animal: the globe
// tried in steps of a hundredth of a turn, the ruler in steps of 2% of
// its way.
bool CanPin(cMinigameGlobe* game, int animal)
{
	cObjectMotions& globe = game->GetGlobe()->GetMotions();
	cObjectMotions& ruler = game->GetRuler()->GetMotions();
	for (int turn = 0; turn < 100; ++turn)
	{
		globe.SeekByName("globroot1", game->GetGlobeLength() * float(turn) / 100);
		for (int slide = 0; slide <= 50; ++slide)
		{
			ruler.SeekByName("rule_on", game->GetRulerLength() * float(slide) / 50);
			game->UpdateTransforms(false, false);
			if (PlacedBox(game->GetNail()).Intersects(PlacedBox(game->GetAnimal(animal))))
				return true;
		}
	}
	return false;
}
}

TEST(GlobeContent, TheGlobeShowsItsAnimalsRulerAndNailAndEveryAnimalOfTheSequenceCanBePinned)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();
		auto* game = new cMinigameGlobe(screen);
		ASSERT_NE(game->GetBorder(), nullptr);
		ShowForASecond(game);
		const sPixels pixels = DrawScene();
		EXPECT_TRUE(WriteScreenshot("globe_demo_start", pixels));
		for (int animal = 0; animal < cMinigameGlobe::kAnimals; ++animal)
			ASSERT_NE(game->GetAnimal(animal), nullptr) << animal;
		ASSERT_NE(game->GetNail(), nullptr);
		EXPECT_GT(game->GetGlobeLength(), 0.0f);
		EXPECT_GT(game->GetRulerLength(), 0.0f);
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 430, 600), 0xAAAAB9, 40)) << "the nail's head";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 215, 596), 0xBE963C, 40)) << "the ruler";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 752, 470), PixelAt(pixels, 752, 435), 30)) << "a hidden sign";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 685, 262), 0xF5EBD2, 20)) << "the plate naming the first animal";

		for (int animal : {0, 2, 3, 5, 7})
			EXPECT_TRUE(CanPin(game, animal)) << animal;
		ExpectNothingMissing({"globe:", "model[", "texture[", "motion[", "sound[roll]", "sound[keys]", "sound[button_click]"});
	});
}
