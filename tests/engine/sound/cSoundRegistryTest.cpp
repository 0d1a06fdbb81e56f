// The sound registry: effects played for objects through the real sound
// layer, tracked, faded, stopped and purged, with the mix captured. Every
// test runs in a child process: the registry and the sound manager are
// process-wide.

#include "../foundation/ChildProcess.h"
#include "cSoundManagerTestSupport.h"

#include "engine/resources/cResourceManager.h"
#include "engine/sound/cSoundRegistry.h"

#include <cmath>
#include <set>

namespace
{
// A quarter of a second.
const int kFrames = 11025;

// A stereo sound whose every sample is value: mixed sounds add up, and a
// fade shows as one level.
std::string ConstantWave(int frames, int16_t value)
{
	std::string samples;
	for (int i = 0; i < 2 * frames; ++i)
		samples += LittleEndian(static_cast<uint16_t>(value), 2);
	return Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", samples));
}

cSoundManager* StartWithSounds()
{
	cSoundManager* manager = StartSoundManager();
	cResourceManager::GetInstance()->AddSource("data");
	return manager;
}

// The distinct sample values of the next frames of the mix.
std::set<int> Levels(cSoundManager* manager, uint32_t frames = 441)
{
	const std::string bytes = MixBytes(manager, frames);
	std::set<int> levels;
	for (size_t i = 0; i < bytes.size() / 2; ++i)
		levels.insert(SampleAt(bytes, i));
	return levels;
}

// The level of the effect attenuated to volume, added to the base level.
int LevelAt(int base, int effect, float volume)
{
	return base + static_cast<int>(std::lrint(effect * std::pow(10.0, cSoundChannel::Attenuation(volume) / 2000.0)));
}
}

TEST(cSoundRegistry, TracksTwoObjectsSoundsThroughAFadeAndAStop)
{
	cTempFolder folder;
	WriteWave("hum", ConstantWave(kFrames, 1000));
	WriteWave("buzz", ConstantWave(kFrames, 100));
	RunInChild([&] {
		cSoundManager* manager = StartWithSounds();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		cResourceHandle hum = SoundNamed("hum");
		cResourceHandle buzz = SoundNamed("buzz");
		EXPECT_FALSE(registry->Contains(hum));
		registry->Play(hum, true);
		registry->Play(buzz, true);
		for (const cResourceHandle* sound : { &hum, &buzz })
			EXPECT_TRUE(registry->Contains(*sound) && registry->IsPlaying(*sound));
		EXPECT_EQ(Levels(manager), std::set{ 1100 });

		// The hum fades out over its second of tick time, the buzz plays on.
		registry->FadeOut(hum, 1.0f);
		EXPECT_FALSE(registry->IsPlaying(hum));
		EXPECT_TRUE(registry->Contains(hum));
		EXPECT_TRUE(registry->IsPlaying(buzz));
		AdvanceChannels(manager, 0.5f);
		registry->Update();
		EXPECT_EQ(Levels(manager), std::set{ LevelAt(100, 1000, 0.5f) });
		AdvanceChannels(manager, 0.4f);
		registry->Update();
		EXPECT_EQ(Levels(manager), std::set{ LevelAt(100, 1000, 0.1f) });
		EXPECT_TRUE(registry->Contains(hum));

		// Faded out: only the buzz is heard, and the hum goes at the next update.
		AdvanceChannels(manager, 0.1f);
		EXPECT_EQ(Levels(manager), std::set{ 100 });
		EXPECT_TRUE(registry->Contains(hum));
		registry->Update();
		EXPECT_FALSE(registry->Contains(hum));
		EXPECT_TRUE(registry->IsPlaying(buzz));
		EXPECT_EQ(manager->GetEffectChannels().size(), 1u);

		// Stopped: silent at once, registered until the next update.
		registry->Stop(buzz);
		EXPECT_FALSE(registry->IsPlaying(buzz));
		EXPECT_TRUE(registry->Contains(buzz));
		EXPECT_EQ(Levels(manager), std::set{ 0 });
		EXPECT_TRUE(manager->GetEffectChannels().empty());
		registry->Update();
		EXPECT_FALSE(registry->Contains(buzz));
	});
}

