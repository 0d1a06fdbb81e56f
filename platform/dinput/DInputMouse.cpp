#include "platform/dinput/DInputMouse.h"

#include <SDL.h>

#include <cmath>

namespace
{
const int kButtonCount = 4;
const float kWheelUnitsPerNotch = 120.0f;

// The state byte of an SDL button; -1 for one the mouse state has no room for.
int ButtonIndex(Uint8 button)
{
	switch (button)
	{
	case SDL_BUTTON_LEFT: return 0;
	case SDL_BUTTON_RIGHT: return 1;
	case SDL_BUTTON_MIDDLE: return 2;
	case SDL_BUTTON_X1: return 3;
	default: return -1;
	}
}
}

namespace dinput
{
cMouse::cMouse() : cDevice(c_dfDIMouse)
{
}

bool cMouse::OnInput(const SDL_Event& event, bool acquired)
{
	switch (event.type)
	{
	case SDL_MOUSEMOTION:
		if (acquired)
		{
			m_x += event.motion.xrel;
			m_y += event.motion.yrel;
		}
		return true;
	case SDL_MOUSEBUTTONDOWN:
	case SDL_MOUSEBUTTONUP:
	{
		int index = ButtonIndex(event.button.button);
		if (index < 0)
			return false;
		BYTE bit = static_cast<BYTE>(1 << index);
		if (event.button.state == SDL_PRESSED)
		{
			m_down |= bit;
			m_pressed |= bit;
		}
		else
			m_down &= static_cast<BYTE>(~bit);
		return true;
	}
	case SDL_MOUSEWHEEL:
		if (acquired)
		{
			float notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY
																			: event.wheel.preciseY;
			m_wheel += static_cast<LONG>(std::lround(notches * kWheelUnitsPerNotch));
		}
		return true;
	default:
		return false;
	}
}

void cMouse::ReadState(void* data)
{
	auto* state = static_cast<DIMOUSESTATE*>(data);
	state->lX = m_x;
	state->lY = m_y;
	state->lZ = m_wheel;
	BYTE shown = m_down | m_pressed;
	for (int i = 0; i < kButtonCount; ++i)
		state->rgbButtons[i] = (shown & (1 << i)) ? 0x80 : 0;
	ClearSinceLastRead();
}

void cMouse::FillCapabilities(DIDEVCAPS& capabilities)
{
	capabilities.dwDevType = DIDEVTYPE_MOUSE;
	capabilities.dwAxes = 3;
	capabilities.dwButtons = kButtonCount;
}

void cMouse::OnAcquire()
{
	ClearSinceLastRead();
}

void cMouse::OnFocusLost()
{
	// A release outside the window is never reported: every button counts as up.
	m_down = 0;
	m_pressed = 0;
}

void cMouse::ClearSinceLastRead()
{
	m_x = 0;
	m_y = 0;
	m_wheel = 0;
	m_pressed = 0;
}
}
