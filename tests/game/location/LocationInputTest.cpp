// The location form played with real mouse and key input on the screen:
// the nearer of two objects under the mouse takes the click, a search finds
// hidden objects group by group while the panel's list counts down, a held
// item is used on objects, a sub-location closes on a click outside it, the
// debug keys move between numbered locations, the hint points at the next
// thing to do, and a next location is built while the left form goes.

#include "LocationTestSupport.h"

#include "../screens/ScreenTestSupport.h"

#include "engine/input/cCursorManager.h"
#include "game/location/cLocationForm.h"
#include "game/panel/cGamePanel.h"
#include "game/play/LocationHint.h"
#include "game/play/cDialogManager.h"
#include "game/play/cInventory.h"
#include "game/play/cLightObject.h"
#include "game/play/cProfileManager.h"
#include "game/screens/cHelpManager.h"
#include "platform/dinput/DInputKeys.h"

#include <chrono>
#include <thread>

namespace
{
std::string Place(float x, float y, float z = 0)
{
	return " local=\"1 0 0 0 1 0 0 0 1 " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + "\"";
}

// 40 by 40 blocks: "far" and the nearer "near" overlap, "twin" lies over
// "far" at the same depth; hidden "cup" and "mug" show the same text, the
// hidden "lamp" is a hover marker; "door", "chest" and "opener" can be
// clicked.
std::string RoomScene()
{
	return "<geometry name=\"far\" model=\"block\" tooltip=\"true\"" + Place(100, 100) + "/>"
		"<geometry name=\"near\" model=\"block\" tooltip=\"true\"" + Place(120, 100, -10) + "/>"
		"<geometry name=\"twin\" model=\"block\" tooltip=\"true\"" + Place(90, 100) + "/>"
		"<geometry name=\"cup\" model=\"block\" ispy=\"true\"" + Place(300, 100) + "/>"
		"<geometry name=\"mug\" model=\"block\" ispy=\"true\"" + Place(400, 100) + "/>"
		"<light name=\"lamp\" model=\"marker\" ispy=\"true\"" + Place(500, 100) + "/>"
		"<geometry name=\"door\" model=\"block\" tooltip=\"true\"" + Place(100, 300) + "/>"
		"<geometry name=\"chest\" model=\"block\" tooltip=\"true\"" + Place(200, 300) + "/>"
		"<geometry name=\"opener\" model=\"block\" tooltip=\"true\"" + Place(300, 300) + "/>";
}

// Every click is traced; the key is used on the door; the opener opens
// the close-up.
const char* const kRoomScenario = R"(<scenario><state name="startup">
	<react><item/></react>
	<react><item object="door" item="key"/></react>
	<react><item object="opener" sub="closeup"/></react>
</state></scenario>)";

const char* const kRoomTexts = R"(<strings><group><group name="texts"><group name="default">
	<group name="room"><phrase name="cup" text="Cup"/><phrase name="mug" text="Cup"/>
	<phrase name="lamp" text="Lamp"/><phrase name="near" text="Near"/><phrase name="far" text="Far"/></group>
	</group></group></group></strings>)";

// The panel: the list's two texts, one inventory slot and a block "hud"
// in the bottom right corner.
std::string PanelScene()
{
	return R"(<object name="diary"><object name="lines_parent">
		<object name="text_items_0"/><object name="text_items_1"/></object></object>
		<object name="help_hint"/>
		<object name="slots_parent"><inventory name="inventory_0" model="block"><text name="count"/></inventory></object>)"
		"<geometry name=\"hud\" model=\"block\"" + Place(580, 20) + "/>";
}

// The fifteen remarks, each one line.
std::string Remarks()
{
	std::string parts;
	for (int i = 1; i <= 15; ++i)
		parts += "<part name=\"wrong" + std::to_string(i) + "\"><line name=\"alice\" text=\"No\"/></part>";
	return "<strings><group name=\"first\"><group name=\"texts\"/><group name=\"dialogs\"><dialog name=\"special\">" +
		parts + "</dialog></group></group></strings>";
}

