// The demo's first location built from the generated content: its objects
// sorted, the two cups grouped under one text, the keeper's two poses in
// one set, its scenario started, and the room drawn.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "../engine/graphics/GraphicsTestSupport.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundResource.h"
#include "game/location/cLocationForm.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/cCharacterSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sys/wait.h>

namespace
{
bool GenerateInto(const std::string& folder)
{
	const std::string command = std::string("'") + ZV2_CONTENT_PROGRAM + "' '" + folder + "'";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Drawn over black, y growing upward, without alpha.
D3DCOLOR PixelAt(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), pixels.height - 1 - UINT(y)) & 0xFFFFFF;
}
}

TEST(LocationContent, TheFirstLocationIsARoomToSearch)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateInto(folder.Work()));
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cGraphics* graphics = StartGraphics(1024, 768);
		cTextManager::GetInstance();
		cSceneManager* scene = cSceneManager::GetInstance();
		RegisterGraphicsResourceTypes();
		cSoundResource::RegisterType(*cResourceManager::GetInstance());
		RegisterCharacterType();
		for (const char* source : {"data", "localization"})
			cResourceManager::GetInstance()->AddSource(source);
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle::InitByName<cXmlResource>("strings"));

		cCameraObject* screen = scene->GetDefaultCamera();
		SetScreenCamera(screen->GetCamera());
		screen->GetCamera().SetDepthTest(false);
		auto* room = new cLocationForm("location1", nullptr);
		room->GetChildList().SetParent(screen, false);

		EXPECT_EQ(room->GetPickableObjects().size(), 8u)
			<< "painting, door, box, chest, the open box and door, the way on and the keeper's set";
		ASSERT_EQ(room->GetISpyGroups().size(), 4u);
		EXPECT_EQ(room->GetISpyGroups()[0].text, L"Cup");
		EXPECT_EQ(room->GetISpyGroups()[0].objects.size(), 2u);
		auto* keeper = dynamic_cast<cCharacterSet*>(room->GetChildList().FindChild("keeper"));
		ASSERT_NE(keeper, nullptr);
		EXPECT_EQ(keeper->GetMembers().size(), 2u);
		EXPECT_TRUE(room->GetState("") == room->GetState("startup") || room->GetState("") == room->GetState("explore"))
			<< "in its first state until the chain of \"startup\" has run";

		room->Show();
		keeper->SetVisible(true);
		for (int frame = 0; frame < 3; ++frame)
			scene->Update(0.1f);
		EXPECT_EQ(room->GetState(), cGameWindow::kWorking);
		graphics->BeginScene();
		scene->Render();
		const sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		const D3DCOLOR wall = PixelAt(pixels, 512, 740);
		EXPECT_GT(wall & 0xFF, (wall >> 16) & 0xFF) << "a bluish wall at the top";
		EXPECT_NE(PixelAt(pixels, 880, 400), wall) << "the door";
		EXPECT_NE(PixelAt(pixels, 590, 300), PixelAt(pixels, 590, 320)) << "the keeper against the floor or wall";

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		EXPECT_EQ(log.find("not found"), std::string::npos) << log;
		delete room;
	});
}

namespace
{
// Every element name below the node, and for each "location" whether its
// parent is a "command" whose item is "map".
void CollectKeywords(const cXmlNode& node, std::set<std::string>& keywords, bool& locationsAfterMap)
{
	for (const cXmlNode* child = node.GetFirstChild(); child; child = child->GetNextSibling())
	{
		keywords.insert(child->GetName());
		if (child->GetName() == "location")
		{
			const cXmlNode* item = node.FindChild("item");
			locationsAfterMap = locationsAfterMap && node.GetName() == "command" && item &&
				GetXmlAttribute(item, "name", "") == "map";
		}
		CollectKeywords(*child, keywords, locationsAfterMap);
	}
}
}

TEST(LocationContent, TheFirstLocationsStoryUsesTheScenarioCommands)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateInto(folder.Work()));
	const std::string text = cTempFolder::ReadFile(folder.Work() + "/data/locations/location1.xml");
	cMemoryStream stream;
	stream.Write(text.data(), uint32_t(text.size()));
	cXmlDocument document;
	ASSERT_TRUE(document.Load(static_cast<cStream&>(stream)));
	std::set<std::string> keywords;
	bool locationsAfterMap = true;
	CollectKeywords(document.GetRoot(), keywords, locationsAfterMap);
	for (const char* keyword : {"click", "click_but", "show", "hide", "enable", "disable", "showfade", "hidefade",
			 "show_but", "hide_but", "enable_but", "disable_but", "showfade_but", "hidefade_but", "isenabled", "isvisible",
			 "isininventory", "addinventory", "dropinventory", "additem", "addaim", "removeaim", "changedialog", "hint",
			 "animation", "sound", "delay", "music", "game", "command", "location", "state"})
		EXPECT_EQ(keywords.count(keyword), 1u) << keyword;
	EXPECT_TRUE(locationsAfterMap) << "every location follows a map";
}
