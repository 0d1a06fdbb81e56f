// The dialogue manager: dialogues read from "strings" play line by line in
// clouds built from scenes, on real clicks; the skip button, hiding, kept
// starts and renames; clouds without scenes, clips or text still end.

#include "../../engine/input/InputManagerFixture.h"
#include "../../engine/windows/WindowTestSupport.h"

#include "engine/resources/cXmlResource.h"
#include "engine/scene/cTextObject.h"
#include "engine/scene/cTextVisual.h"
#include "game/play/cDialogManager.h"

#include <map>

namespace
{
const char* const kStrings = R"(<strings><group name="first">
	<group name="texts"><group name="menu"/></group>
	<group name="dialogs">
		<dialog name="intro">
			<part name="talk">
				<line name=" alice " text="Hello"/>
				<line name="bob" text="Привет"/>
				<line name="alice" text="Bye"/>
			</part>
			<part name="long">
				<line name="alice" text="1"/><line name="alice" text="2"/>
				<line name="alice" text="3"/><line name="alice" text="4"/>
			</part>
			<part name="single"><line name="bob" text="Only"/></part>
			<part name="hostile">
				<line text="nobody says this"/>
				<line name="ghost" text="Boo"/>
				<line name="mime" text="..."/>
				<line name="alice" text="Done"/>
			</part>
			<part name="empty"/>
		</dialog>
	</group>
</group></strings>)";

// A cloud that enters, starts and stops speaking and leaves by motion
// clips of 0.1 s, with its text in "cloud/text".
const char* const kCloudScene = R"(<object name="cloud" motion="slide">
	<add_motion name="move_in" first="0" last="10" length="0.1"/>
	<add_motion name="dialogue_start" first="10" last="20" length="0.1"/>
	<add_motion name="dialogue_stop" first="20" last="30" length="0.1"/>
	<add_motion name="move_out" first="30" last="20" length="0.1"/>
	<text name="text"/>
</object>)";

// Plays each clip of a cloud for 0.1 s, and nothing else.
class cTimedVisual : public cProbeVisual
{
public:
	using cProbeVisual::cProbeVisual;
	void PlayAnimation(const std::string& name) override
	{
		if (name != "move_in" && name != "dialogue_start" && name != "dialogue_stop" && name != "move_out")
			return;
		history += (history.empty() ? "" : " ") + name;
		playing = true;
		time = 0;
	}
	void Update(float dt) override
	{
		time += dt;
		playing = playing && time < 0.1f;
	}

	std::string history;
};

cSceneObject* CreateTimed(const std::string& name, cSceneObject* parent)
{
	auto* object = new cSceneObject(name, parent);
	object->SetVisual(new cTimedVisual(object));
	return object;
}

class cDialogManagerTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		StartInput();
		scene = cSceneManager::GetInstance();
		// Windows hang under the default camera, shown as in the game.
		ClearScene(scene);
		scene->GetDefaultCamera()->SetVisible(true);
		if (scene->GetObjectTypeId("timed") < 0)
			scene->RegisterObjectType("timed", &CreateTimed);
		content.AddMotion("slide", SlideBytes());
		content.AddScene("alice", kCloudScene);
		content.AddScene("bob", kCloudScene);
		// Animations only, and no text object.
		content.AddScene("mime", R"(<timed name="face"/>)");
		content.AddScene("skip_button", R"(<object name="skip"/>)");
		effect = new cSceneObject("effect", scene->GetRoot());
		new cSceneObject("target", new cSceneObject("rt", effect));
	}

	void TearDown() override
	{
		ClearScene(scene);
		for (auto& resource : strings)
			resource->RemoveFromIndex();
		cInputManagerFixture::TearDown();
	}

	void AddStrings(const std::string& text)
	{
		auto* stream = new cMemoryStream;
		stream->Write(text.data(), uint32_t(text.size()));
		stream->Seek(0, cStream::FromStart);
		strings.emplace_back(new cXmlResource("strings", sResourceSource(stream, "")));
		strings.back()->AddToIndex();
	}

	cDialogManager* MakeManager()
	{
		AddStrings(kStrings);
		auto* manager = new cDialogManager(effect);
		manager->Show();
		return manager;
	}

	// One frame: input, the input pass and the update; then the clip each
	// cloud newly plays is appended to its history.
	void Step(cDialogManager* manager, float dt = 0.05f)
	{
		Frame();
		scene->DispatchInput();
		scene->Update(dt);
		for (const char* character : { "alice", "bob" })
		{
			cSceneObject* cloud = manager->GetCloud(character)->GetChildList().FindChild("cloud");
			const std::string clip = cloud->GetMotions().GetCurrentClipName();
			const float time = cloud->GetMotions().GetPlayer()->GetTime();
			auto& [lastClip, lastTime] = lastClips[character];
			if (clip != lastClip || time < lastTime)
				history[character] += (history[character].empty() ? "" : " ") + clip;
			lastClip = clip;
			lastTime = time;
		}
	}

	// Frames until the manager is no longer active; -1 when it still is
	// after the limit.
	int RunUntilIdle(cDialogManager* manager, int limit = 40)
	{
		for (int frame = 1; frame <= limit; ++frame)
		{
			Step(manager);
			if (!manager->IsActive())
				return frame;
		}
		return -1;
	}

	void Click() { Send({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) }); }

	// A click once the line delay is over.
	void ClickOn(cDialogManager* manager)
	{
		for (int i = 0; i < 5; ++i)
			Step(manager);
		Click();
		Step(manager);
	}

	static std::wstring Text(cDialogManager* manager, const std::string& character)
	{
		cSceneObject* text = manager->GetCloud(character)->GetChildList().FindByPath("cloud/text");
		return static_cast<cTextVisual*>(text->GetVisual())->GetText();
	}

	static void Skip(cDialogManager* manager)
	{
		manager->GetSkipButton()->GetChildList().FindChild("skip")->FireEvent("on_click");
	}

	cSceneManager* scene = nullptr;
	cSceneObject* effect = nullptr;
	cSceneContent content;
	std::vector<std::unique_ptr<cXmlResource>> strings;
	// Each cloud's clips in the order they started.
	std::map<std::string, std::string> history;
	std::map<std::string, std::pair<std::string, float>> lastClips;
};
}

