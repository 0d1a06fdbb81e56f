// The keyboard device fed with SDL key events.

#include "DInputTestSupport.h"

#include "platform/win32/Win32KeyboardState.h"

#include <array>

namespace
{
using cDInputKeyboardTest = cDInputTest;

std::array<BYTE, 256> ReadKeys(IDirectInputDevice7* keyboard, HRESULT expected = DI_OK)
{
	std::array<BYTE, 256> keys{};
	EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), expected);
	return keys;
}

std::vector<int> DownCodes(const std::array<BYTE, 256>& keys)
{
	std::vector<int> down;
	for (int code = 0; code < 256; ++code)
	{
		EXPECT_TRUE(keys[code] == 0 || keys[code] == 0x80) << code;
		if (keys[code])
			down.push_back(code);
	}
	return down;
}
}

TEST(ScanCodes, SdlKeysMapToDirectInputCodes)
{
	const std::pair<SDL_Scancode, int> cases[] = {
		{SDL_SCANCODE_ESCAPE, DIK_ESCAPE},
		{SDL_SCANCODE_BACKSPACE, DIK_BACK},
		{SDL_SCANCODE_RETURN, DIK_RETURN},
		{SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER},
		{SDL_SCANCODE_LALT, DIK_LMENU},
		{SDL_SCANCODE_RALT, DIK_RMENU},
		{SDL_SCANCODE_LCTRL, DIK_LCONTROL},
		{SDL_SCANCODE_RCTRL, DIK_RCONTROL},
		{SDL_SCANCODE_LSHIFT, DIK_LSHIFT},
		{SDL_SCANCODE_RSHIFT, DIK_RSHIFT},
		{SDL_SCANCODE_F1, DIK_F1},
		{SDL_SCANCODE_F6, DIK_F6},
		{SDL_SCANCODE_F11, DIK_F11},
		{SDL_SCANCODE_F12, DIK_F12},
		{SDL_SCANCODE_A, DIK_A},
		{SDL_SCANCODE_M, DIK_M},
		{SDL_SCANCODE_Q, DIK_Q},
		{SDL_SCANCODE_Z, DIK_Z},
		{SDL_SCANCODE_1, DIK_1},
		{SDL_SCANCODE_0, DIK_0},
		{SDL_SCANCODE_SPACE, DIK_SPACE},
		{SDL_SCANCODE_GRAVE, DIK_GRAVE},
		{SDL_SCANCODE_COMMA, DIK_COMMA},
		{SDL_SCANCODE_SLASH, DIK_SLASH},
		{SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102},
		{SDL_SCANCODE_KP_0, DIK_NUMPAD0},
		{SDL_SCANCODE_KP_7, DIK_NUMPAD7},
		{SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL},
		{SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE},
		{SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY},
		{SDL_SCANCODE_UP, DIK_UP},
		{SDL_SCANCODE_PAGEDOWN, DIK_NEXT},
		{SDL_SCANCODE_DELETE, DIK_DELETE},
		{SDL_SCANCODE_PAUSE, DIK_PAUSE},
		{SDL_SCANCODE_LGUI, DIK_LWIN},
	};
	for (const auto& [sdl, code] : cases)
	{
		EXPECT_EQ(win32::ScanCodeFromSdl(sdl), code) << SDL_GetScancodeName(sdl);
		EXPECT_EQ(win32::SdlScancodeFromScanCode(static_cast<BYTE>(code)), sdl) << SDL_GetScancodeName(sdl);
	}
	EXPECT_EQ(win32::ScanCodeFromSdl(SDL_SCANCODE_UNKNOWN), 0);
	EXPECT_EQ(win32::ScanCodeFromSdl(-1), 0);
	EXPECT_EQ(win32::ScanCodeFromSdl(SDL_NUM_SCANCODES), 0);
}

