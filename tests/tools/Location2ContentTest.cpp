// The demo's second location built from the generated content: its objects
// sorted, the two coins grouped under one text, its scenario's states, the
// close-up built as a sub-location, the room drawn, and nothing missing in
// the log; and every scenario of the content leaves a location only
// through the map.

#include "ContentTestSupport.h"

#include "../engine/foundation/ChildProcess.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "game/location/cLocationForm.h"

#include <filesystem>

namespace
{
// The "name" of the first "item" child; empty without one.
std::string ItemName(const cXmlNode& command)
{
	const cXmlNode* item = command.FindChild("item");
	const cXmlNode* name = item ? item->FindAttribute("name") : nullptr;
	return name ? name->GetValue() : "";
}

// The "location" commands below the node whose parent is not a "command"
// of the sub-command "map": nothing would ever show the form they load.
void LocationsWithoutMap(const cXmlNode& node, const std::string& file, std::vector<std::string>& out)
{
	for (const cXmlNode* child = node.GetFirstChild(); child; child = child->GetNextSibling())
	{
		if (child->GetName() == "location" && !(node.GetName() == "command" && ItemName(node) == "map"))
			out.push_back(file + ": " + ItemName(*child));
		LocationsWithoutMap(*child, file, out);
	}
}
}

TEST(Location2Content, TheSecondLocationIsAStudyWithACloseup)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		cResourceManager::GetInstance()->AddSource("localization");
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle::InitByName<cXmlResource>("strings"));

		auto* room = new cLocationForm("location2", nullptr);
		room->GetChildList().SetParent(screen, false);
		EXPECT_EQ(room->GetPickableObjects().size(), 4u) << "cabinet, two exits and the magnifier";
		ASSERT_EQ(room->GetISpyGroups().size(), 4u);
		EXPECT_EQ(room->GetISpyGroups()[0].text, L"Coin");
		EXPECT_EQ(room->GetISpyGroups()[0].objects.size(), 2u);
		for (const char* state : {"startup", "explore", "search"})
			EXPECT_NE(room->GetState(state), nullptr) << state;
		EXPECT_EQ(room->GetObjectText("exit_hall"), L"On to the puzzle hall");

		cLocationForm* closeup = room->GetSubLocation("location2_closeup");
		ASSERT_NE(closeup->GetBackground(), nullptr);
		ASSERT_EQ(closeup->GetPickableObjects().size(), 1u);
		EXPECT_EQ(closeup->GetObjectText("note"), L"An old note");
		EXPECT_NE(closeup->GetState("look"), nullptr);

		room->Show();
		for (int frame = 0; frame < 3; ++frame)
			cSceneManager::GetInstance()->Update(0.1f);
		EXPECT_EQ(room->GetState(), cGameWindow::kWorking);
		const sPixels pixels = DrawScene();
		const D3DCOLOR wall = PixelAt(pixels, 400, 740);
		EXPECT_GT((wall >> 8) & 0xFF, wall & 0xFF) << "a greenish wall at the top";
		EXPECT_NE(PixelAt(pixels, 915, 420), wall) << "the cabinet";
		EXPECT_NE(PixelAt(pixels, 200, 500), wall) << "the shelves";
		ExpectNothingMissing({"not found"});
		delete room;
	});
}

TEST(Location2Content, EveryLocationCommandFollowsAMap)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	std::vector<std::string> unshown;
	int scenarios = 0;
	for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Work() + "/data"))
	{
		if (entry.path().extension() != ".xml")
			continue;
		const std::string text = cTempFolder::ReadFile(entry.path().string());
		cMemoryStream stream;
		stream.Write(text.data(), uint32_t(text.size()));
		cXmlDocument document(stream);
		if (document.GetRoot().GetName() != "scenario")
			continue;
		++scenarios;
		LocationsWithoutMap(document.GetRoot(), entry.path().filename().string(), unshown);
	}
	EXPECT_GE(scenarios, 3) << "the first room, the study and its close-up at least";
	EXPECT_TRUE(unshown.empty()) << testing::PrintToString(unshown);
}