TEST(cSoundRegistry, ALoopingInstancePlaysUntilStoppedAndOneShotsGoAfterTheirEnd)
{
	cTempFolder folder;
	WriteWave("loop", PcmWave(kFrames, 2, 16, 44100));
	WriteWave("click", PcmWave(2205, 2, 16, 44100));
	RunInChild([&] {
		cSoundManager* manager = StartWithSounds();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		cResourceHandle loop = SoundNamed("loop");
		cResourceHandle click = SoundNamed("click");

		// At full volume from the first sample, wrapping for six seconds.
		registry->Play(loop, true);
		const std::string once = StereoSamples(kFrames);
		for (int pass = 0; pass < 24; ++pass)
		{
			ASSERT_EQ(MixBytes(manager, kFrames), once) << "pass " << pass;
			TickOnce(manager);
			registry->Update();
			ASSERT_TRUE(registry->IsPlaying(loop)) << "pass " << pass;
		}
		registry->Stop(loop);
		EXPECT_EQ(Levels(manager), std::set{ 0 });
		registry->Update();
		EXPECT_FALSE(registry->Contains(loop));

		// Three clicks at once: three channels, all stopped by one call.
		for (int i = 0; i < 3; ++i)
			registry->Play(click, false);
		EXPECT_EQ(manager->GetEffectChannels().size(), 3u);
		registry->Stop(click);
		EXPECT_TRUE(manager->GetEffectChannels().empty());
		registry->Update();
		EXPECT_FALSE(registry->Contains(click));

		// A click played to its end goes in the frame after its channel stopped.
		registry->Play(click, false);
		EXPECT_EQ(MixBytes(manager, 2205), StereoSamples(2205));
		registry->Update();
		EXPECT_TRUE(registry->IsPlaying(click));
		TickOnce(manager);
		EXPECT_TRUE(registry->Contains(click));
		registry->Update();
		EXPECT_FALSE(registry->Contains(click));
	});
}

TEST(cSoundRegistry, SoundsThatCannotPlayAreRegisteredForOneFrame)
{
	cTempFolder folder;
	WriteWave("beep", ConstantWave(kFrames, 1000));
	cTempFolder::WriteFile("data/broken.wav", "RIFF and nothing else");
	RunInChild([&] {
		cSoundManager* manager = StartWithSounds();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		cResourceHandle beep = SoundNamed("beep");
		cResourceHandle broken = SoundNamed("broken");
		ASSERT_TRUE(broken);

		// Nothing to play, or nothing registered: nothing happens.
		const cResourceHandle none;
		registry->Play(none, false);
		registry->Stop(beep);
		registry->FadeOut(beep, 1.0f);
		EXPECT_FALSE(registry->Contains(none) || registry->Contains(beep) || registry->IsPlaying(beep));

		// A sound that did not load, and one for which no buffer is free.
		std::vector<cSoundChannel*> taken;
		while (cSoundChannel* channel = manager->CreateChannel(nullptr, beep, false))
			taken.push_back(channel);
		registry->Play(broken, false);
		registry->Play(beep, true);
		for (const cResourceHandle* sound : { &broken, &beep })
			EXPECT_TRUE(registry->Contains(*sound) && !registry->IsPlaying(*sound));
		registry->Update();
		EXPECT_FALSE(registry->Contains(broken) || registry->Contains(beep));
		for (cSoundChannel* channel : taken)
			manager->ReleaseChannel(channel);

		// A fade of no length silences at once and stops at the next step.
		for (float seconds : { 0.0f, -1.0f, NAN })
		{
			registry->Play(beep, true);
			registry->FadeOut(beep, seconds);
			EXPECT_EQ(Levels(manager), std::set{ 0 }) << seconds;
			AdvanceChannels(manager, 0.1f);
			registry->Update();
			EXPECT_FALSE(registry->Contains(beep)) << seconds;
		}

		registry->Play(beep, true);
		registry->Play(beep, false);
		registry->Clear();
		EXPECT_FALSE(registry->Contains(beep));
		EXPECT_TRUE(manager->GetEffectChannels().empty());
		EXPECT_EQ(Levels(manager), std::set{ 0 });
	});
}
