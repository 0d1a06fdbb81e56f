#include "platform/win32/Win32Time.h"

#include <chrono>
#include <thread>

namespace
{
const LONGLONG kTicksPerSecond = 1000000000;

LONGLONG MonotonicNanoseconds()
{
	using namespace std::chrono;
	return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* counter)
{
	if (!counter)
		return FALSE;
	counter->QuadPart = MonotonicNanoseconds();
	return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
	if (!frequency)
		return FALSE;
	frequency->QuadPart = kTicksPerSecond;
	return TRUE;
}

DWORD GetTickCount()
{
	return static_cast<DWORD>(MonotonicNanoseconds() / 1000000);
}

UINT timeBeginPeriod(UINT)
{
	return TIMERR_NOERROR;
}

UINT timeEndPeriod(UINT)
{
	return TIMERR_NOERROR;
}

void Sleep(DWORD milliseconds)
{
	if (milliseconds == 0)
		std::this_thread::yield();
	else
		std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
