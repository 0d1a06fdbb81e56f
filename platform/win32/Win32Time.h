#pragma once
// The performance counter, timer resolution and sleeping.

#include "platform/win32/Win32Types.h"

union LARGE_INTEGER
{
	struct
	{
		DWORD LowPart;
		LONG HighPart;
	};
	LONGLONG QuadPart;
};

#define TIMERR_NOERROR 0

// A monotonic counter shared by all threads, in ticks of the frequency.
BOOL QueryPerformanceCounter(LARGE_INTEGER* counter);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

// Milliseconds since an arbitrary start, from the same monotonic clock.
DWORD GetTickCount();

// Timer resolution requests: sleeping is already as precise as the kernel
// allows, so these only succeed.
UINT timeBeginPeriod(UINT milliseconds);
UINT timeEndPeriod(UINT milliseconds);

void Sleep(DWORD milliseconds);
