// GetKeyboardState, MapVirtualKeyA and ToUnicode over SDL key and text events.

#include "DInputTestSupport.h"

#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32KeyboardState.h"

#include <array>

namespace
{
class cKeyboardTextTest : public cDInputTest
{
protected:
	void SetUp() override
	{
		cDInputTest::SetUp();
		// The keyboard device starts following the keyboard and its text.
		ASSERT_NE(MakeForegroundDevice(GUID_SysKeyboard, c_dfDIKeyboard), nullptr);
	}

	// What the held key types with the current key states, as ReadText asks.
	std::u16string Typed(BYTE code)
	{
		std::array<BYTE, 256> state{};
		EXPECT_TRUE(GetKeyboardState(state.data()));
		WCHAR buffer[10];
		int count = ToUnicode(MapVirtualKeyA(code, MAPVK_VSC_TO_VK), code, state.data(), buffer, 10, 0);
		std::u16string text;
		for (int i = 0; i < count; ++i)
			text += static_cast<char16_t>(buffer[i]);
		return text;
	}
};
}

TEST(MapVirtualKey, ScanCodesToVirtualKeys)
{
	const std::pair<UINT, UINT> cases[] = {
		{DIK_A, 'A'},
		{DIK_Q, 'Q'},
		{DIK_0, '0'},
		{DIK_RETURN, VK_RETURN},
		{DIK_BACK, VK_BACK},
		{DIK_ESCAPE, VK_ESCAPE},
		{DIK_TAB, VK_TAB},
		{DIK_LSHIFT, VK_SHIFT},
		{DIK_RSHIFT, VK_SHIFT},
		{DIK_LCONTROL, VK_CONTROL},
		{DIK_F1, VK_F1},
		{DIK_SPACE, VK_SPACE},
		{DIK_NUMPAD7, VK_HOME},
		// Codes of 0x80 and above are no scan codes.
		{DIK_NUMPADENTER, 0},
		{DIK_RCONTROL, 0},
		{DIK_UP, 0},
		{DIK_DIVIDE, 0},
		{0, 0},
		{0x300, 0},
	};
	for (const auto& [code, virtualKey] : cases)
		EXPECT_EQ(MapVirtualKeyA(code, MAPVK_VSC_TO_VK), virtualKey) << code;
	EXPECT_EQ(MapVirtualKeyA(VK_RETURN, MAPVK_VK_TO_VSC), UINT(DIK_RETURN));
	EXPECT_EQ(MapVirtualKeyA('Z', MAPVK_VK_TO_VSC), UINT(DIK_Z));
	EXPECT_EQ(MapVirtualKeyA(VK_RCONTROL, MAPVK_VK_TO_VSC), UINT(DIK_LCONTROL)); // no prefix in the result
	EXPECT_EQ(MapVirtualKeyA(DIK_A, 7), 0u);
}

TEST_F(cKeyboardTextTest, KeyStatesWithModifiers)
{
	Send({Key(SDL_SCANCODE_RSHIFT, true), Key(SDL_SCANCODE_LCTRL, true), Key(SDL_SCANCODE_RALT, true),
		Key(SDL_SCANCODE_K, true, KMOD_CAPS)});
	std::array<BYTE, 256> state{};
	ASSERT_TRUE(GetKeyboardState(state.data()));
	for (int virtualKey : {VK_SHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU, int('K')})
		EXPECT_EQ(state[virtualKey], 0x80) << virtualKey;
	for (int virtualKey : {VK_LSHIFT, VK_RCONTROL, VK_LMENU, int('J')})
		EXPECT_EQ(state[virtualKey], 0) << virtualKey;
	EXPECT_EQ(state[VK_CAPITAL], 1);
	EXPECT_FALSE(GetKeyboardState(nullptr));

	Send({Key(SDL_SCANCODE_RSHIFT, false), Key(SDL_SCANCODE_LCTRL, false), Key(SDL_SCANCODE_RALT, false),
		Key(SDL_SCANCODE_K, false)});
	GetKeyboardState(state.data());
	EXPECT_EQ(state[VK_SHIFT], 0);
	EXPECT_EQ(state[VK_CAPITAL], 0);
}

