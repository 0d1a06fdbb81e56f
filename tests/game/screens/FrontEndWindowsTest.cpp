// The front end's windows driven through their handlers, each test in a
// child process of its own with a fresh settings folder: the loading
// window's logo chain, loader and close handling, the main menu's console,
// name prompt and start, the options window's settings, and the profile
// window's create, rename, delete and select.

#include "../../engine/windows/WindowTestSupport.h"

#include "engine/foundation/ChildProcess.h"
#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/TempFolder.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/windows/GlobalDialogs.h"
#include "engine/windows/cGameLogoWindow.h"
#include "game/location/CurrentLocation.h"
#include "game/play/cPlayerProgress.h"
#include "game/play/cProfileManager.h"
#include "game/screens/cGameLoading.h"
#include "game/screens/cGameMainMenu.h"
#include "game/screens/cGameOptionsMenu.h"
#include "game/screens/cGameProfileMenu.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
// The boxes' scenes: what the global boxes need to answer and keep a text.
const char* const kEditBoxScene = "<object name=\"window_profile_small_q\"><editbox name=\"edit_box\"/>"
								  "<button name=\"ok\"/><button name=\"cancel\"/></object>";
const char* const kProfileScene =
	"<object name=\"window_users\"><object name=\"user_text_0\"/><object name=\"user_text_1\"/>"
	"<object name=\"user_text_2\"/><button name=\"create\"/><button name=\"rename\"/><button name=\"delete\"/>"
	"<button name=\"ok\"/></object>";

cProfileManager* Profiles()
{
	return cProfileManager::GetInstance();
}

std::vector<std::wstring> Names()
{
	std::vector<std::wstring> names;
	Profiles()->GetProfileNames(names);
	return names;
}

void Step(int frames = 1, float dt = 0.05f)
{
	for (int i = 0; i < frames; ++i)
		cSceneManager::GetInstance()->Update(dt);
}

cSceneObject* Box(const char* name)
{
	return cGameWindow::DefaultCameraObject()->GetChildList().FindChild(name);
}

// Types the text into the global edit box, as the player would.
void TypeName(const std::string& text)
{
	Box("Edit Box")->GetChildList().FindByPath("window_profile_small_q/edit_box")->GetProperties().SetProperty(
		"text", text);
}

// A texture entry of the name, for the name index only.
class cNamedTexture : public cResource
{
public:
	explicit cNamedTexture(const std::string& name) : cResource(name, sResourceSource()) {}
	bool Load() override { return true; }
	bool Unload() override { return true; }
	const char* GetTypeName() override { return "texture"; }
};

class FrontEndWindows : public testing::Test
{
protected:
	// The settings, the log and the profiles of a fresh folder; the boxes
	// exist and hang in the scene.
	void StartFrontEnd(bool withProfileScene = true)
	{
		StartSettingsAndLog("zv2");
		Profiles()->Init(CreatePlayerProgress, nullptr, 18);
		m_content.AddScene("edit_box", kEditBoxScene);
		m_content.AddScene("mb_ok", "<object name=\"window_profile_small\"><button name=\"ok\"/></object>");
		m_content.AddScene("mb_yn",
			"<object name=\"window_profile_small\"><button name=\"yes\"/><button name=\"no\"/>"
			"<object name=\"text_window\"/></object>");
		if (withProfileScene)
			m_content.AddScene("profile_menu", kProfileScene);
		CreateGlobalDialogs();
		Step();
	}

	cTempFolder m_folder;
	cSceneContent m_content;
};
}

