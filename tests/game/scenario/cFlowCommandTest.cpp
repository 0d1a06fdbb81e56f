// The game-flow command "command" made by the command factory for a real
// location form, with the game panel, the help window, the diary and map
// window and the main menu around it: each sub-command's effect and wait,
// the object paths of "help", the hint marker's event, and the sub-commands
// whose arguments are missing.

#include "../location/LocationTestSupport.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "game/panel/cGamePanel.h"
#include "game/play/GameObjectTypes.h"
#include "game/scenario/commands/cFlowCommand.h"
#include "game/screens/cComicsWindow.h"
#include "game/screens/cDiaryWindow.h"
#include "game/screens/cHelpManager.h"
#include "game/screens/cMovieWindow.h"

#include <functional>
#include <memory>

namespace
{
const char* const kPanelScene = R"(
	<object name="menu_button"/>
	<object name="hint_button"/>
	<object name="diary"><object name="lines_parent"><text name="text_items_0"/></object></object>
	<object name="slots_parent">
		<inventory name="inventory_0"><text name="count"/></inventory>
		<inventory name="inventory_1"><text name="count"/></inventory>
	</object>)";

// An items list scene naming a visible hidden object and an object the
// location keeps out of sight.
const char* const kListScene = R"(<text name="text_items_0"/><object name="key"/><object name="chest"/>)";

class cFlowCommandTest : public LocationTest
{
protected:
	void SetUp() override
	{
		LocationTest::SetUp();
		if (scene->GetObjectTypeId("inventory") < 0)
			RegisterInventoryType();
		content.AddScene("gamepanel", kPanelScene);
		content.AddScene("find_list", kListScene);
		cSceneObject* effect = new cSceneObject("effect", root());
		new cSceneObject("target", new cSceneObject("rt", effect));
		panel = new cGamePanel(effect);
		help = new cHelpManager(root());
		auto* mapEffect = new cGameWindow("map_effect", root(), false);
		new cSceneObject("target", new cSceneObject("rt", mapEffect));
		diary = new cDiaryWindow(mapEffect);
		SetDiaryWindow(diary);
		mainMenu = new cGameWindow("mainmenu", root(), false);
		SetMainMenuWindow(mainMenu);
		form = Build("location1");
		form->Show();
	}

	void TearDown() override
	{
		commands.clear();
		SetDiaryWindow(nullptr);
		SetMainMenuWindow(nullptr);
		g_ispyMode = false;
		g_ispyCollecting = false;
		LocationTest::TearDown();
	}

	// A "command" element with the item's attributes, made by the factory
	// for the location and loaded; kept until the test ends.
	cFlowCommand* Command(const std::string& attributes)
	{
		const std::string text = "<command><item " + attributes + "/></command>";
		cMemoryStream stream;
		stream.Write(text.data(), uint32_t(text.size()));
		cXmlDocument document;
		EXPECT_TRUE(document.Load(static_cast<cStream&>(stream))) << text;
		auto* command = dynamic_cast<cFlowCommand*>(cCommandFactory::GetInstance()->Create("command", form));
		EXPECT_NE(command, nullptr);
		testing::internal::CaptureStderr();
		EXPECT_TRUE(command->Load(document.GetRoot()));
		log += testing::internal::GetCapturedStderr();
		// A preloaded items list scene moves under the panel as the next frame would move it.
		scene->ApplyRequests();
		commands.emplace_back(command);
		return command;
	}

	// One activation step: 0 while it waits, 3 once it has finished.
	static int Run(cScenarioCommand* command)
	{
		cScenarioCommand* out = nullptr;
		return command->Run(out);
	}

	cSceneObject* Object(const std::string& path) { return form->FindObject(path); }

	cGamePanel* panel = nullptr;
	cHelpManager* help = nullptr;
	cDiaryWindow* diary = nullptr;
	cGameWindow* mainMenu = nullptr;
	cLocationForm* form = nullptr;
	std::vector<std::unique_ptr<cScenarioCommand>> commands;
};

constexpr int kWaits = cScenarioCommand::kRunning;
constexpr int kDone = cScenarioCommand::kBranchDone;
}

