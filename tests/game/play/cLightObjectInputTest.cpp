// Hover markers under the cursor with real input: the nearest marker over
// its parent's picture is highlighted and drawn, the glow fades out once
// the highlight has gone, hidden-object mode draws none, and a highlighted
// marker that is deleted leaves the highlight to the next one.

#include "../screens/ScreenTestSupport.h"

#include "engine/scene/cQuadVisual.h"
#include "game/play/LocationGlobals.h"
#include "game/play/cLightObject.h"

namespace
{
class cLightObjectInputTest : public cScreenTest
{
protected:
	void SetUp() override
	{
		cScreenTest::SetUp();
		if (HasFatalFailure())
			return;
		// A white chest from (100, 100) to (300, 140); a far marker at its
		// right end, then a nearer one at its left end.
		chest = new cSceneObject("chest", camera);
		chest->SetVisual(new cQuadVisual(chest));
		chest->SetModel("wide");
		chest->GetTransform().SetLocalMatrix(Translation(100, 100, 0));
		far = Marker("far", 160, -10);
		near = Marker("near", 0, -20);
		scene->Update(0);
	}

	void TearDown() override
	{
		g_ispyMode = false;
		cLightObject::SetHighlighted(nullptr);
		cScreenTest::TearDown();
	}

	cLightObject* Marker(const std::string& name, float x, float z)
	{
		auto* marker = static_cast<cLightObject*>(scene->CreateObject("light", name, chest));
		marker->SetModel("marker");
		marker->GetTransform().SetLocalMatrix(Translation(x, 0, z));
		return marker;
	}

	// The green channel at the point: 0 where a marker is drawn fully over
	// the white chest, 255 where none is.
	int Green(int x, int y) { return int((At(Draw(), x, y) >> 8) & 0xFF); }

	cSceneObject* chest = nullptr;
	cLightObject* far = nullptr;
	cLightObject* near = nullptr;
};
}

TEST_F(cLightObjectInputTest, TheNearestMarkerOverItsParentIsHighlightedAndFadesAfterwards)
{
	MoveTo(200, 120);
	Step(0);
	EXPECT_EQ(cLightObject::GetHighlighted(), near) << "the smaller world z wins";
	Step(0.02f);
	EXPECT_EQ(Green(120, 120), 0);
	EXPECT_EQ(Green(280, 120), 255) << "the far marker is not drawn";

	// The location's pass clears the highlight once the cursor has left:
	// the glow fades over 0.1 s, a frame behind the colour it sets.
	MoveTo(500, 400);
	cLightObject::SetHighlighted(nullptr);
	Step(0.04f);
	Green(120, 120);
	Step(0.04f);
	const int fading = Green(120, 120);
	EXPECT_GT(fading, 60);
	EXPECT_LT(fading, 200);
	Step(0.04f);
	EXPECT_EQ(Green(120, 120), 255);
	EXPECT_EQ(cLightObject::GetHighlighted(), nullptr) << "the cursor is over nothing";

	// Equal z keeps the first in the pass.
	near->GetTransform().SetLocalMatrix(Translation(0, 0, -10));
	scene->Update(0);
	MoveTo(200, 120);
	Step(0);
	EXPECT_EQ(cLightObject::GetHighlighted(), far);
}

TEST_F(cLightObjectInputTest, InHiddenObjectModeNoMarkerIsDrawnButTheHighlightFollows)
{
	g_ispyMode = true;
	MoveTo(200, 120);
	Step(0);
	EXPECT_EQ(cLightObject::GetHighlighted(), near);
	Step(0.02f);
	EXPECT_EQ(Green(120, 120), 255);
}

TEST_F(cLightObjectInputTest, ADeletedHighlightedMarkerLeavesTheHighlightToTheNext)
{
	MoveTo(200, 120);
	Step(0);
	ASSERT_EQ(cLightObject::GetHighlighted(), near);
	delete near;
	EXPECT_EQ(cLightObject::GetHighlighted(), nullptr);
	Step(0);
	EXPECT_EQ(cLightObject::GetHighlighted(), far);

	// A disabled parent lights none.
	cLightObject::SetHighlighted(nullptr);
	chest->SetEnabled(false);
	far->HandleInput();
	EXPECT_EQ(cLightObject::GetHighlighted(), nullptr);
}
