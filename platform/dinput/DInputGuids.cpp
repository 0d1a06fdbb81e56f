// The identifiers and data formats of the DirectInput stand-in.

#include "platform/dinput/DInput.h"

const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID IID_IDirectInput7A = {0x9A4CB684, 0x236D, 0x11D3, {0x8E, 0x9D, 0x00, 0xC0, 0x4F, 0x68, 0x44, 0xAE}};
const GUID IID_IDirectInputDevice7A = {0x57D7C6BC, 0x2356, 0x11D3, {0x8E, 0x9D, 0x00, 0xC0, 0x4F, 0x68, 0x44, 0xAE}};
// Property identifiers: plain numbers in the first field.
const GUID DIPROP_RANGE = {4, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const GUID DIPROP_DEADZONE = {5, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 0, DIDF_RELAXIS, 256, 0, nullptr};
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), 0, DIDF_RELAXIS, sizeof(DIMOUSESTATE), 0, nullptr};
const DIDATAFORMAT c_dfDIJoystick = {sizeof(DIDATAFORMAT), 0, DIDF_ABSAXIS, sizeof(DIJOYSTATE), 0, nullptr};

static_assert(sizeof(DIMOUSESTATE) == 16, "DIMOUSESTATE is 16 bytes");
static_assert(sizeof(DIJOYSTATE) == 80, "DIJOYSTATE is 80 bytes");
static_assert(sizeof(GUID) == 16, "GUID is 16 bytes");
