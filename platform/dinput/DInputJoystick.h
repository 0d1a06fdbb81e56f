#pragma once
// A joystick or game pad over SDL's joystick interface.

#include "platform/dinput/DInputDevice.h"

struct _SDL_Joystick;

namespace dinput
{
class cJoystick : public cDevice
{
public:
	// Takes over the opened joystick.
	explicit cJoystick(_SDL_Joystick* joystick);
	~cJoystick() override;

	HRESULT SetProperty(const GUID& property, const DIPROPHEADER* header) override;
	// Brings the joystick's state up to date (on the window thread).
	HRESULT Poll() override;

	// The axes DIJOYSTATE has room for: X, Y, Z, Rx, Ry, Rz, two sliders.
	static constexpr int kAxisCount = 8;

protected:
	bool OnInput(const SDL_Event& event, bool acquired) override;
	void ReadState(void* data) override;
	void FillCapabilities(DIDEVCAPS& capabilities) override;

private:
	struct sAxis
	{
		LONG minimum = 0;
		LONG maximum = 65535;
		DWORD deadZone = 0; // ten-thousandths of the half range
	};

	// The value an axis reports for SDL's -32768 to 32767.
	static LONG Scale(const sAxis& axis, int raw);

	_SDL_Joystick* m_joystick;
	sAxis m_axes[kAxisCount];
};
}
