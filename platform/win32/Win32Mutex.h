#pragma once
// Mutexes. A named mutex is shared by every process of the user: the first
// creator holds an advisory lock on a file named after the mutex (in
// $XDG_RUNTIME_DIR, else /tmp); a later CreateMutexA of the same name, in
// this or any other process, gets a handle with GetLastError() ==
// ERROR_ALREADY_EXISTS. The lock goes with the handle or the process.

#include "platform/win32/Win32Handle.h"

HANDLE CreateMutexA(SECURITY_ATTRIBUTES* attributes, BOOL initialOwner, const char* name);
BOOL ReleaseMutex(HANDLE mutex);
