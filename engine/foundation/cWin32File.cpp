#include "engine/foundation/cWin32File.h"

#include "engine/foundation/cLog.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32File.h"

namespace
{
DWORD CreationDisposition(int creation)
{
	switch (creation)
	{
	case 0: return CREATE_ALWAYS;
	case 1: return CREATE_NEW;
	case 2: return OPEN_ALWAYS;
	default: return OPEN_EXISTING;
	}
}

DWORD AccessRights(int access)
{
	DWORD rights = 0;
	if (access & 1)
		rights |= GENERIC_EXECUTE;
	if (access & 2)
		rights |= GENERIC_READ;
	if (access & 4)
		rights |= GENERIC_WRITE;
	return rights;
}

DWORD ShareMode(int share)
{
	DWORD mode = 0;
	if (share & 1)
		mode |= FILE_SHARE_DELETE;
	if (share & 2)
		mode |= FILE_SHARE_READ;
	if (share & 4)
		mode |= FILE_SHARE_WRITE;
	return mode;
}
}

cWin32File::cWin32File(const std::string& path, int creation, int access, int share)
{
	m_handle = CreateFileA(path.c_str(), AccessRights(access), ShareMode(share), nullptr, CreationDisposition(creation),
		FILE_ATTRIBUTE_NORMAL, nullptr);
	if (m_handle == INVALID_HANDLE_VALUE)
		LOG(2, "Could not open file: %s error: %x", path.c_str(), GetLastError());
}

cWin32File::~cWin32File()
{
	if (IsValid())
		CloseHandle(m_handle);
}

bool cWin32File::IsValid() const
{
	return m_handle != INVALID_HANDLE_VALUE;
}
