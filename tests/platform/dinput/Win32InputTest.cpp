// Synthesised input reaching the input devices and the window.

#include "DInputTestSupport.h"
#include "InputRecords.h"

#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Keyboard.h"

#include <algorithm>
#include <array>
#include <thread>

namespace
{
class cSendInputTest : public cDInputTest
{
protected:
	void SetUp() override
	{
		cDInputTest::SetUp();
		m_keyboard = MakeForegroundDevice(GUID_SysKeyboard, c_dfDIKeyboard);
		m_mouse = MakeForegroundDevice(GUID_SysMouse, c_dfDIMouse);
		ASSERT_TRUE(m_keyboard && m_mouse);
		RecordedMessages().clear();
	}

	static INPUT KeyInput(WORD scan, DWORD flags, WORD virtualKey = 0)
	{
		INPUT input{};
		input.type = INPUT_KEYBOARD;
		input.ki.wVk = virtualKey;
		input.ki.wScan = scan;
		input.ki.dwFlags = flags;
		return input;
	}

	void SendAll(std::vector<INPUT> inputs)
	{
		ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
		HandleAllMessages();
	}

	std::vector<int> KeysDown()
	{
		std::array<BYTE, 256> keys{};
		EXPECT_EQ(m_keyboard->GetDeviceState(256, keys.data()), DI_OK);
		std::vector<int> down;
		for (int code = 0; code < 256; ++code)
			if (keys[code])
				down.push_back(code);
		return down;
	}

	DIMOUSESTATE ReadMouse()
	{
		DIMOUSESTATE state{};
		EXPECT_EQ(m_mouse->GetDeviceState(sizeof(state), &state), DI_OK);
		return state;
	}

	size_t CountMessages(UINT message)
	{
		return std::count_if(RecordedMessages().begin(), RecordedMessages().end(),
			[message](const sRecordedMessage& m) { return m.message == message; });
	}

	IDirectInputDevice7* m_keyboard = nullptr;
	IDirectInputDevice7* m_mouse = nullptr;
};
}

TEST_F(cSendInputTest, KeysByScanCodeAndByVirtualKey)
{
	SendAll({KeyInput(DIK_F2, KEYEVENTF_SCANCODE), KeyInput(0x1C, KEYEVENTF_SCANCODE | KEYEVENTF_EXTENDEDKEY),
		KeyInput(0xE048, KEYEVENTF_SCANCODE), KeyInput(0, 0, 'M'), KeyInput(0, KEYEVENTF_EXTENDEDKEY, VK_HOME)});
	EXPECT_EQ(KeysDown(), (std::vector<int>{DIK_M, DIK_F2, DIK_NUMPADENTER, DIK_HOME, DIK_UP}));
	SendAll({KeyInput(DIK_F2, KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP),
		KeyInput(0x1C, KEYEVENTF_SCANCODE | KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP),
		KeyInput(0xE048, KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP), KeyInput(0, KEYEVENTF_KEYUP, 'M'),
		KeyInput(0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, VK_HOME)});
	EXPECT_TRUE(KeysDown().empty());

	// A code without a key is not sent.
	INPUT unknown = KeyInput(0x7F, KEYEVENTF_SCANCODE);
	EXPECT_EQ(SendInput(1, &unknown, sizeof(INPUT)), 0u);
	EXPECT_EQ(SendInput(1, &unknown, sizeof(INPUT) - 1), 0u);
}

TEST_F(cSendInputTest, UnicodeInputIsTheTextOfTheHeldKey)
{
	// U+10437 as a surrogate pair after the Cyrillic letter.
	SendAll({KeyInput(DIK_D, KEYEVENTF_SCANCODE), KeyInput(0x0432, KEYEVENTF_UNICODE),
		KeyInput(0xD801, KEYEVENTF_UNICODE), KeyInput(0xDC37, KEYEVENTF_UNICODE),
		KeyInput(0x0432, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
	std::array<BYTE, 256> state{};
	GetKeyboardState(state.data());
	WCHAR text[10];
	ASSERT_EQ(ToUnicode('D', DIK_D, state.data(), text, 10, 0), 3);
	EXPECT_EQ(text[0], 0x0432);
	EXPECT_EQ(text[1], 0xD801);
	EXPECT_EQ(text[2], 0xDC37);
	SendAll({KeyInput(DIK_D, KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP)});
}

TEST_F(cSendInputTest, MouseMotionWheelAndButtons)
{
	SendAll({MouseInput(MOUSEEVENTF_MOVE, 12, -4), MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA * 2),
		MouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA)),
		MouseInput(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_XDOWN, 0, 0, XBUTTON1)});
	DIMOUSESTATE state = ReadMouse();
	EXPECT_EQ(state.lX, 12);
	EXPECT_EQ(state.lY, -4);
	EXPECT_EQ(state.lZ, 120);
	EXPECT_EQ(state.rgbButtons[1], 0x80);
	EXPECT_EQ(state.rgbButtons[3], 0x80);
	EXPECT_EQ(CountMessages(WM_RBUTTONDOWN), 1u);
	SendAll({MouseInput(MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_XUP, 0, 0, XBUTTON1)});
	state = ReadMouse();
	EXPECT_EQ(state.rgbButtons[1], 0);
	EXPECT_EQ(state.rgbButtons[3], 0);
	EXPECT_EQ(CountMessages(WM_RBUTTONUP), 1u);
}

TEST_F(cSendInputTest, TwoQuickClicksAreADoubleClick)
{
	INPUT down = MouseInput(MOUSEEVENTF_MIDDLEDOWN);
	INPUT up = MouseInput(MOUSEEVENTF_MIDDLEUP);
	SendAll({down, up, down, up, down, up});
	EXPECT_EQ(CountMessages(WM_MBUTTONDOWN), 2u); // the third click starts a new pair
	EXPECT_EQ(CountMessages(WM_MBUTTONDBLCLK), 1u);
	EXPECT_EQ(CountMessages(WM_MBUTTONUP), 3u);
	EXPECT_GT(GetDoubleClickTime(), 0u);
}

TEST_F(cSendInputTest, FocusChanges)
{
	HWND other = CreateTestWindow();
	ASSERT_TRUE(SendFocusChange(other, TRUE));
	HandleAllMessages();
	EXPECT_EQ(GetFocus(), other);
	// Our window lost the focus on the way: its devices are no longer acquired.
	DIMOUSESTATE state{};
	EXPECT_EQ(m_mouse->GetDeviceState(sizeof(state), &state), DIERR_NOTACQUIRED);
	EXPECT_EQ(CountMessages(WM_ACTIVATEAPP), 2u); // one to each window

	ASSERT_TRUE(SendFocusChange(other, FALSE));
	HandleAllMessages();
	EXPECT_EQ(GetFocus(), nullptr);
	DestroyWindow(other);
	EXPECT_FALSE(SendFocusChange(other, TRUE));
}

TEST_F(cSendInputTest, SetCursorPosOnTheWindowThreadOnly)
{
	// The display is shared with other test programs: the cursor stays where it is.
	POINT cursor{};
	ASSERT_TRUE(GetCursorPos(&cursor));
	EXPECT_TRUE(SetCursorPos(cursor.x, cursor.y));
	BOOL moved = TRUE;
	std::thread([&] { moved = SetCursorPos(cursor.x, cursor.y); }).join();
	EXPECT_FALSE(moved);
}
