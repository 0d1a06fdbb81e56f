#pragma once
// The DirectInput object: makes the devices and lists them.

#include "platform/dinput/DInput.h"

#include <atomic>

namespace dinput
{
class cDirectInput : public IDirectInput7
{
public:
	cDirectInput() = default;

	HRESULT QueryInterface(const GUID& iid, void** object) override;
	ULONG AddRef() override;
	ULONG Release() override;

	HRESULT CreateDevice(const GUID& instance, IDirectInputDevice7** device, void* outer) override;
	HRESULT EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD flags) override;

private:
	virtual ~cDirectInput();

	// Starts SDL's joystick interface on first use; it then runs until the
	// object goes, so that joysticks keep their instance identifiers.
	void StartJoysticks();
	// Calls back for every joystick until the callback stops.
	void EnumJoysticks(LPDIENUMDEVICESCALLBACKA callback, void* context);
	IDirectInputDevice7* OpenJoystick(const GUID& instance);

	std::atomic<ULONG> m_references{1};
	bool m_joysticksStarted = false;
};
}