// "react": with an empty object it traces every click as "click:<name>";
// otherwise a click on its object while the held item is its item is
// taken ("used:<object>") and opens its sub-location, when it names one.
// A click with any other item is left to the form. It reports no branch,
// so every "react" of the state runs each tick, and records the
// sub-location's opener for the lens cursor.
class cReactCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override
	{
		m_object = GetXmlAttribute(&item, "object", "");
		m_item = GetXmlAttribute(&item, "item", "");
		m_sub = GetXmlAttribute(&item, "sub", "");
	}
	void Execute() override {}
	int IsReady() override
	{
		auto* form = dynamic_cast<cLocationForm*>(m_location);
		const std::string& clicked = form->GetClickedName();
		if (clicked.empty())
			return kNoBranch;
		if (m_object.empty())
			Trace().push_back("click:" + clicked);
		else if (clicked == m_object && cGamePanel::Get()->GetHeldItemName() == m_item)
		{
			Trace().push_back("used:" + m_object);
			form->SetClickConsumed(true);
			if (!m_sub.empty())
				form->OpenSubLocation(form->GetSubLocation(m_sub));
		}
		return kNoBranch;
	}
	std::string GetName() const override { return "react"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override
	{
		if (!m_sub.empty() && (!filtered || GetEventContext().filter == m_object))
			events.push_back({cScenarioEvent::kSubLocation, m_sub, "", cVector3d(320, 320, 0)});
	}

private:
	std::string m_object;
	std::string m_item;
	std::string m_sub;
};

class LocationInputTest : public cScreenTest
{
protected:
	void SetUp() override
	{
		cScreenTest::SetUp();
		if (HasFatalFailure())
			return;
		Singletone<cCommandFactory>::GetInstance()->Register("react", &CreateCommand<cReactCommand>);
		world.content.AddScene("room", RoomScene());
		world.resources.Add("xml", "room", BytesOf(kRoomScenario));
		// A close-up whose background is a 200 by 40 block at (200, 200).
		world.content.AddScene("closeup",
			"<geometry name=\"bg\" model=\"wide\" background=\"true\" ignore=\"true\"" + Place(200, 200) + "/>");
		world.content.AddScene("gamepanel", PanelScene());
		world.resources.Add("xml", "strings", BytesOf(Remarks()));
		cResource* texts = world.resources.Add("xml", "room_texts", BytesOf(kRoomTexts));
		texts->AddRef();
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle(texts));
		testing::internal::CaptureStderr();
		panel = new cGamePanel(nullptr);
		dialogue = new cDialogManager(nullptr);
		testing::internal::GetCapturedStderr();
	}

	void TearDown() override
	{
		Singletone<cProfileManager>::GetInstance()->SetCheatMode(false);
		g_ispyMode = g_ispyCollecting = false;
		cLightObject::SetHighlighted(nullptr);
		cScreenTest::TearDown();
	}

	// The main form of the name, shown and working, with the panel shown.
	cLocationForm* ShowForm(const std::string& name = "room")
	{
		cLocationForm* form = world.Build(name, camera);
		form->Show();
		ShowGamePanel(true);
		for (int i = 0; i < 3; ++i)
			Pass(0.2f);
		EXPECT_EQ(form->GetState(), cGameWindow::kWorking);
		TakeTrace();
		return form;
	}

	// The mouse rests at the point for a frame, then clicks there.
	void ClickAt(int x, int y)
	{
		MoveTo(x, y);
		Step(0.02f);
		Click(0.02f);
	}

	// The key goes on the cursor, as a click on its slot does.
	void HoldKey()
	{
		if (panel->GetActiveSlots().empty())
			panel->AddInventoryItem(cMatrix::Identity(), "key", 1, false);
		panel->GetActiveSlots().front()->FireEvent("click");
		ASSERT_EQ(panel->GetHeldItemName(), "key");
	}

	cLocationWorld world;
	cGamePanel* panel = nullptr;
	cDialogManager* dialogue = nullptr;
};

