#pragma once
// Scoped hold of a critical section: entered on construction, left on destruction.

#include "engine/foundation/Singletone.h"
#include "platform/win32/Win32Sync.h"

class cAutoLock : public NoCopy
{
public:
	explicit cAutoLock(CRITICAL_SECTION* section) : m_section(section) { EnterCriticalSection(m_section); }
	~cAutoLock() { LeaveCriticalSection(m_section); }

private:
	CRITICAL_SECTION* m_section;
};
