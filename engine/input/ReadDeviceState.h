#pragma once
// One read of a DirectInput device's state, with the re-acquisitions a lost
// or not yet acquired device needs.

#include "platform/dinput/DInput.h"

// Reads the state; after a failed read the device is acquired and read
// again, up to five times. False when every read failed (data is then as
// it was).
bool ReadDeviceState(IDirectInputDevice7* device, DWORD size, void* data);
