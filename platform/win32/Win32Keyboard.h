#pragma once
// The keyboard as a Windows program reads it for typed text: the state of
// every virtual key, scan code to virtual key translation, and the
// characters a held key types. The characters are those of the desktop's
// current keyboard layout (any script), taken from the text the window
// system reported when the key went down; they stay available while the
// key is held. The state follows the events the window layer has taken
// from the window system (PeekMessageA and friends).

#include "platform/win32/Win32Types.h"

// Virtual keys the layer reports.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
// '0' to '9' and 'A' to 'Z' are their own virtual keys.
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F24 0x87
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_OEM_102 0xE2

// MapVirtualKeyA translations.
#define MAPVK_VK_TO_VSC 0
#define MAPVK_VSC_TO_VK 1

// Fills 256 bytes indexed by virtual key: 0x80 for a key that is down (the
// left and right modifier keys also set VK_SHIFT, VK_CONTROL and VK_MENU),
// bit 0 for Caps Lock and Num Lock when they are on.
BOOL GetKeyboardState(BYTE* state);

// MAPVK_VSC_TO_VK: the virtual key of a scan code (PC set 1, the left and
// right modifiers both give VK_SHIFT, VK_CONTROL or VK_MENU); codes of 0x80
// and above are no scan code and give 0. MAPVK_VK_TO_VSC: the scan code of
// a virtual key. Other translations give 0.
UINT MapVirtualKeyA(UINT code, UINT mapType);

// Writes the characters that the held key (virtual key and scan code) types
// and returns their number, 0 when it types none. With Ctrl down (and Alt
// up, as AltGr is Ctrl+Alt) a letter key types its control character 0x01
// to 0x1A; otherwise the key types its layout text. Enter, Backspace,
// Escape and Tab type "\r", "\b", 0x1B and "\t". At most size units are
// written (UTF-16 units, one per element).
int ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, WCHAR* buffer, int size, UINT flags);