TEST_F(FrontEndWindows, ProfileMenuCreatesRenamesDeletesAndSelectsWithConflictsReported)
{
	RunInChild([this] {
		StartFrontEnd();
		auto* menu = new cGameProfileMenu();
		Step();
		ASSERT_EQ(menu->GetSlots().size(), 3u);
		// Create through the prompt: the new player is current at once.
		menu->OnCreateClick(menu);
		EXPECT_TRUE(Box("Edit Box")->IsVisible());
		TypeName("Bob");
		menu->OnCreateClick(nullptr);
		HideGlobalDialogs();
		TypeName("Ann");
		menu->OnCreateClick(nullptr);
		HideGlobalDialogs();
		EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Ann", L"Bob"}));
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Ann");
		EXPECT_EQ(menu->GetSlots()[0]->GetProperties().GetProperty("checked"), "true");
		EXPECT_EQ(menu->GetSlots()[2]->GetProperties().GetProperty("text"), "");
		// A name in use: the Ok box reports it and nothing changes.
		TypeName("Bob");
		menu->OnCreateClick(nullptr);
		EXPECT_TRUE(Box("Message Box ( Ok )")->IsVisible());
		HideGlobalDialogs();
		menu->OnRenameClick(nullptr);
		EXPECT_TRUE(Box("Message Box ( Ok )")->IsVisible());
		HideGlobalDialogs();
		EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Ann", L"Bob"}));
		// Rename the current player, then select the other by its slot.
		TypeName("Cy");
		menu->OnRenameClick(nullptr);
		EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Bob", L"Cy"}));
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Cy");
		menu->OnSlotClick(menu->GetSlots()[0]);
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Bob");
		// A slot without a name selects nothing.
		menu->OnSlotClick(menu->GetSlots()[2]);
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Bob");
		// Deleting the current player selects the next name.
		menu->OnDeleteClick(nullptr);
		EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Cy"}));
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Cy");
		// Deleting the last one opens the create prompt.
		HideGlobalDialogs();
		menu->OnDeleteClick(nullptr);
		EXPECT_TRUE(Names().empty());
		EXPECT_TRUE(Box("Edit Box")->IsVisible());
	});
}

TEST_F(FrontEndWindows, AnEmptySlotKeepsTheCurrentProfileAndWithoutOneDeleteDeletesNothing)
{
	RunInChild([this] {
		StartFrontEnd();
		Profiles()->CreateProfile(L"Ann");
		Profiles()->SelectProfile(L"Ann");
		auto* menu = new cGameProfileMenu();
		Step();
		menu->GetSlots()[0]->GetProperties().SetProperty("checked", "false");
		menu->OnSlotClick(menu->GetSlots()[2]);
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Ann");
		EXPECT_EQ(menu->GetSlots()[0]->GetProperties().GetProperty("checked"), "true");

		Profiles()->CreateProfile(L"Bob");
		Profiles()->DeleteProfile(L"Ann");
		ASSERT_TRUE(Profiles()->GetCurrentName().empty());
		menu->OnDeleteClick(nullptr);
		EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Bob"}));
	});
}

TEST_F(FrontEndWindows, TheConsoleSwitchesCheatModeOnlyForItsWord)
{
	RunInChild([this] {
		StartFrontEnd();
		auto* menu = new cGameMainMenu("");
		Step();
		const struct
		{
			const char* text;
			bool cheat;
		} cases[] = {{"", false}, {"abc", false}, {"quillmap", true}, {"xquillmap", true}};
		for (const auto& entry : cases)
		{
			Profiles()->SetCheatMode(false);
			menu->GetConsole()->GetProperties().SetProperty("text", entry.text);
			menu->GetConsole()->SetVisible(true);
			menu->OnConsoleEnter(menu->GetConsole());
			EXPECT_EQ(Profiles()->IsCheatMode(), entry.cheat) << entry.text;
			EXPECT_FALSE(menu->GetConsole()->IsVisible());
		}
	});
}

