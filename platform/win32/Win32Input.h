#pragma once
// Synthesised input: keystrokes, typed characters, mouse moves, buttons and
// wheel turns (and focus changes) go into the window system's event queue
// as if the user had made them, in order, and reach the windows and the
// input devices when the window layer next takes events (PeekMessageA and
// friends). The target is the window with the keyboard focus. Call from the
// thread that created the windows.

#include "platform/win32/Win32Types.h"

typedef uintptr_t ULONG_PTR;

#define INPUT_MOUSE 0
#define INPUT_KEYBOARD 1

#define MOUSEEVENTF_MOVE 0x0001u
#define MOUSEEVENTF_LEFTDOWN 0x0002u
#define MOUSEEVENTF_LEFTUP 0x0004u
#define MOUSEEVENTF_RIGHTDOWN 0x0008u
#define MOUSEEVENTF_RIGHTUP 0x0010u
#define MOUSEEVENTF_MIDDLEDOWN 0x0020u
#define MOUSEEVENTF_MIDDLEUP 0x0040u
#define MOUSEEVENTF_XDOWN 0x0080u
#define MOUSEEVENTF_XUP 0x0100u
#define MOUSEEVENTF_WHEEL 0x0800u
#define MOUSEEVENTF_ABSOLUTE 0x8000u

#define XBUTTON1 0x0001u
#define XBUTTON2 0x0002u
#define WHEEL_DELTA 120

#define KEYEVENTF_EXTENDEDKEY 0x0001u
#define KEYEVENTF_KEYUP 0x0002u
#define KEYEVENTF_UNICODE 0x0004u
#define KEYEVENTF_SCANCODE 0x0008u

// A relative move (dx, dy) is reported as mouse motion without moving the
// cursor; an absolute one (0 to 65535 across the screen) places the cursor
// as SetCursorPos does. mouseData: the wheel turn (WHEEL_DELTA per notch,
// positive away from the user) or the X button.
struct MOUSEINPUT
{
	LONG dx;
	LONG dy;
	DWORD mouseData;
	DWORD dwFlags;
	DWORD time;
	ULONG_PTR dwExtraInfo;
};

// A key by scan code (KEYEVENTF_SCANCODE, extended with KEYEVENTF_EXTENDEDKEY
// or an 0xE0 high byte) or by virtual key; with KEYEVENTF_UNICODE wScan is a
// UTF-16 unit typed as text (a surrogate pair in two consecutive inputs).
struct KEYBDINPUT
{
	WORD wVk;
	WORD wScan;
	DWORD dwFlags;
	DWORD time;
	ULONG_PTR dwExtraInfo;
};

struct INPUT
{
	DWORD type;
	union
	{
		MOUSEINPUT mi;
		KEYBDINPUT ki;
	};
};

// Returns the number of inputs queued; 0 when the window system is not
// running or size is not sizeof(INPUT).
UINT SendInput(UINT count, INPUT* inputs, int size);

// A synthesised change of the keyboard focus, as the desktop reports one
// when the user switches windows: the window gains the focus (the window
// that had it loses it first) or loses it. Returns whether it was queued.
BOOL SendFocusChange(HWND window, BOOL gained);

// Moves the cursor to the screen point.
BOOL SetCursorPos(int x, int y);

// The longest time between the clicks of a double click, in milliseconds.
UINT GetDoubleClickTime();
