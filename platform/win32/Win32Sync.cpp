#include "platform/win32/Win32Sync.h"

void InitializeCriticalSection(CRITICAL_SECTION* section)
{
	section->mutex = new std::recursive_mutex;
}

void DeleteCriticalSection(CRITICAL_SECTION* section)
{
	delete section->mutex;
	section->mutex = nullptr;
}

void EnterCriticalSection(CRITICAL_SECTION* section)
{
	section->mutex->lock();
}

void LeaveCriticalSection(CRITICAL_SECTION* section)
{
	section->mutex->unlock();
}
