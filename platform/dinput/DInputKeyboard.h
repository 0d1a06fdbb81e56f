#pragma once
// The system keyboard: 256 key bytes by key code.

#include "platform/dinput/DInputDevice.h"

namespace dinput
{
class cKeyboard : public cDevice
{
public:
	// Starts following the keyboard and the text typed on it.
	cKeyboard();

protected:
	bool OnInput(const SDL_Event& event, bool acquired) override;
	void ReadState(void* data) override;
	void FillCapabilities(DIDEVCAPS& capabilities) override;
};
}
