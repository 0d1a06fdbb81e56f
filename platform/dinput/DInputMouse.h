#pragma once
// The system mouse: motion, wheel and four buttons, summed between reads.

#include "platform/dinput/DInputDevice.h"

namespace dinput
{
class cMouse : public cDevice
{
public:
	cMouse();

protected:
	bool OnInput(const SDL_Event& event, bool acquired) override;
	void ReadState(void* data) override;
	void FillCapabilities(DIDEVCAPS& capabilities) override;
	void OnAcquire() override;
	void OnFocusLost() override;

private:
	void ClearSinceLastRead();

	LONG m_x = 0;
	LONG m_y = 0;
	LONG m_wheel = 0;
	// Bit per button: down now, and went down since the previous read.
	BYTE m_down = 0;
	BYTE m_pressed = 0;
};
}
