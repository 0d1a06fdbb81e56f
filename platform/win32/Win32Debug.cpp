#include "platform/win32/Win32Debug.h"

#include <cstdio>

void OutputDebugStringA(const char* text)
{
	fputs(text, stderr);
}
