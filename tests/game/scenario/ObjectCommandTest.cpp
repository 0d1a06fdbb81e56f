// The visibility commands and the conditions run by a real location: what
// each changes in the room, its outcome and the children that run next;
// objects that do not exist are logged and the scenario runs on.

#include "CommandTestSupport.h"

namespace
{
// The names of the room's pickable objects that pass the test, in order.
std::string Names(cLocationForm& form, bool (cSceneObject::*test)() const)
{
	std::string names;
	for (cSceneObject* object : form.GetPickableObjects())
		if ((object->*test)())
			names += (names.empty() ? "" : " ") + object->GetName();
	return names;
}

std::string Items(std::initializer_list<const char*> names)
{
	std::string items;
	for (const char* name : names)
		items += std::string("<item name=\"") + name + "\"/>";
	return items;
}
}

TEST_F(cCommandTest, VisibilityCommandsChangeTheNamedObjectsOrAllOtherPickableOnes)
{
	// At the start "box", "door" and "cabinet" are visible and enabled.
	const struct
	{
		const char* keyword;
		std::initializer_list<const char*> names;
		const char* visible;
		const char* enabled;
		size_t fades;
	} rows[] = {
		{"show", {"chest"}, "box door chest cabinet", "box door cabinet", 0},
		{"show_but", {"chest"}, "box door shelf cabinet", "box door cabinet", 0},
		{"hide", {"door", "cabinet"}, "box", "box door cabinet", 0},
		{"hide_but", {"door"}, "door", "box door cabinet", 0},
		{"hide_but", {}, "", "box door cabinet", 0},
		{"enable", {"chest"}, "box door cabinet", "box door chest cabinet", 0},
		{"enable_but", {"chest"}, "box door cabinet", "box door shelf cabinet", 0},
		{"disable", {"box"}, "box door cabinet", "door cabinet", 0},
		{"disable_but", {"box"}, "box door cabinet", "box", 0},
		// A fade in shows the object at once, transparent.
		{"showfade", {"chest", "door"}, "box door chest cabinet", "box door cabinet", 1},
		{"showfade_but", {"chest"}, "box door shelf cabinet", "box door cabinet", 1},
		{"hidefade", {"door", "chest"}, "box door cabinet", "box door cabinet", 1},
		{"hidefade_but", {"door"}, "box door cabinet", "box door cabinet", 2},
	};
	for (const auto& row : rows)
	{
		SCOPED_TRACE(row.keyword);
		const std::string keyword = row.keyword;
		BuildOnGo("<" + keyword + ">" + Items(row.names) + "<step><item name=\"next\"/></step></" + keyword + ">");
		Trace().clear();
		log.clear();
		ClickObject("go");
		EXPECT_EQ(TakeTrace(), "next! next?") << "the command finishes and its child runs in the same step";
		EXPECT_EQ(Names(*form, &cSceneObject::IsVisible), row.visible);
		EXPECT_EQ(Names(*form, &cSceneObject::IsEnabled), row.enabled);
		EXPECT_EQ(form->GetFades().size(), row.fades);
		EXPECT_EQ(form->GetWaitList().IsBusy(), row.fades > 0) << "a following delay waits for the fades";
		EXPECT_EQ(log, "");
	}
}

TEST_F(cCommandTest, ShowMakesAFadedObjectOpaqueAndShowButKeepsItsAlpha)
{
	for (const char* keyword : {"show", "show_but"})
	{
		SCOPED_TRACE(keyword);
		const std::string command = keyword;
		// "chest" and "shelf" are hidden: the one shown is named by "show" and not by "show_but".
		BuildOnGo("<" + command + "><item name=\"" + (command == "show" ? "chest" : "shelf") + "\"/></" + command + ">");
		cSceneObject* chest = Object("chest");
		chest->GetTransform().SetColor(0.5f, 0.25f, 1, 0);
		cSceneObject* door = Object("door");
		door->GetTransform().SetColor(1, 1, 1, 0.3f);
		Update();
		ClickObject("go");
		EXPECT_TRUE(chest->IsVisible());
		const sColor colour = chest->GetTransform().GetLocalColor();
		EXPECT_FLOAT_EQ(colour.r, 0.5f);
		EXPECT_FLOAT_EQ(colour.g, 0.25f);
		EXPECT_FLOAT_EQ(colour.a, command == "show" ? 1.0f : 0.0f);
		EXPECT_FLOAT_EQ(door->GetTransform().GetLocalColor().a, 0.3f) << "a visible object not named is left alone";
	}
}

