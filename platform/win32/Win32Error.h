#pragma once
// Per-thread last-error codes in the numbering the engine prints and tests.

#include "platform/win32/Win32Types.h"

#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_SHARING_VIOLATION 32
#define ERROR_HANDLE_DISK_FULL 39
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_ALREADY_EXISTS 183

DWORD GetLastError();
void SetLastError(DWORD code);

// Sets the last error from a POSIX errno value.
void SetLastErrorFromErrno(int error);
