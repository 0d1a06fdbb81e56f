#include "platform/dinput/DInputJoystick.h"

#include "platform/win32/Win32Internal.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
const int kPovCount = 4;
const int kButtonCount = 32;
const DWORD kFullDeadZone = 10000;
const DWORD kCentredPov = 0xFFFFFFFFu;

// A hat's position as a point of view: hundredths of degrees clockwise from north.
DWORD PovOf(Uint8 hat)
{
	switch (hat)
	{
	case SDL_HAT_UP: return 0;
	case SDL_HAT_RIGHTUP: return 4500;
	case SDL_HAT_RIGHT: return 9000;
	case SDL_HAT_RIGHTDOWN: return 13500;
	case SDL_HAT_DOWN: return 18000;
	case SDL_HAT_LEFTDOWN: return 22500;
	case SDL_HAT_LEFT: return 27000;
	case SDL_HAT_LEFTUP: return 31500;
	default: return kCentredPov;
	}
}

bool IsEventOf(const SDL_Event& event, SDL_JoystickID id)
{
	switch (event.type)
	{
	case SDL_JOYAXISMOTION: return event.jaxis.which == id;
	case SDL_JOYBALLMOTION: return event.jball.which == id;
	case SDL_JOYHATMOTION: return event.jhat.which == id;
	case SDL_JOYBUTTONDOWN:
	case SDL_JOYBUTTONUP: return event.jbutton.which == id;
	default: return false;
	}
}
}

namespace dinput
{
cJoystick::cJoystick(SDL_Joystick* joystick) : cDevice(c_dfDIJoystick), m_joystick(joystick)
{
	// Keeps the joystick interface running for as long as the device lives.
	SDL_InitSubSystem(SDL_INIT_JOYSTICK);
}

cJoystick::~cJoystick()
{
	SDL_JoystickClose(m_joystick);
	SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

HRESULT cJoystick::SetProperty(const GUID& property, const DIPROPHEADER* header)
{
	bool range = property == DIPROP_RANGE;
	if (!header || (!range && !(property == DIPROP_DEADZONE)))
		return DIERR_UNSUPPORTED;
	DWORD expectedSize = range ? sizeof(DIPROPRANGE) : sizeof(DIPROPDWORD);
	if (header->dwSize != expectedSize || header->dwHeaderSize != sizeof(DIPROPHEADER))
		return DIERR_INVALIDPARAM;

	int first = 0, last = kAxisCount - 1;
	if (header->dwHow == DIPH_BYOFFSET)
	{
		if (header->dwObj % sizeof(LONG) != 0 || header->dwObj / sizeof(LONG) >= kAxisCount)
			return DIERR_OBJECTNOTFOUND;
		first = last = static_cast<int>(header->dwObj / sizeof(LONG));
	}
	else if (header->dwHow != DIPH_DEVICE || header->dwObj != 0)
		return DIERR_INVALIDPARAM;

	std::lock_guard<std::mutex> hold(m_lock);
	for (int i = first; i <= last; ++i)
	{
		if (range)
		{
			auto* values = reinterpret_cast<const DIPROPRANGE*>(header);
			if (values->lMin >= values->lMax)
				return DIERR_INVALIDPARAM;
			m_axes[i].minimum = values->lMin;
			m_axes[i].maximum = values->lMax;
		}
		else
		{
			auto* value = reinterpret_cast<const DIPROPDWORD*>(header);
			if (value->dwData > kFullDeadZone)
				return DIERR_INVALIDPARAM;
			m_axes[i].deadZone = value->dwData;
		}
	}
	return DI_OK;
}

HRESULT cJoystick::Poll()
{
	HRESULT result = cDevice::Poll();
	if (SUCCEEDED(result) && win32::IsVideoThread())
		SDL_JoystickUpdate();
	return result;
}

bool cJoystick::OnInput(const SDL_Event& event, bool)
{
	return IsEventOf(event, SDL_JoystickInstanceID(m_joystick));
}

LONG cJoystick::Scale(const sAxis& axis, int raw)
{
	double value = std::clamp(raw / 32767.0, -1.0, 1.0);
	double deadZone = static_cast<double>(axis.deadZone) / kFullDeadZone;
	double magnitude = std::fabs(value);
	value = magnitude <= deadZone ? 0.0 : std::copysign((magnitude - deadZone) / (1.0 - deadZone), value);
	double span = static_cast<double>(axis.maximum) - axis.minimum;
	return static_cast<LONG>(std::lround(axis.minimum + (value + 1.0) / 2.0 * span));
}

void cJoystick::ReadState(void* data)
{
	auto* state = static_cast<DIJOYSTATE*>(data);
	std::memset(state, 0, sizeof(*state));
	LONG* axes[kAxisCount] = {&state->lX, &state->lY, &state->lZ, &state->lRx, &state->lRy, &state->lRz,
		&state->rglSlider[0], &state->rglSlider[1]};
	int axisCount = std::min(SDL_JoystickNumAxes(m_joystick), kAxisCount);
	for (int i = 0; i < axisCount; ++i)
		*axes[i] = Scale(m_axes[i], SDL_JoystickGetAxis(m_joystick, i));

	int hatCount = std::min(SDL_JoystickNumHats(m_joystick), kPovCount);
	for (int i = 0; i < kPovCount; ++i)
		state->rgdwPOV[i] = i < hatCount ? PovOf(SDL_JoystickGetHat(m_joystick, i)) : kCentredPov;

	int buttonCount = std::min(SDL_JoystickNumButtons(m_joystick), kButtonCount);
	for (int i = 0; i < buttonCount; ++i)
		state->rgbButtons[i] = SDL_JoystickGetButton(m_joystick, i) ? 0x80 : 0;
}

void cJoystick::FillCapabilities(DIDEVCAPS& capabilities)
{
	bool gamePad = SDL_JoystickGetType(m_joystick) == SDL_JOYSTICK_TYPE_GAMECONTROLLER;
	DWORD subType = gamePad ? DIDEVTYPEJOYSTICK_GAMEPAD : DIDEVTYPEJOYSTICK_TRADITIONAL;
	capabilities.dwDevType = DIDEVTYPE_JOYSTICK | (subType << 8);
	capabilities.dwAxes = static_cast<DWORD>(std::min(SDL_JoystickNumAxes(m_joystick), kAxisCount));
	capabilities.dwButtons = static_cast<DWORD>(std::min(SDL_JoystickNumButtons(m_joystick), kButtonCount));
	capabilities.dwPOVs = static_cast<DWORD>(std::min(SDL_JoystickNumHats(m_joystick), kPovCount));
}
}
