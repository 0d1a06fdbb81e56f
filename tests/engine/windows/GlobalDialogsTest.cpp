// The global Ok, Yes/No and edit boxes: built from their scenes, shown over
// the rest of the tree, answered by real clicks and keys with the answer's
// delegate, and hidden when a logo closes.

#include "WindowTestSupport.h"

#include "../widgets/WidgetInputSupport.h"

#include "engine/scene/cTextObject.h"
#include "engine/widgets/cButton.h"
#include "engine/windows/GlobalDialogs.h"
#include "engine/windows/cGameEditBox.h"
#include "engine/windows/cGameLogoWindow.h"

#include <gmock/gmock.h>

#include <thread>

namespace
{
const char* const kOkName = "Message Box ( Ok )";
const char* const kYesNoName = "Message Box (Yes/No )";
const char* const kEditName = "Edit Box";

const char* const kFullOkScene =
	R"(<object name="window_profile_small"><button name="ok"/><text name="text_title"/><text name="text_window"/></object>)";
const char* const kFullYesNoScene = R"(<object name="window_profile_small"><button name="yes"/><button name="no"/>
	<text name="text_title"/><text name="text_window"/></object>)";
const char* const kFullEditScene = R"(<object name="window_profile_small_q"><button name="ok"/><button name="cancel"/>
	<text name="text_title"/><text name="text_window"/><editbox name="edit_box"/></object>)";

// Collects the answers as "event", checking that each comes with a null argument.
class cAnswerLog
{
public:
	cSceneObject::tEvent Handler(const std::string& event) { return cSceneObject::tEvent(new cEntry(this, event)); }
	std::string Take()
	{
		std::string text;
		for (const std::string& entry : m_entries)
			text += (text.empty() ? "" : " ") + entry;
		m_entries.clear();
		return text;
	}

private:
	class cEntry : public cDelegate<cSceneObject*>
	{
	public:
		cEntry(cAnswerLog* log, const std::string& event) : m_log(log), m_event(event) {}
		const void* GetObject() const override { return m_log; }
		const void* GetFunction() const override { return nullptr; }
		void Invoke(cSceneObject* object) override { m_log->m_entries.push_back(object ? "non-null" : m_event); }

	private:
		cAnswerLog* m_log;
		std::string m_event;
	};

	std::vector<std::string> m_entries;
};

class GlobalDialogsTest : public WidgetInputTest
{
protected:
	// Creates the boxes and lets the update hang them under the camera.
	void Create()
	{
		CreateGlobalDialogs();
		scene->Update(0);
	}

	template <class T = cGameMessageBox>
	T* Box(const char* name)
	{
		return dynamic_cast<T*>(screen->GetChildList().FindChild(name));
	}

	void PressKey(BYTE code)
	{
		Send({ Key(code, true) });
		StepWhen([&] { return m_input->IsDown(cInputManager::kKeyboardSlot, code); });
		Send({ Key(code, false) });
		StepWhen([&] { return !m_input->IsDown(cInputManager::kKeyboardSlot, code); });
	}

	// Frames until the window has closed (it then stays so until shown).
	void StepUntilClosed(cGameWindow* window)
	{
		for (int i = 0; i < 10 && window->IsVisible(); ++i)
			Step();
		EXPECT_EQ(window->GetState(), cGameWindow::kClosed);
	}

	void ShowYesNo(const std::wstring& title)
	{
		ShowMessageBoxYesNo(title, L"Delete the profile?", log.Handler("on_yes"), log.Handler("on_no"));
	}

	static std::wstring Text(cSceneObject* box, const std::string& path)
	{
		return dynamic_cast<cTextObject&>(*box->GetChildList().FindByPath(path)).GetTextVisual()->GetText();
	}

	cSceneContent content;
	cAnswerLog log;
};
}

