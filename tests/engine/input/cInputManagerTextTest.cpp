// Typed text from the keys held down, in the layout's script.

#include "InputManagerFixture.h"

namespace
{
class cInputManagerTextTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (!HasFatalFailure())
			StartInput();
	}

	// Presses the key (typing the given text with it), polls and reads.
	std::wstring PressAndRead(BYTE key, const std::wstring& typed = L"")
	{
		std::vector<INPUT> inputs{Key(key, true)};
		for (wchar_t unit : typed)
			inputs.push_back(Typed(unit));
		Send(inputs);
		Frame();
		std::wstring text;
		bool any = m_input->ReadText(text);
		EXPECT_EQ(any, !text.empty());
		return text;
	}

	std::wstring Release(BYTE key)
	{
		Send({Key(key, false)});
		Frame();
		std::wstring text = L"unchanged";
		EXPECT_FALSE(m_input->ReadText(text));
		return text;
	}
};
}

TEST_F(cInputManagerTextTest, TypingANameInLatinAndCyrillicWithBackspaceAndEnter)
{
	std::wstring name;
	auto type = [&](BYTE key, const std::wstring& typed) {
		std::wstring text = PressAndRead(key, typed);
		Release(key);
		for (wchar_t character : text)
		{
			if (character == L'\b')
			{
				if (!name.empty())
					name.pop_back();
			}
			else
				name += character;
		}
	};
	Send({Key(DIK_LSHIFT, true)});
	type(DIK_I, L"I");
	Send({Key(DIK_LSHIFT, false)});
	type(DIK_V, L"v");
	type(DIK_X, L"x");
	type(DIK_BACK, L"");
	// The same keys under a Russian layout: И, в, а, н.
	type(DIK_SPACE, L" ");
	type(DIK_B, L"\x0418");
	type(DIK_D, L"\x0432");
	type(DIK_F, L"\x0430");
	type(DIK_Y, L"\x043D");
	type(DIK_RETURN, L"");
	EXPECT_EQ(name, L"Iv \x0418\x0432\x0430\x043D\r");
}

TEST_F(cInputManagerTextTest, AHeldKeyTypesAtEveryPoll)
{
	EXPECT_EQ(PressAndRead(DIK_Q, L"\x0439"), L"\x0439");
	Frame();
	std::wstring text;
	EXPECT_TRUE(m_input->ReadText(text));
	EXPECT_EQ(text, L"\x0439");
	EXPECT_EQ(Release(DIK_Q), L"");
}

TEST_F(cInputManagerTextTest, KeysWithoutTextAndControlCharacters)
{
	const struct
	{
		BYTE key;
		const wchar_t* text;
	} cases[] = {
		{DIK_ESCAPE, L"\x1B"},
		{DIK_TAB, L"\t"},
		{DIK_BACK, L"\b"},
		{DIK_RETURN, L"\r"},
		// Extended keys map to no virtual key and type nothing.
		{DIK_NUMPADENTER, L""},
		{DIK_LEFT, L""},
		{DIK_F5, L""},
	};
	for (const auto& entry : cases)
	{
		EXPECT_EQ(PressAndRead(entry.key), entry.text) << int(entry.key);
		Release(entry.key);
	}

	Send({Key(DIK_RCONTROL, true)});
	EXPECT_EQ(PressAndRead(DIK_C), L"\x03");
	Release(DIK_C);
	Release(DIK_RCONTROL);
}

TEST_F(cInputManagerTextTest, TwoKeysTogetherInKeyCodeOrder)
{
	Send({Key(DIK_L, true), Typed(L'l'), Key(DIK_A, true), Typed(L'a')});
	Frame();
	std::wstring text;
	EXPECT_TRUE(m_input->ReadText(text));
	EXPECT_EQ(text, L"al"); // A is 0x1E, L is 0x26
	Send({Key(DIK_A, false)});
	Release(DIK_L);
}
