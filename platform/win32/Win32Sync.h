#pragma once
// Critical sections: recursive locks owned by one thread at a time, as the
// engine's resource, sound, mouse and scene locks expect.

#include <mutex>

struct CRITICAL_SECTION
{
	std::recursive_mutex* mutex;
};

void InitializeCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
void LeaveCriticalSection(CRITICAL_SECTION* section);
