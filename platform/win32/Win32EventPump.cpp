// SDL's events become the window messages a Windows program expects.

#include "platform/win32/Win32EventObservers.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Window.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

namespace
{
struct sObserver
{
	SdlEventObserver function;
	void* context;

	bool operator==(const sObserver&) const = default;
};

struct cObservers
{
	// Held while observers run, so that a removal waits for a running call.
	std::recursive_mutex lock;
	std::vector<sObserver> list;
};

cObservers& Observers()
{
	static cObservers* observers = new cObservers;
	return *observers;
}

HWND LiveWindowOf(Uint32 windowId)
{
	HWND window = win32::ToHwnd(SDL_GetWindowFromID(windowId));
	return window && win32::IsLiveWindow(window) ? window : nullptr;
}

LPARAM PointParam(int x, int y)
{
	return MAKELPARAM(x, y);
}

WPARAM MouseKeyState(Uint32 buttons)
{
	WPARAM state = 0;
	if (buttons & SDL_BUTTON_LMASK)
		state |= MK_LBUTTON;
	if (buttons & SDL_BUTTON_RMASK)
		state |= MK_RBUTTON;
	if (buttons & SDL_BUTTON_MMASK)
		state |= MK_MBUTTON;
	SDL_Keymod modifiers = SDL_GetModState();
	if (modifiers & KMOD_SHIFT)
		state |= MK_SHIFT;
	if (modifiers & KMOD_CTRL)
		state |= MK_CONTROL;
	return state;
}

// Records where the cursor is on the screen, from a position in the window.
void StoreCursorInWindow(HWND window, int x, int y)
{
	POINT point{x, y};
	if (ClientToScreen(window, &point))
		win32::StoreCursorPosition(point.x, point.y);
}

void TranslateWindowEvent(HWND window, const SDL_WindowEvent& event)
{
	switch (event.event)
	{
	case SDL_WINDOWEVENT_FOCUS_GAINED:
		win32::SetFocusedWindow(window, true);
		win32::QueueMessage(window, WM_ACTIVATEAPP, TRUE, 0);
		win32::QueueMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
		break;
	case SDL_WINDOWEVENT_FOCUS_LOST:
		win32::SetFocusedWindow(window, false);
		win32::QueueMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
		win32::QueueMessage(window, WM_ACTIVATEAPP, FALSE, 0);
		break;
	case SDL_WINDOWEVENT_CLOSE:
		win32::QueueMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
		break;
	case SDL_WINDOWEVENT_MINIMIZED:
		win32::QueueMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
		win32::QueueMessage(window, WM_SIZE, SIZE_MINIMIZED, 0);
		break;
	case SDL_WINDOWEVENT_RESTORED:
		win32::QueueMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
		break;
	case SDL_WINDOWEVENT_EXPOSED:
		win32::QueueMessage(window, WM_PAINT, 0, 0);
		break;
	case SDL_WINDOWEVENT_MOVED:
		win32::UpdateWindowGeometry(window);
		win32::QueueMessage(window, WM_MOVE, 0, PointParam(event.data1, event.data2));
		break;
	case SDL_WINDOWEVENT_SIZE_CHANGED:
		win32::UpdateWindowGeometry(window);
		win32::QueueMessage(window, WM_SIZE, SIZE_RESTORED, PointParam(event.data1, event.data2));
		break;
	case SDL_WINDOWEVENT_ENTER:
	case SDL_WINDOWEVENT_LEAVE:
		win32::RefreshCursorPosition();
		break;
	default:
		break;
	}
}

void TranslateMouseMotion(HWND window, const SDL_MouseMotionEvent& event)
{
	StoreCursorInWindow(window, event.x, event.y);
	WPARAM state = MouseKeyState(event.state);
	LPARAM point = PointParam(event.x, event.y);
	if (win32::MergeMouseMove(window, state, point))
		return;
	win32::QueueMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
	win32::QueueMessage(window, WM_MOUSEMOVE, state, point);
}

// The second click of a quick pair is a double click when the window's class
// asks for them (a third starts a new pair, as on Windows).
void TranslateMouseButton(HWND window, const SDL_MouseButtonEvent& event)
{
	UINT down, up, doubleClick;
	switch (event.button)
	{
	case SDL_BUTTON_LEFT: down = WM_LBUTTONDOWN, up = WM_LBUTTONUP, doubleClick = WM_LBUTTONDBLCLK; break;
	case SDL_BUTTON_RIGHT: down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, doubleClick = WM_RBUTTONDBLCLK; break;
	case SDL_BUTTON_MIDDLE: down = WM_MBUTTONDOWN, up = WM_MBUTTONUP, doubleClick = WM_MBUTTONDBLCLK; break;
	default: return;
	}
	StoreCursorInWindow(window, event.x, event.y);
	UINT message = up;
	if (event.state == SDL_PRESSED)
	{
		bool secondClick = event.clicks >= 2 && event.clicks % 2 == 0;
		message = secondClick && (win32::GetClassStyle(window) & CS_DBLCLKS) ? doubleClick : down;
	}
	win32::QueueMessage(window, message, MouseKeyState(SDL_GetMouseState(nullptr, nullptr)),
		PointParam(event.x, event.y));
}

// Alt+F4 asks the window to close, as the system menu does on Windows
// (a desktop window manager usually takes the key itself and sends a close).
void TranslateKey(HWND window, const SDL_KeyboardEvent& event)
{
	if (event.keysym.sym == SDLK_F4 && (event.keysym.mod & KMOD_ALT) && !event.repeat)
		win32::QueueMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void NotifyObservers(const SDL_Event& event)
{
	cObservers& observers = Observers();
	std::lock_guard<std::recursive_mutex> hold(observers.lock);
	// A copy, because observers may add or remove observers; one removed
	// meanwhile is skipped.
	std::vector<sObserver> current = observers.list;
	for (const sObserver& observer : current)
		if (std::find(observers.list.begin(), observers.list.end(), observer) != observers.list.end())
			observer.function(event, observer.context);
}
}

void AddSdlEventObserver(SdlEventObserver observer, void* context)
{
	cObservers& observers = Observers();
	std::lock_guard<std::recursive_mutex> hold(observers.lock);
	sObserver entry{observer, context};
	if (std::find(observers.list.begin(), observers.list.end(), entry) == observers.list.end())
		observers.list.push_back(entry);
}

void RemoveSdlEventObserver(SdlEventObserver observer, void* context)
{
	cObservers& observers = Observers();
	std::lock_guard<std::recursive_mutex> hold(observers.lock);
	std::erase(observers.list, sObserver{observer, context});
}

namespace win32
{
void HandleSdlEvent(const SDL_Event& event)
{
	if (event.type == WakeEventType())
		return;
	NotifyObservers(event);
	switch (event.type)
	{
	case SDL_WINDOWEVENT:
		if (HWND window = LiveWindowOf(event.window.windowID))
			TranslateWindowEvent(window, event.window);
		break;
	case SDL_MOUSEMOTION:
		if (HWND window = LiveWindowOf(event.motion.windowID))
			TranslateMouseMotion(window, event.motion);
		break;
	case SDL_MOUSEBUTTONDOWN:
	case SDL_MOUSEBUTTONUP:
		if (HWND window = LiveWindowOf(event.button.windowID))
			TranslateMouseButton(window, event.button);
		break;
	case SDL_KEYDOWN:
		if (HWND window = LiveWindowOf(event.key.windowID))
			TranslateKey(window, event.key);
		break;
	case SDL_SYSWMEVENT:
		HandleWindowSystemEvent(event);
		break;
	case SDL_QUIT:
		// The session asks the program to end (a signal, a log-out): every
		// window is asked to close; without windows the loop is told to quit.
		if (!CloseAllWindows())
			PostQuitMessage(0);
		break;
	default:
		break;
	}
}

void PumpSdlEvents()
{
	SDL_Event event;
	while (SDL_PollEvent(&event))
		HandleSdlEvent(event);
}
}
