#pragma once
// Runs a test body in a forked child process, so that the settings store,
// the log and the current folder it changes start fresh for each test and
// do not leak into others. The child's failures are printed by the child
// and reported to the parent through its exit code.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

// The body may end the process itself; otherwise the child exits normally
// (singletons are destroyed, the log's trailer is written).
template <class Body>
void RunInChild(Body body)
{
	fflush(stdout);
	fflush(stderr);
	pid_t pid = fork();
	ASSERT_GE(pid, 0);
	if (pid == 0)
	{
		body();
		fflush(stdout);
		exit(testing::Test::HasFailure() ? 1 : 0);
	}
	int status = 0;
	waitpid(pid, &status, 0);
	EXPECT_TRUE(WIFEXITED(status)) << "the child did not exit normally";
	EXPECT_EQ(WEXITSTATUS(status), 0) << "the child failed";
}