TEST_F(cDialogManagerTest, ATwoCharacterPartPlaysOneLinePerClickAndEndsWithStopThenMoveOut)
{
	cDialogManager* manager = MakeManager();
	EXPECT_EQ(cDialogManager::Get(), manager);
	EXPECT_EQ(manager->GetName(), "dialog_manager");
	EXPECT_EQ(manager->GetParent(), effect->GetChildList().FindByPath("rt/target"));
	// Clouds are named after the part read when they were made.
	EXPECT_EQ(manager->GetCloud("alice")->GetName(), "talk");
	EXPECT_FALSE(manager->IsActive());

	manager->StartDialog("intro", "talk");
	EXPECT_TRUE(manager->IsActive());
	EXPECT_TRUE(manager->GetSkipButton()->IsVisible());
	EXPECT_EQ(manager->GetSortKey(), 10);
	// The clouds enter first; the first line follows without a click.
	for (int i = 0; i < 4; ++i)
		Step(manager);
	EXPECT_EQ(Text(manager, "alice"), L"Hello");
	EXPECT_EQ(Text(manager, "bob"), L"");

	// A click within 0.2 s of a line is ignored.
	Click();
	Step(manager);
	for (int i = 0; i < 5; ++i)
		Step(manager);
	EXPECT_EQ(Text(manager, "bob"), L"");

	Click();
	Step(manager);
	EXPECT_EQ(Text(manager, "bob"), L"Привет");
	ClickOn(manager);
	EXPECT_EQ(Text(manager, "alice"), L"Bye");
	EXPECT_TRUE(manager->IsActive());

	ClickOn(manager);
	EXPECT_GT(RunUntilIdle(manager), 0);
	EXPECT_FALSE(manager->GetSkipButton()->IsVisible());
	for (int i = 0; i < 5; ++i)
		Step(manager);
	EXPECT_EQ(history["alice"], "move_in dialogue_start dialogue_stop dialogue_start dialogue_stop move_out");
	EXPECT_EQ(history["bob"], "move_in dialogue_start dialogue_stop move_out");
}

TEST_F(cDialogManagerTest, SkipEndsAtOnceWhetherOrNotALineWasShown)
{
	const struct
	{
		const char* name;
		int linesBefore;
		const wchar_t* aliceText;
	} cases[] = {
		// While the clouds still come in, before any speaker was chosen.
		{ "during move_in", 0, L"" },
		{ "after the first line", 1, L"Hello" },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		history.clear();
		lastClips.clear();
		cDialogManager* manager = MakeManager();
		manager->StartDialog("intro", "talk");
		Step(manager);
		if (c.linesBefore)
			for (int i = 0; i < 4; ++i)
				Step(manager);
		Skip(manager);
		EXPECT_FALSE(manager->GetSkipButton()->IsVisible());
		EXPECT_GT(RunUntilIdle(manager), 0);
		for (int i = 0; i < 5; ++i)
			Step(manager);
		EXPECT_EQ(Text(manager, "alice"), c.aliceText);
		EXPECT_EQ(Text(manager, "bob"), L"");
		EXPECT_EQ(history["bob"], "move_in dialogue_stop move_out");
		delete manager;
		strings.back()->RemoveFromIndex();
	}
}

