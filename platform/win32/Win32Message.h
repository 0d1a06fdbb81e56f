#pragma once
// The message queue and window procedures. One queue serves the process:
// messages posted from any thread, and the window messages made from SDL's
// events (focus, close, minimise and restore, mouse, paint) when the thread
// that created the windows looks for messages. A message for a window is
// handled by calling the window procedure of its class.

#include "platform/win32/Win32Types.h"

struct MSG
{
	HWND hwnd;
	UINT message;
	WPARAM wParam;
	LPARAM lParam;
	DWORD time;
	POINT pt;
};

typedef LRESULT(CALLBACK* WNDPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#define WM_NULL 0x0000u
#define WM_CREATE 0x0001u
#define WM_DESTROY 0x0002u
#define WM_MOVE 0x0003u
#define WM_SIZE 0x0005u
#define WM_ACTIVATE 0x0006u
#define WM_PAINT 0x000Fu
#define WM_CLOSE 0x0010u
#define WM_QUIT 0x0012u
#define WM_ACTIVATEAPP 0x001Cu
#define WM_SETCURSOR 0x0020u
#define WM_NCCREATE 0x0081u
#define WM_NCDESTROY 0x0082u
#define WM_SYSCOMMAND 0x0112u
#define WM_MOUSEMOVE 0x0200u
#define WM_LBUTTONDOWN 0x0201u
#define WM_LBUTTONUP 0x0202u
#define WM_LBUTTONDBLCLK 0x0203u
#define WM_RBUTTONDOWN 0x0204u
#define WM_RBUTTONUP 0x0205u
#define WM_RBUTTONDBLCLK 0x0206u
#define WM_MBUTTONDOWN 0x0207u
#define WM_MBUTTONUP 0x0208u
#define WM_MBUTTONDBLCLK 0x0209u
#define WM_USER 0x0400u
#define WM_APP 0x8000u

// wParam of WM_ACTIVATE.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// wParam of WM_SYSCOMMAND.
#define SC_SIZE 0xF000u
#define SC_MOVE 0xF010u
#define SC_MINIMIZE 0xF020u
#define SC_MAXIMIZE 0xF030u
#define SC_CLOSE 0xF060u
#define SC_KEYMENU 0xF100u
#define SC_RESTORE 0xF120u
#define SC_SCREENSAVE 0xF140u

// wParam of WM_SIZE.
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1

// Mouse-button state in the wParam of mouse messages.
#define MK_LBUTTON 0x0001u
#define MK_RBUTTON 0x0002u
#define MK_SHIFT 0x0004u
#define MK_CONTROL 0x0008u
#define MK_MBUTTON 0x0010u

// Hit-test code in the low word of WM_SETCURSOR's lParam.
#define HTCLIENT 1

#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u

// Looks for a message of the window (null: any) in the range (0, 0: any).
// On the thread that created the windows this first takes SDL's pending
// events. With PM_REMOVE the message is taken from the queue.
BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT flags);

// Takes the next message, waiting for one; FALSE for WM_QUIT.
BOOL GetMessageA(MSG* message, HWND window, UINT first, UINT last);

// Keyboard messages are not made (the input devices read the keyboard), so
// there is never a character message to add: always FALSE.
BOOL TranslateMessage(const MSG* message);

// Calls the procedure of the message's window; 0 for messages without a
// live window.
LRESULT DispatchMessageA(const MSG* message);

// Sleeps without spinning until an SDL event arrives or a message is posted
// (returns at once when one is already queued).
BOOL WaitMessage();

// Queues a message from any thread and wakes a waiting WaitMessage. A null
// window posts a message to no window (delivered, not dispatched).
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Queues WM_QUIT with the exit code; any thread.
void PostQuitMessage(int exitCode);

// Calls the window's procedure at once, on the calling thread.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What a window does with a message its procedure does not handle itself:
// WM_CLOSE destroys the window (WM_DESTROY follows); WM_SYSCOMMAND SC_CLOSE
// sends WM_CLOSE, SC_MINIMIZE, SC_MAXIMIZE and SC_RESTORE change the
// window's state; WM_NCCREATE allows the creation; everything else gives 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
