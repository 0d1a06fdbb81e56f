#pragma once
// Runs a test body in a child process, so that the settings store, the log,
// the current folder and the devices it changes start fresh for each test
// and do not leak into others. The child's failures are printed by the
// child and reported to the parent through its exit code.
//
// While the program has opened no window or device and runs no other
// thread, the child is a fork that forgets the managers it inherits.
// Afterwards a forked copy could use neither the display nor the drawing
// and sound libraries (their threads are not copied, their connections are
// shared), so the child is the test program started again for this one
// test: it runs the test from its start (in the parent's temporary folder)
// up to the same call, where it runs the body. The test's own steps before
// that call run in both processes (their failures count in the parent
// only), so they must still work on the folder as an earlier child body
// left it: a test renames or removes what they read inside a child body.

#include "TempFolder.h"
#include "TestRuns.h"

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/sound/cSoundManager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// The number of this call of RunInChild within the running test, from 1.
inline int NextChildCall()
{
	static int run = 0;
	static int calls = 0;
	if (run != CurrentTestRun())
	{
		run = CurrentTestRun();
		calls = 0;
	}
	return ++calls;
}

inline int FailedParts()
{
	const testing::TestResult* result = testing::UnitTest::GetInstance()->current_test_info()->result();
	int failed = 0;
	for (int part = 0; part < result->total_part_count(); ++part)
		failed += result->GetTestPartResult(part).failed() ? 1 : 0;
	return failed;
}

// Whether the process runs threads besides this one (the drawing library's
// workers, for one, stay after its last device is gone) or holds a socket
// (the display's connection stays open once the window layer has started).
inline bool HasThreadsOrSockets()
{
	size_t threads = 0;
	for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
		++threads;
	if (threads > 1)
		return true;
	for (const auto& descriptor : std::filesystem::directory_iterator("/proc/self/fd"))
	{
		std::error_code error;
		if (std::filesystem::read_symlink(descriptor.path(), error).string().rfind("socket:", 0) == 0)
			return true;
	}
	return false;
}

// Whether this process has opened the display or a device, or still has
// what opening them left behind: a forked copy could not use them.
inline bool HoldsDevices()
{
	return Singletone<cWin32Application>::Exists() || Singletone<cGraphics>::Exists() ||
		   Singletone<cSoundManager>::Exists() || HasThreadsOrSockets();
}

// Runs the body, destroys the managers (the log writes its trailer) and ends
// the child with the body's outcome.
template <class Body>
[[noreturn]] void RunChildBody(Body& body)
{
	const int failedBefore = FailedParts();
	body();
	DestroyAllSingletons();
	const bool failed = FailedParts() > failedBefore;
	fflush(stdout);
	fflush(stderr);
	_exit(failed ? 1 : 0);
}

inline void WaitForChild(pid_t pid)
{
	int status = 0;
	waitpid(pid, &status, 0);
	EXPECT_TRUE(WIFEXITED(status)) << "the child did not exit normally";
	EXPECT_EQ(WEXITSTATUS(status), 0) << "the child failed";
}

// The body may end the process itself.
template <class Body>
void RunInChild(Body body)
{
	const int call = NextChildCall();
	if (const char* wanted = getenv(kChildCallVariable))
	{
		if (atoi(wanted) == call)
			RunChildBody(body);
		return;
	}
	fflush(stdout);
	fflush(stderr);
	if (!HoldsDevices())
	{
		pid_t pid = fork();
		ASSERT_GE(pid, 0);
		if (pid == 0)
		{
			ForgetAllSingletons();
			RunChildBody(body);
		}
		WaitForChild(pid);
		return;
	}
	const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
	const std::string filter = std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
	pid_t pid = fork();
	ASSERT_GE(pid, 0);
	if (pid == 0)
	{
		setenv(kChildCallVariable, std::to_string(call).c_str(), 1);
		char program[] = "/proc/self/exe";
		char* arguments[] = { program, const_cast<char*>(filter.c_str()), nullptr };
		execv(program, arguments);
		_exit(127);
	}
	WaitForChild(pid);
}
