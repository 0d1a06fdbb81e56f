#pragma once
// Threads: created running or suspended (held at a start gate until
// ResumeThread), waited for through their handle, and the processor mask.

#include "platform/win32/Win32Handle.h"

#include <cstddef>

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(void* parameter);

#define CREATE_SUSPENDED 0x00000004u
#define STILL_ACTIVE 259u

// Starts a thread running start(parameter); with CREATE_SUSPENDED it waits
// for ResumeThread first. The handle is signalled when start has returned;
// closing it does not end the thread. The stack size is the system's.
HANDLE CreateThread(SECURITY_ATTRIBUTES* attributes, size_t stackSize, LPTHREAD_START_ROUTINE start,
	void* parameter, DWORD flags, DWORD* threadId);

// Lowers the suspend count by one and returns the count before the call;
// the thread runs when it reaches 0. (DWORD)-1 for a bad handle.
DWORD ResumeThread(HANDLE thread);

// STILL_ACTIVE while the thread runs, else its start routine's result.
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);

// A pseudo handle meaning "the calling thread"; needs no closing.
HANDLE GetCurrentThread();
DWORD GetCurrentThreadId();

DWORD_PTR SetThreadAffinityMask(HANDLE thread, DWORD_PTR mask);
