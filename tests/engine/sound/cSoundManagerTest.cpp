// The sound manager: the volume settings, music fades and cross-fades, and
// silence while the application is inactive. Every test runs in a child
// process: the manager and the settings store are process-wide.

#include "../foundation/ChildProcess.h"
#include "cSoundManagerTestSupport.h"

#include "engine/resources/cResourceManager.h"

#include <algorithm>
#include <cmath>

namespace
{
const int kFrames = 11025;

cPropertyMap& Settings()
{
	return cConfig::GetInstance()->GetSettings();
}

// Writes the looping tracks "a" and "b", starts the manager and mounts them.
cSoundManager* StartWithTracks()
{
	WriteWave("a", PcmWave(kFrames, 2, 16, 44100));
	WriteWave("b", PcmWave(kFrames / 2, 2, 16, 44100));
	cSoundManager* manager = StartSoundManager();
	cResourceManager::GetInstance()->AddSource("data");
	return manager;
}

std::vector<cSoundChannel::eState> MusicStates(cSoundManager* manager)
{
	std::vector<cSoundChannel::eState> states;
	for (cSoundChannel* channel : manager->GetMusicChannels())
		states.push_back(channel->GetState());
	return states;
}

bool IsSilent(const std::string& mixed)
{
	return mixed == std::string(mixed.size(), '\0');
}
}

TEST(cSoundManager, VolumeSettingsReachTheChannelsInHundredths)
{
	cTempFolder folder;
	RunInChild([&] {
		cConfig::GetInstance()->SetValue("music_volume", "0.25");
		cSoundManager* manager = StartWithTracks();
		EXPECT_FLOAT_EQ(manager->GetMusicVolume(), 0.25f);
		EXPECT_FLOAT_EQ(manager->GetEffectsVolume(), 1.0f);
		const auto& saved = cConfig::GetInstance()->GetSavedKeys();
		for (const char* key : { "music_volume", "sound_volume" })
			EXPECT_NE(std::find(saved.begin(), saved.end(), key), saved.end()) << key;

		cResourceHandle sound = SoundNamed("a");
		cSoundChannel* effect = manager->CreateChannel(nullptr, sound, false);
		ASSERT_NE(effect, nullptr);
		effect->Play(false);

		Settings().SetText("sound_volume", "0.5");
		EXPECT_FLOAT_EQ(effect->GetVolume(), 0.5f);
		EXPECT_EQ(Settings().GetText("sound_volume"), "0.500000");
		// -25 dB: the mix carries the samples scaled by 10^(-2500/2000).
		const std::string heard = MixBytes(manager, 100);
		const std::string full = StereoSamples(100);
		for (size_t i = 0; i < 200; i += 37)
			EXPECT_NEAR(SampleAt(heard, i), SampleAt(full, i) * std::pow(10.0, -1.25), 1.0) << i;

		// The text read back gives the same volume again.
		Settings().SetText("music_volume", "0.7");
		EXPECT_FLOAT_EQ(manager->GetMusicVolume(), 0.7f);
		EXPECT_EQ(Settings().GetText("music_volume"), "0.700000");

		// The value held already, or text that is no number, changes nothing.
		effect->SetVolume(0.2f);
		Settings().SetText("sound_volume", "0.500000");
		Settings().SetText("sound_volume", "nan");
		EXPECT_FLOAT_EQ(effect->GetVolume(), 0.2f);
		EXPECT_EQ(Settings().GetText("sound_volume"), "0.500000");

		Settings().SetText("sound_volume", "2.5");
		EXPECT_FLOAT_EQ(effect->GetVolume(), 1.0f);
	});
}

TEST(cSoundManager, MusicFadesInAndOut)
{
	cTempFolder folder;
	RunInChild([&] {
		cSoundManager* manager = StartWithTracks();
		manager->FadeOutMusic(); // no music: nothing happens
		cResourceHandle track = SoundNamed("a");
		manager->PlayMusic(track);
		ASSERT_EQ(manager->GetMusicChannels().size(), 1u);
		cSoundChannel* channel = manager->GetMusicChannels().back();
		EXPECT_EQ(channel->GetState(), cSoundChannel::FadingIn);
		EXPECT_TRUE(IsSilent(MixBytes(manager, 441)));

		AdvanceChannels(manager, 0.6f);
		EXPECT_EQ(channel->GetState(), cSoundChannel::FadingIn);
		const std::string rising = MixBytes(manager, 441);
		EXPECT_FALSE(IsSilent(rising));
		AdvanceChannels(manager, 0.5f);
		EXPECT_EQ(channel->GetState(), cSoundChannel::Playing);
		// At full volume the mix is the track itself, wrapped at its end.
		const std::string expected = StereoSamples(kFrames);
		EXPECT_EQ(MixBytes(manager, kFrames - 882), expected.substr(882 * 4));
		EXPECT_NE(rising, expected.substr(0, 441 * 4));

		manager->FadeOutMusic();
		EXPECT_EQ(channel->GetState(), cSoundChannel::FadingOut);
		AdvanceChannels(manager, 1.0f);
		EXPECT_EQ(channel->GetState(), cSoundChannel::FadingOut);
		AdvanceChannels(manager, 0.1f);
		EXPECT_TRUE(channel->IsStopped());
		EXPECT_TRUE(IsSilent(MixBytes(manager, 441)));
		manager->Update(0.016f);
		EXPECT_TRUE(manager->GetMusicChannels().empty());
	});
}