TEST(ScanCodes, EveryTypingKeyHasItsOwnCode)
{
	std::vector<SDL_Scancode> keys;
	for (int sdl = SDL_SCANCODE_A; sdl <= SDL_SCANCODE_KP_PERIOD; ++sdl)
		keys.push_back(static_cast<SDL_Scancode>(sdl));
	std::array<SDL_Scancode, 256> owner{};
	for (SDL_Scancode sdl : keys)
	{
		BYTE code = win32::ScanCodeFromSdl(sdl);
		EXPECT_NE(code, 0) << SDL_GetScancodeName(sdl);
		// The ISO key beside Enter shares the backslash key's code.
		if (sdl != SDL_SCANCODE_NONUSHASH)
		{
			EXPECT_EQ(owner[code], SDL_SCANCODE_UNKNOWN) << SDL_GetScancodeName(sdl);
			owner[code] = sdl;
		}
	}
}

TEST_F(cDInputKeyboardTest, KeysAreDownWhileHeld)
{
	IDirectInputDevice7* keyboard = MakeForegroundDevice(GUID_SysKeyboard, c_dfDIKeyboard);
	ASSERT_NE(keyboard, nullptr);
	EXPECT_TRUE(DownCodes(ReadKeys(keyboard)).empty());

	Send({Key(SDL_SCANCODE_A, true), Key(SDL_SCANCODE_KP_ENTER, true)});
	EXPECT_EQ(DownCodes(ReadKeys(keyboard)), (std::vector<int>{DIK_A, DIK_NUMPADENTER}));
	// Reading does not consume the state.
	EXPECT_EQ(DownCodes(ReadKeys(keyboard)), (std::vector<int>{DIK_A, DIK_NUMPADENTER}));

	Send({Key(SDL_SCANCODE_A, false)});
	EXPECT_EQ(DownCodes(ReadKeys(keyboard)), (std::vector<int>{DIK_NUMPADENTER}));
	Send({Key(SDL_SCANCODE_KP_ENTER, false)});
	EXPECT_TRUE(DownCodes(ReadKeys(keyboard)).empty());
}

TEST_F(cDInputKeyboardTest, ForegroundKeyboardReadsOnlyWithTheFocus)
{
	IDirectInputDevice7* keyboard = MakeDevice(GUID_SysKeyboard, c_dfDIKeyboard, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
	ASSERT_NE(keyboard, nullptr);
	EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
	ReadKeys(keyboard, DIERR_NOTACQUIRED);

	Focus(true);
	ASSERT_EQ(keyboard->Acquire(), DI_OK);
	Send({Key(SDL_SCANCODE_F1, true)});
	EXPECT_EQ(DownCodes(ReadKeys(keyboard)), std::vector<int>{DIK_F1});

	// Losing the focus unacquires the device and releases every key.
	Focus(false);
	ReadKeys(keyboard, DIERR_NOTACQUIRED);
	EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
	Focus(true);
	ASSERT_EQ(keyboard->Acquire(), DI_OK);
	EXPECT_TRUE(DownCodes(ReadKeys(keyboard)).empty());
}

TEST_F(cDInputKeyboardTest, BackgroundKeyboardReadsWithoutTheFocus)
{
	IDirectInputDevice7* keyboard = MakeDevice(GUID_SysKeyboard, c_dfDIKeyboard, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
	ASSERT_NE(keyboard, nullptr);
	ASSERT_EQ(keyboard->Acquire(), DI_OK);
	Send({Key(SDL_SCANCODE_ESCAPE, true)});
	EXPECT_EQ(DownCodes(ReadKeys(keyboard)), std::vector<int>{DIK_ESCAPE});
	Send({Key(SDL_SCANCODE_ESCAPE, false)});
}

TEST_F(cDInputKeyboardTest, NotificationOnKeysWhileAcquired)
{
	IDirectInputDevice7* keyboard = MakeDevice(GUID_SysKeyboard, c_dfDIKeyboard, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
	ASSERT_NE(keyboard, nullptr);
	HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	ASSERT_EQ(keyboard->SetEventNotification(event), DI_OK);
	Send({Key(SDL_SCANCODE_B, true), Key(SDL_SCANCODE_B, false)});
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT); // not acquired
	ASSERT_EQ(keyboard->Acquire(), DI_OK);
	Send({Key(SDL_SCANCODE_B, true), Key(SDL_SCANCODE_B, false)});
	EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
	keyboard->SetEventNotification(nullptr);
	CloseHandle(event);
}
