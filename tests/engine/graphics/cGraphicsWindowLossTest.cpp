// The game's window destroyed by another X client between being shown and
// getting its device (the window system's libraries would wait for the gone
// window for ever, or read its attributes unchecked): the device is refused
// and the program ends through its fatal log line.

#include "../foundation/ChildProcess.h"
#include "GraphicsTestSupport.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>

#include "XWindowProbe.h"

TEST(cGraphicsWindowLoss, ADeviceForAWindowDestroyedMeanwhileEndsTheProgramThroughItsLog)
{
	// The child opens the display itself: a copy of a program that has
	// opened it would share the program's connection.
	if (HoldsDevices())
		GTEST_SKIP() << "needs a program that has not opened the display; runs on its own under CTest";
	const std::filesystem::path errors =
		std::filesystem::temp_directory_path() / ("cGraphicsWindowLoss_" + std::to_string(getpid()) + ".txt");
	fflush(stdout);
	fflush(stderr);
	pid_t child = fork();
	ASSERT_GE(child, 0);
	if (child == 0)
	{
		if (!freopen(errors.c_str(), "w", stderr))
			_exit(2);
		cXWindowProbe probe;
		sStartupParams params { nullptr, SW_SHOW, nullptr, "", true };
		const std::string className = "WindowLossTest_" + std::to_string(getpid());
		if (!probe.IsOpen() || !Singletone<cWin32Application>::GetInstance()->CreateMainWindow(params,
				className.c_str(), "window loss test"))
			_exit(3);
		Window window = 0;
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
		while (!(window = probe.FindMappedWindowOf(getpid())) && std::chrono::steady_clock::now() < deadline)
			std::this_thread::sleep_for(std::chrono::milliseconds(10));
		if (!window)
			_exit(4);
		probe.Destroy(window);
		Singletone<cGraphics>::GetInstance()->CreateDevice(Windowed(640, 480));
		_exit(5);
	}

	int status = 0;
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
	while (waitpid(child, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline)
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	if (std::chrono::steady_clock::now() >= deadline && kill(child, 0) == 0)
	{
		kill(child, SIGKILL);
		waitpid(child, &status, 0);
		ADD_FAILURE() << "device creation hung on the destroyed window";
	}
	std::ifstream file(errors);
	const std::string log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	std::filesystem::remove(errors);
	ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << "\n" << log;
	EXPECT_EQ(WEXITSTATUS(status), 1) << log;
	EXPECT_NE(log.find("the window was destroyed"), std::string::npos) << log;
	EXPECT_NE(log.find("PROGRAM ABORTING! Unable create 3d device"), std::string::npos) << log;
}
