// "click" and "click_but" run by a real location, with the item held on the
// cursor picked up from the panel by a real click, and the pending events
// they and the commands below them offer to the hint button and the lens.

#include "CommandTestSupport.h"

#include "game/scenario/sEventContext.h"

namespace
{
// The door's child needs "key" held; the box's and the drawer's none.
const char* const kClicks =
	"<state name=\"startup\">"
	"<click name=\"key\"><step result=\"door\"><item name=\"opened\"/></step>"
	"<step result=\"chest\"><item name=\"unlocked\"/></step></click>"
	"<click><step result=\"box\"><item name=\"box\"/></step><step result=\"door\"><item name=\"knock\"/></step></click>"
	"</state>";

// What the location offers now, as its hint button and lens ask for it:
// every event sorted by kind, or those of the kind that a click on the
// object without an item leads to.
std::vector<cScenarioEvent> Collect(cLocationForm& form, const std::string& object = "", int kind = 0)
{
	std::vector<cScenarioEvent> events;
	ResetEventContext();
	GetEventContext().filter = object;
	form.GetState("")->CollectEvents(events, !object.empty());
	std::stable_sort(events.begin(), events.end(), [](const cScenarioEvent& a, const cScenarioEvent& b) { return a.kind < b.kind; });
	if (!object.empty())
		std::erase_if(events, [kind](const cScenarioEvent& event) { return event.kind != kind; });
	return events;
}

std::string Describe(const std::vector<cScenarioEvent>& events)
{
	std::string text;
	for (const cScenarioEvent& event : events)
		text += (text.empty() ? "" : " ") + std::to_string(event.kind) + ":" + event.object + ":" + event.item + "@" +
			std::to_string(int(event.position.x)) + "," + std::to_string(int(event.position.y));
	return text;
}
}

TEST_F(cCommandTest, AClickRunsTheChildOfTheClickedObjectWithTheRightItemHeld)
{
	Build(std::string("<s>") + kClicks + "</s>");
	Give("key", 1);
	Trace().clear();
	const struct
	{
		const char* clicked;
		const char* trace;
		bool consumed;
	} bare[] = {
		{"", "", false},
		{"box", "box! box?", true},
		// The keyed click waits for the key: the plain one takes the door.
		{"door", "knock! knock?", true},
		{"cabinet", "", false},
	};
	for (const auto& row : bare)
	{
		SCOPED_TRACE(row.clicked);
		ClickObject(row.clicked);
		EXPECT_EQ(TakeTrace(), row.trace);
		EXPECT_EQ(form->IsClickConsumed(), row.consumed);
		EXPECT_EQ(form->GetRunningCommand(), form->GetState("startup"));
	}

	// The key picked up from its slot by a real click.
	HoldItemOfSlotAt(320, 240);
	ASSERT_EQ(panel->GetHeldItemName(), "key");
	ClickObject("door");
	EXPECT_EQ(TakeTrace(), "opened! opened?");
	EXPECT_TRUE(form->IsClickConsumed());
	ClickObject("box");
	EXPECT_EQ(TakeTrace(), "") << "the plain click takes nothing while an item is held";
	EXPECT_FALSE(form->IsClickConsumed());

	// While the cursor shows the lens the held item plays no part.
	cCursorManager::GetInstance()->SetCursor("lens");
	ClickObject("box");
	EXPECT_EQ(TakeTrace(), "box! box?");
	cCursorManager::GetInstance()->SetCursor("cursor");
}

TEST_F(cCommandTest, ClickButFinishesOnANamedObjectWithoutConsumingTheClick)
{
	BuildOnGo("<step><item name=\"went\"/></step>");
	Trace().clear();
	ClickObject("door");
	EXPECT_EQ(TakeTrace(), "");
	ClickObject("go");
	EXPECT_EQ(TakeTrace(), "went! went?");
	EXPECT_FALSE(form->IsClickConsumed());

	// An empty name matches the empty clicked name of every frame in which
	// no object was clicked.
	Build("<s><state name=\"startup\"><click_but><item/><step><item name=\"tick\"/></step></click_but></state></s>");
	Trace().clear();
	Update();
	Update();
	EXPECT_EQ(TakeTrace(), "tick! tick? tick! tick?");
}

TEST_F(cCommandTest, PendingEventsTellWhichObjectsReactToWhichItem)
{
	Build(std::string("<s>") + kClicks +
		"<state name=\"lens\"><click><step result=\"door\"><item name=\"opener\" event=\"3\"/></step>"
		"<addinventory result=\"box\"><item name=\"coin\"/></addinventory></click>"
		"<click name=\"key\"><step result=\"door\"><item name=\"keyed\" event=\"3\"/></step>"
		"<isininventory result=\"cabinet\"><item name=\"coin\"/><addinventory result=\"true\"><item name=\"key\"/></addinventory>"
		"<addinventory result=\"false\"><item name=\"coin\"/></addinventory></isininventory></click>"
		"<addinventory><item name=\"coin\"/></addinventory></state></s>");
	testing::internal::CaptureStderr();
	EXPECT_EQ(Describe(Collect(*form)), "") << "without the key the keyed click offers nothing";
	Give("key", 1);
	// The hint goes to the door with the key; the chest is hidden.
	EXPECT_EQ(Describe(Collect(*form)), "2:door:key@300,200");
	Object("door")->SetEnabled(false);
	EXPECT_EQ(Describe(Collect(*form)), "") << "a disabled target offers nothing";
	Object("door")->SetEnabled(true);

	form->SetState("lens");
	// Sorted by kind; the context comes from the click above each record.
	EXPECT_EQ(Describe(Collect(*form)),
		"1:box:@100,150 1::@0,0 2:door:key@300,200 2:cabinet:key@0,0 2:cabinet:key@0,0 3:opener:@0,0 3:keyed:@0,0");
	// The lens over the door: only clicks without an item, only the door.
	const std::vector<cScenarioEvent> lens = Collect(*form, "door", cScenarioEvent::kSubLocation);
	ASSERT_EQ(lens.size(), 1u);
	EXPECT_EQ(lens[0].object, "opener");
	EXPECT_EQ(lens[0].item, "door") << "the step records the walk's filter";
	EXPECT_TRUE(Collect(*form, "box", cScenarioEvent::kSubLocation).empty());
	EXPECT_EQ(Collect(*form, "box", cScenarioEvent::kGiveItem).size(), 2u) << "the box's and the one outside any click";
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_EQ(GetEventContext().object, "") << "the context is put back after each click";
	EXPECT_EQ(logged.find("not found"), std::string::npos) << logged;
}

TEST_F(cCommandTest, AClickOnAMissingObjectIsLoggedInTheCollectionAndNeverMatches)
{
	Build("<s><state name=\"startup\"><click><step result=\"ghost\"><item name=\"never\"/></step>"
		  "<step result=\"door\"><item name=\"knock\"/></step></click></state></s>");
	testing::internal::CaptureStderr();
	EXPECT_EQ(Collect(*form).size(), 0u);
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_EQ(Occurrences(logged, "Object: ghost not found!"), 1) << logged;
	Trace().clear();
	ClickObject("ghost");
	EXPECT_EQ(TakeTrace(), "never! never?") << "the clicked name is taken as it comes";
	ClickObject("door");
	EXPECT_EQ(TakeTrace(), "knock! knock?");
}
