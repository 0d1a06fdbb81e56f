// A location's sounds through the sound layer, in a child process: the
// random ambient sounds drawn by weight, and the wait list held by a
// playing sound as by a playing animation and a running fade.

#include "LocationTestSupport.h"

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/sound/cSoundManagerTestSupport.h"

#include "engine/foundation/Random.h"
#include "engine/sound/cSoundRegistry.h"

namespace
{
std::string HalfSecondWave()
{
	return Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", StereoSamples(22050)));
}

const char* const kAmbientNames[] = {"drip", "creak", "wind"};

// The managers started over the written sounds.
cSoundManager* StartSounds()
{
	for (const char* name : kAmbientNames)
		WriteWave(name, HalfSecondWave());
	cSoundManager* manager = StartSoundManager();
	cResourceManager::GetInstance()->AddSource("data");
	return manager;
}
}

// Each ambient sound's share of many draws: a sound lighter than the mean
// weight only plays when the draw lets it pass, or when no sound passes.
TEST(LocationSound, AmbientSoundsAreDrawnByWeight)
{
	RunInChild([] {
		cLocationWorld world;
		StartSounds();
		cSceneManager* scene = cSceneManager::GetInstance();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		const struct
		{
			std::vector<float> weights;
			std::vector<double> shares;
		} rows[] = {
			{{2, 2, 2}, {1 / 3.0, 1 / 3.0, 1 / 3.0}},
			{{1, 1, 4}, {1 / 6.0, 1 / 6.0, 2 / 3.0}},
			{{1, 3}, {0.25, 0.75}},
			{{0, 2}, {0, 1}},
			{{0, 0}, {0.5, 0.5}},
		};
		const int draws = 3000;
		for (const auto& row : rows)
		{
			cLocationForm* form = world.Build("location1", scene->GetRoot());
			for (size_t i = 0; i < row.weights.size(); ++i)
				form->AddAmbientSound(kAmbientNames[i], row.weights[i]);
			form->Show();
			registry->Clear();
			std::vector<int> counts(row.weights.size());
			for (int draw = 0; draw < draws; ++draw)
			{
				// With an interval of 0 every step plays.
				form->RunAmbientStep(0.01f);
				for (size_t i = 0; i < counts.size(); ++i)
					counts[i] += registry->Contains(SoundNamed(kAmbientNames[i]));
				registry->Clear();
			}
			for (size_t i = 0; i < counts.size(); ++i)
				EXPECT_NEAR(counts[i] / double(draws), row.shares[i], 0.03) << row.weights[0] << " " << i;
			delete form;
		}
	});
}

TEST(LocationSound, AmbientSoundsWaitForTheirIntervalWhileOn)
{
	RunInChild([] {
		cLocationWorld world;
		StartSounds();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		cLocationForm* form = world.Build("location1", cSceneManager::GetInstance()->GetRoot());
		form->AddAmbientSound("drip", 1);
		form->RunAmbientStep(100);
		EXPECT_FALSE(registry->Contains(SoundNamed("drip"))) << "off until shown";

		form->SetAmbientInterval(10);
		form->Show();
		form->RunAmbientStep(7.9f);
		EXPECT_FALSE(registry->Contains(SoundNamed("drip"))) << "at least 0.8 of the interval";
		form->RunAmbientStep(4.2f);
		EXPECT_TRUE(registry->Contains(SoundNamed("drip"))) << "at most 1.2 of the interval";
		delete form;
	});
}

TEST(LocationSound, BusyObjectsHoldTheWaitList)
{
	RunInChild([] {
		cLocationWorld world;
		cSoundManager* manager = StartSounds();
		cSceneManager* scene = cSceneManager::GetInstance();
		cSoundRegistry* registry = cSoundRegistry::GetInstance();
		scene->RegisterObjectType("probe", [](const std::string& name, cSceneObject* parent) {
			return ProbeObject(name, parent);
		});
		world.content.AddScene("busy_room", R"(<probe name="clock" tooltip="true"/>)");
		cLocationForm* form = world.Build("busy_room", scene->GetRoot());
		form->Show();
		scene->Update(0.1f);
		cSceneObject* clock = form->GetChildList().FindChild("clock");
		cLocationWaitList& wait = form->GetWaitList();
		EXPECT_FALSE(wait.IsBusy());

		wait.AddAnimation("tick");
		wait.AddAnimation("tick");
		EXPECT_FALSE(wait.IsBusy()) << "nothing plays it";
		Probe(clock).PlayAnimation("tock");
		EXPECT_FALSE(wait.IsBusy()) << "another name";
		Probe(clock).PlayAnimation("tick");
		EXPECT_TRUE(wait.IsBusy());
		Probe(clock).StopAnimation();
		EXPECT_FALSE(wait.IsBusy());

		wait.SetSound(SoundNamed("drip"));
		EXPECT_FALSE(wait.IsBusy()) << "not playing";
		registry->Play(SoundNamed("drip"), false);
		EXPECT_TRUE(wait.IsBusy());
		registry->FadeOut(SoundNamed("drip"), 0.2f);
		EXPECT_TRUE(wait.IsBusy()) << "held while it fades out";
		AdvanceChannels(manager, 0.3f);
		registry->Update();
		EXPECT_FALSE(wait.IsBusy()) << "gone";

		form->FadeObject(clock, false);
		EXPECT_TRUE(wait.IsBusy());
		wait.Clear();
		EXPECT_FALSE(wait.IsBusy()) << "forgotten, though still fading";
		Probe(clock).PlayAnimation("tick");
		registry->Play(SoundNamed("drip"), false);
		EXPECT_FALSE(wait.IsBusy()) << "the names and the sound are forgotten too";
		delete form;
	});
}
