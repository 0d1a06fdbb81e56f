#pragma once
// Worker threads: created suspended, started explicitly, calling Step until
// it returns false or the thread is asked to stop. Every thread is listed
// process-wide so that StopAllThreads can stop them all.
//
// A subclass must call Stop at the start of its own destructor, before its
// members go: the thread may still be running its Step, and once the
// subclass part is destroyed only the base part is left to run. A thread
// may delete itself from OnExit (its destructor then runs on the thread
// itself and neither waits for nor closes anything but its own handle).

#include "platform/win32/Win32Types.h"

#include <atomic>

class cThread
{
public:
	// Creates the suspended thread and lists the object.
	cThread();

	// Called by the stopping thread right after the stop flag is set, to
	// wake a Step that waits. Runs under the thread list's lock: it must
	// not create, stop or delete threads.
	virtual void OnStop() {}
	// Called on the thread itself after its loop has ended.
	virtual void OnExit() {}
	virtual ~cThread();
	// One unit of work; false ends the thread.
	virtual bool Step() = 0;

	void Start();

	// Sets the stop flag (OnStop runs once, on the first request), lets a
	// never-started thread run so that it can end, and waits until the
	// thread has left its function, OnExit included. Called on the thread
	// itself it only sets the flag and unlists the object.
	void Stop();

	bool IsStopRequested() const { return m_stop; }
	// True while the thread is inside its step loop.
	bool IsRunning() const { return m_running; }

private:
	static DWORD WINAPI ThreadProc(void* object);

	// Under the list lock: sets the stop flag, runs OnStop on the first
	// request, and hands over the handle to wait for (null when another
	// stopper has it or the thread was never created).
	HANDLE RequestStop();
	bool IsCurrentThread() const;

	std::atomic<HANDLE> m_handle{nullptr};
	DWORD m_threadId = 0;
	std::atomic<bool> m_stop{false};
	std::atomic<bool> m_running{false};

	friend void StopAllThreads();
};

// Stops every listed thread whose stop flag is not yet set, in list order,
// then empties the list without deleting any thread.
void StopAllThreads();
