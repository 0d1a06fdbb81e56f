#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Event.h"
#include "platform/win32/Win32Thread.h"
#include "platform/win32/Win32Time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sched.h>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

DWORD WINAPI CountCall(void* parameter)
{
	++*static_cast<std::atomic<int>*>(parameter);
	return 42;
}

DWORD WINAPI WaitForEvent(void* parameter)
{
	return WaitForSingleObject(static_cast<HANDLE>(parameter), INFINITE);
}

long Milliseconds(Clock::duration duration)
{
	return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(duration).count());
}
}

TEST(Win32Thread, SuspendedThreadWaitsForResume)
{
	std::atomic<int> calls{0};
	DWORD id = 0;
	HANDLE thread = CreateThread(nullptr, 0, CountCall, &calls, CREATE_SUSPENDED, &id);
	ASSERT_NE(thread, nullptr);
	EXPECT_NE(id, 0u);
	EXPECT_EQ(WaitForSingleObject(thread, 30), WAIT_TIMEOUT);
	EXPECT_EQ(calls, 0);
	DWORD exitCode = 0;
	ASSERT_TRUE(GetExitCodeThread(thread, &exitCode));
	EXPECT_EQ(exitCode, STILL_ACTIVE);

	EXPECT_EQ(ResumeThread(thread), 1u);
	EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
	EXPECT_EQ(calls, 1);
	EXPECT_EQ(ResumeThread(thread), 0u); // resuming a running or ended thread does nothing
	ASSERT_TRUE(GetExitCodeThread(thread, &exitCode));
	EXPECT_EQ(exitCode, 42u);
	EXPECT_TRUE(CloseHandle(thread));
	EXPECT_FALSE(CloseHandle(thread));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Win32Thread, ClosingTheHandleLeavesTheThreadRunning)
{
	HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
	HANDLE thread = CreateThread(nullptr, 0, WaitForEvent, gate, 0, nullptr);
	ASSERT_NE(thread, nullptr);
	EXPECT_TRUE(CloseHandle(thread));
	SetEvent(gate); // the thread still runs and ends on its own
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	CloseHandle(gate);
}

// Resuming must not touch the thread's state once the thread may have run
// and closed its handle (run under the sanitizers to see a fault).
TEST(Win32Thread, ResumingAThreadThatClosesItsOwnHandle)
{
	for (int run = 0; run < 200; ++run)
	{
		HANDLE handle = nullptr;
		HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
		struct sShared { HANDLE* handle; HANDLE done; } shared{&handle, done};
		handle = CreateThread(nullptr, 0, [](void* parameter) -> DWORD {
			auto* shared = static_cast<sShared*>(parameter);
			CloseHandle(*shared->handle);
			SetEvent(shared->done);
			return 0;
		}, &shared, CREATE_SUSPENDED, nullptr);
		ASSERT_NE(handle, nullptr);
		EXPECT_EQ(ResumeThread(handle), 1u);
		EXPECT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
		CloseHandle(done);
	}
}

// Closing an event right after setting it must leave the woken waiter safe
// (run under the sanitizers to see a fault).
TEST(Win32Event, ClosingRightAfterWakingTheWaiter)
{
	for (int run = 0; run < 200; ++run)
	{
		HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
		std::atomic<bool> started{false};
		std::atomic<DWORD> result{WAIT_FAILED};
		std::thread waiter([&] {
			started = true;
			result = WaitForSingleObject(event, INFINITE);
		});
		while (!started)
			sched_yield();
		sched_yield();
		SetEvent(event);
		CloseHandle(event);
		waiter.join();
		// Woken inside the wait, or too late to find the handle at all.
		EXPECT_TRUE(result == WAIT_OBJECT_0 || result == WAIT_FAILED) << result;
	}
}

TEST(Win32Thread, ThreadIdsDifferPerThread)
{
	DWORD mine = GetCurrentThreadId();
	EXPECT_EQ(mine, GetCurrentThreadId());
	DWORD other = 0;
	std::thread([&] { other = GetCurrentThreadId(); }).join();
	EXPECT_NE(other, mine);
}

TEST(Win32Thread, AffinityIsNotPinnedForLaterThreads)
{
	cpu_set_t before;
	ASSERT_EQ(sched_getaffinity(0, sizeof(before), &before), 0);
	EXPECT_NE(SetThreadAffinityMask(GetCurrentThread(), 1), 0u);
	cpu_set_t mainAfter, workerAfter;
	sched_getaffinity(0, sizeof(mainAfter), &mainAfter);
	std::thread([&] { sched_getaffinity(0, sizeof(workerAfter), &workerAfter); }).join();
	EXPECT_TRUE(CPU_EQUAL(&before, &mainAfter));
	EXPECT_TRUE(CPU_EQUAL(&before, &workerAfter));
}

TEST(Win32Event, AutoResetLetsOneWaitThrough)
{
	HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	ASSERT_NE(event, nullptr);
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
	SetEvent(event);
	SetEvent(event);
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0); // the test clears it
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);

	auto start = Clock::now();
	EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
	EXPECT_GE(Milliseconds(Clock::now() - start), 45);
	CloseHandle(event);
}

TEST(Win32Event, SetFromAnotherThreadWakesTheWaiter)
{
	HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	auto start = Clock::now();
	std::thread setter([event] {
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
		SetEvent(event);
	});
	EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
	EXPECT_LT(Milliseconds(Clock::now() - start), 2000);
	setter.join();
	CloseHandle(event);
}

TEST(Win32Event, ManualResetStaysSet)
{
	HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
	ResetEvent(event);
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
	CloseHandle(event);
}

TEST(Win32Event, BadHandles)
{
	int notAnObject = 0;
	EXPECT_FALSE(SetEvent(&notAnObject));
	EXPECT_EQ(WaitForSingleObject(&notAnObject, 0), WAIT_FAILED);
	EXPECT_FALSE(CloseHandle(nullptr));
	std::atomic<int> calls{0};
	HANDLE thread = CreateThread(nullptr, 0, CountCall, &calls, CREATE_SUSPENDED, nullptr);
	EXPECT_FALSE(SetEvent(thread)); // a thread is not an event
	ResumeThread(thread);
	WaitForSingleObject(thread, INFINITE);
	CloseHandle(thread);
}

TEST(Win32Time, CounterIsMonotonicAndInSeconds)
{
	LARGE_INTEGER frequency, first, second;
	ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
	ASSERT_TRUE(QueryPerformanceCounter(&first));
	EXPECT_EQ(timeBeginPeriod(1), static_cast<UINT>(TIMERR_NOERROR));
	Sleep(20);
	ASSERT_TRUE(QueryPerformanceCounter(&second));
	double seconds = static_cast<double>(second.QuadPart - first.QuadPart) / static_cast<double>(frequency.QuadPart);
	EXPECT_GE(seconds, 0.019);
	EXPECT_LT(seconds, 1.0);

	LARGE_INTEGER onOtherThread;
	std::thread([&] { QueryPerformanceCounter(&onOtherThread); }).join();
	EXPECT_GE(onOtherThread.QuadPart, second.QuadPart);
}
