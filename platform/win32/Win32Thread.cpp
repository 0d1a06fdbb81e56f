#include "platform/win32/Win32Thread.h"

#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Internal.h"

#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

namespace
{
std::atomic<DWORD> g_nextThreadId{1};
thread_local DWORD t_threadId = 0;

HANDLE const kCurrentThread = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

// What the thread and its handle share; outlives whichever ends first.
struct cThreadState
{
	std::mutex lock;
	std::condition_variable changed;
	DWORD suspendCount = 0;
	bool finished = false;
	DWORD exitCode = STILL_ACTIVE;
};

class cThreadObject : public Win32KernelObject
{
public:
	explicit cThreadObject(std::shared_ptr<cThreadState> state) : m_state(std::move(state)) {}

	DWORD Wait(DWORD milliseconds) override
	{
		std::unique_lock<std::mutex> hold(m_state->lock);
		bool finished = win32::WaitFor(hold, m_state->changed, milliseconds, [this] { return m_state->finished; });
		return finished ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
	}

	cThreadState& State() { return *m_state; }

private:
	std::shared_ptr<cThreadState> m_state;
};

// Runs on the new thread. It touches only the shared state, never the
// handle object or anything the start routine may have freed.
void RunThread(std::shared_ptr<cThreadState> state, LPTHREAD_START_ROUTINE start, void* parameter, DWORD id)
{
	t_threadId = id;
	{
		std::unique_lock<std::mutex> hold(state->lock);
		state->changed.wait(hold, [&] { return state->suspendCount == 0; });
	}
	DWORD exitCode = start(parameter);
	{
		std::lock_guard<std::mutex> hold(state->lock);
		state->exitCode = exitCode;
		state->finished = true;
	}
	state->changed.notify_all();
}
}

HANDLE CreateThread(SECURITY_ATTRIBUTES*, size_t, LPTHREAD_START_ROUTINE start, void* parameter, DWORD flags,
	DWORD* threadId)
{
	if (!start)
	{
		SetLastError(ERROR_INVALID_PARAMETER);
		return nullptr;
	}
	auto state = std::make_shared<cThreadState>();
	state->suspendCount = (flags & CREATE_SUSPENDED) ? 1 : 0;
	DWORD id = g_nextThreadId++;
	try
	{
		std::thread(RunThread, state, start, parameter, id).detach();
	}
	catch (const std::system_error&)
	{
		SetLastError(ERROR_NOT_ENOUGH_MEMORY);
		return nullptr;
	}
	if (threadId)
		*threadId = id;
	return (new cThreadObject(state))->GetHandle();
}

DWORD ResumeThread(HANDLE thread)
{
	if (thread == kCurrentThread)
		return 0;
	auto object = Win32KernelObject::FromHandle<cThreadObject>(thread);
	if (!object)
		return static_cast<DWORD>(-1);
	cThreadState& state = object->State();
	// Signalled under the lock: once it is released the thread may run,
	// end and close its own handle.
	std::lock_guard<std::mutex> hold(state.lock);
	DWORD previous = state.suspendCount;
	if (state.suspendCount > 0)
		--state.suspendCount;
	if (previous == 1)
		state.changed.notify_all();
	return previous;
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode)
{
	auto object = Win32KernelObject::FromHandle<cThreadObject>(thread);
	if (!object || !exitCode)
		return FALSE;
	std::lock_guard<std::mutex> hold(object->State().lock);
	*exitCode = object->State().exitCode;
	return TRUE;
}

HANDLE GetCurrentThread()
{
	return kCurrentThread;
}

DWORD GetCurrentThreadId()
{
	if (t_threadId == 0)
		t_threadId = g_nextThreadId++;
	return t_threadId;
}

// Does not pin. On Windows a mask set on the main thread stays with it,
// but on Linux every thread created afterwards inherits its creator's
// mask, so pinning the main thread would also pin the sound, mouse and
// loader threads (and the audio callback thread) to one processor. The
// monotonic clock is consistent across processors anyway. Reports a
// previous mask of "first processor", which the caller reads as success.
DWORD_PTR SetThreadAffinityMask(HANDLE, DWORD_PTR)
{
	return 1;
}
