#pragma once
// The running program's own file.

#include "platform/win32/Win32Types.h"

// Writes the program file's path, with "\" separators, into buffer (at most
// size characters, terminator included) and returns its length; 0 on failure.
DWORD GetModuleFileNameA(HINSTANCE instance, char* buffer, DWORD size);
