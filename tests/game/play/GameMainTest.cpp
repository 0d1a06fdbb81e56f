// The game's whole run, under a display.

#include "GameContent.h"

#include "../../engine/foundation/ChildProcess.h"

#include "app/GameMain.h"
#include "engine/foundation/cThread.h"
#include "game/location/CurrentLocation.h"
#include "game/location/cLocationLoaderThread.h"
#include "game/play/LocationGlobals.h"
#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cWin32Application.h"
#include "game/play/cPlayerProgress.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/input/cCursorManager.h"
#include "engine/scene/cSceneManager.h"
#include "game/play/cProfileManager.h"
#include "platform/win32/Win32.h"

#include <atomic>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace
{
// Each test runs the game in a program of its own (RunInChild): the run
// takes the managers, the window class and the globals that a program
// starting fresh has, and leaves them to the end of the process.
class cGameMainTest : public testing::Test
{
protected:
	// A private folder for the lock, the user's settings and the working
	// folder: neither a running game nor another test process shares them.
	void SetUp() override
	{
		m_lockFolder = std::filesystem::temp_directory_path() / ("GameMainTest_" + std::to_string(getpid()));
		std::filesystem::create_directories(m_lockFolder);
		setenv("XDG_RUNTIME_DIR", m_lockFolder.c_str(), 1);
		setenv("XDG_DATA_HOME", m_lockFolder.c_str(), 1);
		// The game in a window: full screen is the default.
		std::filesystem::path settingsFolder = m_lockFolder / "Druvel's games" / "zv2";
		std::filesystem::create_directories(settingsFolder);
		std::ofstream(settingsFolder / "zv2.xml")
			<< "<config><config><item id=\"video.window\" value=\"true\"/></config></config>";
		m_workingFolder = std::filesystem::current_path();
		std::filesystem::current_path(m_lockFolder);
		m_application = Singletone<cWin32Application>::GetInstance();
	}

	void TearDown() override
	{
		std::filesystem::current_path(m_workingFolder);
		std::filesystem::remove_all(m_lockFolder);
	}

	// Runs the action on another thread once the game's window has its
	// windowed size and the condition holds, then clicks the close box.
	template <class Condition, class Action>
	std::thread CloseWhen(Condition condition, Action action)
	{
		return std::thread([this, condition, action] {
			auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
			RECT client{};
			while (std::chrono::steady_clock::now() < deadline)
			{
				HWND window = m_application->GetWindowHandle();
				if (window && GetClientRect(window, &client) && client.right == 1024 && condition(window))
				{
					action();
					PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
					return;
				}
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
			}
			ADD_FAILURE() << "the game never showed its window";
		});
	}

	// CloseWhen, once the game runs: its title is the configuration's.
	template <class Action>
	std::thread CloseWhenRunning(Action action)
	{
		return CloseWhen(
			[](HWND window) {
				char title[100];
				GetWindowTextA(window, title, sizeof title);
				return std::string(title) == kGameTitle;
			},
			action);
	}

	sStartupParams m_params{nullptr, SW_SHOWDEFAULT, nullptr, "", true};
	std::filesystem::path m_lockFolder;
	std::filesystem::path m_workingFolder;
	cWin32Application* m_application = nullptr;
};
}

namespace
{
void WriteStream(const std::filesystem::path& path, cMemoryStream& stream)
{
	std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}
}

TEST_F(cGameMainTest, ClosingTheWindowEndsTheRunWithZero)
{
	RunInChild([&] {
		// A player "Ann" who is current and was last in "location3".
		const std::filesystem::path settingsFolder = m_lockFolder / "Druvel's games" / "zv2";
		cMemoryStream list;
		for (uint32_t value : {cProfileManager::Magic, 18u, 1u})
			StreamWriteU32(list, value);
		StreamWriteWideString(list, L"Ann");
		StreamWriteWideString(list, L"Ann");
		WriteStream(settingsFolder / "profiles.data", list);
		cPlayerProgress stored;
		stored.currentLocation = "location3";
		cMemoryStream body;
		stored.WriteBody(body);
		WriteStream(settingsFolder / (cProfile::GetFileStem(L"Ann") + ".profile"), body);

		RECT client{};
		std::thread closer([&] {
			auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
			// Waits until the window has its windowed size, then clicks the close box.
			while (std::chrono::steady_clock::now() < deadline)
			{
				HWND window = m_application->GetWindowHandle();
				if (window && GetClientRect(window, &client) && client.right == 1024)
				{
					PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
					return;
				}
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
			}
		});
		EXPECT_EQ(GameMain(&m_params), 0);
		closer.join();
		EXPECT_EQ(client.right, 1024);
		EXPECT_EQ(client.bottom, 768);
		EXPECT_FALSE(IsWindow(m_application->GetWindowHandle()));
		EXPECT_TRUE(std::filesystem::exists(m_lockFolder / "zv2.txt")); // the log in the working folder
		// The display settings are saved at the end of the run.
		std::ifstream settings(m_lockFolder / "Druvel's games" / "zv2" / "zv2.xml");
		std::string text((std::istreambuf_iterator<char>(settings)), std::istreambuf_iterator<char>());
		for (const char* key : {"video.x", "video.y", "video.width", "video.height", "video.bpp", "video.window"})
			EXPECT_NE(text.find(std::string("\"") + key + "\""), std::string::npos) << key;
		EXPECT_NE(text.find("\"video.window\" value=\"true\""), std::string::npos);
		// The profile list was read at the start and the current player's progress loaded.
		ASSERT_NE(g_currentProgress, nullptr);
		EXPECT_EQ(g_currentProgress->GetName(), L"Ann");
		EXPECT_EQ(g_currentProgress->currentLocation, "location3");
	});
}

