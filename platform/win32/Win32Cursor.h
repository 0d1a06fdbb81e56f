#pragma once
// The mouse cursor: its shape, its display counter and its position. Inside
// the layer a cursor handle is an SDL_Cursor. Any thread may call these; a
// change made off the window thread shows when that thread next looks for
// messages.

#include "platform/win32/Win32Types.h"

// Makes the cursor the one shown over the layer's windows (null shows none)
// and returns the one set before.
HCURSOR SetCursor(HCURSOR cursor);

// Adds one to (TRUE) or takes one from (FALSE) the display counter and
// returns the new value; the cursor shows while the counter is 0 or more.
int ShowCursor(BOOL show);

// The cursor position in screen pixels. Off the window thread this is the
// position last seen there (at the latest mouse event or query).
BOOL GetCursorPos(POINT* point);
