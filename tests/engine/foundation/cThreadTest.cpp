#include "engine/foundation/cThread.h"

#include "platform/win32/Win32Event.h"
#include "platform/win32/Win32Sync.h"
#include "platform/win32/Win32Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
// Counts its steps (ending after a given number, 0 for never) and hooks.
class cCountingThread : public cThread
{
public:
	explicit cCountingThread(int stepLimit = 0, std::atomic<int>* exits = nullptr)
		: m_stepLimit(stepLimit), m_exits(exits)
	{
	}
	~cCountingThread() override { Stop(); }

	bool Step() override
	{
		++steps;
		std::this_thread::yield();
		return m_stepLimit == 0 || steps < m_stepLimit;
	}
	void OnStop() override { ++stops; }
	void OnExit() override
	{
		++exits;
		if (m_exits)
			++*m_exits;
	}

	std::atomic<int> steps{0};
	std::atomic<int> stops{0};
	std::atomic<int> exits{0};

private:
	int m_stepLimit;
	std::atomic<int>* m_exits;
};

template <class Predicate>
bool WaitUntil(Predicate predicate)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
	while (!predicate())
	{
		if (std::chrono::steady_clock::now() > deadline)
			return false;
		std::this_thread::sleep_for(std::chrono::milliseconds(1));
	}
	return true;
}
}

TEST(cThread, RunsNothingUntilStarted)
{
	cCountingThread thread(3);
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	EXPECT_EQ(thread.steps, 0);
	thread.Start();
	ASSERT_TRUE(WaitUntil([&] { return thread.exits == 1; }));
	EXPECT_EQ(thread.steps, 3);
	EXPECT_FALSE(thread.IsRunning());
	thread.Stop();
	EXPECT_EQ(thread.exits, 1);
}

TEST(cThread, StopTwiceCallsOnStopOnce)
{
	cCountingThread thread;
	thread.Start();
	ASSERT_TRUE(WaitUntil([&] { return thread.steps > 0; }));
	thread.Stop();
	thread.Stop();
	EXPECT_TRUE(thread.IsStopRequested());
	EXPECT_EQ(thread.stops, 1);
	EXPECT_EQ(thread.exits, 1);
}

TEST(cThread, StoppingANeverStartedThreadWaitsForItsExit)
{
	cCountingThread thread;
	thread.Stop();
	// Stop returned only after the thread left its function, OnExit included.
	EXPECT_EQ(thread.exits, 1);
	EXPECT_EQ(thread.steps, 0);
}

TEST(cThread, StopAllThreadsSkipsStoppedThreadsAndEmptiesTheList)
{
	StopAllThreads();
	cCountingThread stopped;
	cCountingThread running;
	stopped.Start();
	running.Start();
	stopped.Stop();
	StopAllThreads();
	EXPECT_EQ(stopped.stops, 1);
	EXPECT_EQ(running.stops, 1);
	EXPECT_EQ(running.exits, 1);
	EXPECT_TRUE(running.IsStopRequested());

	// The list is empty: a thread created now is the only one stopped next.
	cCountingThread later;
	StopAllThreads();
	EXPECT_EQ(later.exits, 1);
	EXPECT_EQ(running.stops, 1);
}

TEST(cThread, StartStopDeleteManyTimes)
{
	std::atomic<int> exits{0};
	const int rounds = 10000;
	for (int i = 0; i < rounds; ++i)
	{
		auto* thread = new cCountingThread(0, &exits);
		thread->Start();
		thread->Stop();
		delete thread;
	}
	EXPECT_EQ(exits, rounds);
}

namespace
{
// Deletes itself when its work is done, as the location loader does.
class cSelfDeletingThread : public cThread
{
public:
	explicit cSelfDeletingThread(std::atomic<int>* deleted) : m_deleted(deleted) {}
	~cSelfDeletingThread() override
	{
		Stop();
		++*m_deleted;
	}
	bool Step() override { return false; }
	void OnExit() override { delete this; }

private:
	std::atomic<int>* m_deleted;
};
}

TEST(cThread, SelfDeletingThreadsRaceTheMainThreadSafely)
{
	StopAllThreads();
	std::atomic<int> deleted{0};
	const int rounds = 2000;
	for (int i = 0; i < rounds; ++i)
	{
		(new cSelfDeletingThread(&deleted))->Start();
		if (i % 3 == 0)
		{
			// Created, stopped and listed while the others unlink themselves.
			cCountingThread other;
			other.Start();
			StopAllThreads();
		}
	}
	StopAllThreads();
	ASSERT_TRUE(WaitUntil([&] { return deleted == rounds; }));
}

namespace
{
// Shaped like the mouse reader: its step waits on its own event under its
// own lock; its destructor frees both.
class cWaitingReader : public cThread
{
public:
	cWaitingReader()
	{
		m_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
		InitializeCriticalSection(&m_lock);
	}
	~cWaitingReader() override
	{
		Stop();
		CloseHandle(m_event);
		DeleteCriticalSection(&m_lock);
	}
	bool Step() override
	{
		WaitForSingleObject(m_event, 200);
		EnterCriticalSection(&m_lock);
		++reads;
		LeaveCriticalSection(&m_lock);
		return true;
	}
	void OnStop() override { SetEvent(m_event); }

	std::atomic<int> reads{0};

private:
	HANDLE m_event;
	CRITICAL_SECTION m_lock;
};
}

TEST(cThread, DeletingARunningReaderWithoutStoppingIt)
{
	for (int i = 0; i < 50; ++i)
	{
		auto* reader = new cWaitingReader;
		reader->Start();
		auto started = std::chrono::steady_clock::now();
		delete reader;
		// OnStop woke the waiting step at once.
		EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
	}
}
