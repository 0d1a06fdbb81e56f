#include "platform/win32/Win32Cursor.h"

#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Module.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <string>

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

// "<program folder>/cursors/<name>.bmp", the name being the decimal id of a
// numeric resource.
std::string CursorImagePath(const char* name)
{
	char program[4096];
	std::string folder;
	if (DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program)))
	{
		folder.assign(program, length);
		std::replace(folder.begin(), folder.end(), '\\', '/');
		folder.erase(folder.find_last_of('/') + 1);
	}
	const std::string stem = IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
	return folder + "cursors/" + stem + ".bmp";
}

// The image as 32-bit ARGB pixels at the size asked for (0 keeps the image's own).
SDL_Surface* CursorPixels(SDL_Surface* image, int width, int height)
{
	SDL_Surface* pixels = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ARGB8888, 0);
	if (!pixels || ((width == 0 || width == pixels->w) && (height == 0 || height == pixels->h)))
		return pixels;
	SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, width ? width : pixels->w, height ? height : pixels->h,
		32, SDL_PIXELFORMAT_ARGB8888);
	if (scaled)
	{
		SDL_SetSurfaceBlendMode(pixels, SDL_BLENDMODE_NONE);
		if (SDL_BlitScaled(pixels, nullptr, scaled, nullptr) != 0)
		{
			SDL_FreeSurface(scaled);
			scaled = nullptr;
		}
	}
	SDL_FreeSurface(pixels);
	return scaled;
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

HANDLE LoadImageA(HINSTANCE, const char* name, UINT type, int width, int height, UINT)
{
	if (type != IMAGE_CURSOR || !name || width < 0 || height < 0)
	{
		SetLastError(ERROR_INVALID_PARAMETER);
		return nullptr;
	}
	if (!win32::EnsureVideo())
	{
		SetLastError(ERROR_NOT_ENOUGH_MEMORY);
		return nullptr;
	}
	SDL_Surface* image = SDL_LoadBMP(CursorImagePath(name).c_str());
	if (!image)
	{
		SetLastError(ERROR_FILE_NOT_FOUND);
		return nullptr;
	}
	SDL_Surface* pixels = CursorPixels(image, width, height);
	SDL_FreeSurface(image);
	SDL_Cursor* cursor = pixels ? SDL_CreateColorCursor(pixels, 0, 0) : nullptr;
	SDL_FreeSurface(pixels);
	if (!cursor)
		SetLastError(ERROR_NOT_ENOUGH_MEMORY);
	return cursor;
}

BOOL DestroyCursor(HCURSOR cursor)
{
	if (!cursor)
	{
		SetLastError(ERROR_INVALID_HANDLE);
		return FALSE;
	}
	HCURSOR selected = cursor;
	if (g_cursor.compare_exchange_strong(selected, nullptr))
		RequestCursorChange();
	SDL_FreeCursor(reinterpret_cast<SDL_Cursor*>(cursor));
	return TRUE;
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