TEST_F(cDialogManagerTest, HidingTheCloudsEndsTheDialogueAndAHiddenManagerKeepsTheLastStart)
{
	cDialogManager* manager = MakeManager();
	manager->StartDialog("intro", "long");
	for (int i = 0; i < 4; ++i)
		Step(manager);
	ASSERT_EQ(Text(manager, "alice"), L"1");
	manager->HideClouds();
	EXPECT_FALSE(manager->IsActive());
	EXPECT_FALSE(manager->GetCloud("alice")->IsVisible());
	EXPECT_FALSE(manager->GetSkipButton()->IsVisible());

	// Starts while hidden wait for the next show; only the last is kept.
	manager->Hide();
	for (int i = 0; i < 3 && manager->IsVisible(); ++i)
		Step(manager);
	ASSERT_FALSE(manager->IsVisible());
	manager->StartDialog("intro", "long");
	manager->StartDialog("intro", "single");
	EXPECT_FALSE(manager->IsActive());
	manager->Show();
	EXPECT_TRUE(manager->IsActive());
	EXPECT_FALSE(manager->GetCloud("alice")->IsVisible());
	EXPECT_TRUE(manager->GetCloud("bob")->IsVisible());
	for (int i = 0; i < 4; ++i)
		Step(manager);
	EXPECT_EQ(Text(manager, "bob"), L"Only");
}

TEST_F(cDialogManagerTest, PartsStartByTheirRenamesAndEmptyOrUnknownPartsPlayNothing)
{
	cDialogManager* manager = MakeManager();
	const struct
	{
		const char* part;
		bool active;
		bool skip;
	} cases[] = {
		{ "single", true, false },
		{ "talk", true, true },
		{ "empty", false, false },
		{ "no such part", false, false },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.part);
		manager->StartDialog("intro", c.part);
		EXPECT_EQ(manager->IsActive(), c.active);
		EXPECT_EQ(manager->GetSkipButton()->IsVisible(), c.skip);
		manager->HideClouds();
	}
	manager->StartDialog("no such dialogue", "talk");
	EXPECT_FALSE(manager->IsActive());

	manager->RenamePart("empty", "single");
	manager->StartDialog("intro", "empty");
	EXPECT_TRUE(manager->GetCloud("bob")->IsVisible());
	manager->HideClouds();
	manager->RenamePart("single", "single");
	manager->StartDialog("intro", "single");
	EXPECT_TRUE(manager->GetCloud("bob")->IsVisible());
}

TEST_F(cDialogManagerTest, CloudsWithoutSceneClipsOrTextStillPlayThroughAndEnd)
{
	testing::internal::CaptureStderr();
	cDialogManager* manager = MakeManager();
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_NE(log.find("a line without a character is skipped"), std::string::npos) << log;
	EXPECT_NE(log.find("scene_resource[ghost] not found"), std::string::npos) << log;
	ASSERT_EQ(manager->FindPart("intro", "hostile")->size(), 3u);
	EXPECT_TRUE(manager->GetCloud("ghost")->GetChildList().GetChildren().empty());

	manager->StartDialog("intro", "hostile");
	for (int i = 0; i < 3; ++i)
		ClickOn(manager);
	EXPECT_EQ(Text(manager, "alice"), L"Done");
	ClickOn(manager);
	EXPECT_GT(RunUntilIdle(manager), 0);
	auto& mime = static_cast<cTimedVisual&>(
		*manager->GetCloud("mime")->GetChildList().FindChild("face")->GetVisual());
	for (int i = 0; i < 5; ++i)
		Step(manager);
	EXPECT_EQ(mime.history, "move_in dialogue_start dialogue_stop move_out");
}

TEST_F(cDialogManagerTest, StringsWithoutTheDialogsGroupGiveNoDialogues)
{
	AddStrings(R"(<strings><group name="first"><group name="texts"/></group></strings>)");
	testing::internal::CaptureStderr();
	cDialogManager manager(nullptr);
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Dialogs not found in strings"), std::string::npos);
	EXPECT_EQ(manager.GetParent(), cGameWindow::DefaultCameraObject());
	manager.Show();
	manager.StartDialog("intro", "talk");
	EXPECT_FALSE(manager.IsActive());
	EXPECT_EQ(manager.GetCloud("alice"), nullptr);
}
