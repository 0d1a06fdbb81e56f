#include "platform/dinput/DInputKeyboard.h"

#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32KeyboardState.h"

#include <SDL.h>

namespace
{
const DWORD kKeyCount = 128;
}

namespace dinput
{
cKeyboard::cKeyboard() : cDevice(c_dfDIKeyboard)
{
	win32::TrackKeyboard();
	// The typed text comes from SDL's text input.
	if (win32::IsVideoThread() && !SDL_IsTextInputActive())
		SDL_StartTextInput();
}

bool cKeyboard::OnInput(const SDL_Event& event, bool)
{
	return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
}

void cKeyboard::ReadState(void* data)
{
	win32::GetScanCodeStates(static_cast<BYTE*>(data));
}

void cKeyboard::FillCapabilities(DIDEVCAPS& capabilities)
{
	capabilities.dwDevType = DIDEVTYPE_KEYBOARD;
	capabilities.dwButtons = kKeyCount;
}
}
