// The minigame's sounds, played through the sound layer in a child
// process: the victory sound's length holds the solved window, and the
// event map plays, restarts, fades and reports its sounds.

#include "MinigameTestSupport.h"

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/sound/cSoundManagerTestSupport.h"

#include "engine/sound/cSoundRegistry.h"

namespace
{
// Half a second of silence.
std::string HalfSecondWave()
{
	return Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", StereoSamples(22050)));
}
}

TEST(MinigameSound, TheVictorySoundHoldsTheSolvedWindowForItsLength)
{
	cTempFolder folder;
	WriteWave("victory", HalfSecondWave());
	RunInChild([] {
		StartSoundManager();
		cResourceManager::GetInstance()->AddSource("data");
		cSceneManager* scene = cSceneManager::GetInstance();
		testing::internal::CaptureStderr();
		auto* game = new cTestMinigame("sound_game", scene->GetRoot());
		testing::internal::GetCapturedStderr();
		game->Show();
		scene->Update(0.125f);

		game->SolveWithVictory();
		EXPECT_EQ(game->GetResult(), "win");
		EXPECT_NEAR(game->GetVictoryDelay(), 0.5f, 1e-3f);
		EXPECT_TRUE(game->IsSoundPlaying("victory"));
		for (int i = 0; i < 4; ++i)
			scene->Update(0.125f);
		EXPECT_EQ(game->GetState(), cGameWindow::kWorking) << "the delay has not gone below 0";
		game->SolveWithVictory();
		EXPECT_EQ(game->GetVictoryDelay(), 0.0f) << "a second solve does not start the countdown again";
		scene->Update(0.125f);
		EXPECT_EQ(game->GetState(), cGameWindow::kDisappear);
		EXPECT_EQ(game->GetResult(), "win");
	});
}

TEST(MinigameSound, EventsPlayTheirMappedSounds)
{
	cTempFolder folder;
	WriteWave("click", HalfSecondWave());
	RunInChild([] {
		StartSoundManager();
		cResourceManager::GetInstance()->AddSource("data");
		testing::internal::CaptureStderr();
		cTestMinigame game("sound_game", nullptr);
		testing::internal::GetCapturedStderr();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		game.MapSound("roll", "click");
		EXPECT_FALSE(game.IsSoundPlaying("roll"));
		EXPECT_NEAR(game.PlaySound("roll", false, false), 0.5f, 1e-3f);
		EXPECT_TRUE(game.IsSoundPlaying("roll"));
		EXPECT_EQ(game.PlaySound("roll", false, false), 0.0f) << "still playing: not started again";
		EXPECT_NEAR(game.PlaySound("roll", false, true), 0.5f, 1e-3f);

		// Unmapped events play nothing.
		EXPECT_EQ(game.PlaySound("unknown", false, true), 0.0f);
		EXPECT_FALSE(game.IsSoundPlaying("unknown"));
		game.FadeOutSound("unknown", 1);

		game.FadeOutSound("roll", 0.2f);
		EXPECT_FALSE(registry->IsPlaying(SoundNamed("click"))) << "fading out";
		EXPECT_TRUE(game.IsSoundPlaying("roll")) << "still registered while it fades";
		AdvanceChannels(StartSoundManager(false), 0.3f);
		registry->Update();
		EXPECT_FALSE(game.IsSoundPlaying("roll"));
	});
}
