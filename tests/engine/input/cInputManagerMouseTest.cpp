// The mouse through the input manager and its reader thread.

#include "InputManagerFixture.h"

namespace
{
class cInputManagerMouseTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (!HasFatalFailure())
			StartInput();
	}

	bool Pressed(int button) { return m_input->IsPressed(cInputManager::kMouseSlot, button); }
	bool Down(int button) { return m_input->IsDown(cInputManager::kMouseSlot, button); }
	bool Released(int button) { return m_input->IsReleased(cInputManager::kMouseSlot, button); }
	const cVector3d& Motion() { return m_input->GetMotion(cInputManager::kMouseSlot); }
};
}

TEST_F(cInputManagerMouseTest, AClickShorterThanAFrameCountsAsAPress)
{
	Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
	Frame();
	EXPECT_TRUE(Pressed(cInputManager::kLeftButton));
	EXPECT_EQ(m_input->GetStates(cInputManager::kMouseSlot).current[0], 1);
	EXPECT_TRUE(m_input->IsAnyChanged());
	Frame();
	EXPECT_TRUE(Released(cInputManager::kLeftButton));
	Frame();
	EXPECT_FALSE(Down(cInputManager::kLeftButton) || Released(cInputManager::kLeftButton));
}

TEST_F(cInputManagerMouseTest, AClickThatTheReaderSawFirst)
{
	// The reader thread reads the click while the frame waits, then the poll.
	Send({MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)});
	Pump();
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	Frame();
	EXPECT_TRUE(Pressed(cInputManager::kRightButton));
	Frame();
	EXPECT_TRUE(Released(cInputManager::kRightButton));
}

TEST_F(cInputManagerMouseTest, HeldButtonsStayDown)
{
	const struct
	{
		DWORD down, up, data;
		int button;
	} buttons[] = {
		{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 0, cInputManager::kLeftButton},
		{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 0, cInputManager::kRightButton},
		{MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 0, cInputManager::kMiddleButton},
		{MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1, cInputManager::kFourthButton},
	};
	for (const auto& entry : buttons)
	{
		Send({MouseInput(entry.down, 0, 0, entry.data)});
		Frame();
		EXPECT_TRUE(Pressed(entry.button)) << entry.button;
		for (int frame = 0; frame < 3; ++frame)
		{
			Frame();
			EXPECT_TRUE(Down(entry.button) && !Pressed(entry.button)) << entry.button;
		}
		// It was still down at some moment since the previous poll.
		Send({MouseInput(entry.up, 0, 0, entry.data)});
		Frame();
		EXPECT_TRUE(Down(entry.button)) << entry.button;
		Frame();
		EXPECT_TRUE(Released(entry.button)) << entry.button;
	}
}

TEST_F(cInputManagerMouseTest, MotionAndWheelPerFrame)
{
	Send({MouseInput(MOUSEEVENTF_MOVE, 5, -3), MouseInput(MOUSEEVENTF_MOVE, 2, 1)});
	Frame();
	EXPECT_EQ(Motion().x, 7.0f);
	EXPECT_EQ(Motion().y, -2.0f);
	EXPECT_EQ(Motion().z, 0.0f);
	EXPECT_TRUE(m_input->GetStates(cInputManager::kMouseSlot).changed);
	Frame();
	EXPECT_EQ(Motion().x, 0.0f);
	EXPECT_EQ(Motion().y, 0.0f);

	Send({MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA), MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA)});
	Frame();
	EXPECT_EQ(Motion().z, 240.0f);
	Send({MouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA))});
	Frame();
	EXPECT_EQ(Motion().z, -120.0f);
	Frame();
	EXPECT_EQ(Motion().z, 0.0f);
}

TEST_F(cInputManagerMouseTest, MotionReadByTheThreadIsCountedOnce)
{
	int total = 0;
	for (int step = 0; step < 5; ++step)
	{
		Send({MouseInput(MOUSEEVENTF_MOVE, 3, 0)});
		Pump();
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
		Frame();
		total += static_cast<int>(Motion().x);
	}
	Frame();
	total += static_cast<int>(Motion().x);
	EXPECT_EQ(total, 15);
}

TEST_F(cInputManagerMouseTest, CursorPositionInClientPixels)
{
	PlaceCursor(100, 50);
	Frame();
	EXPECT_EQ(m_input->GetCursorPosition().x, 100.0f);
	EXPECT_EQ(m_input->GetCursorPosition().y, 50.0f);
	EXPECT_EQ(m_input->GetCursorPosition().z, 0.0f);

	// Outside the client area the position still follows, but no click counts.
	PlaceCursor(-30, -20);
	Frame();
	EXPECT_EQ(m_input->GetCursorPosition().x, -30.0f);
	EXPECT_EQ(m_input->GetCursorPosition().y, -20.0f);
	Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
	Frame();
	EXPECT_FALSE(Down(cInputManager::kLeftButton));

	PlaceCursor(kWidth + 5, 10);
	Frame();
	EXPECT_EQ(m_input->GetCursorPosition().x, float(kWidth + 5));
}

TEST_F(cInputManagerMouseTest, DoubleClicks)
{
	const struct
	{
		DWORD down, up;
		int expected;
	} cases[] = {
		{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, cInputManager::kLeftDoubleClick},
		{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, cInputManager::kRightDoubleClick},
		{MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, cInputManager::kMiddleDoubleClick},
	};
	EXPECT_EQ(m_input->GetLastDoubleClick(), 0);
	for (const auto& entry : cases)
	{
		Send({MouseInput(entry.down), MouseInput(entry.up)});
		Frame();
		Send({MouseInput(entry.down), MouseInput(entry.up)});
		Frame();
		EXPECT_EQ(m_input->GetLastDoubleClick(), entry.expected);
	}
}

TEST_F(cInputManagerMouseTest, TheReaderReadsNothingWhileTheApplicationIsInactive)
{
	m_input->OnActivate(false);
	Send({MouseInput(MOUSEEVENTF_MOVE, 4, 4)});
	Pump();
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	// The poll's own read still takes the motion: nothing was lost or doubled.
	Frame();
	EXPECT_EQ(Motion().x, 4.0f);
	m_input->OnActivate(true);
	Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
	Frame();
	EXPECT_TRUE(Pressed(cInputManager::kLeftButton));
}
