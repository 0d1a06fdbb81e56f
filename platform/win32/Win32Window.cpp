#include "platform/win32/Win32Window.h"

#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Unicode.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <vector>

namespace
{
const int kDefaultWidth = 640;
const int kDefaultHeight = 480;
const int kSmallIconSize = 16;

struct sWindowClass
{
	std::string name;
	UINT style;
	WNDPROC procedure;
	HICON icon;
	HCURSOR cursor;
};

struct sWindowRecord
{
	WNDPROC procedure;
	UINT classStyle;
	HCURSOR classCursor;
	DWORD style;
	DWORD exStyle;
	HWND parent;
	LONG_PTR userData;
	RECT screenRect; // the client area in screen pixels
	// Kept here for GetWindowText from any thread: SDL's copy is replaced
	// (freed) on the thread that sets the title.
	std::string title;
};

struct cWindowTable
{
	std::mutex lock;
	std::map<std::string, sWindowClass> classes;
	std::map<HWND, sWindowRecord> windows;
	ATOM nextAtom = 0xC000;
};

// Never destroyed: windows are still asked about while singletons are torn down at exit.
cWindowTable& Table()
{
	static cWindowTable* table = new cWindowTable;
	return *table;
}

std::atomic<HWND> g_focused{nullptr};

// Runs the action on the window's record under the table lock; false (with
// ERROR_INVALID_WINDOW_HANDLE) when the window is not live.
template <class Action>
bool WithRecord(HWND window, Action action)
{
	cWindowTable& table = Table();
	std::lock_guard<std::mutex> hold(table.lock);
	auto found = table.windows.find(window);
	if (found == table.windows.end())
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return false;
	}
	action(found->second);
	return true;
}

// The client area's top-left corner in screen pixels; (0, 0) for the screen itself.
bool ClientOrigin(HWND window, POINT* origin)
{
	*origin = POINT{0, 0};
	if (!window)
		return true;
	return WithRecord(window, [&](const sWindowRecord& record) {
		*origin = POINT{record.screenRect.left, record.screenRect.top};
	});
}

// What to add to a point in one window's client pixels to get it in another's.
bool OffsetBetween(HWND from, HWND to, POINT* offset)
{
	POINT fromOrigin, toOrigin;
	if (!ClientOrigin(from, &fromOrigin) || !ClientOrigin(to, &toOrigin))
		return false;
	*offset = POINT{fromOrigin.x - toOrigin.x, fromOrigin.y - toOrigin.y};
	return true;
}

BOOL OffsetPoint(HWND from, HWND to, POINT* point)
{
	POINT offset;
	if (!point || !OffsetBetween(from, to, &offset))
		return FALSE;
	point->x += offset.x;
	point->y += offset.y;
	return TRUE;
}

bool IsKnownIndex(int index)
{
	if (index == GWL_STYLE || index == GWL_EXSTYLE || index == GWLP_USERDATA)
		return true;
	SetLastError(ERROR_INVALID_INDEX);
	return false;
}