TEST_F(GlobalDialogsTest, TheYesNoBoxAnswersClicksAndEnterAndDropsASecondRequest)
{
	content.AddScene("mb_yn", kFullYesNoScene);
	Create();
	auto* box = Box(kYesNoName);
	ASSERT_TRUE(box);
	EXPECT_EQ(box->GetSortKey(), 100);
	EXPECT_FALSE(box->IsVisible());
	Place(box->GetChildList().FindByPath("window_profile_small/yes"), 100, 100, 80, 40);
	Place(box->GetChildList().FindByPath("window_profile_small/no"), 300, 100, 80, 40);
	// A menu button behind the box, out of the box's buttons' way.
	auto* menu = Widget<cButton>("menu", 100, 300, 80, 40);
	menu->MoveInSiblings(true);
	cEventLog menuLog;
	menuLog.Bind(menu, "on_click");

	ShowYesNo(L"Profil \x00C9");
	Step();
	EXPECT_EQ(box->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(scene->GetTopModal(), box);
	EXPECT_EQ(Text(box, "window_profile_small/text_title"), L"Profil \x00C9");
	EXPECT_EQ(Text(box, "window_profile_small/text_window"), L"Delete the profile?");

	// Only the box's subtree takes input; a second request changes nothing.
	ClickAt(120, 320);
	EXPECT_EQ(menuLog.Take(), "");
	ShowMessageBoxYesNo(L"Other", L"Other", log.Handler("second yes"), log.Handler("second no"));
	EXPECT_EQ(Text(box, "window_profile_small/text_title"), L"Profil \x00C9");
	EXPECT_EQ(log.Take(), "");

	ClickAt(320, 120);
	EXPECT_EQ(log.Take(), "on_no");
	EXPECT_NE(box->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(scene->GetTopModal(), nullptr);
	StepUntilClosed(box);

	// Enter answers the first button, Yes.
	ShowYesNo(L"Again");
	Step();
	PressKey(DIK_RETURN);
	EXPECT_EQ(log.Take(), "on_yes");
	StepUntilClosed(box);

	ShowYesNo(L"Once more");
	Step();
	ClickAt(120, 120);
	EXPECT_EQ(log.Take(), "on_yes");
	StepUntilClosed(box);
	EXPECT_EQ(menuLog.Take(), "");
}

TEST_F(GlobalDialogsTest, TheOkBoxAndTheEditBoxAnswerTheirKeys)
{
	content.AddScene("mb_ok", kFullOkScene);
	content.AddScene("edit_box", kFullEditScene);
	Create();
	auto* ok = Box(kOkName);
	auto* edit = Box<cGameEditBox>(kEditName);
	ASSERT_TRUE(ok && edit);

	ShowMessageBoxOk(L"Saved", L"The game is saved.", log.Handler("on_ok"));
	Step();
	PressKey(DIK_ESCAPE);
	EXPECT_EQ(log.Take(), "");
	PressKey(DIK_RETURN);
	EXPECT_EQ(log.Take(), "on_ok");
	StepUntilClosed(ok);

	// Blank text disables OK: Enter does nothing, Escape cancels.
	cSceneObject* okButton = edit->GetChildList().FindByPath("window_profile_small_q/ok");
	ShowEditBox(L"Name", L"Your name:", "   ", log.Handler("on_accept"), log.Handler("on_cancel"),
		log.Handler("on_edit"));
	EXPECT_FALSE(edit->IsOkEnabled());
	EXPECT_FALSE(okButton->IsEnabled());
	Step();
	PressKey(DIK_RETURN);
	EXPECT_EQ(log.Take(), "");
	// The edit widget reports the Escape key as a change after the answer.
	PressKey(DIK_ESCAPE);
	EXPECT_THAT(log.Take(), testing::StartsWith("on_cancel"));
	StepUntilClosed(edit);

	// The previous showing's "on_edit" sees the new initial text.
	ShowEditBox(L"Name", L"Your name:", "  Ann Lee \t", log.Handler("on_accept"), log.Handler("on_cancel"),
		cSceneObject::tEvent());
	EXPECT_EQ(log.Take(), "on_edit");
	EXPECT_TRUE(okButton->IsEnabled());
	EXPECT_EQ(edit->GetText(), "Ann Lee");
	Step();
	PressKey(DIK_RETURN);
	EXPECT_EQ(log.Take(), "on_accept");
	StepUntilClosed(edit);
}

TEST_F(GlobalDialogsTest, BoxesWhoseScenesLackTheirTextObjectsShowAndAnswerNormally)
{
	const struct
	{
		const char* name;
		const char* scene;
		const char* elements;
		std::function<void(cAnswerLog&)> show;
		BYTE answerKey;
		const char* answer;
	} cases[] = {
		{ kOkName, "mb_ok", R"(<object name="window_profile_small"><button name="ok"/></object>)",
			[](cAnswerLog& log) { ShowMessageBoxOk(L"T", L"M", log.Handler("on_ok")); }, DIK_RETURN, "on_ok" },
		{ kYesNoName, "mb_yn", R"(<object name="window_profile_small"><button name="yes"/><button name="no"/></object>)",
			[](cAnswerLog& log) { ShowMessageBoxYesNo(L"T", L"M", log.Handler("on_yes"), log.Handler("on_no")); },
			DIK_RETURN, "on_yes" },
		{ kEditName, "edit_box", R"(<object name="window_profile_small_q"><button name="ok"/><button name="cancel"/></object>)",
			[](cAnswerLog& log) {
				ShowEditBox(L"T", L"M", "name", log.Handler("on_accept"), log.Handler("on_cancel"), log.Handler("on_edit"));
			},
			DIK_ESCAPE, "on_cancel" },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		cSceneContent scenes;
		scenes.AddScene(c.scene, c.elements);
		Create();
		cGameWindow* box = Box(c.name);
		ASSERT_TRUE(box);
		// Twice: the second showing must not answer for the first.
		for (int showing = 0; showing < 2; ++showing)
		{
			c.show(log);
			EXPECT_EQ(log.Take(), "");
			Step();
			Step();
			EXPECT_EQ(box->GetState(), cGameWindow::kWorking);
			EXPECT_EQ(scene->GetTopModal(), box);
			PressKey(c.answerKey);
			EXPECT_EQ(log.Take(), c.answer);
			StepUntilClosed(box);
		}
		screen->GetChildList().DeleteChildren();
	}
}

TEST_F(GlobalDialogsTest, AClosingLogoHidesTheBoxesEvenWhileTheyAreBeingCreated)
{
	content.AddScene("mb_yn", kFullYesNoScene);
	// Boxes not created yet: the close skips them.
	auto* menu = new cGameWindow("menu", screen, false);
	auto* logo = new cGameLogoWindow("missing_logo", menu);
	logo->Show();
	for (int i = 0; i < 4; ++i)
		Step();
	EXPECT_EQ(logo->GetState(), cGameWindow::kClosed);
	EXPECT_EQ(menu->GetProperties().GetProperty("logo_end"), "true");

	// The loader thread creates the boxes while logos close on this one.
	std::thread loader(CreateGlobalDialogs);
	for (int i = 0; i < 20; ++i)
	{
		auto* next = new cGameLogoWindow("missing_logo", nullptr);
		next->Show();
		Step();
		Step();
		next->MarkForDelete();
	}
	loader.join();
	Step();
	for (const char* name : { kOkName, kYesNoName, kEditName })
	{
		ASSERT_TRUE(Box(name)) << name;
		EXPECT_FALSE(Box(name)->IsVisible()) << name;
	}

	// A box still open when a logo closes is hidden.
	ShowYesNo(L"Open");
	Step();
	auto* last = new cGameLogoWindow("missing_logo", nullptr);
	last->Show();
	Step();
	Step();
	EXPECT_EQ(last->GetState(), cGameWindow::kClosed);
	EXPECT_NE(Box(kYesNoName)->GetState(), cGameWindow::kWorking);
	StepUntilClosed(Box(kYesNoName));
	EXPECT_EQ(log.Take(), "");
}
