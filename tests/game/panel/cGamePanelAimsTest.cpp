// Aims on the game panel (announced once, kept in the progress, listed in
// the layout for their count, sorted as text) and the hint button (its
// charge over 50 s, its press, the hint effects), on a panel built from a
// small "gamepanel" scene whose clips are recorded by probe visuals.

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/input/InputManagerFixture.h"
#include "../../engine/scene/SceneDescTestSupport.h"
#include "../../engine/sound/cSoundManagerTestSupport.h"
#include "../../engine/windows/WindowTestSupport.h"

#include "engine/sound/cSoundRegistry.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cPlayerProgress.h"

#include <set>

namespace
{
// A probe that keeps every animation it was told to play.
class cRecordingVisual : public cProbeVisual
{
public:
	using cProbeVisual::cProbeVisual;
	void PlayAnimation(const std::string& name) override
	{
		cProbeVisual::PlayAnimation(name);
		history += (history.empty() ? "" : " ") + name;
	}
	std::string history;
};

cSceneObject* CreateRecording(const std::string& name, cSceneObject* parent)
{
	auto* object = new cSceneObject(name, parent);
	object->SetVisual(new cRecordingVisual(object));
	return object;
}

// The panel's buttons, the aim texts and flashes, the hint effects and
// "objectives" with its five layouts; "curtain" plays the list's clips.
std::string PanelScene()
{
	std::string objectives = R"(<object name="objectives" visible="0"><recording name="curtain"/>)";
	for (int layout = 0; layout < 5; ++layout)
	{
		objectives += "<object name=\"objectives_0" + std::to_string(layout) + "\" visible=\"0\">";
		for (int line = 0; line < 5; ++line)
			objectives += "<object name=\"text_aim_" + std::to_string(line) + "\"/>";
		objectives += "</object>";
	}
	return objectives + R"(</object>
		<recording name="clips"/>
		<probe name="hint_button"/>
		<object name="text_aim"/>
		<object name="pellith_get_aim"/>
		<object name="pellith_solve_aim"/>
		<recording name="hint_fx"/>
		<recording name="hint_fx_2"/>
		<object name="button_aims_back"><object name="aims"/></object>)";
}

// The panel over a progress record of its own.
class cPanelAims
{
public:
	cPanelAims()
	{
		cSceneManager* scene = cSceneManager::GetInstance();
		RegisterProbeType();
		if (scene->GetObjectTypeId("recording") < 0)
			scene->RegisterObjectType("recording", &CreateRecording);
		content.AddScene("gamepanel", PanelScene());
		saved = g_currentProgress;
		g_currentProgress = &progress;
		panel = new cGamePanel(nullptr);
		Probe(Child("hint_button")).length = 1;
		// Only what the tests do is recorded, not the panel's "reset".
		for (const char* path : { "clips", "objectives/curtain", "hint_fx", "hint_fx_2" })
			History(path).clear();
	}
	~cPanelAims() { g_currentProgress = saved; }

	cSceneObject* Child(const std::string& path) { return panel->GetChildList().FindByPath(path); }
	std::string Property(const std::string& path, const std::string& key)
	{
		return Child(path)->GetProperties().GetProperty(key);
	}
	std::string& History(const std::string& path)
	{
		return static_cast<cRecordingVisual*>(Child(path)->GetVisual())->history;
	}
	void PressAims() { Child("button_aims_back/aims")->FireEvent("on_click"); }
	// The list's clip on "objectives" has ended.
	void EndCurtain() { Probe(Child("objectives/curtain")).playing = false; }
	bool IsListOpen() { return cSceneManager::GetInstance()->GetTopModal() == panel; }
	// The objective layouts that are visible.
	std::vector<std::string> ShownLayouts()
	{
		std::vector<std::string> shown;
		for (cSceneObject* layout : Child("objectives")->GetChildList().GetChildren())
			if (layout->GetName() != "curtain" && layout->IsVisible())
				shown.push_back(layout->GetName());
		return shown;
	}

	cSceneContent content;
	cPlayerProgress progress;
	cPlayerProgress* saved = nullptr;
	cGamePanel* panel = nullptr;
};

class cGamePanelAimsTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		aims = std::make_unique<cPanelAims>();
		panel = aims->panel;
	}
	void TearDown() override
	{
		SceneTest::TearDown();
		aims.reset();
	}

	std::unique_ptr<cPanelAims> aims;
	cGamePanel* panel = nullptr;
};

