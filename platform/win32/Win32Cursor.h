#pragma once
// The mouse cursor: its shape, its display counter and its position. Inside
// the layer a cursor handle is an SDL_Cursor. Any thread may call these; a
// change made off the window thread shows when that thread next looks for
// messages.

#include "platform/win32/Win32Types.h"

// Cursor images of the program's resources. The program file carries none
// here: a resource is an image file shipped in the folder "cursors" beside
// the program, named after the resource ("<id>.bmp" for a numeric id). The
// hot spot is the image's top left pixel.
#define IMAGE_CURSOR 2u
#define LR_DEFAULTCOLOR 0u
#define MAKEINTRESOURCEA(id) (reinterpret_cast<const char*>(static_cast<uintptr_t>(static_cast<WORD>(id))))
#define IS_INTRESOURCE(name) ((reinterpret_cast<uintptr_t>(name) >> 16) == 0)

// Loads the named cursor resource of the program at its own size (width
// and height 0) or scaled to width by height. Only IMAGE_CURSOR is known;
// null (with the last error set) when the image is missing or unreadable or
// no display can be opened. Call it on the window thread.
HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int width, int height, UINT flags);

// Frees a cursor that LoadImageA made. A cursor still selected is dropped
// from the selection first (the window then shows none).
BOOL DestroyCursor(HCURSOR cursor);

// Makes the cursor the one shown over the layer's windows (null shows none)
// and returns the one set before.
HCURSOR SetCursor(HCURSOR cursor);

// Adds one to (TRUE) or takes one from (FALSE) the display counter and
// returns the new value; the cursor shows while the counter is 0 or more.
int ShowCursor(BOOL show);

// The cursor position in screen pixels. Off the window thread this is the
// position last seen there (at the latest mouse event or query).
BOOL GetCursorPos(POINT* point);
