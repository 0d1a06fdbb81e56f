// Joysticks over SDL's joystick interface, with a virtual joystick.

#include "DInputTestSupport.h"

namespace
{
const int kAxes = 3;
const int kButtons = 20;
const int kHats = 1;

class cDInputJoystickTest : public cDInputTest
{
protected:
	void SetUp() override
	{
		cDInputTest::SetUp();
		ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
		m_index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes, kButtons, kHats);
		ASSERT_GE(m_index, 0) << SDL_GetError();
		m_virtual = SDL_JoystickOpen(m_index);
		ASSERT_NE(m_virtual, nullptr);
	}

	void TearDown() override
	{
		cDInputTest::TearDown();
		SDL_JoystickClose(m_virtual);
		SDL_JoystickDetachVirtual(m_index);
		SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
	}

	std::vector<DIDEVICEINSTANCEA> Joysticks()
	{
		std::vector<DIDEVICEINSTANCEA> found;
		auto collect = [](const DIDEVICEINSTANCEA* instance, void* context) -> BOOL {
			static_cast<std::vector<DIDEVICEINSTANCEA>*>(context)->push_back(*instance);
			return DIENUM_CONTINUE;
		};
		EXPECT_EQ(m_input->EnumDevices(DIDEVTYPE_JOYSTICK, collect, &found, DIEDFL_ATTACHEDONLY), DI_OK);
		return found;
	}

	DIJOYSTATE Read(IDirectInputDevice7* joystick)
	{
		DIJOYSTATE state{};
		EXPECT_EQ(joystick->Poll(), DI_NOEFFECT);
		EXPECT_EQ(joystick->GetDeviceState(sizeof(state), &state), DI_OK);
		return state;
	}

	int m_index = -1;
	SDL_Joystick* m_virtual = nullptr;
};
}

TEST_F(cDInputJoystickTest, EnumeratedJoystickReadsItsAxesButtonsAndHat)
{
	std::vector<DIDEVICEINSTANCEA> joysticks = Joysticks();
	ASSERT_EQ(joysticks.size(), 1u);
	EXPECT_EQ(joysticks[0].dwDevType, DWORD(DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_GAMEPAD << 8)));
	IDirectInputDevice7* joystick =
		MakeDevice(joysticks[0].guidInstance, c_dfDIJoystick, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
	ASSERT_NE(joystick, nullptr);
	ASSERT_EQ(joystick->Acquire(), DI_OK);

	DIDEVCAPS capabilities{};
	capabilities.dwSize = sizeof(capabilities);
	ASSERT_EQ(joystick->GetCapabilities(&capabilities), DI_OK);
	EXPECT_EQ(capabilities.dwAxes, DWORD(kAxes));
	EXPECT_EQ(capabilities.dwButtons, DWORD(kButtons));
	EXPECT_EQ(capabilities.dwPOVs, DWORD(kHats));

	// X in -10..10 with a dead zone of 10 %; Y in -10..10 without; Z in the default 0..65535.
	for (DWORD axis : {DWORD(DIJOFS_X), DWORD(DIJOFS_Y)})
	{
		DIPROPRANGE range{{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), axis, DIPH_BYOFFSET}, -10, 10};
		EXPECT_EQ(joystick->SetProperty(DIPROP_RANGE, &range.diph), DI_OK);
	}
	DIPROPDWORD deadZone{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), DIJOFS_X, DIPH_BYOFFSET}, 1000};
	EXPECT_EQ(joystick->SetProperty(DIPROP_DEADZONE, &deadZone.diph), DI_OK);

	SDL_JoystickSetVirtualAxis(m_virtual, 0, 3000);
	SDL_JoystickSetVirtualAxis(m_virtual, 1, 3000);
	SDL_JoystickSetVirtualAxis(m_virtual, 2, 32767);
	SDL_JoystickSetVirtualButton(m_virtual, 0, SDL_PRESSED);
	SDL_JoystickSetVirtualButton(m_virtual, 19, SDL_PRESSED);
	SDL_JoystickSetVirtualHat(m_virtual, 0, SDL_HAT_RIGHTDOWN);
	DIJOYSTATE state = Read(joystick);
	EXPECT_EQ(state.lX, 0);
	EXPECT_EQ(state.lY, 1);
	EXPECT_EQ(state.lZ, 65535);
	EXPECT_EQ(state.lRx, 0); // no such axis
	EXPECT_EQ(state.rgbButtons[0], 0x80);
	EXPECT_EQ(state.rgbButtons[1], 0);
	EXPECT_EQ(state.rgbButtons[19], 0x80);
	EXPECT_EQ(state.rgdwPOV[0], 13500u);
	EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);

	SDL_JoystickSetVirtualAxis(m_virtual, 0, -32768);
	SDL_JoystickSetVirtualAxis(m_virtual, 1, 16384);
	SDL_JoystickSetVirtualButton(m_virtual, 0, SDL_RELEASED);
	SDL_JoystickSetVirtualHat(m_virtual, 0, SDL_HAT_CENTERED);
	state = Read(joystick);
	EXPECT_EQ(state.lX, -10);
	EXPECT_EQ(state.lY, 5);
	EXPECT_EQ(state.rgbButtons[0], 0);
	EXPECT_EQ(state.rgdwPOV[0], 0xFFFFFFFFu);
}

TEST_F(cDInputJoystickTest, PropertyChecks)
{
	std::vector<DIDEVICEINSTANCEA> joysticks = Joysticks();
	ASSERT_EQ(joysticks.size(), 1u);
	IDirectInputDevice7* joystick =
		MakeDevice(joysticks[0].guidInstance, c_dfDIJoystick, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
	ASSERT_NE(joystick, nullptr);
	DIPROPRANGE range{{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), DIJOFS_X, DIPH_BYOFFSET}, 10, -10};
	EXPECT_EQ(joystick->SetProperty(DIPROP_RANGE, &range.diph), DIERR_INVALIDPARAM);
	range = {{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), 3, DIPH_BYOFFSET}, -1, 1};
	EXPECT_EQ(joystick->SetProperty(DIPROP_RANGE, &range.diph), DIERR_OBJECTNOTFOUND);
	range = {{sizeof(DIPROPRANGE) - 4, sizeof(DIPROPHEADER), DIJOFS_X, DIPH_BYOFFSET}, -1, 1};
	EXPECT_EQ(joystick->SetProperty(DIPROP_RANGE, &range.diph), DIERR_INVALIDPARAM);
	DIPROPDWORD deadZone{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 10001};
	EXPECT_EQ(joystick->SetProperty(DIPROP_DEADZONE, &deadZone.diph), DIERR_INVALIDPARAM);
	deadZone.dwData = 10000;
	EXPECT_EQ(joystick->SetProperty(DIPROP_DEADZONE, &deadZone.diph), DI_OK);
	EXPECT_EQ(joystick->SetProperty(GUID_SysMouse, &deadZone.diph), DIERR_UNSUPPORTED);

	// A whole dead zone keeps every axis at its centre.
	ASSERT_EQ(joystick->Acquire(), DI_OK);
	SDL_JoystickSetVirtualAxis(m_virtual, 0, 32767);
	EXPECT_EQ(Read(joystick).lX, 32768);
}
