// The X window system underneath SDL: another X client may destroy the
// program's window (a crashed window manager, a window-closing tool). Xlib's
// default answer to the errors that follow ends the process on the spot, and
// an X request made from inside an error handler can hang it. Here errors
// about the program's own windows, or about windows that are gone, are
// dropped without any X request, and a destroyed window ends the run: the
// message loop is told to quit with a failure code, then the window is
// destroyed as on Windows, so the program shuts down in order.

#include "platform/win32/Win32Debug.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <array>
#include <atomic>

#if defined(SDL_VIDEO_DRIVER_X11)
namespace
{
// The X windows of the program's SDL windows; read by the error handler,
// which may take no lock.
constexpr size_t kMaxWindows = 32;
struct sWatchedWindow
{
	std::atomic<unsigned long> id{0};
	std::atomic<SDL_Window*> window{nullptr};
};
std::array<sWatchedWindow, kMaxWindows> g_windows;
XErrorHandler g_previousHandler = nullptr;

// The X protocol's codes for a window or drawable that does not exist.
constexpr unsigned char kBadWindow = 3;
constexpr unsigned char kBadDrawable = 9;

bool IsWatched(unsigned long id)
{
	for (const sWatchedWindow& entry : g_windows)
		if (id != 0 && entry.id.load() == id)
			return true;
	return false;
}

int OnXError(Display* display, XErrorEvent* error)
{
	if (error->error_code == kBadWindow || error->error_code == kBadDrawable || IsWatched(error->resourceid))
		return 0;
	return g_previousHandler ? g_previousHandler(display, error) : 0;
}

unsigned long XWindowOf(SDL_Window* window)
{
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
		return 0;
	return info.info.x11.window;
}

void OnWindowDestroyed(unsigned long id)
{
	for (sWatchedWindow& entry : g_windows)
	{
		if (entry.id.load() != id)
			continue;
		HWND window = win32::ToHwnd(entry.window.load());
		entry.id = 0;
		entry.window = nullptr;
		if (!win32::IsLiveWindow(window))
			return;
		OutputDebugStringA("The window was destroyed by another program\n");
		PostQuitMessage(1);
		DestroyWindow(window);
		return;
	}
}
}

namespace win32
{
void WatchWindowSystem()
{
	const char* driver = SDL_GetCurrentVideoDriver();
	if (!driver || SDL_strcmp(driver, "x11") != 0)
		return;
	g_previousHandler = XSetErrorHandler(OnXError);
	SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void WatchWindow(SDL_Window* window)
{
	const unsigned long id = XWindowOf(window);
	if (!id)
		return;
	for (sWatchedWindow& entry : g_windows)
	{
		unsigned long free = 0;
		if (entry.id.compare_exchange_strong(free, id))
		{
			entry.window = window;
			return;
		}
	}
}

void HandleWindowSystemEvent(const SDL_Event& event)
{
	const SDL_SysWMmsg* message = event.syswm.msg;
	if (message && message->subsystem == SDL_SYSWM_X11 && message->msg.x11.event.type == DestroyNotify)
		OnWindowDestroyed(message->msg.x11.event.xdestroywindow.window);
}

// The error of the check on a gone window is dropped by the handler above.
bool WindowSystemHas(SDL_Window* window)
{
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
		return true;
	XWindowAttributes attributes;
	return XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) != 0;
}

// The server is grabbed from the check to the action's end, so the window
// cannot go in between. Only for actions that need no other program (a
// window manager would wait for the grab to end).
bool RunWithWindowHeld(SDL_Window* window, const std::function<void()>& action)
{
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
	{
		action();
		return true;
	}
	Display* display = info.info.x11.display;
	XGrabServer(display);
	const bool exists = WindowSystemHas(window);
	if (exists)
		action();
	XUngrabServer(display);
	XFlush(display);
	return exists;
}
}
#else
namespace win32
{
void WatchWindowSystem() {}
void WatchWindow(SDL_Window*) {}
void HandleWindowSystemEvent(const SDL_Event&) {}
bool WindowSystemHas(SDL_Window*)
{
	return true;
}
bool RunWithWindowHeld(SDL_Window*, const std::function<void()>& action)
{
	action();
	return true;
}
}
#endif
