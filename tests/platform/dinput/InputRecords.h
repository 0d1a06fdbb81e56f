#pragma once
// Input records for SendInput, shared by the tests that synthesise input.

#include "platform/win32/Win32Input.h"

inline INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0)
{
	INPUT input{};
	input.type = INPUT_MOUSE;
	input.mi.dx = dx;
	input.mi.dy = dy;
	input.mi.mouseData = data;
	input.mi.dwFlags = flags;
	return input;
}
