#pragma once
// DirectInput 7: the keyboard, the mouse and joysticks as devices whose
// state a program reads when it wants. Devices follow the events the window
// layer takes from the window system (PeekMessageA and friends), so their
// state is as fresh as the last look at the message queue.
//
// - A device reads only while acquired. With DISCL_FOREGROUND it can be
//   acquired only while its cooperative window has the keyboard focus, and
//   losing the focus unacquires it (reads then fail with DIERR_INPUTLOST or
//   DIERR_NOTACQUIRED until the next successful Acquire).
// - Keyboard state: 256 bytes by key code (DInputKeys.h), 0x80 when down.
// - Mouse state (DIMOUSESTATE): the motion in lX and lY and the wheel in lZ
//   (120 per notch, positive away from the user) summed since the previous
//   read of the device, whoever made it; rgbButtons 0x80 for a button down
//   (0 left, 1 right, 2 middle, 3 the first side button). A button that went
//   down since the previous read reads as down once even when it is already
//   up again, so that no click falls between two reads.
// - The event given to SetEventNotification is signalled on every input of
//   the device while it is acquired.
// - Joysticks (DIJOYSTATE): the first six axes in lX to lRz and the next two
//   in rglSlider, each in its range (0 to 65535 unless set) with its dead
//   zone; the first four hats as points of view in hundredths of degrees
//   clockwise from north (0xFFFFFFFF when centred); 32 buttons.
//
// Objects are reference counted: AddRef, Release (the last frees it).

#include "platform/dinput/DInputKeys.h"
#include "platform/win32/Win32Types.h"

#define DIRECTINPUT_VERSION 0x0700

// Results.
#define DI_OK S_OK
#define DI_NOEFFECT S_FALSE
#define DIERR_GENERIC E_FAIL
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_UNSUPPORTED ((HRESULT)0x80004001L)
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002L)
#define DIERR_OTHERAPPHASPRIO ((HRESULT)0x80070005L)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000CL)
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015L)
#define DIERR_INPUTLOST ((HRESULT)0x8007001EL)
#define DIERR_ACQUIRED ((HRESULT)0x800700AAL)
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047EL)
#define DIERR_BETADIRECTINPUTVERSION ((HRESULT)0x80070481L)
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154L)

// Cooperative levels: one of the first two with one of the next two. An
// exclusive level is accepted and behaves as the non-exclusive one.
#define DISCL_EXCLUSIVE 0x00000001u
#define DISCL_NONEXCLUSIVE 0x00000002u
#define DISCL_FOREGROUND 0x00000004u
#define DISCL_BACKGROUND 0x00000008u

// Device types (low byte of dwDevType; the sub-type is in the next byte).
#define DIDEVTYPE_DEVICE 1
#define DIDEVTYPE_MOUSE 2
#define DIDEVTYPE_KEYBOARD 3
#define DIDEVTYPE_JOYSTICK 4
#define DIDEVTYPEJOYSTICK_TRADITIONAL 2
#define DIDEVTYPEJOYSTICK_GAMEPAD 4

#define DIEDFL_ALLDEVICES 0x00000000u
#define DIEDFL_ATTACHEDONLY 0x00000001u
#define DIENUM_STOP 0
#define DIENUM_CONTINUE 1

#define DIDC_ATTACHED 0x00000001u
#define DIDC_POLLEDDEVICE 0x00000002u

// How a property names its object.
#define DIPH_DEVICE 0
#define DIPH_BYOFFSET 1

#ifndef MAX_PATH
#define MAX_PATH 260
#endif

struct DIMOUSESTATE
{
	LONG lX;
	LONG lY;
	LONG lZ;
	BYTE rgbButtons[4];
};

struct DIJOYSTATE
{
	LONG lX;
	LONG lY;
	LONG lZ;
	LONG lRx;
	LONG lRy;
	LONG lRz;
	LONG rglSlider[2];
	DWORD rgdwPOV[4];
	BYTE rgbButtons[32];
};

// Offsets of the joystick axes in DIJOYSTATE, for properties by offset.
#define DIJOFS_X 0
#define DIJOFS_Y 4
#define DIJOFS_Z 8
#define DIJOFS_RX 12
#define DIJOFS_RY 16
#define DIJOFS_RZ 20
#define DIJOFS_SLIDER(n) (24 + (n) * 4)

// Axis modes of a data format.
#define DIDF_ABSAXIS 0x00000001u
#define DIDF_RELAXIS 0x00000002u

