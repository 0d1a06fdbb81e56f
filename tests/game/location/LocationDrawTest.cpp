// Location forms drawn for real: the main form shows and leaves without a
// colour fade, a sub-location fades in and out over 0.15 s, and single
// objects fade over half a second; the alpha is read back from the drawn
// colour over black.

#include "LocationTestSupport.h"

#include "../../engine/scene/SceneDrawSupport.h"

namespace
{
struct sQuadColour
{
	const char* model;
	float left, bottom, right, top;
	const char* texture;
	D3DCOLOR colour;
};

const sQuadColour kQuads[] = {
	{"lamp_quad", 100, 100, 300, 300, "green", 0xFF00FF00},
	{"jar_quad", 400, 100, 600, 300, "blue", 0xFF0000FF},
	{"panel_quad", 600, 400, 900, 700, "red", 0xFFFF0000},
};

int Red(D3DCOLOR colour)
{
	return int((colour >> 16) & 0xFF);
}

int Green(D3DCOLOR colour)
{
	return int((colour >> 8) & 0xFF);
}

int Blue(D3DCOLOR colour)
{
	return int(colour & 0xFF);
}

class LocationDrawTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		for (const sQuadColour& quad : kQuads)
		{
			cModel model;
			AddQuad(model, quad.left, quad.bottom, quad.right, quad.top);
			model.materials = {Material(0, 2, {quad.texture})};
			resources.Add("model", quad.model, ModelBytes(model));
			resources.Add("texture", quad.texture, DdsFile(1, 1, {quad.colour}));
		}
		world.content.AddScene("drawn_room",
			R"(<geometry name="lamp" model="lamp_quad" tooltip="true"/><geometry name="jar" model="jar_quad"/>)");
		world.content.AddScene("closeup", R"(<geometry name="panel" model="panel_quad" ignore="true"/>)");
	}

	// The room shown and working.
	cLocationForm* ShowRoom()
	{
		cLocationForm* room = world.Build("drawn_room", screen);
		room->Show();
		Frame(0.1f);
		return room;
	}

	// The red drawn at the sub-location's panel after a frame of dt.
	int PanelRedAfter(float dt)
	{
		return Red(At(Frame(dt), 750, 550));
	}

	// The blue drawn at the jar after a frame of dt.
	int JarBlueAfter(float dt)
	{
		return Blue(At(Frame(dt), 500, 200));
	}

	cLocationWorld world;
};
}

TEST_F(LocationDrawTest, TheMainFormShowsAtOnceAndLeavesWithoutAColourFade)
{
	for (bool scenarioChange : {false, true})
	{
		cLocationForm* room = ShowRoom();
		EXPECT_EQ(room->GetState(), cGameWindow::kWorking);
		EXPECT_EQ(Green(At(Frame(0.1f), 200, 200)), 255) << scenarioChange;

		g_scenarioChange = scenarioChange;
		room->Hide();
		EXPECT_EQ(room->GetState(), cGameWindow::kDisappear);
		EXPECT_EQ(Green(At(Frame(0.1f), 200, 200)), 0) << scenarioChange;
		Frame(0.1f);
		EXPECT_EQ(screen->GetChildList().FindChild("drawn_room"), nullptr) << "deleted once closed";
		EXPECT_EQ(g_currentLocation, nullptr);
	}
}

TEST_F(LocationDrawTest, ASubLocationFadesInAndOutOverItsOwnTime)
{
	cLocationForm* room = ShowRoom();
	cLocationForm* closeup = room->GetSubLocation("closeup");
	EXPECT_EQ(room->GetSubLocation("closeup"), closeup) << "built once";
	closeup->Show();
	const int appearing[] = {85, 170, 255, 255};
	for (int expected : appearing)
		EXPECT_NEAR(PanelRedAfter(0.05f), expected, 12);
	EXPECT_EQ(closeup->GetState(), cGameWindow::kWorking);

	closeup->Hide();
	const int leaving[] = {170, 85, 0};
	for (int expected : leaving)
		EXPECT_NEAR(PanelRedAfter(0.05f), expected, 12);
	Frame(0.05f);
	EXPECT_FALSE(closeup->IsVisible());
	EXPECT_EQ(room->GetSubLocation("closeup"), closeup) << "a closed sub-location stays";
}

TEST_F(LocationDrawTest, AnObjectFadesInThenOutOverHalfASecond)
{
	cLocationForm* room = ShowRoom();
	cSceneObject* jar = room->GetChildList().FindChild("jar");
	ASSERT_FALSE(jar->IsVisible()) << "a pickable without tooltip starts hidden";

	room->FadeObject(jar, true);
	EXPECT_TRUE(room->GetWaitList().IsBusy());
	for (int expected : {64, 128, 191, 255})
		EXPECT_NEAR(JarBlueAfter(0.125f), expected, 12);
	EXPECT_TRUE(room->GetFades().empty());
	EXPECT_FALSE(room->GetWaitList().IsBusy());

	room->FadeObject(jar, false);
	for (int expected : {191, 128, 64})
		EXPECT_NEAR(JarBlueAfter(0.125f), expected, 12);
	EXPECT_TRUE(room->GetWaitList().IsBusy());
	EXPECT_EQ(JarBlueAfter(0.125f), 0);
	EXPECT_FALSE(jar->IsVisible());
	EXPECT_FALSE(room->GetWaitList().IsBusy());
}

TEST_F(LocationDrawTest, AFadeCutShortByHidingEndsInItsFinalState)
{
	for (bool fadeIn : {true, false})
	{
		cLocationForm* room = ShowRoom();
		cLocationForm* closeup = room->GetSubLocation("closeup");
		closeup->Show();
		Frame(0.2f);
		cSceneObject* panel = closeup->GetChildList().FindChild("panel");
		closeup->FadeObject(panel, fadeIn);
		EXPECT_NEAR(PanelRedAfter(0.2f), fadeIn ? 102 : 153, 12) << fadeIn;

		closeup->Hide();
		EXPECT_TRUE(closeup->GetFades().empty());
		EXPECT_FALSE(closeup->GetWaitList().IsBusy());
		EXPECT_EQ(panel->IsVisible(), fadeIn);
		EXPECT_EQ(panel->GetTransform().GetLocalColor().a, fadeIn ? 1.0f : 0.0f);
		delete room;
	}
}
