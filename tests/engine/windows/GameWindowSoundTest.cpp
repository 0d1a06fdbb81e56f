// A window's show and hide sounds, heard in the sound layer's mix. Runs in
// a child process: the sound manager and the registry are process-wide.

#include "WindowTestSupport.h"

#include "../foundation/ChildProcess.h"
#include "../sound/cSoundManagerTestSupport.h"

#include "engine/sound/cSoundRegistry.h"
#include "engine/windows/GlobalDialogs.h"

#include <set>

namespace
{
// A quarter of a second of one sample value on both channels.
std::string ConstantWave(int16_t value)
{
	std::string samples;
	for (int i = 0; i < 2 * 11025; ++i)
		samples += LittleEndian(static_cast<uint16_t>(value), 2);
	return Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", samples));
}

std::set<int> Levels(cSoundManager* manager)
{
	const std::string bytes = MixBytes(manager, 441);
	std::set<int> levels;
	for (size_t i = 0; i < bytes.size() / 2; ++i)
		levels.insert(SampleAt(bytes, i));
	return levels;
}
}

TEST(GameWindowSound, ShowingAndHidingPlayTheWindowsSounds)
{
	cTempFolder folder;
	WriteWave("open", ConstantWave(1000));
	WriteWave("close", ConstantWave(100));
	RunInChild([&] {
		cSoundManager* manager = StartSoundManager();
		cResourceManager::GetInstance()->AddSource("data");
		cSceneManager* scene = cSceneManager::GetInstance();
		auto* window = new cGameWindow("window", scene->GetRoot(), false);
		window->SetShowSound("open");
		window->SetHideSound("close");

		window->Show();
		EXPECT_EQ(Levels(manager), std::set{ 1000 });
		scene->Update(0.01f);
		window->Hide();
		EXPECT_EQ(Levels(manager), std::set{ 1100 });
		EXPECT_TRUE(cSoundRegistry::GetInstance()->IsPlaying(SoundNamed("close")));

		// A second showing plays the sound again, over the first instance.
		scene->Update(0.01f);
		window->Show();
		EXPECT_EQ(Levels(manager), std::set{ 2100 });

		// A missing sound is logged and replaces the bound one with none.
		cSoundRegistry::GetInstance()->Clear();
		testing::internal::CaptureStderr();
		window->SetShowSound("missing");
		EXPECT_NE(testing::internal::GetCapturedStderr().find("sound[missing] not found"), std::string::npos);
		window->SetHideSound("");
		window->Hide();
		window->Show();
		EXPECT_EQ(Levels(manager), std::set{ 0 });
		EXPECT_EQ(window->GetState(), cGameWindow::kAppear);
		delete window;
	});
}

TEST(GameWindowSound, TheGlobalBoxesPlayTheirShowSound)
{
	cTempFolder folder;
	WriteWave("open", ConstantWave(1000));
	RunInChild([&] {
		cSoundManager* manager = StartSoundManager();
		cResourceManager::GetInstance()->AddSource("data");
		cSceneManager* scene = cSceneManager::GetInstance();
		// Before the boxes exist the sound is not kept for them.
		SetGlobalDialogsShowSound("open");
		CreateGlobalDialogs();
		scene->Update(0.01f);
		ShowMessageBoxOk(L"title", L"message", cSceneObject::tEvent());
		EXPECT_EQ(Levels(manager), std::set{ 0 });

		SetGlobalDialogsShowSound("open");
		ShowMessageBoxYesNo(L"title", L"message", cSceneObject::tEvent(), cSceneObject::tEvent());
		EXPECT_EQ(Levels(manager), std::set{ 1000 });
		ShowEditBox(L"title", L"message", "", cSceneObject::tEvent(), cSceneObject::tEvent(), cSceneObject::tEvent());
		EXPECT_EQ(Levels(manager), std::set{ 2000 });
	});
}