void ApplyStyle(HWND window, DWORD style)
{
	SDL_Window* sdlWindow = win32::ToSdlWindow(window);
	if (!win32::WindowSystemHas(sdlWindow))
		return;
	SDL_SetWindowBordered(sdlWindow, (style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
	SDL_SetWindowResizable(sdlWindow, (style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
}

LONG_PTR SetLong(HWND window, int index, LONG_PTR value)
{
	LONG_PTR previous = 0;
	bool styleChanged = false;
	if (!IsKnownIndex(index))
		return 0;
	bool live = WithRecord(window, [&](sWindowRecord& record) {
		if (index == GWL_STYLE)
		{
			previous = static_cast<LONG>(record.style);
			record.style = static_cast<DWORD>(value);
			styleChanged = true;
		}
		else if (index == GWL_EXSTYLE)
		{
			previous = static_cast<LONG>(record.exStyle);
			record.exStyle = static_cast<DWORD>(value);
		}
		else
		{
			previous = record.userData;
			record.userData = value;
		}
	});
	if (live && styleChanged)
		ApplyStyle(window, static_cast<DWORD>(value));
	return previous;
}

LONG_PTR GetLong(HWND window, int index)
{
	LONG_PTR value = 0;
	if (!IsKnownIndex(index))
		return 0;
	WithRecord(window, [&](const sWindowRecord& record) {
		if (index == GWL_STYLE)
			value = static_cast<LONG>(record.style);
		else if (index == GWL_EXSTYLE)
			value = static_cast<LONG>(record.exStyle);
		else
			value = record.userData;
	});
	return value;
}

// Where the icon image of a program (or an image path) may be found.
std::vector<std::string> IconCandidates(const char* file)
{
	std::string path = file;
	std::replace(path.begin(), path.end(), '\\', '/');
	if (path.size() > 4 && path.compare(path.size() - 4, 4, ".bmp") == 0)
		return {path};
	std::string name = path.substr(path.find_last_of('/') + 1);
	return {path + ".bmp", name + ".bmp"};
}

SDL_Surface* ScaledCopy(SDL_Surface* image, int size)
{
	SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
	if (copy && SDL_BlitScaled(image, nullptr, copy, nullptr) != 0)
	{
		SDL_FreeSurface(copy);
		copy = nullptr;
	}
	return copy;
}
}

namespace win32
{
bool IsLiveWindow(HWND window)
{
	cWindowTable& table = Table();
	std::lock_guard<std::mutex> hold(table.lock);
	return table.windows.count(window) != 0;
}

WNDPROC WindowProcedureOf(HWND window)
{
	WNDPROC procedure = nullptr;
	WithRecord(window, [&](const sWindowRecord& record) { procedure = record.procedure; });
	return procedure;
}

UINT GetClassStyle(HWND window)
{
	UINT style = 0;
	WithRecord(window, [&](const sWindowRecord& record) { style = record.classStyle; });
	return style;
}

void SetFocusedWindow(HWND window, bool focused)
{
	if (focused)
		g_focused = window;
	else
		g_focused.compare_exchange_strong(window, nullptr);
}

void UpdateWindowGeometry(HWND window)
{
	int x = 0, y = 0, width = 0, height = 0;
	SDL_GetWindowPosition(ToSdlWindow(window), &x, &y);
	SDL_GetWindowSize(ToSdlWindow(window), &width, &height);
	WithRecord(window, [&](sWindowRecord& record) { record.screenRect = RECT{x, y, x + width, y + height}; });
}

bool CloseAllWindows()
{
	std::vector<HWND> windows;
	{
		cWindowTable& table = Table();
		std::lock_guard<std::mutex> hold(table.lock);
		for (const auto& entry : table.windows)
			windows.push_back(entry.first);
	}
	for (HWND window : windows)
		QueueMessage(window, WM_CLOSE, 0, 0);
	return !windows.empty();
}
}

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass)
{
	if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName)
	{
		SetLastError(ERROR_INVALID_PARAMETER);
		return 0;
	}
	if (!win32::EnsureVideo())
	{
		SetLastError(ERROR_DEVICE_NOT_CONNECTED);
		return 0;
	}
	cWindowTable& table = Table();
	std::lock_guard<std::mutex> hold(table.lock);
	std::string name = windowClass->lpszClassName;
	if (table.classes.count(name))
	{
		SetLastError(ERROR_CLASS_ALREADY_EXISTS);
		return 0;
	}
	table.classes[name] =
		sWindowClass{name, windowClass->style, windowClass->lpfnWndProc, windowClass->hIcon, windowClass->hCursor};
	return table.nextAtom++;
}

BOOL UnregisterClassA(const char* className, HINSTANCE)
{
	cWindowTable& table = Table();
	std::lock_guard<std::mutex> hold(table.lock);
	if (!className || table.classes.erase(className) == 0)
	{
		SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
		return FALSE;
	}
	return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
	int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
	sWindowClass windowClass;
	{
		cWindowTable& table = Table();
		std::lock_guard<std::mutex> hold(table.lock);
		auto found = className ? table.classes.find(className) : table.classes.end();
		if (found == table.classes.end())
		{
			SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
			return nullptr;
		}
		windowClass = found->second;
	}
	if (!win32::EnsureVideo())
	{
		SetLastError(ERROR_DEVICE_NOT_CONNECTED);
		return nullptr;
	}

	bool defaultPlace = x == CW_USEDEFAULT;
	bool defaultSize = width == CW_USEDEFAULT;
	Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
	if (!(style & WS_CAPTION))
		flags |= SDL_WINDOW_BORDERLESS;
	if (style & WS_THICKFRAME)
		flags |= SDL_WINDOW_RESIZABLE;
	SDL_Window* sdlWindow = SDL_CreateWindow(title ? title : "", defaultPlace ? SDL_WINDOWPOS_UNDEFINED : x,
		defaultPlace ? SDL_WINDOWPOS_UNDEFINED : y, defaultSize ? kDefaultWidth : std::max(width, 1),
		defaultSize ? kDefaultHeight : std::max(height, 1), flags);
	if (!sdlWindow)
	{
		SetLastError(ERROR_DEVICE_NOT_CONNECTED);
		return nullptr;
	}
	if (windowClass.icon)
		SDL_SetWindowIcon(sdlWindow, reinterpret_cast<SDL_Surface*>(windowClass.icon));

	HWND window = win32::ToHwnd(sdlWindow);
	{
		cWindowTable& table = Table();
		std::lock_guard<std::mutex> hold(table.lock);
		table.windows[window] =
			sWindowRecord{windowClass.procedure, windowClass.style, windowClass.cursor, style, exStyle, parent, 0, {},
				title ? title : ""};
	}
	win32::UpdateWindowGeometry(window);
	win32::WatchWindow(sdlWindow);

	CREATESTRUCTA creation{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), title,
		className, exStyle};
	LPARAM creationParam = reinterpret_cast<LPARAM>(&creation);
	if (!SendMessageA(window, WM_NCCREATE, 0, creationParam) || SendMessageA(window, WM_CREATE, 0, creationParam) == -1)
	{
		DestroyWindow(window);
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return nullptr;
	}
	if (style & WS_VISIBLE)
		ShowWindow(window, SW_SHOW);
	return window;
}

