// Inventory slots made by the type name "inventory" from a scene
// description: the item's model drawn centred on the slot with its count
// text, units flying in, slides, the fade of a used-up item, and the
// "click", "select" and "drop" events raised by real mouse input.

#include "../../engine/graphics/ModelTestSupport.h"
#include "SlotScreenFixture.h"
#include "../../engine/scene/SceneDescTestSupport.h"

#include "engine/foundation/StringUtils.h"
#include "engine/scene/cTextObject.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/cInventory.h"

#include <memory>
#include <utility>

namespace
{
// A slot at (320, 240) of 80 by 80 with its count text.
const char* const kPanelList = R"(<resources>
<resource name="panel" type="scene_resource">
	<inventory name="inventory_0" model="slot_quad" local="1 0 0 0 1 0 0 0 1 320 240 0">
		<text name="count" local="1 0 0 0 1 0 0 0 1 30 -30 0"/>
	</inventory>
</resource>
</resources>)";

const D3DCOLOR kLit = 0xFFFFFFFF;
const D3DCOLOR kDark = 0xFF000000;

tBytes QuadModel(float left, float bottom, float right, float top)
{
	cModel model;
	AddQuad(model, left, bottom, right, top);
	model.materials.push_back(Material(0, 2));
	return ModelBytes(model);
}

class cInventoryTest : public cSlotScreenFixture
{
protected:
	void SetUp() override
	{
		cSlotScreenFixture::SetUp();
		if (HasFatalFailure())
			return;
		resources.Add("model", "slot_quad", QuadModel(-40, -40, 40, 40));
		// A 30 by 30 item whose box centre is (15, 15).
		resources.Add("model", "gem", QuadModel(0, 0, 30, 30));
		description.reset(SceneFromXml("panel", kPanelList));
		auto* panel = new cSceneObject("panel", camera);
		panel->LoadFromDesc(*description->GetRoot());
		slot = dynamic_cast<cInventory*>(panel->GetChildList().FindChild("inventory_0"));
		ASSERT_NE(slot, nullptr);
		slot->BindEvent("click", cSceneObject::tEvent(MakeMemberDelegate(this, &cInventoryTest::OnClick)));
		slot->BindEvent("select", cSceneObject::tEvent(MakeMemberDelegate(this, &cInventoryTest::OnSelect)));
		slot->BindEvent("drop", cSceneObject::tEvent(MakeMemberDelegate(this, &cInventoryTest::OnDrop)));
		white.reset(WhiteTexture());
		scene->Update(0);
	}

	void OnClick(cSceneObject* object) { Record(object, "click"); }
	void OnSelect(cSceneObject* object) { Record(object, "select"); }
	void OnDrop(cSceneObject* object) { Record(object, "drop"); }
	void Record(cSceneObject* object, const char* event)
	{
		events += (events.empty() ? "" : " ") + std::string(event) + (object == slot ? "" : "(other)");
	}
	// The events since the last call.
	std::string TakeEvents() { return std::exchange(events, ""); }

	// One frame of the game: input, the input pass, the update and the
	// drawing, read back.
	sPixels Step(float dt)
	{
		Frame();
		return Update(dt);
	}

	// The input pass on the input read, the update and the drawing.
	sPixels Update(float dt)
	{
		scene->DispatchInput();
		scene->Update(dt);
		graphics->BeginScene();
		white->Bind(0);
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	// The pixel at logical (x, y), y up.
	static D3DCOLOR At(const sPixels& pixels, int x, int y) { return pixels.At(UINT(x), UINT(kHeight - 1 - y)) | 0xFF000000; }

	std::string CountText()
	{
		auto* count = static_cast<cTextObject*>(slot->GetChildList().FindChild("count"));
		return count->IsVisible() ? Utf8FromWide(count->GetTextVisual()->GetText()) : "(hidden)";
	}

	cMatrix From(float x, float y) { return Translation(x, y, 0); }

	// A frame in which the left button went down over the window. Test
	// programs share one display: a window of another one that maps under
	// the cursor can take a click, which is then sent again.
	sPixels ClickStep(float dt)
	{
		for (int attempt = 0; attempt < 5; ++attempt)
		{
			EXPECT_TRUE(Activate(true));
			Send({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) });
			Frame();
			if (m_input->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
				break;
			Frame();
		}
		return Update(dt);
	}

	cTestResources resources;
	std::unique_ptr<cSceneResource> description;
	std::unique_ptr<cTexture> white;
	cInventory* slot = nullptr;
	std::string events;
};
}

