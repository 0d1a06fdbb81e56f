// Starting SDL's video subsystem for the window layer. It is started on
// first use and never shut down: platform objects (windows, the OpenGL
// context, cursors) are still released by singletons destroyed at process
// exit, after main has returned.

#include "platform/win32/Win32Debug.h"
#include "platform/win32/Win32Internal.h"

#include <SDL.h>

#include <atomic>
#include <string>
#include <thread>

namespace
{
std::atomic<bool> g_started{false};
std::atomic<uint32_t> g_wakeEventType{0};
std::thread::id g_videoThread;
}

namespace win32
{
bool EnsureVideo()
{
	if (g_started)
		return true;
	// The window's close box goes to the program's close handling; SDL must
	// not turn the last window's close into a quit request of its own.
	SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
	// A click that activates the window is also delivered, as on Windows.
	SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
	if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
	{
		OutputDebugStringA((std::string("Video start failed: ") + SDL_GetError() + "\n").c_str());
		return false;
	}
	WatchWindowSystem();
	g_wakeEventType = SDL_RegisterEvents(1);
	g_videoThread = std::this_thread::get_id();
	g_started = true;
	return true;
}

bool IsVideoStarted()
{
	return g_started;
}

bool IsVideoThread()
{
	return g_started && std::this_thread::get_id() == g_videoThread;
}

uint32_t WakeEventType()
{
	return g_wakeEventType;
}

SDL_Window* ToSdlWindow(HWND window)
{
	return reinterpret_cast<SDL_Window*>(window);
}

HWND ToHwnd(SDL_Window* window)
{
	return reinterpret_cast<HWND>(window);
}
}
