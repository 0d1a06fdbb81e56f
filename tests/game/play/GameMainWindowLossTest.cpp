// The game's window destroyed by another X client (a crashed window manager,
// a window-closing tool): the run ends promptly with a failure code, its log
// closed and its settings saved.

#include "../../engine/foundation/ChildProcess.h"

#include "app/GameMain.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "XWindowProbe.h"

namespace
{
std::string ReadText(const std::filesystem::path& path)
{
	std::ifstream file(path);
	return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Waits up to the given time for the child to end; its wait status, or -1.
int WaitForExit(pid_t child, std::chrono::milliseconds limit)
{
	auto deadline = std::chrono::steady_clock::now() + limit;
	int status = 0;
	while (waitpid(child, &status, WNOHANG) == 0)
	{
		if (std::chrono::steady_clock::now() > deadline)
			return -1;
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	}
	return status;
}
}

class GameMainWindowLoss : public testing::TestWithParam<const char*>
{
};

TEST_P(GameMainWindowLoss, DestroyedWindowEndsTheRunWithItsLogClosedAndSettingsSaved)
{
	// The child opens the display itself: a copy of a program that has
	// opened it would share the program's connection.
	if (HoldsDevices())
		GTEST_SKIP() << "needs a program that has not opened the display; runs on its own under CTest";
	const std::filesystem::path folder =
		std::filesystem::temp_directory_path() / ("GameMainWindowLoss_" + std::to_string(getpid()));
	const std::filesystem::path settingsFolder = folder / "Druvel's games" / "zv2";
	std::filesystem::create_directories(settingsFolder);
	std::ofstream(settingsFolder / "zv2.xml") << "<config><config><item id=\"video.window\" value=\"" << GetParam()
											  << "\"/></config></config>";

	fflush(stdout);
	pid_t child = fork();
	ASSERT_GE(child, 0);
	if (child == 0)
	{
		setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
		setenv("XDG_DATA_HOME", folder.c_str(), 1);
		std::filesystem::current_path(folder);
		sStartupParams params{nullptr, SW_SHOWDEFAULT, nullptr, "", true};
		exit(GameMain(&params));
	}

	cXWindowProbe probe;
	ASSERT_TRUE(probe.IsOpen());
	Window window = 0;
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
	while (!window && std::chrono::steady_clock::now() < deadline)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
		window = probe.FindMappedWindowOf(child);
	}
	EXPECT_NE(window, 0u) << "the game showed no window";
	// The first screen looks for its music (the folder has none) once the
	// game runs its frames; slow builds take long to get there.
	while (window && ReadText(folder / "zv2.txt").find("track00menu") == std::string::npos &&
		std::chrono::steady_clock::now() < deadline)
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	if (window)
	{
		// Let the game draw a few frames into it first.
		std::this_thread::sleep_for(std::chrono::milliseconds(300));
		probe.Destroy(window);
	}
	int status = WaitForExit(child, std::chrono::seconds(5));
	if (status == -1)
	{
		kill(child, SIGKILL);
		waitpid(child, &status, 0);
		ADD_FAILURE() << "the game did not end within 5 seconds of losing its window";
	}
	else
	{
		ASSERT_TRUE(WIFEXITED(status)) << "the game ended by signal " << WTERMSIG(status);
		EXPECT_NE(WEXITSTATUS(status), 0);
		EXPECT_NE(ReadText(folder / "zv2.txt").find(" Log end: "), std::string::npos);
		EXPECT_NE(ReadText(settingsFolder / "zv2.xml").find("\"video.width\""), std::string::npos);
	}
	std::filesystem::remove_all(folder);
}

// In a window and full screen.
INSTANTIATE_TEST_SUITE_P(WindowedAndFullScreen, GameMainWindowLoss, testing::Values("true", "false"));