std::vector<float> WorldPosition(cSceneObject* object)
{
	const cMatrix& world = object->GetTransform().GetWorldMatrix();
	return { world._41, world._42, world._43 };
}
}

TEST_F(cGamePanelAimsTest, AnAimIsAnnouncedOnceAndASolvedOneNeverAgain)
{
	std::map<std::string, int>& states = aims->progress.aimStates;
	std::map<std::string, std::wstring>& texts = aims->progress.aimTexts;
	panel->AddAim("door", L"Open the door", 0);
	EXPECT_EQ(aims->History("clips"), "task");
	EXPECT_EQ(aims->Property("text_aim", "text"), "Open the door");
	EXPECT_EQ(aims->Property("pellith_get_aim", "show_model"), "true");
	EXPECT_EQ(states["door"], 1);
	EXPECT_EQ(texts["door"], L"Open the door");

	// The sort number leads the stored text only.
	panel->AddAim("key", L"Find the ключ", 2);
	EXPECT_EQ(texts["key"], L"2#Find the ключ");
	EXPECT_EQ(aims->Property("text_aim", "text"), "Find the ключ");

	// Given, solved, or solved without being given: a later add changes nothing.
	panel->SolveAim("key");
	EXPECT_EQ(aims->Property("pellith_solve_aim", "show_model"), "true");
	aims->Child("pellith_solve_aim")->GetProperties().SetProperty("show_model", "");
	panel->SolveAim("never");
	EXPECT_EQ(aims->Property("pellith_solve_aim", "show_model"), "") << "it was never given";
	aims->History("clips").clear();
	for (const char* id : { "door", "key", "never" })
		panel->AddAim(id, L"Again", 5);
	EXPECT_EQ(aims->History("clips"), "");
	EXPECT_EQ(aims->Property("text_aim", "text"), "Find the ключ");
	EXPECT_EQ(states, (std::map<std::string, int> { { "door", 1 }, { "key", 2 }, { "never", 2 } }));
	EXPECT_EQ(texts.count("never"), 0u);

	// An empty text is logged and still given.
	testing::internal::CaptureStderr();
	panel->AddAim("ghost", L"", 0);
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Aim 'ghost' not found."), std::string::npos);
	EXPECT_EQ(states["ghost"], 1);
	EXPECT_EQ(aims->History("clips"), "");

	// Showing the panel announces the open aims again, in id order.
	aims->Child("text_aim")->GetProperties().SetProperty("text", "");
	testing::internal::CaptureStderr();
	panel->Show();
	testing::internal::GetCapturedStderr();
	EXPECT_EQ(aims->History("clips"), "appear start task") << "\"door\"; \"ghost\" has no text";
	EXPECT_EQ(aims->Property("text_aim", "text"), "Open the door");
	EXPECT_EQ(states, (std::map<std::string, int> { { "door", 1 }, { "ghost", 1 }, { "key", 2 }, { "never", 2 } }));
	EXPECT_EQ(texts["door"], L"Open the door");
	EXPECT_EQ(panel->GetChildList().FindChild("text_aim")->GetSortKey(), 10);
}

TEST_F(cGamePanelAimsTest, TheListShowsTheOpenAimsSortedAsTextInTheLayoutForTheirCount)
{
	// No open aim: nothing opens.
	panel->AddAim("done", L"Done", 0);
	panel->SolveAim("done");
	aims->PressAims();
	EXPECT_FALSE(panel->IsObjectivesShown());
	EXPECT_FALSE(aims->IsListOpen());

	const struct
	{
		int count;
		const char* layout;
	} cases[] = { { 1, "objectives_02" }, { 2, "objectives_01" }, { 3, "objectives_03" }, { 4, "objectives_00" },
		{ 5, "objectives_04" }, { 6, "objectives_04" } };
	for (const auto& entry : cases)
	{
		aims->progress.aimStates.clear();
		for (int i = 0; i < entry.count; ++i)
			panel->AddAim("aim" + std::to_string(i), L"Aim " + std::to_wstring(i), i + 1);
		aims->PressAims();
		ASSERT_TRUE(aims->IsListOpen()) << entry.count;
		EXPECT_TRUE(panel->IsObjectivesShown());
		EXPECT_EQ(aims->ShownLayouts(), std::vector<std::string> { entry.layout }) << entry.count;
		for (int i = 0; i < std::min(entry.count, 5); ++i)
			EXPECT_EQ(aims->Property(std::string("objectives/") + entry.layout + "/text_aim_" + std::to_string(i), "text"),
				"Aim " + std::to_string(i))
				<< entry.count;
		aims->EndCurtain();
		aims->PressAims();
		ASSERT_FALSE(aims->IsListOpen());
		panel->Update(0.5f);
	}
	EXPECT_EQ(aims->Property("objectives/objectives_04/text_aim_4", "text"), "Aim 4") << "the sixth is not shown";

	// 10 sorts before 2; an empty text is an empty line.
	aims->progress.aimStates.clear();
	panel->AddAim("two", L"Two", 2);
	panel->AddAim("ten", L"Ten", 10);
	testing::internal::CaptureStderr();
	panel->AddAim("blank", L"", 0);
	testing::internal::GetCapturedStderr();
	aims->progress.aimTexts["blank"] = L"";
	aims->PressAims();
	EXPECT_EQ(aims->ShownLayouts(), std::vector<std::string> { "objectives_03" });
	std::vector<std::string> lines;
	for (int i = 0; i < 3; ++i)
		lines.push_back(aims->Property("objectives/objectives_03/text_aim_" + std::to_string(i), "text"));
	EXPECT_EQ(lines, (std::vector<std::string> { "", "Ten", "Two" }));
}