TEST_F(cGameMainTest, ASecondCopyEndsQuietlyWithZero)
{
	RunInChild([&] {
		HANDLE firstCopy = CreateMutexA(nullptr, TRUE, "Sample_2my_project");
		HWND before = m_application->GetWindowHandle();
		EXPECT_EQ(GameMain(&m_params), 0);
		EXPECT_EQ(m_application->GetWindowHandle(), before); // no window was made
		CloseHandle(firstCopy);
	});
}

TEST_F(cGameMainTest, TheGameStartsFromItsContent)
{
	RunInChild([&] {
		WriteGameContent((m_lockFolder / "data").string());
		// The title is the configuration's while the game runs.
		std::thread closer = CloseWhenRunning([] {});
		EXPECT_EQ(GameMain(&m_params), 0);
		closer.join();

		// Everything the configuration names was found (the content has no
		// front-end screens, whose lookups are logged).
		const std::string log = cTempFolder::ReadFile((m_lockFolder / "zv2.txt").string());
		for (const char* name : {"[strings]", "[arial]", "[arial_small]", "[cursor_model]", "[dialog_model]",
				 "[track00menu]", "[atlas]"})
			EXPECT_EQ(log.find(name), std::string::npos) << name << "\n" << log;
		// The game's types "light", "inventory" and "character" follow the engine's.
		cSceneManager* scene = cSceneManager::GetInstance();
		const int light = scene->GetObjectTypeId("light");
		EXPECT_GT(light, scene->GetObjectTypeId("object"));
		EXPECT_EQ(scene->GetObjectTypeName(light + 1), "inventory");
		EXPECT_EQ(scene->GetObjectTypeName(light + 2), "character");
		EXPECT_EQ(scene->GetObjectTypeName(light + 3), "");
		cFontResource* font = cGraphicsText::GetInstance()->GetFont(3);
		EXPECT_EQ(font ? font->GetName() : "none", "arial");
		cCursorManager* cursors = cCursorManager::GetInstance();
		EXPECT_EQ(cursors->GetCursorName(), "cursor");
		EXPECT_TRUE(cursors->IsVisible());
		ASSERT_NE(cursors->GetCurrentModel(), nullptr);
		EXPECT_EQ(cursors->GetCurrentModel()->GetModelHandle().GetResource().Get()->GetName(), "cursor_model");
	});
}

namespace
{
// A location loader held inside its work until released: it then posts its
// form under the scene's root and ends.
class cHeldLoader : public cThread
{
public:
	explicit cHeldLoader(std::atomic<bool>& release) : m_release(release) {}
	~cHeldLoader() override { Stop(); }

	bool Step() override
	{
		while (!m_release)
			std::this_thread::sleep_for(std::chrono::milliseconds(5));
		// Time for a teardown that did not wait to pass this point.
		std::this_thread::sleep_for(std::chrono::milliseconds(100));
		cSceneManager* scene = cSceneManager::GetInstance();
		scene->PostReparent(new cSceneObject("held_form", nullptr), scene->GetRoot(), cSceneManager::tCompletion());
		return false;
	}

	void OnExit() override { finished = true; }

	std::atomic<bool> finished{false};

private:
	std::atomic<bool>& m_release;
};
}

TEST_F(cGameMainTest, TheEndWaitsForARunningLocationLoader)
{
	RunInChild([&] {
		std::atomic<bool> release{false};
		std::unique_ptr<cHeldLoader> loader;
		std::thread closer = CloseWhen([](HWND) { return true; }, [&] {
			loader = std::make_unique<cHeldLoader>(release);
			loader->Start();
		});
		// Releases the loader well after the window has gone.
		std::thread releaser([&] {
			closer.join();
			HWND window = m_application->GetWindowHandle();
			auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
			while (IsWindow(window) && std::chrono::steady_clock::now() < deadline)
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
			std::this_thread::sleep_for(std::chrono::milliseconds(500));
			release = true;
		});
		EXPECT_EQ(GameMain(&m_params), 0);
		EXPECT_TRUE(release) << "the run ended while the loader ran";
		releaser.join();
		ASSERT_TRUE(loader);
		EXPECT_TRUE(loader->finished);
		// The form it posted joined the tree before the teardown went on.
		EXPECT_NE(cSceneManager::GetInstance()->GetRoot()->GetChildList().FindChild("held_form"), nullptr);
	});
}

// A location built on the loader thread as the window closes is the
// current location when the loop ends: the teardown deletes it.
TEST_F(cGameMainTest, TheEndDeletesTheLocationJustLoaded)
{
	RunInChild([&] {
		WriteGameContent((m_lockFolder / "data").string());
		// Once the game runs, as a load starts from the main menu.
		std::thread closer = CloseWhenRunning([] {
			new cLocationLoaderThread("unbuilt_room", false);
			while (g_locationLoading)
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
		});
		EXPECT_EQ(GameMain(&m_params), 0);
		closer.join();
		EXPECT_EQ(g_currentLocation, nullptr);
		EXPECT_EQ(cSceneManager::GetInstance()->GetRoot()->GetChildList().FindChild("unbuilt_room"), nullptr);
	});
}