// A data format tells a device which state structure reads give; only the
// three predefined formats are known.
struct DIDATAFORMAT
{
	DWORD dwSize;
	DWORD dwObjSize;
	DWORD dwFlags;
	DWORD dwDataSize;
	DWORD dwNumObjs;
	const void* rgodf;
};

extern const DIDATAFORMAT c_dfDIKeyboard; // 256 bytes
extern const DIDATAFORMAT c_dfDIMouse;    // DIMOUSESTATE
extern const DIDATAFORMAT c_dfDIJoystick; // DIJOYSTATE

struct DIPROPHEADER
{
	DWORD dwSize;       // of the whole property structure
	DWORD dwHeaderSize; // sizeof(DIPROPHEADER)
	DWORD dwObj;        // 0 for DIPH_DEVICE, else the axis offset
	DWORD dwHow;
};

// DIPROP_RANGE: the values an axis reports, lMin to lMax.
struct DIPROPRANGE
{
	DIPROPHEADER diph;
	LONG lMin;
	LONG lMax;
};

// DIPROP_DEADZONE: the part of an axis around its centre that reads as the
// centre, in ten-thousandths of its half range (0 to 10000).
struct DIPROPDWORD
{
	DIPROPHEADER diph;
	DWORD dwData;
};

struct DIDEVCAPS
{
	DWORD dwSize;
	DWORD dwFlags;
	DWORD dwDevType;
	DWORD dwAxes;
	DWORD dwButtons;
	DWORD dwPOVs;
	DWORD dwFFSamplePeriod;
	DWORD dwFFMinTimeResolution;
	DWORD dwFirmwareRevision;
	DWORD dwHardwareRevision;
	DWORD dwFFDriverVersion;
};

struct DIDEVICEINSTANCEA
{
	DWORD dwSize;
	GUID guidInstance; // what CreateDevice takes
	GUID guidProduct;
	DWORD dwDevType;
	char tszInstanceName[MAX_PATH];
	char tszProductName[MAX_PATH];
	GUID guidFFDriver;
	WORD wUsagePage;
	WORD wUsage;
};

typedef BOOL(CALLBACK* LPDIENUMDEVICESCALLBACKA)(const DIDEVICEINSTANCEA* instance, void* context);

extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;
extern const GUID IID_IDirectInput7A;
extern const GUID IID_IDirectInputDevice7A;
extern const GUID DIPROP_RANGE;
extern const GUID DIPROP_DEADZONE;

class IDirectInputDevice7
{
public:
	// IID_IDirectInputDevice7A gives the device itself with one more reference.
	virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;

	virtual HRESULT GetCapabilities(DIDEVCAPS* capabilities) = 0;
	// Joysticks: DIPROP_RANGE (DIPROPRANGE) and DIPROP_DEADZONE (DIPROPDWORD)
	// of one axis (DIPH_BYOFFSET) or of all (DIPH_DEVICE).
	virtual HRESULT SetProperty(const GUID& property, const DIPROPHEADER* header) = 0;
	virtual HRESULT Acquire() = 0;
	virtual HRESULT Unacquire() = 0;
	// size must be the data format's size.
	virtual HRESULT GetDeviceState(DWORD size, void* data) = 0;
	// Only while not acquired.
	virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
	// Null ends the notification.
	virtual HRESULT SetEventNotification(HANDLE event) = 0;
	// Only while not acquired; DISCL_FOREGROUND needs a top-level window.
	virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
	// Devices are up to date whenever read: DI_NOEFFECT while acquired.
	virtual HRESULT Poll() = 0;

protected:
	~IDirectInputDevice7() = default;
};

class IDirectInput7
{
public:
	// IID_IDirectInput7A gives the object itself with one more reference.
	virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;

	// GUID_SysKeyboard, GUID_SysMouse or the instance GUID of an enumerated
	// joystick; outer must be null.
	virtual HRESULT CreateDevice(const GUID& instance, IDirectInputDevice7** device, void* outer) = 0;
	// Calls back for every device of the type (0: all) until the callback
	// returns DIENUM_STOP.
	virtual HRESULT EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD flags) = 0;

protected:
	~IDirectInput7() = default;
};

typedef IDirectInput7* LPDIRECTINPUT7;
typedef IDirectInputDevice7* LPDIRECTINPUTDEVICE7;

// Versions 0x0300 to 0x0700. Fails (DIERR_NOTINITIALIZED) while the window
// system is not running: a window must exist first.
HRESULT DirectInputCreateA(HINSTANCE instance, DWORD version, IDirectInput7** object, void* outer);
