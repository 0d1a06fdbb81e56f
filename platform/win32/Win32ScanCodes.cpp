// Key numbering: SDL key positions, PC set 1 scan codes (0x80 added for
// extended keys) and the virtual keys of a US layout.

#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32KeyboardState.h"

#include <SDL.h>

#include <array>

namespace
{
struct sKeyRow
{
	SDL_Scancode sdl;
	BYTE scanCode;
	UINT virtualKey;
};

// Every key position with a scan code. Rows with the same scan code list
// the preferred SDL position first.
const sKeyRow kKeys[] = {
	{SDL_SCANCODE_ESCAPE, 0x01, VK_ESCAPE},
	{SDL_SCANCODE_1, 0x02, '1'},
	{SDL_SCANCODE_2, 0x03, '2'},
	{SDL_SCANCODE_3, 0x04, '3'},
	{SDL_SCANCODE_4, 0x05, '4'},
	{SDL_SCANCODE_5, 0x06, '5'},
	{SDL_SCANCODE_6, 0x07, '6'},
	{SDL_SCANCODE_7, 0x08, '7'},
	{SDL_SCANCODE_8, 0x09, '8'},
	{SDL_SCANCODE_9, 0x0A, '9'},
	{SDL_SCANCODE_0, 0x0B, '0'},
	{SDL_SCANCODE_MINUS, 0x0C, VK_OEM_MINUS},
	{SDL_SCANCODE_EQUALS, 0x0D, VK_OEM_PLUS},
	{SDL_SCANCODE_BACKSPACE, 0x0E, VK_BACK},
	{SDL_SCANCODE_TAB, 0x0F, VK_TAB},
	{SDL_SCANCODE_Q, 0x10, 'Q'},
	{SDL_SCANCODE_W, 0x11, 'W'},
	{SDL_SCANCODE_E, 0x12, 'E'},
	{SDL_SCANCODE_R, 0x13, 'R'},
	{SDL_SCANCODE_T, 0x14, 'T'},
	{SDL_SCANCODE_Y, 0x15, 'Y'},
	{SDL_SCANCODE_U, 0x16, 'U'},
	{SDL_SCANCODE_I, 0x17, 'I'},
	{SDL_SCANCODE_O, 0x18, 'O'},
	{SDL_SCANCODE_P, 0x19, 'P'},
	{SDL_SCANCODE_LEFTBRACKET, 0x1A, VK_OEM_4},
	{SDL_SCANCODE_RIGHTBRACKET, 0x1B, VK_OEM_6},
	{SDL_SCANCODE_RETURN, 0x1C, VK_RETURN},
	{SDL_SCANCODE_LCTRL, 0x1D, VK_CONTROL},
	{SDL_SCANCODE_A, 0x1E, 'A'},
	{SDL_SCANCODE_S, 0x1F, 'S'},
	{SDL_SCANCODE_D, 0x20, 'D'},
	{SDL_SCANCODE_F, 0x21, 'F'},
	{SDL_SCANCODE_G, 0x22, 'G'},
	{SDL_SCANCODE_H, 0x23, 'H'},
	{SDL_SCANCODE_J, 0x24, 'J'},
	{SDL_SCANCODE_K, 0x25, 'K'},
	{SDL_SCANCODE_L, 0x26, 'L'},
	{SDL_SCANCODE_SEMICOLON, 0x27, VK_OEM_1},
	{SDL_SCANCODE_APOSTROPHE, 0x28, VK_OEM_7},
	{SDL_SCANCODE_GRAVE, 0x29, VK_OEM_3},
	{SDL_SCANCODE_LSHIFT, 0x2A, VK_SHIFT},
	{SDL_SCANCODE_BACKSLASH, 0x2B, VK_OEM_5},
	{SDL_SCANCODE_NONUSHASH, 0x2B, VK_OEM_5},
	{SDL_SCANCODE_Z, 0x2C, 'Z'},
	{SDL_SCANCODE_X, 0x2D, 'X'},
	{SDL_SCANCODE_C, 0x2E, 'C'},
	{SDL_SCANCODE_V, 0x2F, 'V'},
	{SDL_SCANCODE_B, 0x30, 'B'},
	{SDL_SCANCODE_N, 0x31, 'N'},
	{SDL_SCANCODE_M, 0x32, 'M'},
	{SDL_SCANCODE_COMMA, 0x33, VK_OEM_COMMA},
	{SDL_SCANCODE_PERIOD, 0x34, VK_OEM_PERIOD},
	{SDL_SCANCODE_SLASH, 0x35, VK_OEM_2},
	{SDL_SCANCODE_RSHIFT, 0x36, VK_SHIFT},
	{SDL_SCANCODE_KP_MULTIPLY, 0x37, VK_MULTIPLY},
	{SDL_SCANCODE_LALT, 0x38, VK_MENU},
	{SDL_SCANCODE_SPACE, 0x39, VK_SPACE},
	{SDL_SCANCODE_CAPSLOCK, 0x3A, VK_CAPITAL},
	{SDL_SCANCODE_F1, 0x3B, VK_F1},
	{SDL_SCANCODE_F2, 0x3C, VK_F1 + 1},
	{SDL_SCANCODE_F3, 0x3D, VK_F1 + 2},
	{SDL_SCANCODE_F4, 0x3E, VK_F1 + 3},
	{SDL_SCANCODE_F5, 0x3F, VK_F1 + 4},
	{SDL_SCANCODE_F6, 0x40, VK_F1 + 5},
	{SDL_SCANCODE_F7, 0x41, VK_F1 + 6},
	{SDL_SCANCODE_F8, 0x42, VK_F1 + 7},
	{SDL_SCANCODE_F9, 0x43, VK_F1 + 8},
	{SDL_SCANCODE_F10, 0x44, VK_F1 + 9},
	{SDL_SCANCODE_NUMLOCKCLEAR, 0x45, VK_NUMLOCK},
	{SDL_SCANCODE_SCROLLLOCK, 0x46, VK_SCROLL},
	// The numeric pad without Num Lock: its keys move the caret.
	{SDL_SCANCODE_KP_7, 0x47, VK_HOME},
	{SDL_SCANCODE_KP_8, 0x48, VK_UP},
	{SDL_SCANCODE_KP_9, 0x49, VK_PRIOR},
	{SDL_SCANCODE_KP_MINUS, 0x4A, VK_SUBTRACT},
	{SDL_SCANCODE_KP_4, 0x4B, VK_LEFT},
	{SDL_SCANCODE_KP_5, 0x4C, VK_CLEAR},
	{SDL_SCANCODE_KP_6, 0x4D, VK_RIGHT},
	{SDL_SCANCODE_KP_PLUS, 0x4E, VK_ADD},
	{SDL_SCANCODE_KP_1, 0x4F, VK_END},
	{SDL_SCANCODE_KP_2, 0x50, VK_DOWN},
	{SDL_SCANCODE_KP_3, 0x51, VK_NEXT},
	{SDL_SCANCODE_KP_0, 0x52, VK_INSERT},
	{SDL_SCANCODE_KP_PERIOD, 0x53, VK_DELETE},
	{SDL_SCANCODE_NONUSBACKSLASH, 0x56, VK_OEM_102},
	{SDL_SCANCODE_F11, 0x57, VK_F1 + 10},
	{SDL_SCANCODE_F12, 0x58, VK_F1 + 11},
	{SDL_SCANCODE_F13, 0x64, VK_F1 + 12},
	{SDL_SCANCODE_F14, 0x65, VK_F1 + 13},
	{SDL_SCANCODE_F15, 0x66, VK_F1 + 14},
	{SDL_SCANCODE_F16, 0x67, VK_F1 + 15},
	{SDL_SCANCODE_F17, 0x68, VK_F1 + 16},
	{SDL_SCANCODE_F18, 0x69, VK_F1 + 17},
	{SDL_SCANCODE_F19, 0x6A, VK_F1 + 18},
	{SDL_SCANCODE_F20, 0x6B, VK_F1 + 19},
	{SDL_SCANCODE_F21, 0x6C, VK_F1 + 20},
	{SDL_SCANCODE_F22, 0x6D, VK_F1 + 21},
	{SDL_SCANCODE_F23, 0x6E, VK_F1 + 22},
	{SDL_SCANCODE_INTERNATIONAL2, 0x70, 0},
	{SDL_SCANCODE_INTERNATIONAL1, 0x73, 0},
	{SDL_SCANCODE_F24, 0x76, VK_F24},
	{SDL_SCANCODE_INTERNATIONAL4, 0x79, 0},
	{SDL_SCANCODE_INTERNATIONAL5, 0x7B, 0},
	{SDL_SCANCODE_INTERNATIONAL3, 0x7D, 0},
	// Extended keys.
	{SDL_SCANCODE_KP_EQUALS, 0x8D, 0},
	{SDL_SCANCODE_AUDIOPREV, 0x90, 0},
	{SDL_SCANCODE_AUDIONEXT, 0x99, 0},
	{SDL_SCANCODE_KP_ENTER, 0x9C, VK_RETURN},
	{SDL_SCANCODE_RCTRL, 0x9D, VK_CONTROL},
	{SDL_SCANCODE_MUTE, 0xA0, 0},
	{SDL_SCANCODE_AUDIOMUTE, 0xA0, 0},
	{SDL_SCANCODE_CALCULATOR, 0xA1, 0},
	{SDL_SCANCODE_AUDIOPLAY, 0xA2, 0},
	{SDL_SCANCODE_AUDIOSTOP, 0xA4, 0},
	{SDL_SCANCODE_VOLUMEDOWN, 0xAE, 0},
	{SDL_SCANCODE_VOLUMEUP, 0xB0, 0},
	{SDL_SCANCODE_AC_HOME, 0xB2, 0},
	{SDL_SCANCODE_WWW, 0xB2, 0},
	{SDL_SCANCODE_KP_COMMA, 0xB3, 0},
	{SDL_SCANCODE_KP_DIVIDE, 0xB5, VK_DIVIDE},
	{SDL_SCANCODE_PRINTSCREEN, 0xB7, VK_SNAPSHOT},
	{SDL_SCANCODE_SYSREQ, 0xB7, VK_SNAPSHOT},
	{SDL_SCANCODE_RALT, 0xB8, VK_MENU},
	{SDL_SCANCODE_PAUSE, 0xC5, VK_PAUSE},
	{SDL_SCANCODE_HOME, 0xC7, VK_HOME},
	{SDL_SCANCODE_UP, 0xC8, VK_UP},
	{SDL_SCANCODE_PAGEUP, 0xC9, VK_PRIOR},
	{SDL_SCANCODE_LEFT, 0xCB, VK_LEFT},
	{SDL_SCANCODE_RIGHT, 0xCD, VK_RIGHT},
	{SDL_SCANCODE_END, 0xCF, VK_END},
	{SDL_SCANCODE_DOWN, 0xD0, VK_DOWN},
	{SDL_SCANCODE_PAGEDOWN, 0xD1, VK_NEXT},
	{SDL_SCANCODE_INSERT, 0xD2, VK_INSERT},
	{SDL_SCANCODE_DELETE, 0xD3, VK_DELETE},
	{SDL_SCANCODE_LGUI, 0xDB, VK_LWIN},
	{SDL_SCANCODE_RGUI, 0xDC, VK_RWIN},
	{SDL_SCANCODE_APPLICATION, 0xDD, VK_APPS},
	{SDL_SCANCODE_MENU, 0xDD, VK_APPS},
	{SDL_SCANCODE_POWER, 0xDE, 0},
	{SDL_SCANCODE_SLEEP, 0xDF, 0},
	{SDL_SCANCODE_AC_SEARCH, 0xE5, 0},
	{SDL_SCANCODE_AC_BOOKMARKS, 0xE6, 0},
	{SDL_SCANCODE_AC_REFRESH, 0xE7, 0},
	{SDL_SCANCODE_AC_STOP, 0xE8, 0},
	{SDL_SCANCODE_STOP, 0xE8, 0},
	{SDL_SCANCODE_AC_FORWARD, 0xE9, 0},
	{SDL_SCANCODE_AC_BACK, 0xEA, 0},
	{SDL_SCANCODE_COMPUTER, 0xEB, 0},
	{SDL_SCANCODE_MAIL, 0xEC, 0},
	{SDL_SCANCODE_MEDIASELECT, 0xED, 0},
};

struct cKeyTables
{
	std::array<BYTE, SDL_NUM_SCANCODES> scanCodeOfSdl{};
	std::array<int, 256> sdlOfScanCode{};
	std::array<UINT, 256> virtualKeyOfScanCode{};

