// The inventory, items-to-find, aim and dialogue commands run by a real
// location: what each changes on the panel and in the progress record,
// and the commands that need items they lack, which are logged and change
// nothing.

#include "CommandTestSupport.h"

#include "game/play/cInventory.h"

TEST_F(cCommandTest, InventoryCommandsGiveAndTakeItemsWithTheirCounts)
{
	BuildOnGo("<addinventory><item name=\"key#3\"/><dropinventory><item name=\"key#2\"/>"
			  "<addinventory><item name=\"coin\"/><addinventory><item name=\"\"/><addinventory><item name=\"key#x\"/>"
			  "<step><item name=\"end\"/></step></addinventory></addinventory></addinventory></dropinventory></addinventory>");
	Trace().clear();
	ClickObject("go");
	EXPECT_EQ(TakeTrace(), "end! end?");
	EXPECT_EQ(world->progress.GetItemCount("key"), 1);
	EXPECT_EQ(world->progress.GetItemCount("coin"), 1) << "without \"#\" one";
	ASSERT_EQ(panel->GetActiveSlots().size(), 2u) << "an empty name gives nothing";
	EXPECT_TRUE(panel->HasInventoryItem("key", 1));
	EXPECT_FALSE(panel->HasInventoryItem("key", 2));
}

TEST_F(cCommandTest, AddInventoryInTheScenarioPreloadsTheModelsOfItsItems)
{
	BuildOnGo("<addinventory><item name=\"coin\"/><item name=\"nothing_like_it\"/></addinventory>");
	EXPECT_NE(log.find("nothing_like_it"), std::string::npos) << "a missing item model is named in the log: " << log;
	ClickObject("go");
	EXPECT_EQ(world->progress.GetItemCount("nothing_like_it"), 1) << "the last item counts";
	EXPECT_EQ(world->progress.GetItemCount("coin"), 0);
}

TEST_F(cCommandTest, AddItemListsNamedOrRandomHiddenObjectsToFind)
{
	BuildOnGo("<additem><item name=\"pen\"/><item name=\"cup\"/><item name=\"mug\"/><item name=\"ghost\"/></additem>");
	ClickObject("go");
	const std::vector<sISpyGroup>& groups = form->GetActiveISpyGroups();
	ASSERT_EQ(groups.size(), 2u) << "cup and mug make one group";
	EXPECT_EQ(groups[0].text, L"Pen");
	EXPECT_EQ(groups[1].objects.size(), 2u);
	EXPECT_EQ(Occurrences(log, "Object 'ghost' not found"), 1) << log;

	for (int count : {0, 2, 5})
	{
		SCOPED_TRACE(count);
		BuildOnGo("<additem><item name=\"random\"/><item name=\"" + std::to_string(count) + "\"/></additem>");
		ClickObject("go");
		const size_t expected = std::min(count, 2);
		EXPECT_EQ(form->GetActiveISpyGroups().size(), expected) << "two groups of text exist";
		for (const sISpyGroup& group : form->GetActiveISpyGroups())
			for (cSceneObject* object : group.objects)
				EXPECT_TRUE(object->IsEnabled()) << "a listed object can be clicked";
	}
}

TEST_F(cCommandTest, CommandsLackingTheItemsTheyReadAreLoggedAndChangeNothing)
{
	const struct
	{
		const char* command;
		const char* line;
	} rows[] = {
		{"<additem/>", "\"additem\" names no items to find"},
		{"<additem><item name=\"random\"/></additem>", "\"additem\" \"random\" gives no number"},
		{"<changedialog/>", "\"changedialog\" names no dialogue parts"},
	};
	for (const auto& row : rows)
	{
		SCOPED_TRACE(row.command);
		// The hint afterwards shows whether the greeting was renamed.
		BuildOnGo(std::string(row.command) + "<hint><item name=\"greet\"/></hint>");
		ClickObject("go");
		EXPECT_TRUE(form->GetActiveISpyGroups().empty());
		EXPECT_EQ(Occurrences(log, row.line), 1) << log;
		EXPECT_EQ(Occurrences(log, "): Error: Location '" + form->GetName() + "' error. " + row.line), 1) << "level 2";
		ASSERT_NE(dialogue->FindPart(form->GetName(), "greet"), nullptr);
		EXPECT_EQ(dialogue->GetSkipButton()->IsVisible(), false) << "the one-line greeting plays, not the two-line part";
		dialogue->HideClouds();
		Update();
	}
}

TEST_F(cCommandTest, AimsAreGivenWithTheirTextsAndSolved)
{
	BuildOnGo("<addaim><item name=\"find_key\" arg=\"2\"/><item name=\"open_door\"/><item name=\"no_text\"/>"
			  "<removeaim><item name=\"find_key\"/><item name=\"never_given\"/></removeaim></addaim>");
	ClickObject("go");
	std::map<std::string, int>& states = world->progress.aimStates;
	EXPECT_EQ(states["find_key"], 2);
	EXPECT_EQ(states["open_door"], 1);
	EXPECT_EQ(states["never_given"], 2) << "solved before it was given";
	EXPECT_EQ(world->progress.aimTexts["find_key"], L"2#Find the key");
	EXPECT_EQ(world->progress.aimTexts["open_door"], L"Open the door");
	EXPECT_EQ(world->progress.aimTexts.count("no_text"), 0u) << "an aim without a text is given and logged";
	EXPECT_EQ(states["no_text"], 1);
}

TEST_F(cCommandTest, AHintPlaysItsPartWithTheLocationDisabledUntilTheDialogueEnds)
{
	BuildOnGo("<changedialog><item name=\"greet\"/><item name=\"later\"/>"
			  "<hint><item name=\"greet\"/><step><item name=\"after\"/></step></hint></changedialog>");
	panel->SetTooltipText(L"Door");
	Trace().clear();
	ClickObject("go");
	EXPECT_TRUE(dialogue->IsActive());
	EXPECT_TRUE(dialogue->GetSkipButton()->IsVisible()) << "the renamed greeting plays the two lines of \"later\"";
	EXPECT_FALSE(form->IsEnabled());
	EXPECT_EQ(panel->GetTooltipText(), L"");
	EXPECT_EQ(form->GetRunningCommand()->GetName(), "hint");
	for (int frame = 0; frame < 5; ++frame)
		Update();
	EXPECT_EQ(TakeTrace(), "") << "the hint waits for the dialogue";
	EXPECT_EQ(form->GetRunningCommand()->GetName(), "hint");

	// Real clicks take the dialogue through its lines.
	PlaceCursor(600, 400);
	for (int click = 0; click < 40 && dialogue->IsActive(); ++click)
	{
		ClickButtons({cInputManager::kLeftButton});
		scene->DispatchInput();
		for (int frame = 0; frame < 6; ++frame)
			Update();
	}
	ASSERT_FALSE(dialogue->IsActive());
	Update();
	EXPECT_EQ(TakeTrace(), "after! after?");
	EXPECT_TRUE(form->IsEnabled());
}

TEST_F(cCommandTest, AHintOfAPartWithoutLinesIsLoggedAndEndsAtOnce)
{
	BuildOnGo("<hint><item name=\"nobody_said_this\"/><step><item name=\"after\"/></step></hint>");
	Trace().clear();
	ClickObject("go");
	EXPECT_EQ(TakeTrace(), "after! after?");
	EXPECT_TRUE(form->IsEnabled());
	EXPECT_EQ(Occurrences(log, "Dialogue part 'nobody_said_this' has no lines"), 1) << log;
}