BOOL DestroyWindow(HWND window)
{
	if (!win32::IsLiveWindow(window))
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return FALSE;
	}
	SendMessageA(window, WM_DESTROY, 0, 0);
	SendMessageA(window, WM_NCDESTROY, 0, 0);
	{
		cWindowTable& table = Table();
		std::lock_guard<std::mutex> hold(table.lock);
		table.windows.erase(window);
	}
	win32::SetFocusedWindow(window, false);
	win32::RemoveQueuedMessages(window);
	if (win32::WindowSystemHas(win32::ToSdlWindow(window)))
		SDL_HideWindow(win32::ToSdlWindow(window));
	return TRUE;
}

BOOL IsWindow(HWND window)
{
	return win32::IsLiveWindow(window) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command)
{
	if (!win32::IsLiveWindow(window))
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return FALSE;
	}
	SDL_Window* sdlWindow = win32::ToSdlWindow(window);
	BOOL wasVisible = (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_SHOWN) ? TRUE : FALSE;
	if (!win32::WindowSystemHas(sdlWindow))
		return wasVisible;
	switch (command)
	{
	case SW_HIDE:
		SDL_HideWindow(sdlWindow);
		break;
	case SW_SHOWMINIMIZED:
	case SW_MINIMIZE:
	case SW_SHOWMINNOACTIVE:
		SDL_ShowWindow(sdlWindow);
		SDL_MinimizeWindow(sdlWindow);
		break;
	case SW_SHOWMAXIMIZED:
		SDL_ShowWindow(sdlWindow);
		SDL_MaximizeWindow(sdlWindow);
		break;
	case SW_RESTORE:
		SDL_ShowWindow(sdlWindow);
		SDL_RestoreWindow(sdlWindow);
		break;
	default:
		SDL_ShowWindow(sdlWindow);
		break;
	}
	win32::UpdateWindowGeometry(window);
	return wasVisible;
}

