#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Mutex.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
std::string UniqueName(const char* what)
{
	return std::string("MutexTest/") + what + "_" + std::to_string(getpid()) + "my_project";
}

// Creates the named mutex in a child process; true when the child was refused.
bool RefusedInAnotherProcess(const std::string& name)
{
	pid_t child = fork();
	if (child == 0)
	{
		SetLastError(0);
		HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
		_exit(mutex && GetLastError() == ERROR_ALREADY_EXISTS ? 0 : 1);
	}
	int status = 0;
	waitpid(child, &status, 0);
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}

TEST(Win32Mutex, SecondCreationInTheSameProcessFindsTheFirst)
{
	std::string name = UniqueName("same");
	SetLastError(0);
	HANDLE first = CreateMutexA(nullptr, TRUE, name.c_str());
	ASSERT_NE(first, nullptr);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
	HANDLE second = CreateMutexA(nullptr, TRUE, name.c_str());
	ASSERT_NE(second, nullptr);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
	CloseHandle(second);
	CloseHandle(first);

	HANDLE again = CreateMutexA(nullptr, TRUE, name.c_str());
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
	CloseHandle(again);
}

TEST(Win32Mutex, AnotherProcessIsRefusedWhileTheOwnerHoldsIt)
{
	std::string name = UniqueName("process");
	HANDLE owner = CreateMutexA(nullptr, TRUE, name.c_str());
	ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
	EXPECT_TRUE(RefusedInAnotherProcess(name));
	CloseHandle(owner);
	EXPECT_FALSE(RefusedInAnotherProcess(name));
}

TEST(Win32Mutex, UnnamedMutexesAreIndependent)
{
	HANDLE a = CreateMutexA(nullptr, TRUE, nullptr);
	HANDLE b = CreateMutexA(nullptr, TRUE, nullptr);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
	EXPECT_NE(a, b);
	EXPECT_TRUE(ReleaseMutex(a));
	CloseHandle(a);
	CloseHandle(b);
}
