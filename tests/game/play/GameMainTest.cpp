// The game's whole run, under a display.

#include "app/GameMain.h"
#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cWin32Application.h"
#include "game/play/cPlayerProgress.h"
#include "game/play/cProfileManager.h"
#include "platform/win32/Win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace
{
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
}

TEST_F(cGameMainTest, ASecondCopyEndsQuietlyWithZero)
{
	HANDLE firstCopy = CreateMutexA(nullptr, TRUE, "Sample_2my_project");
	HWND before = m_application->GetWindowHandle();
	EXPECT_EQ(GameMain(&m_params), 0);
	EXPECT_EQ(m_application->GetWindowHandle(), before); // no window was made
	CloseHandle(firstCopy);
}
