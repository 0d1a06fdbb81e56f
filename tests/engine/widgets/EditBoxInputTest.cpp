// Edit boxes typed into with real key events: Latin and Cyrillic text,
// Backspace with its repeat, Enter and the maximum length.

#include "WidgetInputSupport.h"

#include "engine/foundation/TextConversion.h"
#include "engine/widgets/cEditBox.h"

namespace
{
class EditBoxInputTest : public WidgetInputTest
{
protected:
	void SetUp() override
	{
		WidgetInputTest::SetUp();
		if (HasFatalFailure())
			return;
		box = Widget<cEditBox>("name", 100, 100, 200, 30);
		log.Bind(box, "on_change");
		log.Bind(box, "on_enter");
	}

	// Presses the key typing the unit, then lets it go: two frames.
	void Type(BYTE key, wchar_t unit, float dt = 0.016f)
	{
		Send({ Key(key, true), Typed(unit) });
		StepWhenKey(key, true, dt);
		Send({ Key(key, false) });
		StepWhenKey(key, false, dt);
	}

	void StepWhenKey(BYTE key, bool down, float dt = 0.016f)
	{
		for (int attempt = 0; attempt < 200 && m_input->IsDown(cInputManager::kKeyboardSlot, key) != down; ++attempt)
		{
			Pump();
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
			Frame();
		}
		scene->DispatchInput();
		scene->Update(dt);
	}

	std::string Text() { return box->GetProperties().GetProperty("text"); }

	cEditBox* box = nullptr;
	cEventLog log;
};
}

TEST_F(EditBoxInputTest, TakesLatinAndCyrillicTextBackspaceAndEnter)
{
	Send({ Key(DIK_LSHIFT, true) });
	Type(DIK_I, L'I');
	Send({ Key(DIK_LSHIFT, false) });
	Type(DIK_V, L'v');
	Type(DIK_SEMICOLON, L'\x0436'); // ж on a Russian layout
	Type(DIK_F, L'\x0430');         // а
	EXPECT_EQ(box->GetText(), L"Iv\x0436\x0430");
	EXPECT_EQ(Text(), "Iv\xD0\xB6\xD0\xB0");
	EXPECT_EQ(log.Take(), "name:on_change name:on_change name:on_change name:on_change");

	Type(DIK_BACK, L'\b');
	EXPECT_EQ(box->GetText(), L"Iv\x0436");
	Send({ Key(DIK_RETURN, true) });
	StepWhenKey(DIK_RETURN, true);
	Step();
	Send({ Key(DIK_RETURN, false) });
	StepWhenKey(DIK_RETURN, false);
	EXPECT_EQ(log.Take(), "name:on_change name:on_enter") << "once per press";
	EXPECT_EQ(box->GetText(), L"Iv\x0436");

	// Writing "text" fires too; the cursor is shown but never read back.
	box->GetProperties().SetProperty("text", "");
	EXPECT_EQ(log.Take(), "name:on_change");
	Send({ Key(DIK_RETURN, true) });
	StepWhenKey(DIK_RETURN, true);
	Send({ Key(DIK_RETURN, false) });
	StepWhenKey(DIK_RETURN, false);
	EXPECT_EQ(log.Take(), "name:on_enter");
	scene->Update(1.0f);
	EXPECT_EQ(Text(), "");
}

TEST_F(EditBoxInputTest, HoldingBackspaceRemovesOneCharacterAtOnceThenOneEveryQuarterSecond)
{
	box->GetProperties().SetProperty("text", "abcd");
	log.Take();
	Send({ Key(DIK_BACK, true) });
	StepWhenKey(DIK_BACK, true, 0.1f);
	EXPECT_EQ(box->GetText(), L"abc");
	std::vector<std::wstring> texts;
	for (int frame = 0; frame < 5; ++frame)
	{
		Step(0.1f);
		texts.push_back(box->GetText());
	}
	EXPECT_EQ(texts, (std::vector<std::wstring> { L"abc", L"abc", L"ab", L"ab", L"ab" }));
	Send({ Key(DIK_BACK, false) });
	StepWhenKey(DIK_BACK, false);
	EXPECT_EQ(log.Take(), "name:on_change name:on_change");
}

TEST_F(EditBoxInputTest, TheMaximumLengthCutsTheTextAndANegativeOneKeepsNothing)
{
	struct sCase
	{
		const char* maxLength;
		const char* start;
		const char* after;
	};
	const sCase cases[] = {
		{ "3", "ab", "abc" },
		{ "3", "abc", "abc" },
		{ "3", "abcdef", "abc" }, // a longer text stays until the next key
		{ "0", "", "" },
		{ "-1", "", "" },
		{ "-1", "ab", "" },
	};
	for (const sCase& c : cases)
	{
		box->GetProperties().SetProperty("max_length", c.maxLength);
		box->GetProperties().SetProperty("text", c.start);
		EXPECT_EQ(Text(), c.start);
		log.Take();
		Type(DIK_C, L'c');
		EXPECT_EQ(Text(), c.after) << c.maxLength << " " << c.start;
		EXPECT_EQ(log.Take(), "name:on_change") << c.maxLength << " " << c.start;
	}
}
