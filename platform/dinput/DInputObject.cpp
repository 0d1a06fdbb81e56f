#include "platform/dinput/DInputObject.h"

#include "platform/dinput/DInputJoystick.h"
#include "platform/dinput/DInputKeyboard.h"
#include "platform/dinput/DInputMouse.h"
#include "platform/win32/Win32Internal.h"

#include <SDL.h>

#include <cstring>

namespace
{
const DWORD kOldestVersion = 0x0300;

// A joystick's instance identifier: a fixed pattern holding SDL's instance id.
GUID JoystickInstanceGuid(SDL_JoystickID id)
{
	GUID guid{0x4A6F7953, 0x5344, 0x4C32, {0, 0, 0, 0, 0, 0, 0, 0}};
	std::memcpy(&guid.Data4[4], &id, sizeof(id));
	return guid;
}

DIDEVICEINSTANCEA DeviceInstance(const GUID& instance, DWORD type, const char* name)
{
	DIDEVICEINSTANCEA device{};
	device.dwSize = sizeof(device);
	device.guidInstance = instance;
	device.guidProduct = instance;
	device.dwDevType = type;
	SDL_strlcpy(device.tszInstanceName, name ? name : "", sizeof(device.tszInstanceName));
	SDL_strlcpy(device.tszProductName, name ? name : "", sizeof(device.tszProductName));
	return device;
}

template <class Device>
IDirectInputDevice7* Started(Device* device)
{
	device->Start();
	return device;
}

bool Wants(DWORD asked, DWORD type)
{
	return asked == 0 || asked == type;
}
}

namespace dinput
{
cDirectInput::~cDirectInput()
{
	if (m_joysticksStarted)
		SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

HRESULT cDirectInput::QueryInterface(const GUID& iid, void** object)
{
	if (!object)
		return DIERR_INVALIDPARAM;
	if (!(iid == IID_IDirectInput7A))
	{
		*object = nullptr;
		return DIERR_NOINTERFACE;
	}
	AddRef();
	*object = static_cast<IDirectInput7*>(this);
	return DI_OK;
}

ULONG cDirectInput::AddRef()
{
	return ++m_references;
}

ULONG cDirectInput::Release()
{
	ULONG left = --m_references;
	if (left == 0)
		delete this;
	return left;
}

HRESULT cDirectInput::CreateDevice(const GUID& instance, IDirectInputDevice7** device, void* outer)
{
	if (!device || outer)
		return DIERR_INVALIDPARAM;
	if (instance == GUID_SysKeyboard)
		*device = Started(new cKeyboard);
	else if (instance == GUID_SysMouse)
		*device = Started(new cMouse);
	else
		*device = OpenJoystick(instance);
	return *device ? DI_OK : DIERR_DEVICENOTREG;
}

HRESULT cDirectInput::EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD)
{
	if (!callback)
		return DIERR_INVALIDPARAM;
	DWORD asked = deviceType & 0xFF;
	if (Wants(asked, DIDEVTYPE_KEYBOARD))
	{
		DIDEVICEINSTANCEA keyboard = DeviceInstance(GUID_SysKeyboard, DIDEVTYPE_KEYBOARD, "Keyboard");
		if (callback(&keyboard, context) == DIENUM_STOP)
			return DI_OK;
	}
	if (Wants(asked, DIDEVTYPE_MOUSE))
	{
		DIDEVICEINSTANCEA mouse = DeviceInstance(GUID_SysMouse, DIDEVTYPE_MOUSE, "Mouse");
		if (callback(&mouse, context) == DIENUM_STOP)
			return DI_OK;
	}
	if (Wants(asked, DIDEVTYPE_JOYSTICK))
		EnumJoysticks(callback, context);
	return DI_OK;
}

void cDirectInput::StartJoysticks()
{
	if (m_joysticksStarted)
		return;
	// The devices' cooperative levels decide when joysticks are read: SDL
	// must keep their state whichever window has the focus.
	SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
	m_joysticksStarted = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

void cDirectInput::EnumJoysticks(LPDIENUMDEVICESCALLBACKA callback, void* context)
{
	StartJoysticks();
	if (!m_joysticksStarted)
		return;
	for (int index = 0; index < SDL_NumJoysticks(); ++index)
	{
		DWORD subType = SDL_IsGameController(index) ? DIDEVTYPEJOYSTICK_GAMEPAD : DIDEVTYPEJOYSTICK_TRADITIONAL;
		DIDEVICEINSTANCEA joystick = DeviceInstance(JoystickInstanceGuid(SDL_JoystickGetDeviceInstanceID(index)),
			DIDEVTYPE_JOYSTICK | (subType << 8), SDL_JoystickNameForIndex(index));
		SDL_JoystickGUID product = SDL_JoystickGetDeviceGUID(index);
		static_assert(sizeof(product) == sizeof(GUID));
		std::memcpy(&joystick.guidProduct, &product, sizeof(GUID));
		if (callback(&joystick, context) == DIENUM_STOP)
			return;
	}
}

IDirectInputDevice7* cDirectInput::OpenJoystick(const GUID& instance)
{
	StartJoysticks();
	if (!m_joysticksStarted)
		return nullptr;
	for (int index = 0; index < SDL_NumJoysticks(); ++index)
	{
		if (!(JoystickInstanceGuid(SDL_JoystickGetDeviceInstanceID(index)) == instance))
			continue;
		SDL_Joystick* joystick = SDL_JoystickOpen(index);
		return joystick ? Started(new cJoystick(joystick)) : nullptr;
	}
	return nullptr;
}
}

HRESULT DirectInputCreateA(HINSTANCE, DWORD version, IDirectInput7** object, void* outer)
{
	if (!object || outer)
		return DIERR_INVALIDPARAM;
	*object = nullptr;
	if (version < kOldestVersion)
		return DIERR_OLDDIRECTINPUTVERSION;
	if (version > DIRECTINPUT_VERSION)
		return DIERR_BETADIRECTINPUTVERSION;
	if (!win32::IsVideoStarted())
		return DIERR_NOTINITIALIZED;
	*object = new dinput::cDirectInput;
	return DI_OK;
}
