#include "platform/win32/Win32Cursor.h"

#include "platform/win32/Win32Internal.h"

#include <SDL.h>

#include <atomic>

namespace
{
std::atomic<HCURSOR> g_cursor{nullptr};
std::atomic<bool> g_cursorChosen{false};
std::atomic<int> g_displayCount{0};
std::atomic<bool> g_changePending{false};

std::mutex g_positionLock;
POINT g_position{0, 0};

void RequestCursorChange()
{
	g_changePending = true;
	if (win32::IsVideoThread())
		win32::ApplyPendingCursor();
}
}

namespace win32
{
void ApplyPendingCursor()
{
	if (!g_changePending.exchange(false))
		return;
	bool shown = g_displayCount >= 0;
	if (g_cursorChosen)
	{
		// Until a program picks a cursor the system's own arrow stays.
		auto* cursor = reinterpret_cast<SDL_Cursor*>(HCURSOR(g_cursor));
		shown = shown && cursor;
		if (shown)
			SDL_SetCursor(cursor);
	}
	SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void StoreCursorPosition(int x, int y)
{
	std::lock_guard<std::mutex> hold(g_positionLock);
	g_position = POINT{x, y};
}

POINT CachedCursorPosition()
{
	std::lock_guard<std::mutex> hold(g_positionLock);
	return g_position;
}

void RefreshCursorPosition()
{
	int x = 0, y = 0;
	SDL_GetGlobalMouseState(&x, &y);
	StoreCursorPosition(x, y);
}
}

HCURSOR SetCursor(HCURSOR cursor)
{
	HCURSOR previous = g_cursor.exchange(cursor);
	g_cursorChosen = true;
	RequestCursorChange();
	return previous;
}

int ShowCursor(BOOL show)
{
	int count = show ? ++g_displayCount : --g_displayCount;
	RequestCursorChange();
	return count;
}

BOOL GetCursorPos(POINT* point)
{
	if (!point)
		return FALSE;
	if (win32::IsVideoThread())
		win32::RefreshCursorPosition();
	*point = win32::CachedCursorPosition();
	return TRUE;
}