BOOL IsWindowVisible(HWND window)
{
	if (!win32::IsLiveWindow(window))
		return FALSE;
	return (SDL_GetWindowFlags(win32::ToSdlWindow(window)) & SDL_WINDOW_SHOWN) ? TRUE : FALSE;
}

BOOL IsIconic(HWND window)
{
	if (!win32::IsLiveWindow(window))
		return FALSE;
	return (SDL_GetWindowFlags(win32::ToSdlWindow(window)) & SDL_WINDOW_MINIMIZED) ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window)
{
	return IsWindow(window);
}

BOOL ValidateRect(HWND window, const RECT*)
{
	return IsWindow(window);
}

LONG SetWindowLongA(HWND window, int index, LONG value)
{
	return static_cast<LONG>(SetLong(window, index, value));
}

LONG GetWindowLongA(HWND window, int index)
{
	return static_cast<LONG>(GetLong(window, index));
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value)
{
	return SetLong(window, index, value);
}

LONG_PTR GetWindowLongPtrA(HWND window, int index)
{
	return GetLong(window, index);
}

HWND GetParent(HWND window)
{
	HWND parent = nullptr;
	WithRecord(window, [&](const sWindowRecord& record) { parent = record.parent; });
	return parent;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD)
{
	return rect ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
	if (!win32::IsLiveWindow(window))
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return FALSE;
	}
	SDL_Window* sdlWindow = win32::ToSdlWindow(window);
	if (!win32::WindowSystemHas(sdlWindow))
		return TRUE;
	if (!(flags & SWP_NOSIZE))
		SDL_SetWindowSize(sdlWindow, std::max(width, 1), std::max(height, 1));
	if (!(flags & SWP_NOMOVE))
		SDL_SetWindowPosition(sdlWindow, x, y);
	if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST))
	{
		bool topmost = insertAfter == HWND_TOPMOST;
		SDL_SetWindowAlwaysOnTop(sdlWindow, topmost ? SDL_TRUE : SDL_FALSE);
		WithRecord(window, [&](sWindowRecord& record) {
			record.exStyle = topmost ? (record.exStyle | WS_EX_TOPMOST) : (record.exStyle & ~WS_EX_TOPMOST);
		});
	}
	if (flags & SWP_SHOWWINDOW)
		SDL_ShowWindow(sdlWindow);
	if (flags & SWP_HIDEWINDOW)
		SDL_HideWindow(sdlWindow);
	win32::UpdateWindowGeometry(window);
	return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
	return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
}

BOOL GetClientRect(HWND window, RECT* rect)
{
	if (!rect)
		return FALSE;
	return WithRecord(window, [&](const sWindowRecord& record) {
		const RECT& screen = record.screenRect;
		*rect = RECT{0, 0, screen.right - screen.left, screen.bottom - screen.top};
	});
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
	if (!rect)
		return FALSE;
	return WithRecord(window, [&](const sWindowRecord& record) { *rect = record.screenRect; });
}

BOOL ClientToScreen(HWND window, POINT* point)
{
	return OffsetPoint(window, nullptr, point);
}

BOOL ScreenToClient(HWND window, POINT* point)
{
	return OffsetPoint(nullptr, window, point);
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
	POINT offset;
	if (!OffsetBetween(from, to, &offset))
		return 0;
	for (UINT i = 0; points && i < count; ++i)
	{
		points[i].x += offset.x;
		points[i].y += offset.y;
	}
	SetLastError(ERROR_SUCCESS);
	return static_cast<int>(MAKELPARAM(offset.x, offset.y));
}