TEST_F(cInventoryTest, TheItemIsDrawnCentredWithItsCountAndUnitsFlyIn)
{
	EXPECT_EQ(slot->GetTypeName(), "inventory");
	EXPECT_EQ(slot->GetSortKey(), 20);
	slot->SetItem("gem");
	EXPECT_FLOAT_EQ(slot->GetTransform().GetLocalMatrix()._43, -40);
	sPixels pixels = Step(0);
	EXPECT_TRUE(ColorNear(At(pixels, 320, 240), kDark)) << "nothing arrived yet";
	EXPECT_EQ(CountText(), "(hidden)");

	slot->AddItem(From(100, 100), false, 2, nullptr);
	pixels = Step(0);
	// The 30 by 30 model centred on (320, 240); the slot's quad is not drawn.
	EXPECT_TRUE(ColorNear(At(pixels, 307, 238), kLit));
	EXPECT_TRUE(ColorNear(At(pixels, 333, 253), kLit));
	EXPECT_TRUE(ColorNear(At(pixels, 302, 240), kDark));
	EXPECT_TRUE(ColorNear(At(pixels, 350, 270), kDark));
	EXPECT_EQ(CountText(), "2");

	// A unit flies in from (100, 100): it fades in where it started for
	// 0.3 s, covers 70 % of the way in the next 0.4 s and the rest in the
	// last 0.4 s; the count changes when it lands.
	slot->AddItem(From(100, 100), true, 1, nullptr);
	EXPECT_EQ(slot->GetCount(), 3);
	EXPECT_EQ(CountText(), "2");
	pixels = Step(0.35f);
	EXPECT_TRUE(ColorNear(At(pixels, 115, 115), kLit));
	pixels = Step(0.2f);
	EXPECT_TRUE(ColorNear(At(pixels, 115, 115), kDark));
	EXPECT_TRUE(ColorNear(At(pixels, 192, 164), kLit)) << "35 % of the way: at (177, 149)";
	for (int frame = 0; frame < 2; ++frame)
		Step(0.2f);
	pixels = Step(0.1f);
	EXPECT_TRUE(ColorNear(At(pixels, 320, 240), kLit));
	EXPECT_EQ(slot->GetFlightCount(), 1u) << "at the slot, 0.05 s left";
	EXPECT_EQ(CountText(), "2");
	Step(0.1f);
	EXPECT_EQ(slot->GetFlightCount(), 0u);
	EXPECT_EQ(CountText(), "3");
	EXPECT_EQ(slot->GetChildList().FindChild("count")->GetSortKey(), 51);
}

TEST_F(cInventoryTest, ClickSelectAndDropFollowTheMouseAndTheCount)
{
	slot->SetItem("gem");
	slot->AddItem(From(0, 0), false, 1, nullptr);
	EXPECT_EQ(CountText(), "") << "a count of 1 shows no number";

	PlaceCursor(320, 240);
	Step(0.05f);
	Step(0.05f);
	EXPECT_EQ(TakeEvents(), "select select");
	EXPECT_TRUE(slot->IsHovered());
	EXPECT_FLOAT_EQ(slot->GetHoverScale(), 1.1f);
	ClickStep(0.05f);
	EXPECT_EQ(TakeEvents(), "select click");
	EXPECT_FLOAT_EQ(slot->GetHoverScale(), 1.12f) << "grows to 1.12 at most";

	PlaceCursor(200, 400);
	ClickStep(0.05f);
	EXPECT_EQ(TakeEvents(), "");
	EXPECT_FALSE(slot->IsHovered());

	// Taking more than is held empties the slot once.
	slot->AddItem(From(0, 0), false, 2, nullptr);
	EXPECT_EQ(CountText(), "3");
	slot->AddItem(From(0, 0), false, -5, nullptr);
	EXPECT_EQ(TakeEvents(), "drop");
	EXPECT_EQ(slot->GetCount(), 0);
	EXPECT_EQ(slot->GetItemModel(), nullptr);
	EXPECT_EQ(CountText(), "");
	slot->AddItem(From(0, 0), false, -1, nullptr);
	EXPECT_EQ(TakeEvents(), "") << "no drop from a slot already empty";

	// An empty slot ignores the mouse.
	PlaceCursor(320, 240);
	ClickStep(0.05f);
	EXPECT_EQ(TakeEvents(), "");
}

