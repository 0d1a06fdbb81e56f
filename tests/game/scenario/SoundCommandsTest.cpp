// The sound commands in a real location over the sound layer, with the mix
// captured, each test in a child process: "soundloop" and "soundstop" with
// the progress's list of looping sounds, "sound" holding a following
// "delay", "music" cross-fading tracks, and sounds that do not exist.

#include "../location/LocationTestSupport.h"

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/sound/cSoundManagerTestSupport.h"

#include "engine/sound/cSoundRegistry.h"

namespace
{
// A quarter of a second.
const int kFrames = 11025;

bool IsSilent(const std::string& mixed)
{
	return mixed == std::string(mixed.size(), '\0');
}

// The sound manager over the written sounds "hum" and "click" and the
// tracks "a" and "b".
cSoundManager* StartSounds()
{
	WriteWave("hum", PcmWave(kFrames, 2, 16, 44100));
	WriteWave("click", PcmWave(2205, 2, 16, 44100));
	WriteWave("a", PcmWave(kFrames, 2, 16, 44100));
	WriteWave("b", PcmWave(kFrames / 2, 2, 16, 44100));
	cSoundManager* manager = StartSoundManager();
	cResourceManager::GetInstance()->AddSource("data");
	return manager;
}

// The form "room" whose states are given, shown; its scenario starts idle.
cLocationForm* OpenRoom(cLocationWorld& world, const std::string& states)
{
	world.content.AddScene("room", R"(<object name="bg" background="true" ignore="true"/>)");
	world.resources.Add("xml", "room", BytesOf(R"(<scenario><state name="startup"><step><item name="idle" wait="1000000"/>
		</step></state>)" + states + "</scenario>"));
	cLocationForm* form = world.Build("room", cSceneManager::GetInstance()->GetRoot());
	form->Show();
	for (int frame = 0; frame < 2; ++frame)
		cSceneManager::GetInstance()->Update(0.016f);
	return form;
}

// Makes the state current and ticks it in a frame of the scene.
void Enter(cLocationForm* form, const std::string& state)
{
	form->SetState(state);
	form->SetRunningCommand(form->GetState(""));
	cSceneManager::GetInstance()->Update(0.016f);
}

bool Traced(const std::string& entry)
{
	return std::find(Trace().begin(), Trace().end(), entry) != Trace().end();
}

std::vector<cSoundChannel::eState> MusicStates(cSoundManager* manager)
{
	std::vector<cSoundChannel::eState> states;
	for (cSoundChannel* channel : manager->GetMusicChannels())
		states.push_back(channel->GetState());
	return states;
}
}

// "soundloop" is heard at once and wraps; it is listed once however often
// it runs; "soundstop" silences it and takes it off the list.
TEST(SoundCommands, SoundloopPlaysUntilSoundstop)
{
	RunInChild([] {
		cLocationWorld world;
		cSoundManager* manager = StartSounds();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		cLocationForm* form = OpenRoom(world, R"(
			<state name="loop"><soundloop><item name="hum"/><state name="startup"/></soundloop></state>
			<state name="stop"><soundstop><item name="hum"/><state name="startup"/></soundstop></state>)");
		Enter(form, "loop");
		const std::string once = StereoSamples(kFrames);
		for (int pass = 0; pass < 3; ++pass)
		{
			ASSERT_TRUE(MixBytes(manager, kFrames) == once) << "pass " << pass;
			TickOnce(manager);
			registry->Update();
		}
		EXPECT_TRUE(registry->IsPlaying(SoundNamed("hum")));
		Enter(form, "loop");
		EXPECT_EQ(world.progress.loopingSounds, std::vector<std::string>{"hum"}) << "listed once";

		Enter(form, "stop");
		EXPECT_TRUE(IsSilent(MixBytes(manager, 441)));
		registry->Update();
		EXPECT_FALSE(registry->Contains(SoundNamed("hum")));
		EXPECT_TRUE(world.progress.loopingSounds.empty());
		delete form;
	});
}

// "sound" plays once and a following "delay" without a time waits until
// it has ended; the next "sound" replaces the one waited for.
TEST(SoundCommands, DelayWaitsForTheSoundThatSoundStarted)
{
	RunInChild([] {
		cLocationWorld world;
		cSoundManager* manager = StartSounds();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		cLocationForm* form = OpenRoom(world, R"(<state name="ring"><sound><item name="hum"/><sound><item name="click"/>
			<delay><step><item name="rang"/><state name="startup"/></step></delay></sound></sound></state>)");
		Enter(form, "ring");
		const std::string both = MixBytes(manager, 2205);
		EXPECT_FALSE(IsSilent(both));
		EXPECT_NE(both, StereoSamples(2205)) << "the two sounds add up";
		cSceneManager::GetInstance()->Update(0.016f);
		EXPECT_FALSE(Traced("rang!"));

		// The click has played to its end; the hum still plays.
		TickOnce(manager);
		registry->Update();
		registry->Update();
		EXPECT_FALSE(registry->Contains(SoundNamed("click")));
		EXPECT_TRUE(registry->Contains(SoundNamed("hum")));
		cSceneManager::GetInstance()->Update(0.016f);
		EXPECT_TRUE(Traced("rang!")) << "only the last sound is waited for";
		EXPECT_FALSE(form->GetWaitList().IsBusy());
		delete form;
	});
}

// "music" fades the new track in while the old one fades out, records the
// track in the progress, and without a sound fades the music out.
TEST(SoundCommands, MusicChangesTheTrackWithAFade)
{
	RunInChild([] {
		cLocationWorld world;
		cSoundManager* manager = StartSounds();
		cLocationForm* form = OpenRoom(world, R"(
			<state name="a"><music><item name="a"/><state name="startup"/></music></state>
			<state name="b"><music><item name="b"/><state name="startup"/></music></state>
			<state name="none"><music><item name="no_such_track"/><state name="startup"/></music></state>)");
		Enter(form, "a");
		EXPECT_EQ(world.progress.music, "a");
		EXPECT_EQ(MusicStates(manager), std::vector{cSoundChannel::FadingIn});
		EXPECT_TRUE(IsSilent(MixBytes(manager, 441))) << "from silence";
		AdvanceChannels(manager, 1.2f);
		EXPECT_EQ(MusicStates(manager), std::vector{cSoundChannel::Playing});
		EXPECT_FALSE(IsSilent(MixBytes(manager, 441)));

		Enter(form, "b");
		EXPECT_EQ(world.progress.music, "b");
		EXPECT_EQ(MusicStates(manager), (std::vector{cSoundChannel::FadingOut, cSoundChannel::FadingIn}));
		EXPECT_EQ(manager->GetMusicChannels().back()->GetKey(), DecoderOf(SoundNamed("b")));
		AdvanceChannels(manager, 1.2f);
		manager->Update(0.016f);
		EXPECT_EQ(MusicStates(manager), std::vector{cSoundChannel::Playing});

		Enter(form, "none");
		EXPECT_EQ(world.progress.music, "");
		EXPECT_EQ(MusicStates(manager), std::vector{cSoundChannel::FadingOut});
		AdvanceChannels(manager, 1.2f);
		EXPECT_TRUE(IsSilent(MixBytes(manager, 441)));
		delete form;
	});
}

// Sounds that do not exist: "soundloop" and "soundstop" do nothing and
// leave the list of looping sounds alone; "sound" still clears the wait list.
TEST(SoundCommands, MissingSoundsChangeNothing)
{
	RunInChild([] {
		cLocationWorld world;
		cSoundManager* manager = StartSounds();
		cLocationForm* form = OpenRoom(world, R"(
			<state name="loop"><soundloop><item name="gone"/><state name="startup"/></soundloop></state>
			<state name="stop"><soundstop><item name="gone"/><state name="startup"/></soundstop></state>
			<state name="ring"><sound><item name="gone"/><state name="startup"/></sound></state>)");
		world.progress.loopingSounds = {"hum"};
		Enter(form, "loop");
		Enter(form, "stop");
		EXPECT_EQ(world.progress.loopingSounds, std::vector<std::string>{"hum"});
		form->GetWaitList().AddAnimation("anything");
		form->GetWaitList().SetSound(SoundNamed("click"));
		cSoundRegistry::GetInstance()->Play(SoundNamed("click"), false);
		Enter(form, "ring");
		EXPECT_FALSE(form->GetWaitList().IsBusy());
		EXPECT_EQ(manager->GetEffectChannels().size(), 1u) << "only the click plays";
		delete form;
	});
}