TEST_F(cFlowCommandTest, SubCommandsActAndFinishAtOnce)
{
	const struct
	{
		const char* item;
		std::function<void()> before;
		std::function<void()> check;
	} rows[] = {
		{R"(name="show_panel")", [&] { panel->SetVisible(false); progress.cursorObjects = {"shelf.book"}; },
			[&] {
				EXPECT_TRUE(panel->IsVisible());
				EXPECT_TRUE(progress.panelShown);
				EXPECT_EQ(progress.cursorObjects, std::vector<std::string>{"shelf.book"});
			}},
		{R"(name="show_panel")", [&] { panel->Show(); progress.panelShown = false; },
			[&] { EXPECT_FALSE(progress.panelShown) << "a visible panel is left alone"; }},
		{R"(name="hide_panel")", [&] { panel->Show(); panel->SetState(cGameWindow::kWorking); progress.panelShown = true; },
			[&] {
				EXPECT_FALSE(panel->IsVisible());
				EXPECT_FALSE(progress.panelShown);
			}},
		{R"(name="hide_panel")", [&] { panel->Show(); panel->SetState(cGameWindow::kAppear); },
			[&] { EXPECT_TRUE(panel->IsVisible()) << "only a working panel hides"; }},
		{R"(name="fly_start" from="chest")", [] {}, [&] { EXPECT_EQ(form->GetFlyStartName(), "chest"); }},
		{R"(name="fly_start")", [&] { form->SetFlyStartName("chest"); },
			[&] { EXPECT_EQ(form->GetFlyStartName(), ""); }},
		{R"(name="fill_hint")", [&] { progress.hintCharge = 0.2f; }, [&] { EXPECT_EQ(progress.hintCharge, 1.0f); }},
		{R"(name="add_to_cursor" path="shelf.book.page")", [&] { progress.cursorObjects.clear(); },
			[&] { EXPECT_EQ(progress.cursorObjects, std::vector<std::string>{"shelf.book.page"}); }},
		{R"(name="remove_cursor" path="shelf.vase")",
			[&] {
				progress.cursorObjects.clear();
				form->AddToCursor("shelf.book");
				form->AddToCursor("shelf.vase");
			},
			[&] { EXPECT_EQ(progress.cursorObjects, std::vector<std::string>{"shelf.book"}); }},
		{R"(name="remove_cursor")", [&] { form->AddToCursor("shelf.vase"); },
			[&] { EXPECT_TRUE(progress.cursorObjects.empty()); }},
		{R"(name="combine" a="hook" b="rope")",
			[&] {
				panel->AddInventoryItem(cMatrix::Identity(), "rope", 1, false);
				panel->AddInventoryItem(cMatrix::Identity(), "hook", 1, false);
			},
			[&] { EXPECT_EQ(progress.GetItemCount("rope"), 0) << "the rope went into the combination"; }},
		{R"(name="enable_ispy_help")", [] {}, [&] { EXPECT_TRUE(form->IsIspyHelpEnabled()); }},
		{R"(name="restart_game")", [] {}, [&] { EXPECT_TRUE(progress.restartPending); }},
		{R"(name="ispy" mode="random" count="2" groups="1")", [] {},
			[&] {
				EXPECT_EQ(form->GetIspyTargetCount(), 2);
				EXPECT_EQ(form->GetActiveISpyGroups().size(), 1u);
			}},
		{R"(name="ispy" mode="start" list="find_list")", [] {},
			[&] {
				EXPECT_TRUE(g_ispyMode);
				EXPECT_EQ(progress.ispyListName, "find_list");
				EXPECT_EQ(form->GetIspyTargetCount(), 1) << "the chest is out of sight";
				ASSERT_EQ(form->GetActiveISpyGroups().size(), 1u);
				EXPECT_EQ(form->GetActiveISpyGroups()[0].objects[0]->GetName(), "key");
				EXPECT_FALSE(panel->GetIspyList("find_list")->GetChildList().FindChild("key")->IsVisible());
			}},
		{R"(name="ispy" mode="stop")", [&] { g_ispyMode = true; }, [&] { EXPECT_FALSE(g_ispyMode); }},
		{R"(name="ispy" mode="dance")", [] {}, [&] { EXPECT_FALSE(g_ispyMode); }},
		{R"(name="dance")", [] {}, [&] { EXPECT_TRUE(form->IsShown()); }},
	};
	for (const auto& row : rows)
	{
		SCOPED_TRACE(row.item);
		row.before();
		EXPECT_EQ(Run(Command(row.item)), kDone);
		row.check();
		form->Reset();
		g_ispyMode = false;
	}
}