TEST_F(cInventoryTest, SlidesEndInTheModeSetForThem)
{
	const struct
	{
		const char* pending;
		const char* item;
		int count;
		const char* text;
	} cases[] = { { "ring#3", "ring", 3, "3" }, { "ring", "ring", 1, "" }, { "ring#x", "ring", 0, "" } };
	for (const auto& entry : cases)
	{
		SCOPED_TRACE(entry.pending);
		PlaceCursor(50, 50);
		Step(0);
		TakeEvents();
		slot->SetItem("gem");
		slot->AddItem(From(0, 0), false, 1, nullptr);
		slot->SetMoveTarget(cVector3d(400, 240, -40));
		slot->SetMode(cInventory::kModeBecomePending);
		slot->SetPendingItem(entry.pending);
		slot->SetMoveTarget(cVector3d(0, 0, 0));
		Step(0.25f);
		EXPECT_FLOAT_EQ(slot->GetTransform().GetWorldMatrix()._41, 360) << "half way; the second target was ignored";
		Step(0.3f);
		EXPECT_FLOAT_EQ(slot->GetTransform().GetWorldMatrix()._41, 400);
		EXPECT_EQ(slot->GetItemName(), entry.item);
		EXPECT_EQ(slot->GetCount(), entry.count);
		EXPECT_EQ(CountText(), entry.text);
		EXPECT_EQ(slot->GetMode(), cInventory::kModeNone);
		// A result whose count is not a number ignores the mouse.
		PlaceCursor(400, 240);
		Step(0);
		EXPECT_EQ(TakeEvents(), entry.count > 0 ? "select" : "");
		slot->SetMoveTarget(cVector3d(320, 240, -40));
		Step(0.6f);
	}

	// A used-up item slides, fades out in place in 0.3 s, then empties.
	slot->SetItem("gem");
	slot->AddItem(From(0, 0), false, 1, nullptr);
	slot->SetMoveTarget(cVector3d(200, 240, -40));
	slot->SetMode(cInventory::kModeFadeThenEmpty);
	Step(0.55f);
	EXPECT_FLOAT_EQ(slot->GetTransform().GetWorldMatrix()._41, 200);
	Step(0.15f);
	EXPECT_FLOAT_EQ(slot->GetTransform().GetLocalColor().a, 0.5f);
	EXPECT_EQ(TakeEvents(), "");
	Step(0.2f);
	EXPECT_EQ(slot->GetTransform().GetLocalColor().a, 0);
	EXPECT_FLOAT_EQ(slot->GetTransform().GetWorldMatrix()._41, 200);
	EXPECT_EQ(TakeEvents(), "drop");
	EXPECT_EQ(slot->GetCount(), 0);
	EXPECT_EQ(slot->GetItemModel(), nullptr);
}

TEST_F(cInventoryTest, AnItemWithoutAModelCountsFliesAndIsClickedWithoutOne)
{
	sParticleSystemDesc trail;
	trail.count = 2;
	trail.interval = 0.1f;
	trail.windowLength = 1;
	trail.lifetime = 0.2f;
	trail.size = 4;
	trail.programs = { { "trail", 1, true } };
	auto* particles = new cParticleSystem(&trail);
	particles->Start("trail");
	// The cursor off the slot while the unit flies: a hovered slot with a
	// count selects in every frame.
	PlaceCursor(100, 100);

	slot->SetItem("ghost");
	EXPECT_EQ(slot->GetItemModel(), nullptr);
	slot->AddItem(From(100, 100), true, 1, particles);
	EXPECT_FALSE(particles->IsLooping());
	// The unit lands once its trail has run out, 1.6 s after the start.
	for (int frame = 0; frame < 7; ++frame)
		Step(0.2f);
	EXPECT_EQ(slot->GetFlightCount(), 1u) << "the trail still runs";
	Step(0.3f);
	EXPECT_EQ(slot->GetFlightCount(), 0u);
	EXPECT_TRUE(slot->IsCountVisible());
	EXPECT_EQ(CountText(), "");
	slot->AddItem(From(0, 0), false, 1, nullptr);
	EXPECT_EQ(CountText(), "2");

	const sPixels pixels = Step(0);
	EXPECT_TRUE(ColorNear(At(pixels, 320, 240), kDark)) << "no model drawn";
	PlaceCursor(320, 240);
	ClickStep(0.05f);
	EXPECT_EQ(TakeEvents(), "select click");
	PlaceCursor(330, 250);
	Step(0.05f);
	EXPECT_EQ(TakeEvents(), "select");
}