BOOL PtInRect(const RECT* rect, POINT point)
{
	return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL SetWindowTextA(HWND window, const char* text)
{
	if (!WithRecord(window, [&](sWindowRecord& record) { record.title = text ? text : ""; }))
		return FALSE;
	SDL_SetWindowTitle(win32::ToSdlWindow(window), text ? text : "");
	return TRUE;
}

BOOL SetWindowTextW(HWND window, const WCHAR* text)
{
	std::u16string units;
	for (; text && *text; ++text)
		units += static_cast<char16_t>(*text & 0xFFFF);
	return SetWindowTextA(window, win32::Utf16ToUtf8(units).c_str());
}

int GetWindowTextA(HWND window, char* text, int size)
{
	if (!text || size <= 0)
		return 0;
	text[0] = '\0';
	size_t length = 0;
	WithRecord(window, [&](const sWindowRecord& record) {
		length = std::min(record.title.size(), static_cast<size_t>(size - 1));
		memcpy(text, record.title.data(), length);
	});
	text[length] = '\0';
	return static_cast<int>(length);
}

HWND SetFocus(HWND window)
{
	HWND previous = g_focused;
	if (!win32::IsLiveWindow(window))
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return nullptr;
	}
	SDL_Window* sdlWindow = win32::ToSdlWindow(window);
	if (SDL_SetWindowInputFocus(sdlWindow) != 0)
		SDL_RaiseWindow(sdlWindow);
	return previous;
}

HWND GetFocus()
{
	return g_focused;
}

HWND GetForegroundWindow()
{
	return g_focused;
}

HGDIOBJ GetStockObject(int object)
{
	return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(0x100 + object));
}

int GetSystemMetrics(int index)
{
	if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !win32::EnsureVideo())
		return 0;
	SDL_DisplayMode mode;
	if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
		return 0;
	return index == SM_CXSCREEN ? mode.w : mode.h;
}

UINT ExtractIconExA(const char* file, int index, HICON* large, HICON* small, UINT)
{
	if (large)
		*large = nullptr;
	if (small)
		*small = nullptr;
	if (!file || index != 0)
		return 0;
	SDL_Surface* image = nullptr;
	for (const std::string& candidate : IconCandidates(file))
		if ((image = SDL_LoadBMP(candidate.c_str())) != nullptr)
			break;
	if (!image)
		return 0;
	if (small)
		*small = reinterpret_cast<HICON>(ScaledCopy(image, kSmallIconSize));
	if (large)
		*large = reinterpret_cast<HICON>(image);
	else
		SDL_FreeSurface(image);
	return 1;
}

BOOL DestroyIcon(HICON icon)
{
	if (!icon)
		return FALSE;
	SDL_FreeSurface(reinterpret_cast<SDL_Surface*>(icon));
	return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_NCCREATE:
		return TRUE;
	case WM_CLOSE:
		DestroyWindow(window);
		return 0;
	case WM_SETCURSOR:
	{
		HCURSOR classCursor = nullptr;
		WithRecord(window, [&](const sWindowRecord& record) { classCursor = record.classCursor; });
		if (!classCursor || LOWORD(lParam) != HTCLIENT)
			return FALSE;
		SetCursor(classCursor);
		return TRUE;
	}
	case WM_SYSCOMMAND:
		switch (wParam & 0xFFF0)
		{
		case SC_CLOSE:
			SendMessageA(window, WM_CLOSE, 0, 0);
			break;
		case SC_MINIMIZE:
			ShowWindow(window, SW_MINIMIZE);
			break;
		case SC_MAXIMIZE:
			ShowWindow(window, SW_SHOWMAXIMIZED);
			break;
		case SC_RESTORE:
			ShowWindow(window, SW_RESTORE);
			break;
		default:
			break;
		}
		return 0;
	default:
		return 0;
	}
}