cSceneObject* Child(cSceneObject* object, const std::string& name)
{
	return object->GetChildList().FindChild(name);
}

cLightObject* Glow(cLocationForm* form)
{
	return static_cast<cLightObject*>(form->GetChildList().FindByPath("chest/glow"));
}
}

TEST_F(LocationInputTest, TheNearerOfTwoObjectsUnderTheMouseTakesTheClick)
{
	cLocationForm* room = ShowForm();
	// Over "far" and "near": the nearer one names the tooltip and takes the click.
	MoveTo(135, 120);
	Step(0.02f);
	EXPECT_EQ(room->GetHoveredName(), "near");
	EXPECT_EQ(panel->GetTooltipText(), L"Near");
	Click(0.02f);
	EXPECT_EQ(TakeTrace(), "click:near");

	// "twin" and "far" lie at the same depth: the earlier one stays.
	ClickAt(105, 120);
	EXPECT_EQ(TakeTrace(), "click:far");

	// Over nothing: no tooltip, no click.
	ClickAt(620, 460);
	EXPECT_EQ(room->GetHoveredName(), "");
	EXPECT_EQ(panel->GetTooltipText(), L"");
	EXPECT_EQ(TakeTrace(), "");

	// A hidden object is not picked outside a search; "near" hidden leaves "far".
	Child(room, "near")->SetVisible(false);
	ClickAt(135, 120);
	EXPECT_EQ(TakeTrace(), "click:far");
	ClickAt(310, 120);
	EXPECT_EQ(TakeTrace(), "");
}

TEST_F(LocationInputTest, ASearchFindsAGroupOfTwoOnlyOnceBothAreClicked)
{
	cLocationForm* room = ShowForm();
	SetIspyMode("", true, true);
	room->AddItemToFind("cup");
	room->AddItemToFind("mug");
	room->AddItemToFind("lamp");
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 2u);
	for (const char* name : {"cup", "mug", "lamp"})
		Child(room, name)->SetEnabled(true);
	StartIspyCollect();
	ASSERT_TRUE(g_ispyCollecting);
	cSceneObject* cupText = panel->GetChildList().FindByPath("diary/lines_parent/text_items_1");
	EXPECT_EQ(cupText->GetProperties().GetProperty("text"), "Cupx2");

	// The marker cannot be found; the cup counts the list down.
	ClickAt(510, 120);
	EXPECT_TRUE(Child(room, "lamp")->IsEnabled());
	ClickAt(310, 120);
	EXPECT_FALSE(Child(room, "cup")->IsEnabled());
	EXPECT_EQ(cupText->GetProperties().GetProperty("text"), "Cup");
	EXPECT_EQ(room->GetIspyFoundCount(), 0) << "the mug is still to find";
	EXPECT_EQ(panel->GetFlyEffectCount(), 1u);
	EXPECT_EQ(room->GetHoveredName(), "") << "no tooltip object in a search";

	// The mug completes the group: its text is crossed out and fades.
	ClickAt(410, 120);
	EXPECT_EQ(room->GetIspyFoundCount(), 1);
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 1u);
	EXPECT_EQ(room->GetActiveISpyGroups()[0].text, L"Lamp");
	EXPECT_FALSE(panel->GetItemsList().IsIdle());
	for (int i = 0; i < 5; ++i)
		Step(0.2f);
	EXPECT_EQ(cupText->GetTransform().GetLocalColor().a, 0);
	EXPECT_FALSE(Child(room, "mug")->IsVisible()) << "faded out";
	// The search ends once every target is found or no group is left.
	EXPECT_TRUE(g_ispyCollecting) << "the lamp is still to find";
	room->GetActiveISpyGroups().clear();
	for (int i = 0; i < 3; ++i)
		Step(0.2f);
	EXPECT_FALSE(g_ispyCollecting);
	EXPECT_EQ(TakeTrace(), "") << "no click reached the scenario";

	// A left form takes the effects of its objects along.
	panel->OnObjectFound("cup", Child(room, "cup")->GetTransform().GetWorldMatrix(),
		Child(room, "cup")->GetVisual()->GetModelController());
	EXPECT_EQ(panel->GetFlyEffectCount(), 1u);
	room->Hide();
	Step(0.02f);
	Step(0.02f);
	EXPECT_EQ(Child(camera, "room"), nullptr);
	EXPECT_EQ(panel->GetFlyEffectCount(), 0u);
}

