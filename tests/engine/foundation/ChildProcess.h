#pragma once
// Runs a test body in a forked child process, so that the settings store,
// the log and the current folder it changes start fresh for each test and
// do not leak into others. The child's failures are printed by the child
// and reported to the parent through its exit code.
//
// The child starts without managers: those it inherits from the tests run
// before it hold the parent's devices and display connection, so it
// forgets them and never touches them, not even at its exit.

#include "engine/foundation/Singletone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

// The body may end the process itself; otherwise the child destroys the
// managers it made (the log writes its trailer) and ends without running
// the exit handlers of libraries its parent had started.
template <class Body>
void RunInChild(Body body)
{
	fflush(stdout);
	fflush(stderr);
	pid_t pid = fork();
	ASSERT_GE(pid, 0);
	if (pid == 0)
	{
		ForgetAllSingletons();
		body();
		DestroyAllSingletons();
		fflush(stdout);
		fflush(stderr);
		_exit(testing::Test::HasFailure() ? 1 : 0);
	}
	int status = 0;
	waitpid(pid, &status, 0);
	EXPECT_TRUE(WIFEXITED(status)) << "the child did not exit normally";
	EXPECT_EQ(WEXITSTATUS(status), 0) << "the child failed";
}
