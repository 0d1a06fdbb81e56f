#pragma once
// An open Win32 file handle, closed on destruction. The codes are the
// engine's own: creation 0 create always, 1 create new, 2 open always, any
// other open existing; access bits 1 execute, 2 read, 4 write; share bits
// 1 delete, 2 read, 4 write.

#include "platform/win32/Win32Types.h"

#include <string>

class cWin32File
{
public:
	// Opens at once; a failure is logged and leaves an invalid handle.
	cWin32File(const std::string& path, int creation, int access, int share);
	virtual ~cWin32File();
	cWin32File(const cWin32File&) = delete;
	cWin32File& operator=(const cWin32File&) = delete;

	HANDLE GetHandle() const { return m_handle; }
	bool IsValid() const;

private:
	HANDLE m_handle;
};