TEST_F(LocationInputTest, ASearchHelpHintComesAfterNineSecondsThenEveryThirty)
{
	testing::internal::CaptureStderr();
	auto* help = new cHelpManager(camera);
	testing::internal::GetCapturedStderr();
	cLocationForm* room = ShowForm();
	room->EnableIspyHelp(true);
	SetIspyMode("", true, true);
	room->AddItemToFind("cup");
	StartIspyCollect();
	Step(5);
	EXPECT_FALSE(help->IsActive());
	Step(4.5f);
	ASSERT_TRUE(help->IsActive());
	EXPECT_EQ(room->GetHelpHintTimer(), 30);
	Step(5);
	EXPECT_EQ(room->GetHelpHintTimer(), 30) << "stands still while the hint shows";
}

TEST_F(LocationInputTest, AHeldItemWorksOnItsObjectAndMakesARemarkElsewhere)
{
	ShowForm();
	dialogue->Show();
	HoldKey();
	ClickAt(110, 320);
	EXPECT_EQ(TakeTrace(), "click:door used:door");
	EXPECT_FALSE(dialogue->IsActive());
	EXPECT_EQ(panel->GetHeldItemName(), "") << "let go after the click";

	// On the chest nothing takes it: one of the remarks starts.
	HoldKey();
	ClickAt(210, 320);
	EXPECT_EQ(TakeTrace(), "click:chest");
	EXPECT_TRUE(dialogue->IsActive());

	// While the remark runs the location takes no click.
	ClickAt(110, 320);
	EXPECT_EQ(TakeTrace(), "");
}

