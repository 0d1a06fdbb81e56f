// Fifty changes of location between two small rooms, each built on the
// loader thread while the main thread updates and draws every frame: after
// each change exactly one form is in the scene, the objects of the room
// left are gone, and the room entered holds what it stored; at the end as
// many objects live as at the start. Run under the thread and address
// sanitizers with the threaded suites.

#include "LocationSwitchSupport.h"

#include "../../engine/scene/SceneDrawSupport.h"

namespace
{
class LocationSwitchStressTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		AddSecondRoom(world);
		cModel model;
		AddQuad(model, 0, 0, 1024, 768);
		model.materials = {Material(0, 2, {"grey"})};
		resources.Add("model", "backdrop_quad", ModelBytes(model));
		resources.Add("texture", "grey", DdsFile(1, 1, {0xFF808080}));
		Quad("backdrop", "backdrop_quad", 0, 0);
	}

	// One frame as the game runs it: update, then draw.
	void DrawnFrame()
	{
		switcher.Frame(0.02f);
		graphics->BeginScene();
		scene->Render();
		graphics->EndScene();
	}

	bool SwitchTo(const std::string& name)
	{
		SetNextLocation(name);
		const bool entered = cLocationSwitcher::WaitFor(name, [this] { DrawnFrame(); });
		// The frames that delete the form left.
		for (int i = 0; i < 3; ++i)
			DrawnFrame();
		return entered;
	}

	cLocationWorld world;
	cLocationSwitcher switcher;
};

int FormsIn(cSceneObject* parent)
{
	int forms = 0;
	for (cSceneObject* child : parent->GetChildList().GetChildren())
		forms += dynamic_cast<cLocationForm*>(child) ? 1 : 0;
	return forms;
}
}

TEST_F(LocationSwitchStressTest, FiftyChangesWhileTheSceneIsDrawn)
{
	const int liveAtStart = cCountedObject::live;
	new cLocationLoaderThread("location1", false);
	ASSERT_TRUE(cLocationSwitcher::WaitFor("location1", [this] { DrawnFrame(); }));
	const int kRoomObjects = 4;
	for (int change = 1; change <= 50; ++change)
	{
		const bool second = change % 2 == 1;
		ASSERT_TRUE(SwitchTo(second ? "location2" : "location1")) << change;
		EXPECT_EQ(FormsIn(root()), 1) << change;
		EXPECT_EQ(cCountedObject::live, liveAtStart + (second ? kRoomObjects : 0)) << change;
		if (!second)
			continue;
		cSceneObject* drawer = g_currentLocation->GetChildList().FindChild("drawer");
		// The drawer opens on the first visit and stays open after.
		EXPECT_EQ(drawer->IsVisible(), change > 1) << change;
		drawer->SetVisible(true);
	}
	EXPECT_EQ(switcher.entered.size(), 51u);
	DeleteCurrentLocation();
	EXPECT_EQ(cCountedObject::live, liveAtStart);
}