TEST(cSoundManager, ANewTrackCrossFadesWithTheOldOne)
{
	cTempFolder folder;
	RunInChild([&] {
		cSoundManager* manager = StartWithTracks();
		cResourceHandle a = SoundNamed("a");
		cResourceHandle b = SoundNamed("b");
		manager->PlayMusic(a);
		AdvanceChannels(manager, 1.2f);
		manager->PlayMusic(a); // plays steadily already
		manager->ReleaseChannel(manager->GetMusicChannels().back()); // music is not released this way
		EXPECT_EQ(MusicStates(manager), std::vector{ cSoundChannel::Playing });

		manager->PlayMusic(b);
		EXPECT_EQ(MusicStates(manager), (std::vector{ cSoundChannel::FadingOut, cSoundChannel::FadingIn }));
		EXPECT_EQ(manager->GetMusicChannels().back()->GetKey(), DecoderOf(b));
		// Fading in is not yet playing: the track starts again on a channel of
		// its own, with its own cursor, while the first one fades out.
		manager->PlayMusic(b);
		EXPECT_EQ(MusicStates(manager),
			(std::vector{ cSoundChannel::FadingOut, cSoundChannel::FadingOut, cSoundChannel::FadingIn }));
		EXPECT_EQ(manager->GetMusicChannels().back()->GetKey(), DecoderOf(b));

		AdvanceChannels(manager, 1.2f);
		EXPECT_EQ(MusicStates(manager),
			(std::vector{ cSoundChannel::Stopped, cSoundChannel::Stopped, cSoundChannel::Playing }));
		manager->Update(0.016f);
		EXPECT_EQ(MusicStates(manager), std::vector{ cSoundChannel::Playing });
		EXPECT_EQ(manager->GetMusicChannels().back()->GetKey(), DecoderOf(b));

		// A track still fading out starts again beside the fading channel.
		manager->PlayMusic(a);
		manager->PlayMusic(b);
		EXPECT_EQ(MusicStates(manager),
			(std::vector{ cSoundChannel::FadingOut, cSoundChannel::FadingOut, cSoundChannel::FadingIn }));
	});
}

TEST(cSoundManager, WithoutAFreeBufferTheOldTrackPlaysOn)
{
	cTempFolder folder;
	RunInChild([&] {
		cSoundManager* manager = StartWithTracks();
		cResourceHandle a = SoundNamed("a");
		cResourceHandle b = SoundNamed("b");
		manager->PlayMusic(a);
		AdvanceChannels(manager, 1.2f);
		while (manager->CreateChannel(nullptr, b, false))
		{
		}
		EXPECT_EQ(manager->GetEffectChannels().size(), cDirectSound::PoolSize - 1u);
		manager->PlayMusic(b);
		EXPECT_EQ(MusicStates(manager), std::vector{ cSoundChannel::Playing });
	});
}

TEST(cSoundManager, DeactivationSilencesEverySoundUntilReactivation)
{
	cTempFolder folder;
	RunInChild([&] {
		cSoundManager* manager = StartWithTracks();
		cResourceHandle a = SoundNamed("a");
		cResourceHandle b = SoundNamed("b");
		manager->PlayMusic(a);
		AdvanceChannels(manager, 1.2f);
		cSoundChannel* effect = manager->CreateChannel(nullptr, b, false);
		cSoundChannel* finished = manager->CreateChannel(nullptr, b, false);
		cSoundChannel* unplayed = manager->CreateChannel(nullptr, b, false);
		ASSERT_TRUE(effect && finished && unplayed);
		effect->SetLoop(true);
		effect->Play(false);
		finished->Play(false);
		MixBytes(manager, kFrames);
		TickOnce(manager);
		ASSERT_TRUE(finished->IsStopped());

		manager->OnActivate(false);
		EXPECT_TRUE(IsSilent(MixBytes(manager, 4410)));
		manager->Update(0.016f);
		EXPECT_EQ(MusicStates(manager), std::vector{ cSoundChannel::Playing });
		EXPECT_EQ(effect->GetState(), cSoundChannel::Playing);

		manager->OnActivate(true);
		EXPECT_TRUE(manager->GetMusicChannels().back()->IsPlayingSteady());
		EXPECT_TRUE(effect->IsPlayingSteady());
		EXPECT_FALSE(finished->IsBufferPlaying());
		EXPECT_FALSE(unplayed->IsBufferPlaying());
		EXPECT_FALSE(IsSilent(MixBytes(manager, 441)));
	});
}

TEST(cSoundManager, MusicPlaysOnAfterTheCallerLetsGoOfTheSound)
{
	cTempFolder folder;
	RunInChild([&] {
		cSoundManager* manager = StartWithTracks();
		cResource* resource = nullptr;
		{
			cResourceHandle track = SoundNamed("a");
			resource = track.Get();
			manager->PlayMusic(track);
		}
		AdvanceChannels(manager, 1.2f);
		cSoundChannel* channel = manager->GetMusicChannels().back();
		ASSERT_EQ(channel->GetState(), cSoundChannel::Playing);

		// Several seconds of ticks: the channel reads a decoder that is still
		// there, and the track loops on.
		const std::string once = StereoSamples(kFrames);
		const std::string heard = MixBytes(manager, kFrames);
		const size_t offset = once.find(heard.substr(0, 64));
		ASSERT_NE(offset, std::string::npos);
		const std::string twice = once + once;
		for (int tick = 0; tick < 30; ++tick)
		{
			TickOnce(manager);
			ASSERT_EQ(MixBytes(manager, kFrames), twice.substr(offset, once.size())) << "tick " << tick;
		}

		// Once the track has faded out and gone, the sound is unloaded.
		manager->FadeOutMusic();
		AdvanceChannels(manager, 1.2f);
		manager->Update(0.016f);
		EXPECT_TRUE(manager->GetMusicChannels().empty());
		EXPECT_EQ(static_cast<cSoundResource*>(resource)->GetSoundStream(), nullptr);
	});
}