	cKeyTables()
	{
		for (const sKeyRow& row : kKeys)
		{
			scanCodeOfSdl[row.sdl] = row.scanCode;
			if (!sdlOfScanCode[row.scanCode])
			{
				sdlOfScanCode[row.scanCode] = row.sdl;
				virtualKeyOfScanCode[row.scanCode] = row.virtualKey;
			}
		}
	}
};

const cKeyTables& Tables()
{
	static const cKeyTables tables;
	return tables;
}
}

namespace win32
{
BYTE ScanCodeFromSdl(int sdlScancode)
{
	if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES)
		return 0;
	return Tables().scanCodeOfSdl[sdlScancode];
}

int SdlScancodeFromScanCode(BYTE code)
{
	return Tables().sdlOfScanCode[code];
}

UINT VirtualKeyFromScanCode(BYTE code)
{
	return Tables().virtualKeyOfScanCode[code];
}

BYTE ScanCodeFromVirtualKey(UINT virtualKey)
{
	// Keys that the table names by another virtual key.
	static const BYTE kNumericPad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
	switch (virtualKey)
	{
	case 0:
		return 0;
	case VK_LSHIFT: return 0x2A;
	case VK_RSHIFT: return 0x36;
	case VK_LCONTROL: return 0x1D;
	case VK_RCONTROL: return 0x9D;
	case VK_LMENU: return 0x38;
	case VK_RMENU: return 0xB8;
	case VK_DECIMAL: return 0x53;
	default:
		if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9)
			return kNumericPad[virtualKey - VK_NUMPAD0];
		break;
	}
	const cKeyTables& tables = Tables();
	for (int code = 1; code < 256; ++code)
		if (tables.virtualKeyOfScanCode[code] == virtualKey)
			return static_cast<BYTE>(code);
	return 0;
}
}

UINT MapVirtualKeyA(UINT code, UINT mapType)
{
	switch (mapType)
	{
	case MAPVK_VSC_TO_VK:
		return code < 0x80 ? win32::VirtualKeyFromScanCode(static_cast<BYTE>(code)) : 0;
	case MAPVK_VK_TO_VSC:
		return code < 256 ? win32::ScanCodeFromVirtualKey(code) & 0x7F : 0;
	default:
		return 0;
	}
}
