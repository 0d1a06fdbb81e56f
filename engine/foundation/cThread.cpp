#include "engine/foundation/cThread.h"

#include "platform/win32/Win32Thread.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace
{
// The thread list. Guarded because self-deleting threads unlink themselves
// on their own thread while the main thread adds, stops and removes others.
struct cThreadList
{
	std::mutex lock;
	std::vector<cThread*> threads;
};

// Never destroyed: threads are still deleted by singletons torn down at process exit.
cThreadList& List()
{
	static cThreadList* list = new cThreadList;
	return *list;
}

void Unlist(std::vector<cThread*>& threads, cThread* thread)
{
	auto found = std::find(threads.begin(), threads.end(), thread);
	if (found != threads.end())
		threads.erase(found);
}

// Lets the thread run (so that a never-started one can see the stop flag),
// waits until it has left its function, and closes the handle.
void WaitForEnd(HANDLE handle)
{
	if (!handle)
		return;
	ResumeThread(handle);
	WaitForSingleObject(handle, INFINITE);
	CloseHandle(handle);
}
}

cThread::cThread()
{
	DWORD id = 0;
	m_handle = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &id);
	m_threadId = id;
	cThreadList& list = List();
	std::lock_guard<std::mutex> hold(list.lock);
	if (std::find(list.threads.begin(), list.threads.end(), this) == list.threads.end())
		list.threads.push_back(this);
}

cThread::~cThread()
{
	cThreadList& list = List();
	bool self = IsCurrentThread();
	HANDLE handle;
	{
		std::lock_guard<std::mutex> hold(list.lock);
		Unlist(list.threads, this);
		if (self)
		{
			// Deleting itself: nobody else can wait for an object that is gone.
			m_stop = true;
			handle = m_handle.exchange(nullptr);
		}
		else
			handle = RequestStop();
	}
	if (self)
	{
		if (handle)
			CloseHandle(handle);
	}
	else
		WaitForEnd(handle);
}

void cThread::Start()
{
	if (HANDLE handle = m_handle)
		ResumeThread(handle);
}

void cThread::Stop()
{
	cThreadList& list = List();
	HANDLE handle;
	{
		std::lock_guard<std::mutex> hold(list.lock);
		if (IsCurrentThread())
		{
			// A thread cannot wait for itself; its owner (or its own
			// destructor) still closes the handle.
			Unlist(list.threads, this);
			if (!m_stop.exchange(true))
				OnStop();
			return;
		}
		handle = RequestStop();
	}
	WaitForEnd(handle);
}

HANDLE cThread::RequestStop()
{
	if (!m_stop.exchange(true))
		OnStop();
	return m_handle.exchange(nullptr);
}

bool cThread::IsCurrentThread() const
{
	return m_threadId != 0 && GetCurrentThreadId() == m_threadId;
}

DWORD WINAPI cThread::ThreadProc(void* object)
{
	auto* thread = static_cast<cThread*>(object);
	thread->m_running = true;
	while (!thread->m_stop)
	{
		if (!thread->Step())
			break;
	}
	thread->m_running = false;
	// OnExit may delete the object: nothing of it is touched afterwards.
	thread->OnExit();
	return 0;
}

void StopAllThreads()
{
	cThreadList& list = List();
	for (;;)
	{
		HANDLE handle;
		{
			std::lock_guard<std::mutex> hold(list.lock);
			auto next = std::find_if(list.threads.begin(), list.threads.end(),
				[](const cThread* thread) { return !thread->IsStopRequested(); });
			if (next == list.threads.end())
			{
				list.threads.clear();
				return;
			}
			handle = (*next)->RequestStop();
		}
		WaitForEnd(handle);
	}
}
