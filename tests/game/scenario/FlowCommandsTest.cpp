// The commands that move a location's scenario on, run in a real location
// form: "delay" waiting for time and for the wait list that "animation"
// fills, "state" switching and saving the switch, "location" asking for
// the next location and opening the diary, "sublocation" waiting for its
// child form, and "game" waiting for its minigame and following its result.

#include "../location/LocationTestSupport.h"
#include "../minigames/MinigameTestSupport.h"

#include "engine/foundation/cWin32Application.h"
#include "game/minigames/cMinigameFactory.h"
#include "game/scenario/commands/cGameCommand.h"
#include "game/scenario/commands/cSubLocation.h"
#include "game/screens/cDiaryWindow.h"

#include <chrono>
#include <thread>

namespace
{
const char* const kBareRoom = R"(<object name="bg" background="true" ignore="true"/>)";

// A state that waits for good once the story has reached it.
const char* const kIdleState = R"(<state name="idle"><step><item name="idle" wait="1000000"/></step></state>)";

std::string Scenario(const std::string& startup, const std::string& moreStates = "")
{
	return "<scenario><state name=\"startup\">" + startup + "</state>" + kIdleState + moreStates + "</scenario>";
}

bool Traced(const std::string& entry)
{
	for (const std::string& traced : Trace())
		if (traced == entry)
			return true;
	return false;
}

double Now()
{
	return cWin32Application::GetInstance()->GetTime();
}
}

class FlowCommandsTest : public LocationTest
{
protected:
	// The form of the name, scene and scenario, shown and working.
	cLocationForm* Open(const std::string& scenario, const std::string& objects = kBareRoom,
		const std::string& name = "room")
	{
		content.AddScene(name, objects);
		resources.Add("xml", name, BytesOf(scenario));
		cLocationForm* form = Build(name);
		form->Show();
		Frames(2);
		return form;
	}

	// Makes the state current and ticks it.
	void Enter(cLocationForm* form, const std::string& state)
	{
		form->SetState(state);
		form->SetRunningCommand(form->GetState(""));
		Frames(1);
	}

	void Frames(int count)
	{
		for (int i = 0; i < count; ++i)
			scene->Update(0.016f);
	}
};

