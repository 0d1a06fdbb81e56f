// Synthesised input as SDL events pushed into SDL's queue.

#include "platform/win32/Win32Input.h"

#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32KeyboardState.h"
#include "platform/win32/Win32Unicode.h"
#include "platform/win32/Win32Window.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace
{
const UINT kDoubleClickTime = 500;
// How far the cursor may move between the clicks of a double click.
const int kDoubleClickDistance = 4;

// The synthesised buttons: SDL's own record only follows real ones.
struct sClickRecord
{
	Uint32 time = 0;
	POINT point{0, 0};
	Uint8 clicks = 0;
};

struct cPointerRecord
{
	std::mutex lock;
	Uint32 buttons = 0;
	sClickRecord lastDown[SDL_BUTTON_X2 + 1];
};

cPointerRecord& Pointer()
{
	static cPointerRecord* record = new cPointerRecord;
	return *record;
}

struct sTarget
{
	Uint32 windowId;
	POINT point; // the cursor in the window's client pixels
};

sTarget FocusTarget()
{
	HWND window = GetFocus();
	sTarget target{0, {0, 0}};
	GetCursorPos(&target.point);
	if (window)
	{
		target.windowId = SDL_GetWindowID(win32::ToSdlWindow(window));
		ScreenToClient(window, &target.point);
	}
	return target;
}

bool Push(SDL_Event& event)
{
	return SDL_PushEvent(&event) == 1;
}

Uint8 ClicksOf(sClickRecord& last, const POINT& point)
{
	Uint32 now = SDL_GetTicks();
	bool near = std::abs(point.x - last.point.x) <= kDoubleClickDistance &&
		std::abs(point.y - last.point.y) <= kDoubleClickDistance;
	last.clicks = last.clicks && near && now - last.time <= kDoubleClickTime ? last.clicks + 1 : 1;
	last.time = now;
	last.point = point;
	return last.clicks;
}

bool PushButton(Uint8 button, bool down)
{
	cPointerRecord& pointer = Pointer();
	std::lock_guard<std::mutex> hold(pointer.lock);
	sTarget target = FocusTarget();
	SDL_Event event{};
	event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
	event.button.windowID = target.windowId;
	event.button.button = button;
	event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
	event.button.clicks = down ? ClicksOf(pointer.lastDown[button], target.point) : pointer.lastDown[button].clicks;
	event.button.x = target.point.x;
	event.button.y = target.point.y;
	if (down)
		pointer.buttons |= SDL_BUTTON(button);
	else
		pointer.buttons &= ~SDL_BUTTON(button);
	return Push(event);
}

bool PushMotion(int dx, int dy)
{
	cPointerRecord& pointer = Pointer();
	std::lock_guard<std::mutex> hold(pointer.lock);
	sTarget target = FocusTarget();
	SDL_Event event{};
	event.type = SDL_MOUSEMOTION;
	event.motion.windowID = target.windowId;
	event.motion.state = pointer.buttons;
	event.motion.x = target.point.x;
	event.motion.y = target.point.y;
	event.motion.xrel = dx;
	event.motion.yrel = dy;
	return Push(event);
}

bool PushWheel(int delta)
{
	SDL_Event event{};
	event.type = SDL_MOUSEWHEEL;
	event.wheel.windowID = FocusTarget().windowId;
	event.wheel.y = delta / WHEEL_DELTA;
	event.wheel.preciseY = static_cast<float>(delta) / WHEEL_DELTA;
	event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
	return Push(event);
}

bool SendMouse(const MOUSEINPUT& input)
{
	bool sent = true;
	if (input.dwFlags & MOUSEEVENTF_MOVE)
	{
		if (input.dwFlags & MOUSEEVENTF_ABSOLUTE)
		{
			int x = static_cast<int>((static_cast<long long>(input.dx) * GetSystemMetrics(SM_CXSCREEN)) / 65536);
			int y = static_cast<int>((static_cast<long long>(input.dy) * GetSystemMetrics(SM_CYSCREEN)) / 65536);
			sent = SetCursorPos(x, y) != FALSE;
		}
		else
			sent = PushMotion(input.dx, input.dy);
	}
	const struct
	{
		DWORD flag;
		Uint8 button;
		bool down;
	} kButtons[] = {
		{MOUSEEVENTF_LEFTDOWN, SDL_BUTTON_LEFT, true},
		{MOUSEEVENTF_LEFTUP, SDL_BUTTON_LEFT, false},
		{MOUSEEVENTF_RIGHTDOWN, SDL_BUTTON_RIGHT, true},
		{MOUSEEVENTF_RIGHTUP, SDL_BUTTON_RIGHT, false},
		{MOUSEEVENTF_MIDDLEDOWN, SDL_BUTTON_MIDDLE, true},
		{MOUSEEVENTF_MIDDLEUP, SDL_BUTTON_MIDDLE, false},
		{MOUSEEVENTF_XDOWN, 0, true},
		{MOUSEEVENTF_XUP, 0, false},
	};
	for (const auto& entry : kButtons)
	{
		if (!(input.dwFlags & entry.flag))
			continue;
		Uint8 button = entry.button;
		if (!button)
			button = (input.mouseData & XBUTTON2) ? SDL_BUTTON_X2 : SDL_BUTTON_X1;
		sent = PushButton(button, entry.down) && sent;
	}
	if (input.dwFlags & MOUSEEVENTF_WHEEL)
		sent = PushWheel(static_cast<int32_t>(input.mouseData)) && sent;
	return sent;
}

bool PushKey(BYTE code, bool down)
{
	auto scancode = static_cast<SDL_Scancode>(win32::SdlScancodeFromScanCode(code));
	if (scancode == SDL_SCANCODE_UNKNOWN)
		return false;
	SDL_Event event{};
	event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
	event.key.windowID = FocusTarget().windowId;
	event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
	event.key.keysym.scancode = scancode;
	event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
	event.key.keysym.mod = static_cast<Uint16>(SDL_GetModState());
	return Push(event);
}

bool PushText(const std::u16string& units)
{
	std::string text = win32::Utf16ToUtf8(units);
	SDL_Event event{};
	event.type = SDL_TEXTINPUT;
	event.text.windowID = FocusTarget().windowId;
	if (text.size() >= sizeof(event.text.text))
		return false;
	text.copy(event.text.text, text.size());
	return Push(event);
}

bool SendKey(const KEYBDINPUT& input)
{
	bool down = !(input.dwFlags & KEYEVENTF_KEYUP);
	BYTE code;
	if (input.dwFlags & KEYEVENTF_SCANCODE)
	{
		bool extended = (input.dwFlags & KEYEVENTF_EXTENDEDKEY) || (input.wScan & 0xFF00) == 0xE000;
		code = static_cast<BYTE>((input.wScan & 0x7F) | (extended ? 0x80 : 0));
	}
	else
	{
		code = win32::ScanCodeFromVirtualKey(input.wVk);
		if (input.dwFlags & KEYEVENTF_EXTENDEDKEY)
			code |= 0x80;
	}
	return PushKey(code, down);
}

bool IsUnicodeDown(const INPUT& input)
{
	return input.type == INPUT_KEYBOARD && (input.ki.dwFlags & KEYEVENTF_UNICODE) &&
		!(input.ki.dwFlags & KEYEVENTF_KEYUP);
}
}