TEST_F(cKeyboardTextTest, AHeldKeyTypesTheTextOfItsLayout)
{
	// The Q key under a Russian layout; a key in the Latin script with Shift.
	Send({Key(SDL_SCANCODE_Q, true), Text("\xD0\xB9")});
	EXPECT_EQ(Typed(DIK_Q), u"\u0439");
	EXPECT_EQ(Typed(DIK_Q), u"\u0439"); // again while held
	Send({Key(SDL_SCANCODE_LSHIFT, true), Key(SDL_SCANCODE_A, true), Text("A")});
	EXPECT_EQ(Typed(DIK_A), u"A");
	EXPECT_EQ(Typed(DIK_Q), u"\u0439");
	EXPECT_EQ(Typed(DIK_LSHIFT), u"");

	// A repeat replaces the text; the release ends it.
	Send({Key(SDL_SCANCODE_A, true), Text("B")});
	EXPECT_EQ(Typed(DIK_A), u"B");
	Send({Key(SDL_SCANCODE_A, false), Key(SDL_SCANCODE_Q, false), Key(SDL_SCANCODE_LSHIFT, false)});
	EXPECT_EQ(Typed(DIK_A), u"");
	EXPECT_EQ(Typed(DIK_Q), u"");

	// Text with no key held belongs to no key.
	Send({Text("x"), Key(SDL_SCANCODE_X, true)});
	EXPECT_EQ(Typed(DIK_X), u"");
	Send({Key(SDL_SCANCODE_X, false)});
}

TEST_F(cKeyboardTextTest, TextOutsideTheBasicPlaneAndAComposedKey)
{
	Send({Key(SDL_SCANCODE_E, true), Text("\xF0\x9F\x98\x80"), Text("\xC3\xA9")});
	EXPECT_EQ(Typed(DIK_E), u"\U0001F600\u00E9");
	WCHAR small[2];
	std::array<BYTE, 256> state{};
	EXPECT_EQ(ToUnicode('E', DIK_E, state.data(), small, 2, 0), 2);
	EXPECT_EQ(ToUnicode('E', DIK_E, state.data(), small, 0, 0), 0);
	EXPECT_EQ(ToUnicode('E', DIK_E | 0x8000, state.data(), small, 2, 0), 0); // a release
	Send({Key(SDL_SCANCODE_E, false)});
}

TEST_F(cKeyboardTextTest, ControlCharacters)
{
	const std::pair<SDL_Scancode, std::u16string> cases[] = {
		{SDL_SCANCODE_RETURN, u"\r"},
		{SDL_SCANCODE_BACKSPACE, u"\b"},
		{SDL_SCANCODE_ESCAPE, u"\x1B"},
		{SDL_SCANCODE_TAB, u"\t"},
		// The numeric-pad Enter has no scan code of its own and types nothing.
		{SDL_SCANCODE_KP_ENTER, u""},
		{SDL_SCANCODE_F1, u""},
	};
	for (const auto& [key, text] : cases)
	{
		BYTE code = win32::ScanCodeFromSdl(key);
		Send({Key(key, true)});
		EXPECT_EQ(Typed(code), text) << SDL_GetScancodeName(key);
		Send({Key(key, false)});
	}

	// Ctrl with a letter types its control character whatever the layout's
	// letter; with AltGr (Ctrl and Alt) the layout's text comes out.
	Send({Key(SDL_SCANCODE_LCTRL, true), Key(SDL_SCANCODE_A, true), Text("\xD1\x84")});
	EXPECT_EQ(Typed(DIK_A), u"\x01");
	Send({Key(SDL_SCANCODE_Z, true)});
	EXPECT_EQ(Typed(DIK_Z), u"\x1A");
	Send({Key(SDL_SCANCODE_Z, false), Key(SDL_SCANCODE_RALT, true), Key(SDL_SCANCODE_E, true), Text("\xE2\x82\xAC")});
	EXPECT_EQ(Typed(DIK_E), u"\u20AC");
	Send({Key(SDL_SCANCODE_E, false), Key(SDL_SCANCODE_RALT, false), Key(SDL_SCANCODE_A, false),
		Key(SDL_SCANCODE_LCTRL, false)});
}

TEST_F(cKeyboardTextTest, LosingTheFocusReleasesEveryKey)
{
	Send({Key(SDL_SCANCODE_W, true), Text("w")});
	EXPECT_EQ(Typed(DIK_W), u"w");
	Focus(false);
	EXPECT_EQ(Typed(DIK_W), u"");
	std::array<BYTE, 256> state{};
	GetKeyboardState(state.data());
	EXPECT_EQ(state['W'], 0);
}