// Every time but 0 finishes once that long has passed since the start, so
// a negative time finishes at once; 0 waits for the (empty) wait list.
TEST_F(FlowCommandsTest, DelayFinishesOnceItsTimeHasPassed)
{
	const struct
	{
		const char* item;
		bool atOnce;
	} rows[] = {{R"(<item name="-1"/>)", true}, {R"(<item name="0"/>)", true}, {"", true}, {R"(<item name="1.5"/>)", false}};
	for (const auto& row : rows)
	{
		Trace().clear();
		const double before = Now();
		cLocationForm* form = Open(Scenario(std::string("<delay>") + row.item + R"(<step><item name="after"/>
			<state name="idle"/></step></delay>)"), kBareRoom, "room" + std::to_string(&row - rows));
		const double built = Now();
		EXPECT_EQ(Traced("after!"), row.atOnce) << row.item;
		if (!row.atOnce)
		{
			double lastWaiting = built;
			while (!Traced("after!") && Now() - built < 3)
			{
				lastWaiting = Now();
				std::this_thread::sleep_for(std::chrono::milliseconds(20));
				Frames(1);
			}
			ASSERT_TRUE(Traced("after!")) << row.item;
			EXPECT_GE(Now() - before, 1.5) << "not before its time";
			EXPECT_LT(lastWaiting - built, 1.5) << "in the first frame at or after its time";
		}
		EXPECT_EQ(form->GetStateName(), "idle") << row.item;
		delete form;
	}
}

// "animation" plays over the whole form and a following "delay" without a
// time waits for it, unless it loops; "animation_loop" is never waited
// for; "animation_stop" without a name stops everything.
TEST_F(FlowCommandsTest, DelayWaitsForTheAnimationsThatAnimationStarted)
{
	scene->RegisterObjectType("probe", [](const std::string& name, cSceneObject* parent) {
		return ProbeObject(name, parent);
	});
	scene->RegisterObjectType("looper", [](const std::string& name, cSceneObject* parent) {
		cSceneObject* object = ProbeObject(name, parent);
		Probe(object).looping = true;
		return object;
	});
	const struct
	{
		const char* type;
		const char* keyword;
		bool waits;
	} rows[] = {{"probe", "animation", true}, {"looper", "animation", false}, {"probe", "animation_loop", false}};
	for (const auto& row : rows)
	{
		Trace().clear();
		const std::string name = "room" + std::to_string(&row - rows);
		cLocationForm* form = Open(Scenario("", std::string("<state name=\"play\"><") + row.keyword +
			R"(><item name="open"/><delay><step><item name="opened"/><state name="idle"/></step></delay></)" +
			row.keyword + "></state>"), std::string("<") + row.type + R"( name="door" tooltip="true"/>)", name);
		cProbeVisual& door = Probe(form->GetChildList().FindChild("door"));
		// The probe plays the window's "appear" until told it has ended.
		door.StopAnimation();
		Frames(2);
		Enter(form, "play");
		EXPECT_TRUE(door.playing && door.animation == "open") << name;
		Frames(3);
		EXPECT_EQ(Traced("opened!"), !row.waits) << name;
		door.StopAnimation();
		Frames(1);
		EXPECT_TRUE(Traced("opened!")) << name;
		EXPECT_FALSE(form->GetWaitList().IsBusy()) << name;
		delete form;
	}

	Trace().clear();
	cLocationForm* form = Open(Scenario("", R"(<state name="play"><animation_loop><item name="spin"/>
		<state name="idle"/></animation_loop></state><state name="stop"><animation_stop/></state>)"),
		R"(<probe name="wheel" tooltip="true"/>)", "stopper");
	cProbeVisual& wheel = Probe(form->GetChildList().FindChild("wheel"));
	wheel.StopAnimation();
	Frames(2);
	Enter(form, "play");
	EXPECT_TRUE(wheel.playing && wheel.animation == "spin");
	EXPECT_NE(std::find(wheel.params.begin(), wheel.params.end(), "spin=1"), wheel.params.end()) << "looped";
	// Ticked alone: once nothing plays, the window's update would go on to "disappear".
	form->GetState("stop")->Tick();
	EXPECT_FALSE(wheel.playing) << "stopped by the nameless stop";
	delete form;
}

// "state" switches at once, never runs its children, and the switch is
// what the progress keeps: the form built again is in the new state.
TEST_F(FlowCommandsTest, StateSwitchesAndTheSwitchIsSaved)
{
	const std::string scenario = Scenario(R"(<state name="second"><step><item name="never"/></step></state>)",
		R"(<state name="second"><step><item name="in_second" wait="1000000"/></step></state>)");
	cLocationForm* form = Open(scenario);
	EXPECT_EQ(form->GetStateName(), "second");
	EXPECT_TRUE(Traced("in_second!"));
	EXPECT_FALSE(Traced("never!"));
	delete form;
	EXPECT_EQ(progress.GetLocationStateName("room"), "second");

	Trace().clear();
	form = Build("room");
	EXPECT_EQ(form->GetStateName(), "second") << "restored";
	EXPECT_FALSE(Traced("never!"));
	delete form;
}

// A hint's walk over two states that lead to each other records each
// change once and ends.
TEST_F(FlowCommandsTest, StateWalksTheNextStateOnce)
{
	cLocationForm* form = Open(Scenario("", R"(<state name="x"><state name="y"/></state>
		<state name="y"><state name="x"/></state>)"));
	ResetEventContext();
	GetEventContext().position = cVector3d(1, 2, 3);
	std::vector<cScenarioEvent> events;
	form->GetState("x")->CollectEvents(events, false);
	ASSERT_EQ(events.size(), 2u);
	for (const cScenarioEvent& event : events)
	{
		EXPECT_EQ(event.kind, cScenarioEvent::kStateChange);
		EXPECT_EQ(event.position.z, 3);
	}
	ResetEventContext();
	delete form;
}

// "location" ends the run, asks for the next location and, without a
// "map" before it, opens the diary in loading mode; once the loader has
// built the location, closing the diary shows it. A diary already open
// keeps its mode.
TEST_F(FlowCommandsTest, LocationOpensTheDiaryAndTheLoaderBuildsTheNextLocation)
{
	content.AddScene("next", kBareRoom);
	resources.Add("xml", "next", BytesOf(Scenario("")));
	auto* diary = new cDiaryWindow(nullptr);
	cLocationForm* form = Open(Scenario(R"(<location><item name="next"/><step><item name="never"/></step></location>)"));
	EXPECT_EQ(g_nextLocation, "next");
	EXPECT_TRUE(g_scenarioChange);
	EXPECT_FALSE(Traced("never!"));
	EXPECT_TRUE(diary->IsVisible());
	EXPECT_TRUE(diary->IsLoadingMode());

	// The main form's update leaves for the pending change and starts the loader.
	Frames(1);
	for (int wait = 0; wait < 500 && g_locationLoading; ++wait)
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	ASSERT_FALSE(g_locationLoading);
	Frames(1);
	auto* next = dynamic_cast<cLocationForm*>(g_locationToShow.load());
	ASSERT_NE(next, nullptr);
	EXPECT_EQ(next->GetName(), "next");
	EXPECT_FALSE(next->IsShown());
	cSceneObject close("close", nullptr);
	diary->OnCloseClick(&close);
	EXPECT_TRUE(next->IsShown());
	// The form left is closed and goes with the scene tree.
	delete next;

	Trace().clear();
	diary->SetNextMode(false);
	diary->Show();
	form = Open(Scenario(R"(<location><item name="next"/></location>)"), kBareRoom, "viewed");
	EXPECT_FALSE(diary->IsLoadingMode()) << "not shown again";
	// The loader this form's update started reads the test's content: the
	// form it builds joins the scene and goes before the content does.
	for (int wait = 0; wait < 500 && g_locationLoading; ++wait)
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	cSceneManager::GetInstance()->ApplyRequests();
	if (cGameWindow* loaded = g_locationToShow.load(); loaded && loaded != form)
		delete loaded;
	delete form;
	delete diary;
}

// "sublocation" shows its child form and waits until it hides; a child
// form without objects is not opened; without a name the open child form
// closes.
TEST_F(FlowCommandsTest, SublocationWaitsUntilTheChildFormHides)
{
	content.AddScene("closeup", kBareRoom);
	content.AddScene("empty", "");
	cLocationForm* form = Open(Scenario(R"(<sublocation><item name="closeup"/>
		<step><item name="back"/><sublocation><item name="empty"/><step><item name="skipped"/>
		<state name="idle"/></step></sublocation></step></sublocation>)"));
	auto* closeup = dynamic_cast<cLocationForm*>(form->GetChildList().FindChild("closeup"));
	ASSERT_NE(closeup, nullptr);
	EXPECT_TRUE(closeup->IsVisible());
	EXPECT_EQ(form->GetOpenChildForm(), closeup);
	Frames(5);
	EXPECT_FALSE(Traced("back!"));

	closeup->Hide();
	Frames(20);
	EXPECT_TRUE(Traced("back!"));
	EXPECT_TRUE(Traced("skipped!")) << "the empty form finishes at once";
	EXPECT_FALSE(form->GetChildList().FindChild("empty")->IsVisible());
	EXPECT_EQ(form->GetOpenChildForm(), nullptr);
	delete form;

}

// A child form whose own scenario runs "sublocation" without a name hides
// itself, and the opener goes on.
TEST_F(FlowCommandsTest, SublocationWithoutANameClosesTheChildForm)
{
	content.AddScene("closeup", kBareRoom);
	resources.Add("xml", "closeup", BytesOf(Scenario(R"(<sublocation><step><item name="closing"/></step></sublocation>)")));
	cLocationForm* form = Open(Scenario(R"(<sublocation><item name="closeup"/>
		<step><item name="back"/><state name="idle"/></step></sublocation>)"));
	Frames(20);
	EXPECT_TRUE(Traced("closing!"));
	EXPECT_TRUE(Traced("back!"));
	EXPECT_FALSE(form->GetChildList().FindChild("closeup")->IsVisible());
	delete form;
}

// A hint's walk reaching a "sublocation" walks the child form's running
// command afresh and then carries on with the enclosing click's values:
// the record of the sub-location keeps the clicked door's position.
TEST_F(FlowCommandsTest, SublocationHintKeepsTheEnclosingPosition)
{
	content.AddScene("closeup", kBareRoom);
	resources.Add("xml", "closeup", BytesOf(Scenario(R"(<step><item name="pending" wait="1000000" event="5"/></step>)")));
	cLocationForm* form = Open(Scenario("", R"(<state name="door"><sublocation><item name="closeup"/></sublocation></state>)"));
	auto* opener = dynamic_cast<cSubLocation*>(form->GetState("door")->GetChildren().at(0).get());
	ASSERT_NE(opener, nullptr);

	// As the click on the door leaves the context.
	sEventContext& context = GetEventContext();
	context.filter = "";
	context.object = "door";
	context.item = "key";
	context.position = cVector3d(800, 600, 20);
	std::vector<cScenarioEvent> events;
	opener->CollectEvents(events, false);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].kind, cScenarioEvent::kSubLocation);
	EXPECT_EQ(events[0].object, "closeup");
	EXPECT_EQ(events[0].position.x, 800);
	EXPECT_EQ(events[0].position.y, 600);
	EXPECT_EQ(context.object, "door") << "given back";
	EXPECT_EQ(context.item, "key");

	std::vector<cScenarioEvent> inside;
	dynamic_cast<cLocationForm*>(form->GetChildList().FindChild("closeup"))->CollectCurrentEvents(inside);
	ASSERT_EQ(inside.size(), 1u);
	EXPECT_EQ(inside[0].kind, 5);
	EXPECT_EQ(inside[0].item, "") << "the nested walk starts without the outer filter";
	ResetEventContext();
	delete form;
}

class GameCommandTest : public FlowCommandsTest
{
protected:
	void SetUp() override
	{
		FlowCommandsTest::SetUp();
		RegisterProbeType();
		cMinigameFactory::GetInstance()->Register("test_game", &CreateMinigame<cTestMinigame>);
		content.AddScene("test_game", R"(<object name="puzzle"/>
			<object name="border"><object name="close"/><object name="skip"/></object>)");
	}

	// "won" for the result "win", "closed" for "".
	static std::string GameScenario(const std::string& game)
	{
		return Scenario(R"(<game><item name=")" + game + R"("/>
			<step result="win"><item name="won"/><state name="idle"/></step>
			<step><item name="closed"/><state name="idle"/></step></game>)");
	}
};

// "game" shows its minigame at z -500 and waits while it is on the screen;
// a skip runs the children for "win", a close those for "".
TEST_F(GameCommandTest, GameWaitsForTheMinigameAndFollowsItsResult)
{
	const struct
	{
		const char* ending;
		const char* child;
	} rows[] = {{"skip", "won!"}, {"close", "closed!"}};
	for (const auto& row : rows)
	{
		Trace().clear();
		cLocationForm* form = Open(GameScenario("test_game"), kBareRoom, std::string("room_") + row.ending);
		auto* game = dynamic_cast<cTestMinigame*>(form->GetChildList().FindChild("test_game"));
		ASSERT_NE(game, nullptr);
		EXPECT_TRUE(game->IsVisible());
		EXPECT_EQ(game->GetTransform().GetWorldMatrix()._43, -500);
		Frames(10);
		EXPECT_FALSE(Traced("won!") || Traced("closed!"));
		if (std::string(row.ending) == "skip")
			game->Skip();
		else
			game->OnClose();
		for (int frame = 0; frame < 100 && game->IsVisible(); ++frame)
			Frames(1);
		Frames(2);
		EXPECT_TRUE(Traced(row.child)) << row.ending;
		EXPECT_EQ(form->GetStateName(), "idle") << row.ending;
		delete form;
	}
}

// A minigame that does not exist counts as won at once, with a log line.
TEST_F(GameCommandTest, MissingMinigameCountsAsWon)
{
	cLocationForm* form = Open(GameScenario("no_such_game"));
	EXPECT_TRUE(Traced("won!"));
	EXPECT_NE(log.find("'no_such_game' does not exist"), std::string::npos) << log;
	delete form;
}

// Only a minigame with a border object covers a child form; one that only
// claims a border leaves the form drawn as itself.
TEST_F(GameCommandTest, OnlyABorderObjectReplacesTheChildFormsDrawing)
{
	cMinigameFactory::GetInstance()->Register("bare_game", &CreateMinigame<cTestMinigame>);
	content.AddScene("bare_game", R"(<object name="puzzle"/>)");
	const struct
	{
		const char* game;
		bool formDrawn;
	} rows[] = {{"test_game", false}, {"bare_game", true}};
	for (const auto& row : rows)
	{
		const std::string closeup = std::string("closeup_") + row.game;
		content.AddScene(closeup, R"(<probe name="bg" background="true" ignore="true"/>)");
		resources.Add("xml", closeup, BytesOf(Scenario(R"(<game><item name=")" + std::string(row.game) + R"("/></game>)")));
		cLocationForm* form = Open(Scenario(R"(<sublocation><item name=")" + closeup + R"("/></sublocation>)"),
			kBareRoom, std::string("room_") + row.game);
		auto* child = dynamic_cast<cLocationForm*>(form->GetChildList().FindChild(closeup));
		ASSERT_NE(child, nullptr);
		auto* game = dynamic_cast<cTestMinigame*>(child->GetChildList().FindChild(row.game));
		ASSERT_NE(game, nullptr);
		game->ClaimBorder(cBoundingBox().SetFromPoints(cVector3d(0, 0, -1), cVector3d(10, 10, 1)));
		Frames(3);
		ASSERT_TRUE(game->IsVisible()) << row.game;
		std::vector<sDrawEntry> queue;
		cCamera* camera = nullptr;
		child->CollectDraw(queue, camera);
		Frames(1);
		queue.clear();
		child->CollectDraw(queue, camera);
		const bool formDrawn = std::any_of(queue.begin(), queue.end(),
			[&](const sDrawEntry& entry) { return entry.object == child->GetChildList().FindChild("bg"); });
		EXPECT_EQ(formDrawn, row.formDrawn) << row.game;
		delete form;
	}
}

// With an "arg" the minigame is shown disabled, waiting for the dialogue
// part "need_code" (without a dialogue running it takes input again at
// its next update).
TEST_F(GameCommandTest, GameWithAnArgumentStartsDisabled)
{
	cLocationForm* form = Open(Scenario("", R"(<state name="play"><game><item name="test_game" arg="1"/></game></state>)"));
	auto* game = dynamic_cast<cTestMinigame*>(form->GetChildList().FindChild("test_game"));
	ASSERT_NE(game, nullptr);
	form->SetState("play");
	form->SetRunningCommand(form->GetState("")->Tick());
	EXPECT_TRUE(game->IsVisible());
	EXPECT_FALSE(game->IsEnabled());
	EXPECT_NE(scene->GetTopModal(), game);
	delete form;
}