TEST_F(cFlowCommandTest, CutScenesWaitForTheirWindowWithTheAmbientSoundsOff)
{
	for (const auto& [item, scene] : {std::pair {R"(name="comics" scene="intro")", "intro"},
			 {R"(name="movie" scene="ending" how="notclick")", "ending"}})
	{
		SCOPED_TRACE(item);
		cFlowCommand* command = Command(item);
		auto* window = dynamic_cast<cGameWaitDialog*>(form->GetChildList().FindChild(scene));
		ASSERT_NE(window, nullptr) << "built when the scenario was read";
		EXPECT_EQ(Run(command), kWaits);
		EXPECT_EQ(command->GetWaitWindow(), window);
		EXPECT_TRUE(window->IsVisible());
		EXPECT_FALSE(form->IsAmbientOn());
		EXPECT_EQ(Run(command), kWaits);
		window->SetWaiting(false);
		EXPECT_EQ(Run(command), kDone);
		EXPECT_TRUE(form->IsAmbientOn());
	}
	auto* movie = dynamic_cast<cMovieWindow*>(form->GetChildList().FindChild("ending"));
	EXPECT_TRUE(movie->IsNotClicked());
	Run(Command(R"(name="movie" scene="ending" how="click")"));
	EXPECT_FALSE(movie->IsNotClicked());
}

// The map's wait ends in the tick that opens it: the diary's Show clears
// its waiting, so a following "location" runs while the location hides.
TEST_F(cFlowCommandTest, TheMapOpensTheDiaryAndGoesOnAtOnce)
{
	progress.mapPlaces = {0, 1, 3};
	cFlowCommand* command = Command(R"(name="map" place="2")");
	EXPECT_EQ(Run(command), kDone);
	EXPECT_EQ(command->GetWaitWindow(), diary);
	EXPECT_TRUE(diary->IsVisible());
	EXPECT_EQ(diary->GetSortKey(), 0);
	EXPECT_EQ(diary->GetTransform().GetLocalMatrix()._43, -50.0f);
	EXPECT_EQ(progress.mapPlaces, (std::vector<int>{0, 3, 1})) << "place 2 opened again, last";
	EXPECT_EQ(diary->GetRevealPhase(), 1);
	EXPECT_FALSE(form->IsShown());
	EXPECT_FALSE(form->IsAmbientOn()) << "the ambient sounds stay off after the map";
	cPlayerProgress saved;
	saved.SetName(L"tester");
	ASSERT_TRUE(saved.Load());
	EXPECT_EQ(saved.mapPlaces, progress.mapPlaces) << "the profile was saved";
}

TEST_F(cFlowCommandTest, BackToTheMainMenuLeavesTheLocationAtOnce)
{
	EXPECT_EQ(Run(Command(R"(name="back_mmenu")")), kDone);
	EXPECT_TRUE(mainMenu->IsVisible());
	EXPECT_FALSE(form->IsShown());
	EXPECT_TRUE(g_scenarioChange) << "the location turns transparent at once";
}

TEST_F(cFlowCommandTest, OnShowSucceedsOnceAfterEachShowing)
{
	cFlowCommand* command = Command(R"(name="onshow")");
	EXPECT_EQ(Run(command), kDone);
	EXPECT_EQ(Run(command), cScenarioCommand::kNoBranch);
	EXPECT_EQ(Run(command), cScenarioCommand::kNoBranch);
	form->Show();
	EXPECT_EQ(Run(command), kDone);
	EXPECT_EQ(Run(command), cScenarioCommand::kNoBranch);
}

TEST_F(cFlowCommandTest, HelpPointsAtResolvedObjectsAndWaitsForTheHelpWindow)
{
	cFlowCommand* command = Command(R"(name="help" arrow="rt" key="first_door" at="loc:door" target="gpanel:diary\lines_parent")");
	EXPECT_EQ(command->ResolveObject("door"), Object("door"));
	EXPECT_EQ(command->ResolveObject("loc:shelf.book"), Object("shelf.book"));
	cSceneObject* lines = panel->GetChildList().FindByPath("diary/lines_parent");
	EXPECT_EQ(command->ResolveObject("gpanel:diary/lines_parent"), lines);
	EXPECT_EQ(command->ResolveObject("gpanel:diary\\lines_parent"), lines);
	for (const char* none : {"", "loc:", "loc:nothing", "gpanel:nothing", "room:door", "menu_button"})
		EXPECT_EQ(command->ResolveObject(none), nullptr) << none;

	EXPECT_EQ(Run(command), kWaits);
	EXPECT_TRUE(help->IsActive());
	EXPECT_EQ(help->GetTarget(), lines);
	EXPECT_EQ(Run(command), kWaits);
	help->Hide();
	EXPECT_EQ(Run(command), kDone);
	// Three arguments: no target.
	EXPECT_EQ(Run(Command(R"(name="help" arrow="rt" key="" at="door")")), kWaits);
	EXPECT_EQ(help->GetTarget(), nullptr);
}