TEST_F(cCommandTest, HideThenShowInOneStepLeavesTheObjectShown)
{
	BuildOnGo("<hide><item name=\"door\"/><show><item name=\"door\"/></show></hide>");
	ClickObject("go");
	EXPECT_TRUE(Object("door")->IsVisible());
}

TEST_F(cCommandTest, FadesOfObjectsAlreadyThereDoNothingButForgetWhatWasWaitedFor)
{
	// The first fade leaves something to wait for; the next two find nothing to fade.
	BuildOnGo("<hidefade><item name=\"box\"/><showfade><item name=\"door\"/><hidefade><item name=\"chest\"/>"
			  "<step><item name=\"end\"/></step></hidefade></showfade></hidefade>");
	ClickObject("go");
	EXPECT_EQ(form->GetFades().size(), 1u);
	EXPECT_FALSE(form->GetWaitList().IsBusy());
	EXPECT_EQ(TakeTrace(), "end! end?");
}

TEST_F(cCommandTest, ConditionsBranchOnTheRoomAsItIsNow)
{
	const struct
	{
		const char* keyword;
		std::initializer_list<const char*> names;
		const char* branch;
		int missingLines;
	} rows[] = {
		{"isenabled", {"box", "door"}, "yes", 0},
		{"isenabled", {"box", "chest"}, "no", 0},
		{"isenabled", {}, "yes", 0},
		// A missing object counts as passing and is logged.
		{"isenabled", {"ghost", "door"}, "yes", 1},
		{"isenabled", {"chest", "ghost"}, "no", 0},
		{"isvisible", {"door", "box"}, "yes", 0},
		{"isvisible", {"door", "shelf"}, "no", 0},
		{"isvisible", {"ghost"}, "yes", 1},
		// Its own flag counts: a visible object in a hidden parent passes.
		{"isvisible", {"cabinet.drawer"}, "yes", 0},
		{"isininventory", {"key"}, "yes", 0},
		{"isininventory", {"key#3"}, "yes", 0},
		{"isininventory", {"key#4"}, "no", 0},
		{"isininventory", {"key#two"}, "yes", 0},
		{"isininventory", {"key", "coin"}, "no", 0},
		{"isininventory", {"coin#0"}, "no", 0},
		{"isininventory", {}, "yes", 0},
	};
	for (const auto& row : rows)
	{
		const std::string keyword = row.keyword;
		SCOPED_TRACE(keyword + " " + Items(row.names));
		BuildOnGo("<" + keyword + ">" + Items(row.names) + "<step result=\"true\"><item name=\"yes\"/></step>" +
			"<step result=\"false\"><item name=\"no\"/></step></" + keyword + ">");
		Give("key", 3);
		Object("cabinet")->SetVisible(false);
		Trace().clear();
		log.clear();
		ClickObject("go");
		EXPECT_EQ(TakeTrace(), std::string(row.branch) + "! " + row.branch + "?");
		EXPECT_EQ(Occurrences(log, "error. Object 'ghost' not found"), row.missingLines) << log;
	}
}

TEST_F(cCommandTest, AConditionWithoutAMatchingChildEndsTheBranch)
{
	BuildOnGo("<isvisible><step result=\"yes\"><item name=\"never\"/></step></isvisible>");
	Trace().clear();
	ClickObject("go");
	EXPECT_EQ(TakeTrace(), "");
	EXPECT_EQ(form->GetRunningCommand(), form->GetState("startup"));
}

TEST_F(cCommandTest, MissingObjectsAreLoggedOncePerNameAndRunAndTheScenarioGoesOn)
{
	BuildOnGo("<show><item name=\"ghost\"/><item name=\"door\"/><item name=\"ghost\"/>"
			  "<hide><item name=\"shelf.nothing\"/><enable><item name=\"ghost\"/><disable><item name=\"ghost\"/>"
			  "<showfade><item name=\"ghost\"/><hidefade><item name=\"ghost\"/>"
			  "<step><item name=\"end\"/></step></hidefade></showfade></disable></enable></hide></show>");
	Trace().clear();
	ClickObject("go");
	EXPECT_EQ(TakeTrace(), "end! end?");
	const std::string name = form->GetName();
	EXPECT_EQ(Occurrences(log, "Location '" + name + "' error. Object 'ghost' not found"), 6) << log;
	EXPECT_EQ(Occurrences(log, "Object 'shelf.nothing' not found"), 1) << log;
	for (const char* source : {"cShow.cpp", "cHide.cpp", "cEnable.cpp", "cDisable.cpp", "cShowFade.cpp", "cHideFade.cpp"})
		EXPECT_NE(log.find(source), std::string::npos) << source << " logs from its own file";
	EXPECT_EQ(Occurrences(log, "): Error: Location '" + name + "' error. Object '"), 7) << "level 2";
}
