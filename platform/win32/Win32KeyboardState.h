#pragma once
// For other parts of the platform layer (the input devices): the keyboard
// as the window layer sees it, by scan code. Scan codes are PC set 1 with
// 0x80 added for the extended keys (0xE0 prefix): the numbering DirectInput
// uses for its key codes. Not for engine code.

#include "platform/win32/Win32Types.h"

namespace win32
{
// The scan code of an SDL key position; 0 for a key that has none.
BYTE ScanCodeFromSdl(int sdlScancode);
// The SDL key position of a scan code; 0 (unknown) for a code without one.
int SdlScancodeFromScanCode(BYTE code);
// The virtual key of a scan code, extended codes included; 0 when none.
UINT VirtualKeyFromScanCode(BYTE code);
// The scan code of a virtual key (the first one that gives it); 0 when none.
BYTE ScanCodeFromVirtualKey(UINT virtualKey);

// Starts following the keyboard (once). Until then key and text events
// pass unseen: the keyboard device starts it when it is created.
void TrackKeyboard();
// 0x80 for every scan code whose key is down, else 0 (256 bytes).
void GetScanCodeStates(BYTE* states);
}
