#pragma once
// Layer-private helpers shared by the window, message, cursor and kernel
// object parts. Not for engine code.

#include "platform/win32/Win32Message.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

struct SDL_Window;
union SDL_Event;

namespace win32
{
// Waits on the condition until the predicate holds or the milliseconds pass
// (INFINITE waits for ever); returns whether the predicate holds.
template <class Predicate>
bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& condition, DWORD milliseconds,
	Predicate predicate)
{
	if (milliseconds == 0xFFFFFFFFu)
	{
		condition.wait(lock, predicate);
		return true;
	}
	return condition.wait_for(lock, std::chrono::milliseconds(milliseconds), predicate);
}

// Starts SDL's video subsystem on first use; the calling thread becomes the
// thread whose windows and events the layer serves. False when no display
// can be opened.
bool EnsureVideo();
// Whether the video subsystem runs and the caller is the thread that started it.
bool IsVideoThread();
bool IsVideoStarted();
// The SDL event type that only wakes a thread waiting for events.
uint32_t WakeEventType();

SDL_Window* ToSdlWindow(HWND window);
HWND ToHwnd(SDL_Window* window);

// Takes one SDL event: the event observers see it, then it becomes window
// messages. Only on the video thread.
void HandleSdlEvent(const SDL_Event& event);
// Takes every pending SDL event. Only on the video thread.
void PumpSdlEvents();

// Posts a message from inside the layer (no wake-up needed: the poster is
// the video thread). A paint already queued for the window is not queued again.
void QueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Replaces the newest queued message when it is a mouse move of the same
// window, as Windows keeps one pending move; false when there is none.
bool MergeMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
// Drops every queued message of a destroyed window.
void RemoveQueuedMessages(HWND window);

// The cursor position cache, in screen pixels, for threads that may not
// ask SDL themselves.
void StoreCursorPosition(int x, int y);
POINT CachedCursorPosition();
// Re-reads the pointer from SDL into the cache; video thread only.
void RefreshCursorPosition();
// Applies cursor changes requested from other threads; video thread only.
void ApplyPendingCursor();

// Window bookkeeping for events.
bool IsLiveWindow(HWND window);
// The procedure of a live window, or null.
WNDPROC WindowProcedureOf(HWND window);
UINT GetClassStyle(HWND window);
void SetFocusedWindow(HWND window, bool focused);
void UpdateWindowGeometry(HWND window);
// Queues WM_CLOSE for every live window; false when there is none.
bool CloseAllWindows();

// Watching the window system for windows destroyed by other programs: once
// when video starts, then for each new window; the messages come from the
// event pump.
void WatchWindowSystem();
void WatchWindow(SDL_Window* window);
void HandleWindowSystemEvent(const SDL_Event& event);
// False once another program has destroyed the window, before the event
// saying so is handled. SDL waits for a destroyed window to change for ever
// in some calls (showing, hiding, changing the border): they check first.
bool WindowSystemHas(SDL_Window* window);
// Runs the action while no other program can change the window system, if
// the window still exists; false, without running it, when the window is
// gone. For calls that read the window's attributes without checking them
// (SDL's OpenGL context creation on X reads garbage for a destroyed window).
bool RunWithWindowHeld(SDL_Window* window, const std::function<void()>& action);
}