TEST_F(FrontEndWindows, TheMenuAsksForAFirstNameAndStartsOnlyWithAPlayer)
{
	RunInChild([this] {
		StartFrontEnd();
		m_content.AddScene("mainmenu", "<button name=\"start\"/><object name=\"text_profile_welcome\"/>");
		auto* menu = new cGameMainMenu("");
		static int started = 0;
		menu->BindEvent("on_game",
			cSceneObject::tEvent(MakeFunctionDelegate<cSceneObject*>([](cSceneObject*) { ++started; })));
		Step();
		// Without a player Start does nothing.
		menu->Show();
		EXPECT_TRUE(Box("Edit Box")->IsVisible());
		menu->OnStartClick(menu);
		Step(5);
		EXPECT_EQ(started, 0);
		// The named player is current; the welcome line greets them.
		TypeName("Ann");
		menu->OnNameAccepted(nullptr);
		EXPECT_EQ(Profiles()->GetCurrentName(), L"Ann");
		Step();
		EXPECT_EQ(menu->GetChildList().FindChild("text_profile_welcome")->GetProperties().GetProperty("text"), " Ann");
		menu->OnStartClick(menu);
		Step(2);
		EXPECT_EQ(started, 1);
	});
}

TEST_F(FrontEndWindows, WithoutAProfileWindowTheProfileClickAndStartDoNothing)
{
	RunInChild([this] {
		StartFrontEnd(false);
		auto* menu = new cGameMainMenu("");
		Step();
		EXPECT_EQ(menu->GetProfileWindow(), nullptr);
		menu->Show();
		EXPECT_FALSE(Box("Edit Box")->IsVisible());
		menu->ShowProfileMenu(menu);
		menu->OnStartClick(menu);
		EXPECT_FALSE(menu->IsStartPending());
	});
}

TEST_F(FrontEndWindows, OptionsWriteTheVolumesAndSkipMissingSliders)
{
	RunInChild([this] {
		StartFrontEnd();
		m_content.AddScene("options_full",
			"<object name=\"window_options\"><slider name=\"sound\" min=\"0\" max=\"100\"/>"
			"<slider name=\"music\" min=\"0\" max=\"100\"/><checkbox name=\"fullscreen\"/></object>");
		m_content.AddScene("options_bare", "<object name=\"window_options\"><checkbox name=\"fullscreen\"/>"
										   "<checkbox name=\"low_quality\"/></object>");
		cConfig* config = cConfig::GetInstance();
		config->SetValue("music_volume", "0.25");
		config->SetValue("video.window", "true");
		auto* full = new cGameOptionsMenu("options_full");
		Step();
		full->Show();
		cSceneObject* sound = full->GetChildList().FindByPath("window_options/sound");
		EXPECT_EQ(full->GetChildList().FindByPath("window_options/music")->GetProperties().GetProperty("cur"), "25");
		sound->GetProperties().SetProperty("cur", "50");
		EXPECT_EQ(config->GetValue("sound_volume"), "0.500000");
		// A scene without sliders still shows its boxes set.
		config->SetValue("video.width", "800");
		config->SetValue("video.height", "600");
		auto* bare = new cGameOptionsMenu("options_bare");
		Step();
		bare->Show();
		bare->Hide();
		EXPECT_EQ(bare->GetChildList().FindByPath("window_options/fullscreen")->GetProperties().GetProperty("checked"),
			"false");
		EXPECT_EQ(bare->GetChildList().FindByPath("window_options/low_quality")->GetProperties().GetProperty("checked"),
			"true");
	});
}

TEST_F(FrontEndWindows, TheLogoChainHasTwoLogosWithoutASplashTextureAndThreeWithOne)
{
	for (bool splash : {false, true})
		RunInChild([this, splash] {
			StartFrontEnd();
			cNamedTexture texture("splash");
			if (splash)
				cResourceManager::AddToTypeIndex<cTextureResource>(&texture);
			auto* loading = new cGameLoading();
			EXPECT_NE(loading->GetLogo(0), nullptr);
			EXPECT_NE(loading->GetLogo(1), nullptr);
			EXPECT_EQ(loading->GetLogo(2) != nullptr, splash);
			EXPECT_EQ(loading->GetLogo(1)->GetName(), splash ? "gorsim_logo_splash" : "gorsim_logo");
			// The first of the chain is shown, the others wait.
			EXPECT_EQ(loading->GetLogo(splash ? 2 : 1)->GetState(), cGameWindow::kAppear);
			EXPECT_EQ(loading->GetLogo(0)->GetState(), cGameWindow::kHidden);
			if (splash)
				cResourceManager::RemoveFromTypeIndex<cTextureResource>(&texture);
		});
}

