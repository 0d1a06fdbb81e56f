#pragma once
// Scenario commands run by a real location form on the screen: a room of
// pickable, ignored and hidden objects, the game panel with two inventory
// slots that real mouse clicks pick items up from, the dialogue manager
// with the room's dialogue, and the room's texts and aims. Each test writes
// the scenario of its room; a click on an object reaches the scenario as
// the form's clicked name of the frame.

#include "../location/LocationTestSupport.h"
#include "../play/SlotScreenFixture.h"

#include "engine/input/cCursorManager.h"
#include "engine/resources/cXmlResource.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cDialogManager.h"

#include <memory>

// "box", "door" and "cabinet" (holding "drawer") are clickable from the
// start; "chest" and "shelf" are pickable but hidden; "cup", "mug" and
// "pen" are hidden objects, "cup" and "mug" of one text.
inline const char* kCommandRoom = R"(
	<object name="bg" background="true" ignore="true"/>
	<object name="box" tooltip="true" local="1 0 0 0 1 0 0 0 1 100 150 0"/>
	<object name="door" tooltip="true" local="1 0 0 0 1 0 0 0 1 300 200 5"/>
	<object name="chest"/>
	<object name="shelf"/>
	<object name="cabinet" tooltip="true"><object name="drawer"/></object>
	<object name="lamp" ignore="true"/>
	<object name="cup" ispy="true"/>
	<object name="mug" ispy="true"/>
	<object name="pen" ispy="true"/>)";

// Texts, aims and the dialogue of the rooms "room0" to "room19": the
// dialogue has two parts spoken by "alice".
inline std::string CommandTexts()
{
	std::string sections;
	std::string dialogs;
	for (int room = 0; room < 20; ++room)
		sections += "<group name=\"room" + std::to_string(room) + "\"><phrase name=\"cup\" text=\"Cup\"/>"
			"<phrase name=\"mug\" text=\"Cup\"/><phrase name=\"pen\" text=\"Pen\"/>"
			"<phrase name=\"find_key\" text=\"Find the key\"/><phrase name=\"open_door\" text=\"Open the door\"/></group>";
	for (int room = 0; room < 20; ++room)
		dialogs += "<dialog name=\"room" + std::to_string(room) + "\">"
			"<part name=\"greet\"><line name=\"alice\" text=\"Hello\"/></part>"
			"<part name=\"later\"><line name=\"alice\" text=\"Later\"/><line name=\"alice\" text=\"Bye\"/></part></dialog>";
	return "<strings><group name=\"first\"><group name=\"texts\"><group name=\"default\">" + sections +
		"</group><group name=\"aims\">" + sections + "</group></group>"
		"<group name=\"dialogs\">" + dialogs + "</group></group></strings>";
}

// Two 80 by 80 slots at (320, 240) and (420, 240).
inline const char* kCommandPanel = R"(
	<object name="slots_parent" local="1 0 0 0 1 0 0 0 1 320 240 0">
		<inventory name="inventory_0" model="slot_quad"><text name="count"/></inventory>
		<inventory name="inventory_1" model="slot_quad" local="1 0 0 0 1 0 0 0 1 100 0 0"><text name="count"/></inventory>
	</object>)";

class cCommandTest : public cSlotScreenFixture
{
protected:
	void SetUp() override
	{
		cSlotScreenFixture::SetUp();
		if (HasFatalFailure())
			return;
		world = std::make_unique<cLocationWorld>();
		cModel quad;
		AddQuad(quad, -40, -40, 40, 40);
		quad.materials.push_back(Material(0, 2, {"white"}));
		world->resources.Add("texture", "white", DdsFile(1, 1, {0xFFFFFFFF}));
		for (const char* model : {"slot_quad", "key", "coin"})
			world->resources.Add("model", model, ModelBytes(quad));
		cResource* strings = world->resources.Add("xml", "strings", BytesOf(CommandTexts()));
		strings->AddRef();
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle(strings));
		world->content.AddScene("gamepanel", kCommandPanel);
		cSceneObject* effect = new cSceneObject("effect", camera);
		new cSceneObject("target", new cSceneObject("rt", effect));
		panel = new cGamePanel(effect);
		dialogue = new cDialogManager(effect);
	}

	void TearDown() override
	{
		if (camera)
			camera->GetChildList().DeleteChildren();
		world.reset();
		cSlotScreenFixture::TearDown();
	}

	// A shown, working main form "room<n>" of the room scene (or the scene
	// given) and the scenario; the panel is shown. The log lines of its
	// building are kept in log.
	cLocationForm* Build(const std::string& scenario, const char* scene = kCommandRoom)
	{
		const std::string name = "room" + std::to_string(rooms++);
		world->content.AddScene(name, scene);
		world->resources.Add("xml", name, BytesOf(scenario));
		world->log.clear();
		form = world->Build(name, camera);
		log = world->log;
		form->Show();
		ShowGamePanel(true);
		Update();
		return form;
	}

	// The startup state waits for the click on "go" and then runs the commands.
	cLocationForm* BuildOnGo(const std::string& commands, const char* scene = kCommandRoom)
	{
		return Build("<s><state name=\"startup\"><click_but><item name=\"go\"/>" + commands + "</click_but></state></s>", scene);
	}

	// One frame of the scene without input; the form ticks its scenario.
	void Update()
	{
		scene->Update(0.05f);
	}

	// A frame in which the object of the name was clicked; the log lines
	// of the frame are added to log.
	void ClickObject(const std::string& name)
	{
		testing::internal::CaptureStderr();
		form->SetClickedName(name);
		Update();
		log += testing::internal::GetCapturedStderr();
	}

	// Picks the item in the slot at (x, y) up with a real click.
	void HoldItemOfSlotAt(int x, int y)
	{
		PlaceCursor(x, y);
		Frame();
		scene->DispatchInput();
		ClickButtons({cInputManager::kLeftButton});
		scene->DispatchInput();
	}

	void Give(const std::string& item, int count)
	{
		panel->AddInventoryItem(cMatrix(), item, count, false);
	}

	cSceneObject* Object(const std::string& name) { return form->FindObject(name); }

	std::unique_ptr<cLocationWorld> world;
	cGamePanel* panel = nullptr;
	cDialogManager* dialogue = nullptr;
	cLocationForm* form = nullptr;
	int rooms = 0;
	std::string log;
};

// The number of times the text occurs in the log.
inline int Occurrences(const std::string& log, const std::string& text)
{
	int count = 0;
	for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
		++count;
	return count;
}