TEST_F(LocationInputTest, ASubLocationClosesOnAClickOutsideItButNotOverThePanel)
{
	cLocationForm* room = ShowForm();
	MoveTo(310, 320);
	Step(0.02f);
	EXPECT_TRUE(room->IsLensShown()) << "the opener leads to a sub-location";
	EXPECT_EQ(Singletone<cCursorManager>::GetInstance()->GetCursorName(), "lens");
	MoveTo(110, 320);
	Step(0.02f);
	EXPECT_FALSE(room->IsLensShown());

	ClickAt(310, 320);
	ASSERT_EQ(TakeTrace(), "click:opener used:opener");
	cGameWindow* closeup = room->GetOpenChildForm();
	ASSERT_NE(closeup, nullptr);
	for (int i = 0; i < 3; ++i)
		Step(0.1f);
	ASSERT_EQ(closeup->GetState(), cGameWindow::kWorking);

	// Inside its background, and over the panel: it stays.
	ClickAt(300, 220);
	ClickAt(590, 30);
	EXPECT_EQ(closeup->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(room->GetOpenChildForm(), closeup);
	EXPECT_EQ(TakeTrace(), "") << "the room under it takes no click";

	ClickAt(60, 420);
	EXPECT_EQ(closeup->GetState(), cGameWindow::kDisappear);
	for (int i = 0; i < 4; ++i)
		Step(0.1f);
	EXPECT_EQ(room->GetOpenChildForm(), nullptr);
	ClickAt(135, 120);
	EXPECT_EQ(TakeTrace(), "click:near") << "the room takes clicks again";
}

// A marker highlighted in a form that goes leaves no highlight behind: the
// next form's marker under the mouse takes it.
TEST_F(LocationInputTest, AMarkerOfADeletedFormLeavesTheHighlightToTheNextForm)
{
	world.content.AddScene("lit",
		"<geometry name=\"chest\" model=\"block\" tooltip=\"true\"" + Place(100, 100) + "><light name=\"glow\" model=\"marker\"/></geometry>");
	cLocationForm* first = ShowForm("lit");
	MoveTo(120, 120);
	Step(0.02f);
	ASSERT_EQ(cLightObject::GetHighlighted(), Glow(first));
	delete first;
	EXPECT_EQ(cLightObject::GetHighlighted(), nullptr);

	cLocationForm* next = world.Build("lit", camera);
	next->Show();
	scene->Update(0);
	Step(0.02f);
	EXPECT_EQ(cLightObject::GetHighlighted(), Glow(next));
}

TEST_F(LocationInputTest, NamesWithoutAnObjectAreNeverListed)
{
	world.content.AddScene("room_list", R"(<object name="text_items_0"/><object name="text_items_1"/>
		<object name="cup"/><object name="ghost"/><object name="lamp" background="true"/>)");
	cLocationForm* room = ShowForm();
	room->AddItemToFind("no_such_object");
	EXPECT_TRUE(room->GetActiveISpyGroups().empty());

	// The list names a "ghost" the room lacks: only the cup is a target.
	panel->PreloadIspyList("room_list");
	Step(0.02f);
	SetIspyMode("room_list", true, true);
	EXPECT_EQ(room->GetIspyTargetCount(), 1);
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 1u);
	EXPECT_EQ(room->GetActiveISpyGroups()[0].objects.size(), 1u);
	EXPECT_FALSE(panel->GetIspyList("room_list")->GetChildList().FindChild("cup")->IsVisible());
	EXPECT_TRUE(panel->GetIspyList("room_list")->GetChildList().FindChild("ghost")->IsVisible());

	// A stored search naming a missing object comes back without it.
	room->SetState("startup");
	delete room;
	world.progress.ispyObjects = {"ghost", "", "mug"};
	world.progress.ispyMode = false;
	room = world.Build("room", camera);
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 1u);
	EXPECT_EQ(room->GetActiveISpyGroups()[0].objects[0]->GetName(), "mug");
}

// A form left during a search comes back searching the same list.
TEST_F(LocationInputTest, AStoredSearchComesBackWithItsList)
{
	world.content.AddScene("room_list", R"(<object name="text_items_0"/><object name="cup"/>)");
	cLocationForm* room = ShowForm();
	panel->PreloadIspyList("room_list");
	Step(0.02f);
	SetIspyMode("room_list", true, true);
	ASSERT_TRUE(g_ispyMode);
	room->SetState("startup");
	delete room;
	EXPECT_TRUE(world.progress.ispyMode);

	g_ispyMode = false;
	room = world.Build("room", camera);
	EXPECT_TRUE(g_ispyMode);
	EXPECT_EQ(world.progress.ispyListName, "room_list");
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 1u);
	EXPECT_EQ(room->GetActiveISpyGroups()[0].objects[0]->GetName(), "cup");
}

TEST_F(LocationInputTest, DebugKeysMoveByTheLocationNumber)
{
	Singletone<cProfileManager>::GetInstance()->SetCheatMode(true);
	const struct
	{
		const char* form;
		BYTE key;
		const char* next;
	} rows[] = {
		{"location3", DIK_F5, "location2"},
		{"location3", DIK_F6, "location4"},
		{"location1", DIK_F5, ""},
		{"location14", DIK_F6, ""},
		{"location", DIK_F6, "location1"},
		{"intro", DIK_F6, "location1"},
		{"location_x", DIK_F6, "location1"},
	};
	for (const auto& row : rows)
	{
		cLocationForm* form = ShowForm(row.form);
		PressKey(row.key);
		scene->DispatchInput();
		EXPECT_EQ(g_nextLocation, row.next) << row.form;
		EXPECT_EQ(g_scenarioChange, *row.next != 0) << row.form;
		g_nextLocation.clear();
		g_scenarioChange = false;
		ReleaseKey(row.key);
		delete form;
	}
}

