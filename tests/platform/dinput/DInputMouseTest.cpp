// The mouse device fed with SDL mouse events.

#include "DInputTestSupport.h"

#include <thread>

namespace
{
class cDInputMouseTest : public cDInputTest
{
protected:
	void SetUp() override
	{
		cDInputTest::SetUp();
		m_mouse = MakeForegroundDevice(GUID_SysMouse, c_dfDIMouse);
		ASSERT_NE(m_mouse, nullptr);
	}

	DIMOUSESTATE Read(HRESULT expected = DI_OK)
	{
		DIMOUSESTATE state{};
		EXPECT_EQ(m_mouse->GetDeviceState(sizeof(state), &state), expected);
		return state;
	}

	IDirectInputDevice7* m_mouse = nullptr;
};

std::vector<int> Buttons(const DIMOUSESTATE& state)
{
	std::vector<int> down;
	for (int button = 0; button < 4; ++button)
	{
		EXPECT_TRUE(state.rgbButtons[button] == 0 || state.rgbButtons[button] == 0x80);
		if (state.rgbButtons[button])
			down.push_back(button);
	}
	return down;
}
}

TEST_F(cDInputMouseTest, EachReadTakesTheMotionSinceThePreviousOne)
{
	Send({Motion(3, -2), Motion(4, 7), Wheel(1), Wheel(2)});
	DIMOUSESTATE state = Read();
	EXPECT_EQ(state.lX, 7);
	EXPECT_EQ(state.lY, 5);
	EXPECT_EQ(state.lZ, 360);
	state = Read();
	EXPECT_EQ(state.lX, 0);
	EXPECT_EQ(state.lY, 0);
	EXPECT_EQ(state.lZ, 0);

	// Toward the user, and a wheel whose direction the desktop flips.
	Send({Wheel(-1), Wheel(1, true), Wheel(0.5f)});
	EXPECT_EQ(Read().lZ, -180);
}

TEST_F(cDInputMouseTest, ButtonsAreDownWhileHeld)
{
	Send({Button(SDL_BUTTON_LEFT, true), Button(SDL_BUTTON_X1, true), Button(SDL_BUTTON_X2, true)});
	EXPECT_EQ(Buttons(Read()), (std::vector<int>{0, 3}));
	EXPECT_EQ(Buttons(Read()), (std::vector<int>{0, 3}));
	Send({Button(SDL_BUTTON_LEFT, false), Button(SDL_BUTTON_X1, false), Button(SDL_BUTTON_RIGHT, true)});
	EXPECT_EQ(Buttons(Read()), (std::vector<int>{1}));
	Send({Button(SDL_BUTTON_RIGHT, false), Button(SDL_BUTTON_MIDDLE, true)});
	EXPECT_EQ(Buttons(Read()), (std::vector<int>{2}));
	Send({Button(SDL_BUTTON_MIDDLE, false)});
	EXPECT_TRUE(Buttons(Read()).empty());
}

TEST_F(cDInputMouseTest, AClickBetweenTwoReadsReadsAsDownOnce)
{
	Send({Button(SDL_BUTTON_LEFT, true), Button(SDL_BUTTON_LEFT, false)});
	EXPECT_EQ(Buttons(Read()), std::vector<int>{0});
	EXPECT_TRUE(Buttons(Read()).empty());
}

TEST_F(cDInputMouseTest, NotificationOnEveryMouseEventWhileAcquired)
{
	HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	ASSERT_EQ(m_mouse->SetEventNotification(event), DI_OK);
	for (SDL_Event input : {Motion(1, 0), Button(SDL_BUTTON_LEFT, true), Button(SDL_BUTTON_LEFT, false), Wheel(1)})
	{
		Send({input});
		EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0) << input.type;
	}
	Send({Key(SDL_SCANCODE_A, true), Key(SDL_SCANCODE_A, false)});
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT); // not mouse input

	ASSERT_EQ(m_mouse->SetEventNotification(nullptr), DI_OK);
	Send({Motion(1, 0)});
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
	CloseHandle(event);
}

TEST_F(cDInputMouseTest, NothingWhileTheWindowIsInactive)
{
	HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	ASSERT_EQ(m_mouse->SetEventNotification(event), DI_OK);
	Send({Button(SDL_BUTTON_LEFT, true)});
	Focus(false);
	WaitForSingleObject(event, 0);
	Send({Motion(5, 5), Wheel(1), Button(SDL_BUTTON_RIGHT, true), Button(SDL_BUTTON_RIGHT, false)});
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
	Read(DIERR_NOTACQUIRED);
	EXPECT_EQ(m_mouse->Acquire(), DIERR_OTHERAPPHASPRIO);

	// Back in front: what happened meanwhile is gone, the held button too.
	Focus(true);
	ASSERT_EQ(m_mouse->Acquire(), DI_OK);
	DIMOUSESTATE state = Read();
	EXPECT_EQ(state.lX, 0);
	EXPECT_EQ(state.lZ, 0);
	EXPECT_TRUE(Buttons(state).empty());
	m_mouse->SetEventNotification(nullptr);
	CloseHandle(event);
}

TEST_F(cDInputMouseTest, ReadsFromAnotherThreadShareTheMotion)
{
	Send({Motion(10, 0)});
	DIMOUSESTATE fromThread{};
	std::thread reader([&] { EXPECT_EQ(m_mouse->GetDeviceState(sizeof(fromThread), &fromThread), DI_OK); });
	reader.join();
	EXPECT_EQ(fromThread.lX, 10);
	EXPECT_EQ(Read().lX, 0);
}
