// The demo's in-game screens: the comic slides its first picture in, the
// credits roll as a movie, the help dialog's arrows point at an object,
// the diary shows the visited places on its map; the hover markers'
// particles and the map music exist. Drawn and read back.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "ContentTestSupport.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundResource.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/cComicsWindow.h"
#include "game/screens/cDiaryWindow.h"
#include "game/screens/cHelpManager.h"
#include "game/screens/cMovieWindow.h"

#include <gtest/gtest.h>

namespace
{
void Play(float seconds)
{
	for (float done = 0; done < seconds; done += 0.1f)
		cSceneManager::GetInstance()->Update(0.1f);
}
}

TEST(ScreenContent, TheComicCreditsHelpAndDiaryShowTheirPictures)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		cSceneManager* scene = cSceneManager::GetInstance();
		screen->SetVisible(true);

		// The comic: two parts of 3 s; after the first the day picture is
		// in place and the night picture still waits off the screen.
		auto* comic = new cComicsWindow("comic_intro", screen);
		EXPECT_FLOAT_EQ(comic->GetPartLength(), 3);
		comic->Show();
		Play(3.05f);
		sPixels pixels = DrawScene();
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 100, 580), 0x78B4F0)) << "the day's sky";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 600, 580), 0x191423)) << "the backdrop";
		Play(3.1f);
		EXPECT_TRUE(ColorNear(PixelAt(DrawScene(), 600, 580), 0x141E46)) << "the night's sky";
		comic->SetVisible(false);

		// The credits roll for 9 s.
		auto* credits = new cMovieWindow("credits", screen);
		credits->Show();
		EXPECT_TRUE(credits->HasMovie());
		EXPECT_FLOAT_EQ(credits->GetRemaining(), 9);
		credits->SetVisible(false);

		// The help dialog's arrow "d" stands above the object, golden.
		auto* help = new cHelpManager(screen);
		for (const char* key : { "d", "lt", "rt" })
			EXPECT_NE(help->GetArrow(key), nullptr) << key;
		auto* spot = new cSceneObject("spot", screen);
		spot->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(500, 300, 0)));
		scene->Update(0);
		help->Show();
		help->ShowHint("d", "", spot, nullptr);
		Play(0.3f);
		pixels = DrawScene();
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 500, 390), 0xFAC83C, 8)) << "the arrow";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 500, 342), 0xFAC83C, 8)) << "the ring";
		help->SetVisible(false);

		// The diary: two places on the map, both visited.
		cPlayerProgress progress;
		progress.mapPlaces = { 0, 1 };
		g_currentProgress = &progress;
		auto* diary = new cDiaryWindow(nullptr);
		EXPECT_EQ(diary->GetPoints().size(), 2u);
		EXPECT_EQ(diary->GetLabels().size(), 3u);
		for (const char* name : { "diary_text", "close", "loading_note", "ready_note", "new_place_note" })
			EXPECT_NE(diary->GetChildList().FindChild(name), nullptr) << name;
		diary->Show();
		Play(2);
		pixels = DrawScene();
		const D3DCOLOR pin = PixelAt(pixels, 254, 548);
		EXPECT_TRUE((pin >> 16) > 0xB0 && ((pin >> 8) & 0xFF) < 0x60) << std::hex << pin << ": the first place's red pin";
		EXPECT_TRUE(ColorNear(PixelAt(pixels, 150, 150), 0xECDEBA, 8)) << "the page";
		g_currentProgress = nullptr;

		cResourceHandle glow = cResourceHandle::InitByName<cParticleResource>("gamepanel.p_selection");
		ASSERT_TRUE(glow);
		EXPECT_EQ(glow.Get<cParticleResource>()->GetDescription().programs.at(0).name, "start");
		EXPECT_TRUE(cResourceHandle::InitByName<cSoundResource>("track07map"));

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		for (const char* missing : { "scene_resource[", "model[", "motion[", "is missing" })
			EXPECT_EQ(log.find(missing), std::string::npos) << log;
	});
}
