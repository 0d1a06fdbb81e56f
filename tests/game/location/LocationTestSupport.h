#pragma once
// Locations built from content written in the test: the scene "location1"
// with objects of every kind, its scenario of traced step commands, the
// texts its hidden objects show, and a player's progress that stores into
// a temporary folder.

#include "../../engine/foundation/TempFolder.h"
#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/windows/WindowTestSupport.h"
#include "../scenario/ScenarioTestSupport.h"

#include "engine/foundation/cConfig.h"
#include "engine/resources/cTextManager.h"
#include "game/location/CurrentLocation.h"
#include "game/play/LocationGlobals.h"
#include "game/location/cLocationForm.h"
#include "game/play/cPlayerProgress.h"

#include <gtest/gtest.h>

#include <string>

// Hidden objects "cup" and "mug" show the same text; "pen" is both hidden
// and ignored; "shelf" holds a small tree for paths.
inline const char* kRoomScene = R"(
	<object name="bg" background="true" ignore="true" just_close="true"/>
	<object name="door" tooltip="true"/>
	<object name="chest"/>
	<object name="statue" ignore="true"/>
	<object name="cup" ispy="true"/>
	<object name="mug" ispy="true"/>
	<object name="pen" ispy="true" ignore="true"/>
	<object name="key" ispy="true"/>
	<object name="shelf" ignore="true"><object name="book"><object name="page"/></object><object name="vase"/></object>)";

// "startup" runs "boot", which moves on to "explore"; "explore" waits long.
inline const char* kRoomScenario = R"(<scenario>
	<state name="startup"><step><item name="boot" goto="explore"/></step></state>
	<state name="explore"><step><item name="look" wait="1000"/></step></state>
</scenario>)";

inline const char* kRoomTexts = R"(<strings><group><group name="texts"><group name="default">
	<group name="location1">
		<phrase name="cup" text="Cup"/><phrase name="mug" text="Cup"/>
		<phrase name="pen" text="Pen"/><phrase name="key" text="Key"/>
	</group></group></group></group></strings>)";

inline tBytes BytesOf(const std::string& text)
{
	return tBytes(text.begin(), text.end());
}

// What every location test needs around its forms: the test commands, a
// progress that stores into a temporary folder, the room's content and
// texts, and the location globals emptied afterwards. Lives past the
// deletion of the scene tree.
class cLocationWorld
{
public:
	cLocationWorld()
	{
		RegisterTestCommands();
		Singletone<cConfig>::GetInstance()->SetValue("engine_directory", cTempFolder::EnginePath(folder.Work()));
		progress.SetName(L"tester");
		g_currentProgress = &progress;
		content.AddScene("location1", kRoomScene);
		resources.Add("xml", "location1", BytesOf(kRoomScenario));
		cResource* texts = resources.Add("xml", "location_texts", BytesOf(kRoomTexts));
		texts->AddRef();
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle(texts));
	}

	~cLocationWorld()
	{
		g_currentProgress = nullptr;
		g_currentLocation = g_previousLocation = nullptr;
		g_locationToShow = nullptr;
		g_nextLocation.clear();
		g_scenarioChange = false;
		Trace().clear();
	}

	// A main form of the name hung under the parent, its log lines kept.
	template <class Form = cLocationForm>
	Form* Build(const std::string& name, cSceneObject* parent)
	{
		testing::internal::CaptureStderr();
		auto* form = new Form(name, nullptr);
		log += testing::internal::GetCapturedStderr();
		form->GetChildList().SetParent(parent, false);
		return form;
	}

	cTempFolder folder;
	cPlayerProgress progress;
	cTestResources resources;
	cSceneContent content;
	std::string log;
};

class LocationTest : public SceneTest
{
protected:
	template <class Form = cLocationForm>
	Form* Build(const std::string& name)
	{
		return world.Build<Form>(name, root());
	}

	cLocationWorld world;
	cPlayerProgress& progress = world.progress;
	cTestResources& resources = world.resources;
	cSceneContent& content = world.content;
	std::string& log = world.log;
};