TEST_F(LocationInputTest, TheHintPointsAtTheNextThingToDoAndSpendsTheCharge)
{
	cLocationForm* room = ShowForm();
	// Only the close-up's opener has something to do.
	world.progress.hintCharge = 1;
	ShowHintOnCurrentLocation();
	EXPECT_EQ(world.progress.hintCharge, 0);

	// In hidden-object mode the hint points at the first object to find.
	world.progress.hintCharge = 1;
	SetIspyMode("", true, true);
	ShowHintOnCurrentLocation();
	EXPECT_EQ(world.progress.hintCharge, 1) << "nothing listed yet";
	room->AddItemToFind("mug");
	ShowHintOnCurrentLocation();
	EXPECT_EQ(world.progress.hintCharge, 0);
}

TEST_F(LocationInputTest, ANextLocationIsBuiltWhileTheLeftFormGoes)
{
	cLocationForm* room = ShowForm();
	SetNextLocation("location1");
	Step(0.02f);
	EXPECT_EQ(g_previousLocation, room);
	EXPECT_NE(room->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(world.progress.currentLocation, "location1");
	for (int i = 0; i < 500 && g_locationLoading; ++i)
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	ASSERT_FALSE(g_locationLoading);
	Step(0.02f);
	Step(0.02f);
	ASSERT_NE(g_currentLocation, nullptr);
	EXPECT_EQ(g_currentLocation->GetName(), "location1");
	EXPECT_EQ(g_nextLocation, "");
	EXPECT_EQ(Child(camera, "room"), nullptr) << "the left form is deleted once closed";
	EXPECT_EQ(g_previousLocation, nullptr);
	delete g_currentLocation;
}

TEST_F(LocationInputTest, RandomGroupsComeOnlyFromThoseNotActiveAndInSight)
{
	cLocationForm* room = ShowForm();
	room->AddItemToFind("cup");
	room->AddRandomItemsToFind(5);
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 2u) << "the cups were active already";
	EXPECT_EQ(room->GetActiveISpyGroups()[1].text, L"Lamp");
	EXPECT_TRUE(Child(room, "lamp")->IsEnabled());

	room->GetActiveISpyGroups().clear();
	Child(room, "cup")->SetVisible(false);
	room->GetSubLocation("closeup")->AddRandomItemsToFind(5);
	ASSERT_EQ(room->GetActiveISpyGroups().size(), 1u) << "asked of the main form; the cups are out of sight";
	EXPECT_EQ(room->GetActiveISpyGroups()[0].text, L"Lamp");
}

TEST_F(LocationInputTest, SubLocationsCloseAndObjectsLeaveTheCursorByPath)
{
	cLocationForm* room = ShowForm();
	cLocationForm* closeup = room->GetSubLocation("closeup");
	room->OpenSubLocation(closeup);
	Step(0.2f);
	Step(0.2f);
	ASSERT_EQ(closeup->GetState(), cGameWindow::kWorking);
	// Nothing to do in the close-up and no close button: it goes.
	EXPECT_FALSE(closeup->ShowHintForNextEvent());
	EXPECT_EQ(closeup->GetState(), cGameWindow::kDisappear);
	room->OpenSubLocation(closeup);
	room->CloseSubLocation();
	EXPECT_EQ(room->GetOpenChildForm(), nullptr);
	EXPECT_EQ(closeup->GetState(), cGameWindow::kDisappear);

	room->AddToCursor("far");
	room->AddToCursor("door");
	room->RemoveFromCursor("far");
	EXPECT_EQ(world.progress.cursorObjects, std::vector<std::string>{"door"});
	room->RemoveFromCursor("");
	EXPECT_TRUE(world.progress.cursorObjects.empty());
}
