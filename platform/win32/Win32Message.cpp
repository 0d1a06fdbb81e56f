#include "platform/win32/Win32Message.h"

#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Time.h"
#include "platform/win32/Win32Window.h"

#include <SDL.h>

#include <algorithm>
#include <deque>

namespace
{
struct cMessageQueue
{
	std::mutex lock;
	std::condition_variable posted;
	std::deque<MSG> messages;
};

// Never destroyed: windows may still post while singletons are torn down at exit.
cMessageQueue& Queue()
{
	static cMessageQueue* queue = new cMessageQueue;
	return *queue;
}

struct sFilter
{
	HWND window;
	UINT first;
	UINT last;

	bool Matches(const MSG& message) const
	{
		if (window && message.hwnd != window)
			return false;
		return (first == 0 && last == 0) || (message.message >= first && message.message <= last);
	}
};

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	MSG made{window, message, wParam, lParam, GetTickCount(), win32::CachedCursorPosition()};
	return made;
}

// Copies the first matching message, taking it from the queue when asked.
bool FindMessage(MSG* out, const sFilter& filter, bool remove)
{
	cMessageQueue& queue = Queue();
	std::lock_guard<std::mutex> hold(queue.lock);
	auto found = std::find_if(queue.messages.begin(), queue.messages.end(),
		[&](const MSG& message) { return filter.Matches(message); });
	if (found == queue.messages.end())
		return false;
	if (out)
		*out = *found;
	if (remove)
		queue.messages.erase(found);
	return true;
}

// Adds a message and wakes whoever waits for one: a thread sleeping on the
// queue, or the video thread sleeping in SDL.
void Enqueue(const MSG& message)
{
	cMessageQueue& queue = Queue();
	{
		std::lock_guard<std::mutex> hold(queue.lock);
		queue.messages.push_back(message);
	}
	queue.posted.notify_all();
	if (win32::IsVideoStarted() && !win32::IsVideoThread())
	{
		SDL_Event wake{};
		wake.type = win32::WakeEventType();
		SDL_PushEvent(&wake);
	}
}

bool PeekFiltered(MSG* message, const sFilter& filter, bool remove)
{
	if (FindMessage(message, filter, remove))
		return true;
	if (!win32::IsVideoThread())
		return false;
	win32::ApplyPendingCursor();
	win32::PumpSdlEvents();
	return FindMessage(message, filter, remove);
}

void WaitFiltered(const sFilter& filter)
{
	if (win32::IsVideoThread())
	{
		// Events that make no message (keys, raw X events) do not end the
		// wait: only a message does, as the caller expects.
		for (;;)
		{
			win32::ApplyPendingCursor();
			win32::PumpSdlEvents();
			if (FindMessage(nullptr, filter, false))
				return;
			SDL_Event event;
			if (SDL_WaitEvent(&event))
				win32::HandleSdlEvent(event);
		}
	}
	cMessageQueue& queue = Queue();
	std::unique_lock<std::mutex> hold(queue.lock);
	queue.posted.wait(hold, [&] {
		return std::any_of(queue.messages.begin(), queue.messages.end(),
			[&](const MSG& message) { return filter.Matches(message); });
	});
}
}

namespace win32
{
void QueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	cMessageQueue& queue = Queue();
	std::lock_guard<std::mutex> hold(queue.lock);
	if (message == WM_PAINT)
	{
		for (const MSG& queued : queue.messages)
			if (queued.hwnd == window && queued.message == WM_PAINT)
				return;
	}
	queue.messages.push_back(MakeMessage(window, message, wParam, lParam));
}

bool MergeMouseMove(HWND window, WPARAM wParam, LPARAM lParam)
{
	cMessageQueue& queue = Queue();
	std::lock_guard<std::mutex> hold(queue.lock);
	if (queue.messages.empty())
		return false;
	MSG& last = queue.messages.back();
	if (last.hwnd != window || last.message != WM_MOUSEMOVE)
		return false;
	last = MakeMessage(window, WM_MOUSEMOVE, wParam, lParam);
	return true;
}

void RemoveQueuedMessages(HWND window)
{
	cMessageQueue& queue = Queue();
	std::lock_guard<std::mutex> hold(queue.lock);
	std::erase_if(queue.messages, [window](const MSG& message) { return message.hwnd == window; });
}
}

BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT flags)
{
	return PeekFiltered(message, sFilter{window, first, last}, (flags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* message, HWND window, UINT first, UINT last)
{
	if (!message)
	{
		SetLastError(ERROR_INVALID_PARAMETER);
		return -1;
	}
	sFilter filter{window, first, last};
	while (!PeekFiltered(message, filter, true))
		WaitFiltered(filter);
	return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG*)
{
	return FALSE;
}

LRESULT DispatchMessageA(const MSG* message)
{
	if (!message || !message->hwnd)
		return 0;
	return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL WaitMessage()
{
	WaitFiltered(sFilter{nullptr, 0, 0});
	return TRUE;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (window && !win32::IsLiveWindow(window))
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return FALSE;
	}
	Enqueue(MakeMessage(window, message, wParam, lParam));
	return TRUE;
}

void PostQuitMessage(int exitCode)
{
	Enqueue(MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0));
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	WNDPROC procedure = win32::WindowProcedureOf(window);
	if (!procedure)
	{
		SetLastError(ERROR_INVALID_WINDOW_HANDLE);
		return 0;
	}
	return procedure(window, message, wParam, lParam);
}
