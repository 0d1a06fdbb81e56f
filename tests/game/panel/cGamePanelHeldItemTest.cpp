// The game panel on the screen with real mouse input: an item clicked in
// its slot goes onto the cursor, is drawn beside it wherever the mouse
// goes (pixels read back), and is let go by a right click or by the next
// let-go outside the pass that picked it up.

#include "../../engine/graphics/ModelTestSupport.h"
#include "../play/SlotScreenFixture.h"
#include "../../engine/scene/SceneDescTestSupport.h"
#include "../../engine/windows/WindowTestSupport.h"

#include "engine/resources/cResourceHandle.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "game/panel/cGamePanel.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/cPlayerProgress.h"

#include <memory>

namespace
{
// Two 80 by 80 slots at (320, 240) and (420, 240).
const char* const kGamePanel = R"(
	<object name="slots_parent" local="1 0 0 0 1 0 0 0 1 320 240 0">
		<inventory name="inventory_0" model="slot_quad"><text name="count"/></inventory>
		<inventory name="inventory_1" model="slot_quad" local="1 0 0 0 1 0 0 0 1 100 0 0"><text name="count"/></inventory>
	</object>)";

const char* const kTexts = R"(<strings><group><group name="texts"><group name="default"><group name="inventory">
	<phrase name="gem" text="Gem"/>
</group></group></group></group></strings>)";

const D3DCOLOR kLit = 0xFFFFFFFF;
const D3DCOLOR kDark = 0xFF000000;

tBytes WhiteQuadModel(float left, float bottom, float right, float top)
{
	cModel model;
	AddQuad(model, left, bottom, right, top);
	model.materials.push_back(Material(0, 2, { "white" }));
	return ModelBytes(model);
}

class cGamePanelHeldItemTest : public cSlotScreenFixture
{
protected:
	void SetUp() override
	{
		cSlotScreenFixture::SetUp();
		if (HasFatalFailure())
			return;
		resources.Add("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
		resources.Add("model", "slot_quad", WhiteQuadModel(-40, -40, 40, 40));
		// A 30 by 30 item whose box centre is (15, 15), and a smaller one.
		resources.Add("model", "gem", WhiteQuadModel(0, 0, 30, 30));
		resources.Add("model", "ring", WhiteQuadModel(0, 0, 20, 20));
		texts.reset(new cXmlResource("texts", sResourceSource(StreamOf(kTexts), "")));
		texts->AddToIndex();
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle::InitByName<cXmlResource>("texts"));
		content.AddScene("gamepanel", kGamePanel);
		g_currentProgress = &progress;

		cSceneObject* effect = new cSceneObject("effect", camera);
		new cSceneObject("target", new cSceneObject("rt", effect));
		panel = new cGamePanel(effect);
		panel->Show();
		panel->AddInventoryItem(cMatrix::Identity(), "gem", 1, false);
		panel->AddInventoryItem(cMatrix::Identity(), "ring", 2, false);
		scene->Update(0);
	}

	void TearDown() override
	{
		if (texts)
			texts->RemoveFromIndex();
		cSlotScreenFixture::TearDown();
	}

	// Input read, the input pass, the update and the drawing, read back.
	sPixels Step()
	{
		Frame();
		return Pass();
	}

	sPixels Pass()
	{
		scene->DispatchInput();
		scene->Update(0.05f);
		graphics->BeginScene();
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	// A frame in which the buttons went down over the window, then its pass.
	sPixels Click(std::vector<int> buttons)
	{
		ClickButtons(buttons);
		return Pass();
	}

	// The pixel at logical (x, y), y up.
	static D3DCOLOR At(const sPixels& pixels, int x, int y)
	{
		return pixels.At(UINT(x), UINT(kHeight - 1 - y)) | 0xFF000000;
	}

	// Whether the held gem is drawn as a 24 by 24 square centred 30 to the
	// right of and 40 below the cursor of the last pass.
	void ExpectHeldGemDrawn(const sPixels& pixels, bool drawn)
	{
		const cVector3d& cursor = scene->GetPickRay().origin;
		const int x = int(cursor.x) + 30;
		const int y = int(cursor.y) - 40;
		const D3DCOLOR inside = drawn ? kLit : kDark;
		for (const auto& [dx, dy] : { std::pair { -10, -10 }, { 10, 10 }, { 0, 0 }, { -10, 10 } })
			EXPECT_TRUE(ColorNear(At(pixels, x + dx, y + dy), inside)) << dx << "," << dy;
		for (const auto& [dx, dy] : { std::pair { -14, 0 }, { 14, 0 }, { 0, 14 }, { 0, -14 }, { -30, 40 } })
			EXPECT_TRUE(ColorNear(At(pixels, x + dx, y + dy), kDark)) << dx << "," << dy;
	}

	cTestResources resources;
	cSceneContent content;
	std::unique_ptr<cXmlResource> texts;
	cPlayerProgress progress;
	cGamePanel* panel = nullptr;
};
}

TEST_F(cGamePanelHeldItemTest, AClickedItemFollowsTheMouseUntilARightClick)
{
	// Over the gem's slot: the item's text is the tooltip.
	PlaceCursor(320, 240);
	Step();
	EXPECT_EQ(panel->GetTooltipText(), L"Gem");
	EXPECT_TRUE(panel->WasInputHandled());
	EXPECT_EQ(panel->GetHeldItemName(), "");
	Click({ cInputManager::kLeftButton });
	EXPECT_EQ(panel->GetHeldItemName(), "gem");

	// Another slot clicked: the held item stays.
	PlaceCursor(420, 240);
	Click({ cInputManager::kLeftButton });
	EXPECT_EQ(panel->GetHeldItemName(), "gem");
	EXPECT_EQ(panel->GetTooltipText(), L"") << "the ring has no text";

	for (const auto& [x, y] : { std::pair { 200, 150 }, { 500, 380 } })
	{
		SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
		PlaceCursor(x, y);
		ExpectHeldGemDrawn(Step(), true);
	}
	ExpectHeldGemDrawn(Click({ cInputManager::kRightButton }), false);
	EXPECT_EQ(panel->GetHeldItemName(), "");
	EXPECT_EQ(progress.GetItemCount("gem"), 1) << "letting go keeps the item";
}

TEST_F(cGamePanelHeldItemTest, ALetGoInThePassOfThePickUpKeepsTheItem)
{
	PlaceCursor(320, 240);
	Step();
	// Both buttons in one pass: the right click comes before the pick-up.
	Click({ cInputManager::kLeftButton, cInputManager::kRightButton });
	EXPECT_EQ(panel->GetHeldItemName(), "gem");
	// The location lets go after every click of its own: not in this pass.
	panel->DropHeldItem();
	EXPECT_EQ(panel->GetHeldItemName(), "gem");
	PlaceCursor(150, 100);
	ExpectHeldGemDrawn(Step(), true);
	panel->DropHeldItem();
	EXPECT_EQ(panel->GetHeldItemName(), "");
	ExpectHeldGemDrawn(Step(), false);
}