TEST_F(FrontEndWindows, TheLoaderStartsWithTheWindowAndTheBarNeverRunsAhead)
{
	RunInChild([this] {
		StartFrontEnd();
		m_content.AddMotion("slide", SlideBytes());
		m_content.AddScene("game_loading",
			"<object name=\"bar\" motion=\"slide\"><add_motion name=\"loading\" first=\"0\" last=\"30\" length=\"1\"/>"
			"</object>");
		auto* loading = new cGameLoading();
		// While the logos play nothing is built.
		for (int frame = 0; frame < 200 && loading->GetState() == cGameWindow::kHidden; ++frame)
		{
			EXPECT_EQ(loading->GetProgress(), 0.0f);
			EXPECT_EQ(GetDiaryWindow(), nullptr);
			Step();
		}
		ASSERT_NE(loading->GetState(), cGameWindow::kHidden);
		EXPECT_FLOAT_EQ(loading->GetLength(), 1.0f);
		bool shown = false;
		cSceneObject* tracker = new cSceneObject("tracker", loading);
		static bool deleted = false;
		tracker->BindEvent("on_delete",
			cSceneObject::tEvent(MakeFunctionDelegate<cSceneObject*>([](cSceneObject*) { deleted = true; })));
		for (int frame = 0; frame < 400 && !deleted; ++frame)
		{
			const float progress = loading->GetProgress();
			Step(1, 0.02f);
			if (deleted)
				break;
			EXPECT_LE(loading->GetShown(), loading->GetProgress() * loading->GetLength() + 1e-5f);
			EXPECT_GE(loading->GetProgress(), progress);
			shown = shown || loading->GetShown() > 0;
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
		EXPECT_TRUE(shown);
		EXPECT_TRUE(deleted) << "the loading window never left";
		ASSERT_NE(GetMainMenuWindow(), nullptr);
		EXPECT_NE(GetMainMenuWindow()->GetState(), cGameWindow::kHidden);
	});
}

TEST_F(FrontEndWindows, ClosingWhileLoadingEndsAtOnceAndAfterwardsAsks)
{
	RunInChild([this] {
		StartFrontEnd();
		cWin32Application* application = cWin32Application::GetInstance();
		auto* loading = new cGameLoading();
		for (int frame = 0; frame < 200 && loading->GetState() == cGameWindow::kHidden; ++frame)
			Step();
		ASSERT_NE(loading->GetState(), cGameWindow::kHidden);
		// The window shows; its loader's windows are not attached before
		// the next update: the close ends the game without a question.
		application->WindowProcedure(nullptr, WM_SYSCOMMAND, SC_CLOSE, 0);
		EXPECT_TRUE(application->IsQuitRequested());
		EXPECT_FALSE(Box("Message Box (Yes/No )")->IsVisible());
		EXPECT_EQ(GetEffectWindow(), nullptr);
	});
	RunInChild([this] {
		StartFrontEnd();
		cWin32Application* application = cWin32Application::GetInstance();
		auto* loading = new cGameLoading();
		for (int frame = 0; frame < 400 && !loading->IsFinished(); ++frame)
		{
			Step();
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		}
		ASSERT_TRUE(loading->IsFinished());
		application->WindowProcedure(nullptr, WM_SYSCOMMAND, SC_CLOSE, 0);
		cSceneObject* box = Box("Message Box (Yes/No )");
		EXPECT_TRUE(box->IsVisible());
		EXPECT_FALSE(application->IsQuitRequested());
		box->GetEvents()["on_no"].Invoke(nullptr);
		EXPECT_FALSE(application->IsQuitRequested());
		box->GetEvents()["on_yes"].Invoke(nullptr);
		EXPECT_TRUE(application->IsQuitRequested());
	});
}