TEST_F(cFlowCommandTest, ASearchWaitsUntilItEnds)
{
	Run(Command(R"(name="ispy" mode="random" count="1" groups="1")"));
	cFlowCommand* collect = Command(R"(name="ispy" mode="collect")");
	EXPECT_EQ(Run(collect), kWaits);
	EXPECT_TRUE(g_ispyCollecting);
	EXPECT_EQ(Run(collect), kWaits);
	g_ispyCollecting = false;
	EXPECT_EQ(Run(collect), kDone);
	// Nothing listed: no search starts.
	form->Reset();
	EXPECT_EQ(Run(collect), kDone);
	EXPECT_FALSE(g_ispyCollecting);
}

TEST_F(cFlowCommandTest, AHintMarksTheClickedObjectWithoutAnItem)
{
	cFlowCommand* hint = Command(R"(name="hint" ignored="x")");
	EXPECT_EQ(Run(hint), kDone);
	ResetEventContext();
	GetEventContext().position = cVector3d(10, 20, 30);
	GetEventContext().item = "rope";
	std::vector<cScenarioEvent> events;
	hint->CollectEvents(events, false);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].kind, cScenarioEvent::kUseItem);
	EXPECT_EQ(events[0].object, "");
	EXPECT_EQ(events[0].item, "");
	EXPECT_EQ(events[0].position.x, 10);
	EXPECT_EQ(events[0].position.y, 20);
	EXPECT_EQ(events[0].position.z, 30);
	std::vector<cScenarioEvent> none;
	Command(R"(name="show_panel")")->CollectEvents(none, false);
	EXPECT_TRUE(none.empty());
}

// A sub-command without the arguments it reads takes them as empty texts.
TEST_F(cFlowCommandTest, MissingArgumentsReadAsEmptyTexts)
{
	const struct
	{
		const char* item;
		int code;
		std::function<void(cFlowCommand*)> check;
	} rows[] = {
		{R"(name="comics")", kDone, [](cFlowCommand* c) { EXPECT_EQ(c->GetWaitWindow(), nullptr); }},
		{R"(name="movie")", kDone, [](cFlowCommand* c) { EXPECT_EQ(c->GetWaitWindow(), nullptr); }},
		{R"(name="add_to_cursor")", kDone, [&](cFlowCommand*) { EXPECT_TRUE(progress.cursorObjects.empty()); }},
		{R"(name="ispy")", kDone,
			[&](cFlowCommand*) {
				EXPECT_FALSE(g_ispyMode);
				EXPECT_FALSE(g_ispyCollecting);
				EXPECT_TRUE(form->GetActiveISpyGroups().empty());
			}},
		{R"(name="ispy" mode="random")", kDone, [&](cFlowCommand*) { EXPECT_TRUE(form->GetActiveISpyGroups().empty()); }},
		{R"(name="help")", kWaits,
			[&](cFlowCommand*) {
				EXPECT_TRUE(help->IsActive()) << "a hint without keys and object";
				EXPECT_EQ(help->GetTarget(), nullptr);
				help->Hide();
			}},
		{R"(name="map")", kDone,
			[&](cFlowCommand*) {
				EXPECT_EQ(progress.mapPlaces, (std::vector<int>{0, 1}));
				EXPECT_EQ(diary->GetRevealPhase(), 0) << "\"complete\" 0 opens nothing";
				form->Show();
			}},
	};
	for (const auto& row : rows)
	{
		SCOPED_TRACE(row.item);
		progress.mapPlaces = {0, 1};
		cFlowCommand* command = Command(row.item);
		EXPECT_EQ(Run(command), row.code);
		row.check(command);
	}

	// A path naming no object is forgotten as written; the others stay attached.
	form->AddToCursor("shelf.book");
	progress.cursorObjects.insert(progress.cursorObjects.begin(), "attic.chest");
	EXPECT_EQ(Run(Command(R"(name="remove_cursor" path="attic.chest")")), kDone);
	EXPECT_EQ(progress.cursorObjects, std::vector<std::string>{"shelf.book"});
	EXPECT_EQ(Run(Command(R"(name="remove_cursor" path="attic.lamp")")), kDone);
	EXPECT_EQ(progress.cursorObjects, std::vector<std::string>{"shelf.book"});
}