UINT SendInput(UINT count, INPUT* inputs, int size)
{
	if (!inputs || size != static_cast<int>(sizeof(INPUT)) || !win32::IsVideoStarted())
		return 0;
	UINT sent = 0;
	for (UINT i = 0; i < count; ++i)
	{
		const INPUT& input = inputs[i];
		bool done = false;
		if (input.type == INPUT_MOUSE)
			done = SendMouse(input.mi);
		else if (input.type == INPUT_KEYBOARD && (input.ki.dwFlags & KEYEVENTF_UNICODE))
		{
			// A character typed as text; its release types nothing. A
			// surrogate pair in two inputs is one character.
			done = true;
			if (IsUnicodeDown(input))
			{
				std::u16string units(1, static_cast<char16_t>(input.ki.wScan));
				if (i + 1 < count && IsUnicodeDown(inputs[i + 1]) && units[0] >= 0xD800 && units[0] <= 0xDBFF)
				{
					units += static_cast<char16_t>(inputs[++i].ki.wScan);
					++sent;
				}
				done = PushText(units);
			}
		}
		else if (input.type == INPUT_KEYBOARD)
			done = SendKey(input.ki);
		if (done)
			++sent;
	}
	return sent;
}

BOOL SendFocusChange(HWND window, BOOL gained)
{
	if (!win32::IsLiveWindow(window))
		return FALSE;
	auto push = [](HWND target, Uint8 change) {
		SDL_Event event{};
		event.type = SDL_WINDOWEVENT;
		event.window.windowID = SDL_GetWindowID(win32::ToSdlWindow(target));
		event.window.event = change;
		return Push(event);
	};
	HWND previous = GetFocus();
	if (gained && previous && previous != window && !push(previous, SDL_WINDOWEVENT_FOCUS_LOST))
		return FALSE;
	return push(window, gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

BOOL SetCursorPos(int x, int y)
{
	if (!win32::IsVideoThread() || SDL_WarpMouseGlobal(x, y) != 0)
		return FALSE;
	win32::StoreCursorPosition(x, y);
	return TRUE;
}

UINT GetDoubleClickTime()
{
	return kDoubleClickTime;
}