TEST_F(cGamePanelAimsTest, TheListClosesOnceItsClipEndedAndTheButtonRestsForAMoment)
{
	panel->AddAim("door", L"Open the door", 0);
	aims->History("objectives/curtain").clear();
	aims->PressAims();
	EXPECT_EQ(aims->History("objectives/curtain"), "obj_show");
	ASSERT_TRUE(aims->IsListOpen());

	aims->PressAims();
	EXPECT_TRUE(aims->IsListOpen()) << "\"obj_show\" still plays";
	aims->EndCurtain();
	aims->PressAims();
	EXPECT_FALSE(aims->IsListOpen());
	EXPECT_EQ(aims->History("objectives/curtain"), "obj_show obj_hide");

	// Within 0.3 s a press is ignored.
	aims->PressAims();
	panel->Update(0.25f);
	aims->PressAims();
	EXPECT_FALSE(aims->IsListOpen());
	EXPECT_TRUE(panel->IsObjectivesShown()) << "hidden once \"obj_hide\" ends";
	aims->EndCurtain();
	panel->Update(0.1f);
	EXPECT_FALSE(panel->IsObjectivesShown());
	aims->PressAims();
	EXPECT_TRUE(aims->IsListOpen());

	// Showing the panel hides the list and frees the button.
	aims->EndCurtain();
	aims->PressAims();
	panel->Show();
	EXPECT_FALSE(panel->IsObjectivesShown());
	aims->PressAims();
	EXPECT_TRUE(aims->IsListOpen());
}

TEST_F(cGamePanelAimsTest, TheHintChargesInFiftySecondsAndAPressSpendsIt)
{
	cSceneObject* button = aims->Child("hint_button");
	panel->SetEnabled(true);
	for (int frame = 0; frame < 196; ++frame)
		panel->Update(0.25f);
	const float charge = aims->progress.hintCharge;
	EXPECT_NEAR(charge, 0.98f, 1e-4);
	EXPECT_FLOAT_EQ(Probe(button).time, charge) << "the button's animation follows the charge";
	EXPECT_FALSE(button->IsEnabled());
	EXPECT_EQ(aims->History("clips"), "hint") << "once, when the charge started from empty";

	for (int frame = 0; frame < 8; ++frame)
		panel->Update(0.25f);
	EXPECT_EQ(aims->progress.hintCharge, 1.0f);
	EXPECT_EQ(aims->History("clips"), "hint glow");
	EXPECT_EQ(Probe(button).time, 1.0f);
	EXPECT_TRUE(button->IsEnabled()) << "full, and the panel allows it";
	panel->SetEnabled(false);
	panel->Update(0.25f);
	EXPECT_FALSE(button->IsEnabled());
	panel->SetEnabled(true);
	panel->Update(0.25f);
	EXPECT_TRUE(button->IsEnabled());

	// Without a location there is nothing to point at: the press spends nothing.
	button->FireEvent("on_click");
	EXPECT_EQ(aims->progress.hintCharge, 1.0f);
	EXPECT_TRUE(panel->WasInputHandled());
	// A location's hint empties the charge.
	aims->progress.hintCharge = 0;
	panel->Update(0.25f);
	EXPECT_EQ(aims->History("clips"), "hint glow hint");
	EXPECT_FALSE(button->IsEnabled());

	// Shown with a full hint, the panel glows; with some charge it does not.
	aims->History("clips").clear();
	panel->Show();
	EXPECT_EQ(aims->History("clips"), "appear start");
	aims->progress.hintCharge = 1;
	aims->History("clips").clear();
	panel->Show();
	EXPECT_EQ(aims->History("clips"), "appear start glow");
}

