#pragma once
// Windows: classes, creation, styles, placement, titles, focus, icons and
// screen metrics. Inside the layer a window handle is the SDL_Window itself
// (every window is made for OpenGL drawing) and an icon is an SDL_Surface.
// The layer's windows have no frame of their own: a desktop window manager
// draws any decoration outside them, so the window rectangle and the client
// rectangle coincide. Window calls belong on the thread that created the
// windows; the geometry queries (GetClientRect, ScreenToClient,
// MapWindowPoints...) and GetFocus may come from any thread.

#include "platform/win32/Win32Message.h"

#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u
#define CS_DBLCLKS 0x0008u

#define WS_OVERLAPPED 0x00000000u
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_MINIMIZE 0x20000000u
#define WS_VISIBLE 0x10000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_DLGFRAME 0x00400000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_MAXIMIZEBOX 0x00010000u

#define WS_EX_TOPMOST 0x00000008u
#define WS_EX_TOOLWINDOW 0x00000080u
#define WS_EX_APPWINDOW 0x00040000u

#define CW_USEDEFAULT (static_cast<int>(0x80000000u))

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWLP_USERDATA (-21)

#define HWND_TOP (reinterpret_cast<HWND>(static_cast<intptr_t>(0)))
#define HWND_BOTTOM (reinterpret_cast<HWND>(static_cast<intptr_t>(1)))
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-1)))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-2)))

#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOREDRAW 0x0008u
#define SWP_NOACTIVATE 0x0010u
#define SWP_FRAMECHANGED 0x0020u
#define SWP_SHOWWINDOW 0x0040u
#define SWP_HIDEWINDOW 0x0080u

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

#define BLACK_BRUSH 4

// Last-error codes of the window calls.
#define ERROR_DEVICE_NOT_CONNECTED 1167
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_CANNOT_FIND_WND_CLASS 1407
#define ERROR_CLASS_ALREADY_EXISTS 1410
#define ERROR_INVALID_INDEX 1413

// cbSize is not checked: callers write the 32-bit layout's size (48).
struct WNDCLASSEXA
{
	UINT cbSize;
	UINT style;
	WNDPROC lpfnWndProc;
	int cbClsExtra;
	int cbWndExtra;
	HINSTANCE hInstance;
	HICON hIcon;
	HCURSOR hCursor;
	HBRUSH hbrBackground;
	const char* lpszMenuName;
	const char* lpszClassName;
	HICON hIconSm;
};

// The lParam of WM_NCCREATE and WM_CREATE.
struct CREATESTRUCTA
{
	void* lpCreateParams;
	HINSTANCE hInstance;
	HMENU hMenu;
	HWND hwndParent;
	int cy;
	int cx;
	int y;
	int x;
	LONG style;
	const char* lpszName;
	const char* lpszClass;
	DWORD dwExStyle;
};

// The first registration starts the display connection; 0 when it cannot
// be opened (ERROR_DEVICE_NOT_CONNECTED) or the class exists.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
BOOL UnregisterClassA(const char* className, HINSTANCE instance);

// Creates a hidden window (shown at once with WS_VISIBLE), client size
// 640 by 480 for CW_USEDEFAULT. WM_NCCREATE and WM_CREATE reach the class's
// procedure, with param in the CREATESTRUCTA, before this returns. A parent
// is recorded, but every window is a separate top-level SDL window.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
	int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);

// Sends WM_DESTROY and WM_NCDESTROY, drops the window's queued messages and
// hides it. The SDL window itself is kept: an OpenGL context made on it may
// still be released later, at process exit.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
// Nothing is painted by the layer: these only check the window.
BOOL UpdateWindow(HWND window);
BOOL ValidateRect(HWND window, const RECT* rect);

// GWL_STYLE (a caption gives the window a border, a thick frame makes it
// resizable), GWL_EXSTYLE and GWLP_USERDATA. Return the previous value.
LONG SetWindowLongA(HWND window, int index, LONG value);
LONG GetWindowLongA(HWND window, int index);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrA(HWND window, int index);
HWND GetParent(HWND window);

// Without a frame of the layer's own the rectangle stays as it is: the
// client area keeps exactly the size asked for.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// Moves (outer corner to x, y), sizes, orders (HWND_TOPMOST keeps the window
// above others and sets WS_EX_TOPMOST, HWND_NOTOPMOST ends that), shows or
// hides the window.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);

BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
// Converts points from one window's client pixels to another's (null: the
// screen); returns the horizontal offset in the low word, the vertical in
// the high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL PtInRect(const RECT* rect, POINT point);

// Narrow titles are UTF-8; wide titles hold UTF-16 units, one per element.
BOOL SetWindowTextA(HWND window, const char* text);
BOOL SetWindowTextW(HWND window, const WCHAR* text);
int GetWindowTextA(HWND window, char* text, int size);

// Asks for the keyboard focus; the WM_ACTIVATE messages follow when the
// desktop grants it. Returns the window that had the focus.
HWND SetFocus(HWND window);
// The layer's window that has the keyboard focus, or null; any thread.
HWND GetFocus();
HWND GetForegroundWindow();

// A token for the class background; nothing is painted with it.
HGDIOBJ GetStockObject(int object);

// SM_CXSCREEN and SM_CYSCREEN: the desktop size in pixels.
int GetSystemMetrics(int index);

// The program's icon is an image file beside it: for the program file
// "dir/name" the BMP "dir/name.bmp", else "name.bmp" in the working folder
// (a path that ends in ".bmp" names the image itself). Index 0 only; the
// small icon is the image scaled to 16 by 16. Returns the number of icons
// extracted, 0 when there is no image (the handles are then null).
UINT ExtractIconExA(const char* file, int index, HICON* large, HICON* small, UINT count);
BOOL DestroyIcon(HICON icon);