TEST_F(cGamePanelAimsTest, AHintPlaysAtThePointAndAnItemNoSlotHoldsShowsNoItemHint)
{
	cSceneObject* effect = aims->Child("hint_fx");
	cSceneObject* itemEffect = aims->Child("hint_fx_2");
	itemEffect->GetTransform().SetWorldMatrix(Translation(5, 6, 7));

	panel->ShowHintAt(300, 200, "key");
	EXPECT_EQ(WorldPosition(effect), (std::vector<float> { 300, 200, -1600 }));
	EXPECT_EQ(aims->History("hint_fx"), "hint");
	EXPECT_EQ(WorldPosition(itemEffect), (std::vector<float> { 5, 6, 7 })) << "left where it was";
	EXPECT_EQ(aims->History("hint_fx_2"), "");

	// Without an item the item hint plays out of sight.
	panel->ShowHintAt(10, 20, "");
	EXPECT_EQ(WorldPosition(effect), (std::vector<float> { 10, 20, -1600 }));
	EXPECT_EQ(WorldPosition(itemEffect), (std::vector<float> { -1000, -1000, 100 }));
	EXPECT_EQ(aims->History("hint_fx_2"), "hint");
}

namespace
{
class cGamePanelAimsInputTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		StartInput();
		aims = std::make_unique<cPanelAims>();
	}
	void TearDown() override
	{
		cSceneManager* scene = cSceneManager::GetInstance();
		while (cSceneObject* modal = scene->GetTopModal())
			scene->SetModal(modal, false);
		delete aims->panel;
		aims.reset();
		cInputManagerFixture::TearDown();
	}

	void Click(DWORD down, DWORD up)
	{
		Send({ MouseInput(down), MouseInput(up) });
		Frame();
		aims->panel->HandleInput();
	}

	std::unique_ptr<cPanelAims> aims;
};
}

TEST_F(cGamePanelAimsInputTest, ALeftClickAnywhereClosesTheList)
{
	aims->panel->AddAim("door", L"Open the door", 0);
	aims->History("objectives/curtain").clear();
	aims->PressAims();
	Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
	EXPECT_TRUE(aims->IsListOpen()) << "\"obj_show\" still plays";
	aims->EndCurtain();
	Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
	EXPECT_TRUE(aims->IsListOpen()) << "a right click is not for the list";
	Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
	EXPECT_FALSE(aims->IsListOpen());
	EXPECT_EQ(aims->History("objectives/curtain"), "obj_show obj_hide");
}

TEST(cGamePanelAimsSound, HintFullSoundsOnceWhenTheChargeIsFullAndAHintSoundsWhenShown)
{
	cTempFolder folder;
	auto wave = [](int16_t value) {
		std::string samples;
		for (int i = 0; i < 2 * 11025; ++i)
			samples += LittleEndian(static_cast<uint16_t>(value), 2);
		return Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", samples));
	};
	WriteWave("hint_full", wave(1000));
	WriteWave("hint", wave(100));
	RunInChild([&] {
		cSoundManager* manager = StartSoundManager();
		cResourceManager::GetInstance()->AddSource("data");
		cPanelAims aims;
		cSoundRegistry* sounds = cSoundRegistry::GetInstance();
		const cResourceHandle full = SoundNamed("hint_full");
		const cResourceHandle hint = SoundNamed("hint");

		int frames = 0;
		for (; aims.progress.hintCharge < 1 && frames < 400; ++frames)
		{
			EXPECT_FALSE(sounds->Contains(full)) << "not yet full";
			aims.panel->Update(0.25f);
		}
		EXPECT_NEAR(frames * 0.25f, 50.0f, 0.3f);
		EXPECT_TRUE(sounds->IsPlaying(full));
		std::string mix = MixBytes(manager, 441);
		std::set<int> levels;
		for (size_t i = 0; i < mix.size() / 2; ++i)
			levels.insert(SampleAt(mix, i));
		EXPECT_EQ(levels, std::set<int> { 1000 }) << "one instance";

		sounds->Clear();
		for (int frame = 0; frame < 20; ++frame)
			aims.panel->Update(0.25f);
		EXPECT_FALSE(sounds->Contains(full)) << "once only";

		aims.panel->ShowHintAt(1, 2, "");
		EXPECT_TRUE(sounds->IsPlaying(hint));
		delete aims.panel;
	});
}
