// The game panel built from a "gamepanel" scene written here: its children
// and bindings, the tooltip placement, the items-list scenes kept by their
// users, the objects that follow the cursor, the effects of found objects,
// also when "effects_desc" lacks entries or particles, and the inventory's
// slots kept in step with the progress record.

#include "../../engine/scene/SceneDescTestSupport.h"
#include "../../engine/graphics/GraphicsTestSupport.h"
#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/scene/SceneDrawSupport.h"
#include "../../engine/windows/WindowTestSupport.h"

#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/graphics/cParticleSystemWriter.h"
#include "engine/foundation/StringUtils.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cTextObject.h"
#include "game/panel/cGamePanel.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/cDialogManager.h"
#include "game/play/cInventory.h"
#include "game/play/cPlayerProgress.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace
{
const char* const kGamePanel = R"(
	<object name="menu_button"/>
	<object name="hint_button"/>
	<object name="room_button"/>
	<object name="button_aims_back"><object name="aims"/></object>
	<object name="hint_fx"><object name="spark"/></object>
	<object name="hint_fx_2"/>
	<object name="objectives"><object name="objectives_00"/><object name="objectives_03"/></object>
	<object name="clothes">
		<object name="hat"><property name="winter" value="true"/></object>
		<object name="scarf"><property name="winter" value="false"/></object>
	</object>
	<object name="diary">
		<object name="lines_parent">
			<text name="text_items_0" local="1 0 0 0 1 0 0 0 1 100 700 0"/>
			<object name="cup" local="1 0 0 0 1 0 0 0 1 300 200 0"/>
		</object>
	</object>)";

const char* const kList = R"(<text name="text_items_0"/><object name="coin"/>)";

// No "ispy" and no "diary_enable"; "fly_effect" names no particles.
const char* const kEffects = R"(<effects>
	<effect name="fly_effect" length="2"/>
	<effect name="unused" particles="missing_particles"/>
</effects>)";

class cGamePanelTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		content.AddScene("gamepanel", Scene());
		content.AddScene("list_a", kList);
		auto* stream = new cMemoryStream;
		const std::string text = Effects();
		stream->Write(text.data(), uint32_t(text.size()));
		stream->Seek(0, cStream::FromStart);
		effects.reset(new cXmlResource("effects_desc", sResourceSource(stream, "")));
		effects->AddToIndex();
		effectWindow = new cSceneObject("effect", root());
		new cSceneObject("target", new cSceneObject("rt", effectWindow));
		panel = new cGamePanel(effectWindow);
	}

	void TearDown() override
	{
		SceneTest::TearDown();
		effects->RemoveFromIndex();
	}

	virtual std::string Effects() { return kEffects; }
	virtual std::string Scene() { return kGamePanel; }

	cSceneObject* Child(const std::string& path) { return panel->GetChildList().FindByPath(path); }

	cSceneContent content;
	std::unique_ptr<cXmlResource> effects;
	cSceneObject* effectWindow = nullptr;
	cGamePanel* panel = nullptr;
};

cMatrix At(float x, float y, float z)
{
	cMatrix matrix;
	return matrix.MakeTranslation(cVector3d(x, y, z));
}
}

TEST_F(cGamePanelTest, IsBuiltUnderTheEffectTargetWithItsChildrenAndButtons)
{
	EXPECT_EQ(cGamePanel::Get(), panel);
	EXPECT_EQ(panel->GetName(), "game_panel");
	EXPECT_EQ(panel->GetParent(), effectWindow->GetChildList().FindByPath("rt/target"));
	EXPECT_TRUE(panel->GetForceDraw());
	EXPECT_EQ(panel->GetSortKey(), 100);
	EXPECT_EQ(Child("menu_button")->GetSortKey(), 0) << "the panel's own key only";
	for (const char* effect : { "hint_fx", "hint_fx_2" })
	{
		EXPECT_FALSE(Child(effect)->IsEnabled()) << effect;
		EXPECT_EQ(Child(effect)->GetSortKey(), 100) << effect;
	}
	EXPECT_EQ(Child("hint_fx/spark")->GetSortKey(), 100);
	for (const char* button : { "menu_button", "hint_button", "room_button", "button_aims_back/aims" })
		EXPECT_TRUE(Child(button)->GetEvents().count("on_click")) << button;
	EXPECT_EQ(panel->GetItemsList().GetLayout(), nullptr) << "detached until a list is shown";
	EXPECT_EQ(panel->GetIspyList(""), Child("diary/lines_parent"));

	// A press marks the input as handled.
	EXPECT_FALSE(panel->WasInputHandled());
	Child("menu_button")->FireEvent("on_click");
	EXPECT_TRUE(panel->WasInputHandled());

	panel->ShowClothes("winter");
	EXPECT_TRUE(Child("clothes/hat")->IsVisible());
	panel->Show();
	EXPECT_FALSE(Child("clothes/hat")->IsVisible()) << "showing the panel undresses";
	EXPECT_FALSE(panel->IsObjectivesShown());

	// Input only while working.
	panel->SetState(cGameWindow::kAppear);
	EXPECT_FALSE(panel->IsEnabled());
	panel->SetState(cGameWindow::kWorking);
	EXPECT_TRUE(panel->IsEnabled());
	EXPECT_EQ(panel->GetState(), cGameWindow::kWorking);

	delete panel;
	EXPECT_EQ(cGamePanel::Get(), nullptr);
}

TEST_F(cGamePanelTest, WithoutItsSceneAndTargetThePanelStillWorks)
{
	delete panel;
	auto* bare = new cGamePanel(nullptr);
	EXPECT_EQ(bare->GetParent(), cGameWindow::DefaultCameraObject());
	bare->Show();
	bare->HandleInput();
	bare->Update(0.1f);
	bare->OnObjectFound("cup", At(1, 2, 3), nullptr);
	bare->ShowClothes("winter");
	EXPECT_FALSE(bare->IsMouseOver());
	EXPECT_FALSE(bare->IsObjectivesShown());
	delete bare;
}

TEST(cGamePanel, TooltipIsPlacedBesideTheCursorAndKeptOnScreen)
{
	const struct
	{
		float x, y, width;
		float drawnX, drawnY;
	} cases[] = {
		{ 500, 700, 100, 500, 700 },  // left where it is
		{ 500, 740, 100, 540, 690 },  // near the bottom edge: 40 right, y less by 50
		{ 500, 730, 100, 500, 730 },  // 730 itself is not past it
		{ 950, 700, 200, 800, 700 },  // ends at 1000
		{ 950, 740, 200, 800, 690 },  // moved, then pushed back to end at 1000
	};
	for (const auto& entry : cases)
	{
		const cVector3d drawn = cGamePanel::TooltipPosition(cVector3d(entry.x, entry.y, 5), entry.width);
		EXPECT_EQ(drawn.x, entry.drawnX) << entry.x << "," << entry.y;
		EXPECT_EQ(drawn.y, entry.drawnY) << entry.x << "," << entry.y;
		EXPECT_EQ(drawn.z, 0);
	}
}

TEST_F(cGamePanelTest, TooltipKeepsItsText)
{
	panel->SetTooltipText(L"Door");
	EXPECT_EQ(panel->GetTooltipText(), L"Door");
	panel->Show();
	EXPECT_EQ(panel->GetTooltipText(), L"") << "showing clears it";
}

TEST_F(cGamePanelTest, ListScenesLiveWhileAnyUserNeedsThem)
{
	panel->PreloadIspyList("list_a");
	panel->PreloadIspyList("list_a");
	cSceneObject* list = panel->GetIspyList("list_a");
	ASSERT_NE(list, nullptr);
	scene->Update(0);
	EXPECT_EQ(list->GetParent(), Child("diary")) << "hung under the diary by the posted move";

	// The first user goes: the second still shows it.
	panel->ReleaseIspyList("list_a");
	ASSERT_EQ(panel->GetIspyList("list_a"), list);
	panel->ShowIspyList("list_a");
	EXPECT_EQ(panel->GetItemsList().GetLayout(), list);
	EXPECT_TRUE(list->IsVisible());
	EXPECT_FALSE(Child("diary/lines_parent")->IsVisible());

	panel->ReleaseIspyList("list_a");
	EXPECT_EQ(panel->GetIspyList("list_a"), nullptr);
	EXPECT_EQ(Child("diary")->GetChildList().FindChild("list_a"), nullptr);
	EXPECT_EQ(panel->GetItemsList().GetLayout(), nullptr);

	// The panel's own list scene is never released; an unknown name hides
	// every kept scene and leaves the list alone.
	panel->ReleaseIspyList("");
	panel->ReleaseIspyList("never");
	ASSERT_EQ(panel->GetIspyList(""), Child("diary/lines_parent"));
	panel->ShowIspyList("");
	panel->ShowIspyList("never");
	EXPECT_FALSE(Child("diary/lines_parent")->IsVisible());
	EXPECT_EQ(panel->GetItemsList().GetLayout(), Child("diary/lines_parent"));
}

TEST_F(cGamePanelTest, ListChildrenComeFromTheProgressListName)
{
	panel->PreloadIspyList("list_a");
	cPlayerProgress progress;
	cPlayerProgress* saved = g_currentProgress;
	g_currentProgress = &progress;
	std::vector<cSceneObject*> children { nullptr };
	progress.ispyListName = "other";
	panel->GetIspyListChildren(children);
	EXPECT_EQ(children.size(), 1u) << "left unchanged";
	progress.ispyListName = "list_a";
	panel->GetIspyListChildren(children);
	EXPECT_EQ(children, panel->GetIspyList("list_a")->GetChildList().GetChildren());
	g_currentProgress = saved;

	// Released before its posted move ran: deleted once it arrives in the
	// shown panel.
	panel->ReleaseIspyList("list_a");
	panel->SetVisible(true);
	EXPECT_EQ(panel->GetIspyList("list_a"), nullptr);
	scene->Update(0);
	scene->Update(0);
	EXPECT_EQ(Child("diary")->GetChildList().FindChild("list_a"), nullptr);
}

TEST_F(cGamePanelTest, FollowersGoBackToTheirOwnPlace)
{
	// No device, whatever the tests before this one made.
	if (Singletone<cGraphics>::Exists())
		delete Singletone<cGraphics>::GetInstance();
	alignas(cSceneObject) unsigned char storage[sizeof(cSceneObject)];
	scene->GetPickRay().origin = cVector3d(5000, -20, 0);

	auto* x = new (storage) cSceneObject("x", nullptr);
	x->GetTransform().SetWorldMatrix(At(10, 20, 30));
	panel->AttachToCursor(x);
	panel->AttachToCursor(x);
	panel->HandleInput();
	EXPECT_EQ(x->GetTransform().GetWorldMatrix()._41, 5000) << "no device: no screen to keep to";
	EXPECT_EQ(x->GetTransform().GetWorldMatrix()._42, -20);
	EXPECT_EQ(x->GetTransform().GetWorldMatrix()._43, 30) << "depth kept";
	panel->DetachFromCursor(x);
	EXPECT_EQ(x->GetTransform().GetWorldMatrix()._41, 10);
	x->~cSceneObject();

	// A new object in the same storage starts from its own place.
	auto* y = new (storage) cSceneObject("y", nullptr);
	y->GetTransform().SetWorldMatrix(At(1, 2, 3));
	panel->AttachToCursor(y);
	panel->HandleInput();
	panel->DetachFromCursor(y);
	EXPECT_EQ(y->GetTransform().GetWorldMatrix()._41, 1);
	EXPECT_EQ(y->GetTransform().GetWorldMatrix()._42, 2);

	// Null detaches them all.
	cSceneObject other("other", nullptr);
	other.GetTransform().SetWorldMatrix(At(7, 8, 9));
	panel->AttachToCursor(y);
	panel->AttachToCursor(&other);
	panel->HandleInput();
	panel->DetachFromCursor(nullptr);
	EXPECT_EQ(y->GetTransform().GetWorldMatrix()._41, 1);
	EXPECT_EQ(other.GetTransform().GetWorldMatrix()._41, 7);
	y->~cSceneObject();
}

TEST_F(cGamePanelTest, FoundObjectsWithoutParticlesStillFlyToTheirPlace)
{
	EXPECT_EQ(panel->CreateEffect("fly_effect", cVector3d(0, 0, 0), nullptr), nullptr) << "no particles";
	EXPECT_EQ(panel->CreateEffect("unused", cVector3d(0, 0, 0), nullptr), nullptr) << "missing resource";
	EXPECT_EQ(panel->CreateEffect("ispy", cVector3d(0, 0, 0), nullptr), nullptr) << "no entry";

	cModelController model;
	panel->ShowIspyList("");
	panel->AddItemToFind("key", L"Key");
	scene->ForceUpdateTransforms(panel);
	panel->OnObjectFound("key", At(50, 60, 0), &model);   // listed
	panel->OnObjectFound("cup", At(400, 500, 0), &model);  // a same-named child of the list scene
	panel->OnObjectFound("lamp", At(1, 1, 0), nullptr);    // nothing to show
	EXPECT_EQ(panel->GetFlyEffectCount(), 2u);

	cSceneObject* cup = Child("diary/lines_parent/cup");
	EXPECT_TRUE(cup->IsVisible());
	EXPECT_EQ(cup->GetTransform().GetLocalColor().a, 0);
	panel->Update(0.2f);
	EXPECT_FLOAT_EQ(cup->GetTransform().GetLocalColor().a, 0.5f);
	EXPECT_EQ(cup->GetTransform().GetWorldMatrix()._41, 400);
	EXPECT_EQ(cup->GetTransform().GetWorldMatrix()._43, -1400);
	panel->Update(0.2f);
	EXPECT_FLOAT_EQ(cup->GetTransform().GetWorldMatrix()._41, 375) << "where the flight was a step ago";
	panel->Update(0.4f);
	EXPECT_FLOAT_EQ(cup->GetTransform().GetLocalColor().a, 1);
	EXPECT_EQ(panel->GetFlyEffectCount(), 0u) << "ended with their flight";
}

// A released list scene takes the effects flying to it along; the others fly on.
TEST_F(cGamePanelTest, AReleasedListSceneEndsTheEffectsFlyingToIt)
{
	cModelController model;
	panel->PreloadIspyList("list_a");
	scene->Update(0);
	panel->ShowIspyList("list_a");
	panel->OnObjectFound("coin", At(400, 500, 0), &model);  // flies to the list's "coin"
	panel->OnObjectFound("lamp", At(1, 1, 0), &model);      // plays where it was found
	ASSERT_EQ(panel->GetFlyEffectCount(), 2u);
	panel->Update(0.1f);

	panel->ReleaseIspyList("list_a");
	EXPECT_EQ(panel->GetFlyEffectCount(), 1u);
	panel->Update(0.2f);
	EXPECT_EQ(panel->GetFlyEffectCount(), 1u);
	panel->Update(0.6f);
	EXPECT_EQ(panel->GetFlyEffectCount(), 0u);
}

namespace
{
// Entries with a particle resource that runs its "play" program for 5 s.
class cGamePanelParticlesTest : public cGamePanelTest
{
protected:
	void SetUp() override
	{
		// Particle systems reach the graphics singleton: it comes after the application's.
		GraphicsSingleton();
		sParticleSystemDesc desc;
		desc.count = 1;
		desc.interval = 0.5f;
		desc.lifetime = 1;
		desc.windowLength = 5;
		desc.programs = { { "play", 5, false } };
		auto* stream = new cMemoryStream;
		cParticleSystemWriter(*stream).Write(desc);
		stream->Seek(0, cStream::FromStart);
		particles.reset(new cParticleResource("sparkle", sResourceSource(stream, "")));
		particles->AddToIndex();
		cGamePanelTest::SetUp();
	}
	void TearDown() override
	{
		cGamePanelTest::TearDown();
		particles->RemoveFromIndex();
	}
	std::string Effects() override
	{
		return R"(<effects>
			<effect name="ispy" particles="sparkle" length="3"/>
			<effect name="diary_enable" particles="sparkle"/>
			<effect name="ispy" particles="sparkle" length="4" matrix="2 0 0 0 2 0 0 0 2 7 8 9"/>
			<other name="diary_enable" length="9"/>
		</effects>)";
	}

	std::unique_ptr<cParticleResource> particles;
};
}

TEST_F(cGamePanelParticlesTest, EffectsAreBuiltFromTheirEntriesAndRunTheirParticles)
{
	// A repeated name replaces the entry; elements other than "effect" are skipped.
	cMatrix matrix;
	std::unique_ptr<cParticleSystem> effect(panel->CreateEffect("ispy", cVector3d(1, 2, 3), &matrix));
	ASSERT_NE(effect, nullptr);
	EXPECT_EQ(matrix._11, 2);
	EXPECT_EQ(matrix._41, 7);
	EXPECT_EQ(effect->GetTransform()._11, 2);
	EXPECT_EQ(effect->GetTransform()._41, 1);
	EXPECT_EQ(effect->GetTransform()._43, 3);
	EXPECT_TRUE(effect->IsRunning());
	effect.reset(panel->CreateEffect("diary_enable", cVector3d(0, 0, 0), nullptr));
	ASSERT_NE(effect, nullptr);
	EXPECT_EQ(effect->GetTransform()._11, 1) << "identity without a matrix";

	// A found object's effect lasts while its particles run: 2 s.
	cModelController model;
	panel->ShowIspyList("");
	scene->ForceUpdateTransforms(panel);
	panel->OnObjectFound("cup", At(400, 500, 0), &model);
	cSceneObject* cup = Child("diary/lines_parent/cup");
	panel->Update(0.4f);
	EXPECT_FLOAT_EQ(cup->GetTransform().GetLocalColor().a, 1);
	EXPECT_EQ(cup->GetTransform().GetWorldMatrix()._41, 400) << "where the flight was at the step's start";
	panel->Update(0.4f);
	EXPECT_EQ(cup->GetTransform().GetWorldMatrix()._41, 350) << "half way to the list place";
	panel->Update(1.0f);
	EXPECT_EQ(panel->GetFlyEffectCount(), 1u);
	panel->Update(0.3f);
	EXPECT_EQ(panel->GetFlyEffectCount(), 0u);
}

namespace
{
// The panel on the screen camera with font 6: 'A', an 8 by 16 block.
class cGamePanelDrawTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		resources.Add("texture", "glyphs", DdsFile(16, 16, std::vector<uint32_t>(16 * 16, 0xFFFFFFFF)));
		const std::string xml = "<resource name=\"tip\" type=\"font\"><texture name=\"glyphs\"/>"
								"<symbol char=\"65\" rect=\"0 0 8 16\" right=\"2\"/></resource>";
		cMemoryStream text;
		text.Write(xml.data(), uint32_t(xml.size()));
		text.Seek(0, cStream::FromStart);
		cXmlDocument document;
		ASSERT_TRUE(document.Load(text));
		font = std::make_unique<cFontResource>("tip", sResourceSource());
		font->ReadDescription(document.GetRoot());
		cGraphicsText::GetInstance()->RegisterFont(6, font.get());
		content.AddScene("gamepanel", R"(<object name="hint_button"/>)");
		cSceneObject* effect = new cSceneObject("effect", screen);
		new cSceneObject("target", new cSceneObject("rt", effect));
		panel = new cGamePanel(effect);
		panel->Show();
	}

	void TearDown() override
	{
		SceneDrawTest::TearDown();
		cGraphicsText::GetInstance()->RegisterFont(6, nullptr);
	}

	// The lit box of a frame with the cursor at the point: left, bottom, right.
	std::vector<int> LitBox(float x, float y)
	{
		scene->GetPickRay().origin = cVector3d(x, y, 0);
		const sPixels pixels = Frame();
		std::vector<int> box { 1024, 768, -1 };
		for (int py = 0; py < 768; ++py)
			for (int px = 0; px < 1024; ++px)
				if (ColorNear(At(pixels, px, py), 0xFFFFFFFF))
					box = { std::min(box[0], px), std::min(box[1], py), std::max(box[2], px) };
		return box;
	}

	cSceneContent content;
	std::unique_ptr<cFontResource> font;
	cGamePanel* panel = nullptr;
};
}

TEST_F(cGamePanelDrawTest, TheTooltipIsDrawnBesideTheCursorAndKeptLeftOfTheEdge)
{
	EXPECT_EQ(LitBox(300, 700)[2], -1) << "no tooltip, nothing drawn";
	panel->SetTooltipText(L"AA");
	const std::vector<int> normal = LitBox(300, 700);
	ASSERT_NE(normal[2], -1);
	const std::vector<int> low = LitBox(300, 740);
	EXPECT_EQ(low[0] - normal[0], 40);
	EXPECT_EQ(low[1] - normal[1], -10) << "40 higher by the cursor, 50 lower by the move";
	const std::vector<int> edge = LitBox(995, 700);
	EXPECT_EQ(edge[1], normal[1]);
	EXPECT_LT(edge[2], 1000);
	EXPECT_EQ(edge[2] - edge[0], normal[2] - normal[0]) << "whole, pushed left";
	EXPECT_GT(edge[0], 950);
}

TEST_F(cGamePanelTest, NoTooltipWhileADialogueRuns)
{
	const std::string strings = R"(<strings><group name="first"><group name="dialogs">
		<dialog name="intro"><part name="talk"><line name="alice" text="Hello"/></part></dialog>
	</group></group></strings>)";
	auto* stream = new cMemoryStream;
	stream->Write(strings.data(), uint32_t(strings.size()));
	stream->Seek(0, cStream::FromStart);
	cXmlResource resource("strings", sResourceSource(stream, ""));
	resource.AddToIndex();
	content.AddScene("alice", R"(<object name="cloud"><text name="text"/></object>)");
	auto* dialogs = new cDialogManager(effectWindow);
	dialogs->Show();
	dialogs->StartDialog("intro", "talk");
	ASSERT_TRUE(dialogs->IsActive());

	panel->SetTooltipText(L"Door");
	EXPECT_EQ(panel->GetTooltipText(), L"");
	delete dialogs;
	panel->SetTooltipText(L"Door");
	EXPECT_EQ(panel->GetTooltipText(), L"Door");
	resource.RemoveFromIndex();
}

namespace
{
// Three slots 80 apart under a "slots_parent" at (100, 50).
const char* const kSlots = R"(
	<object name="slots_parent" local="1 0 0 0 1 0 0 0 1 100 50 0">
		<inventory name="inventory_0" local="1 0 0 0 1 0 0 0 1 0 0 0"><text name="count"/></inventory>
		<inventory name="inventory_1" local="1 0 0 0 1 0 0 0 1 80 0 0"><text name="count"/></inventory>
		<inventory name="inventory_2" local="1 0 0 0 1 0 0 0 1 160 0 0"><text name="count"/></inventory>
		<inventory name="inventory_4"/>
	</object>)";

class cGamePanelInventoryTest : public cGamePanelTest
{
protected:
	void SetUp() override
	{
		if (Singletone<cSceneManager>::GetInstance()->GetObjectTypeId("inventory") < 0)
			RegisterInventoryType();
		g_currentProgress = &progress;
		cGamePanelTest::SetUp();
	}

	std::string Scene() override { return std::string(kGamePanel) + kSlots; }

	// The panel's frames for the seconds, 0.05 s each.
	void Run(float seconds)
	{
		for (float left = seconds; left > 0.001f; left -= 0.05f)
		{
			scene->ForceUpdateTransforms(panel);
			panel->Update(0.05f);
		}
		scene->ForceUpdateTransforms(panel);
	}

	// Each active slot as "name count x", in display order.
	std::string Slots()
	{
		std::string out;
		for (cInventory* slot : panel->GetActiveSlots())
			out += (out.empty() ? "" : ", ") + slot->GetItemName() + " " + std::to_string(slot->GetCount()) + " " +
				std::to_string(int(slot->GetTransform().GetWorldMatrix()._41));
		return out;
	}

	// The progress's inventory as "name count", in order.
	std::string Held()
	{
		std::string out;
		for (const sInventoryItem& item : progress.inventory)
			out += (out.empty() ? "" : ", ") + item.name + " " + std::to_string(item.count);
		return out;
	}

	std::string CountText(cInventory* slot)
	{
		return Utf8FromWide(static_cast<cTextObject*>(slot->GetChildList().FindChild("count"))->GetTextVisual()->GetText());
	}

	cPlayerProgress progress;
};
}

TEST_F(cGamePanelInventoryTest, GivenItemsFlyIntoSlotsAndAgreeWithTheProgress)
{
	EXPECT_EQ(Child("slots_parent/inventory_0")->GetEvents().count("click"), 1u);
	ASSERT_TRUE(Child("slots_parent/inventory_0")->GetEvents()["drop"]) << "bound";
	EXPECT_FALSE(Child("slots_parent/inventory_4")->GetEvents()["drop"]) << "past the first missing number";

	// "fly_effect" has no particles: the units fly without a trail.
	panel->AddInventoryItem(At(600, 400, 0), "key", 1, true);
	panel->AddInventoryItem(At(600, 400, 0), "key", 1, true);
	panel->AddInventoryItem(At(0, 0, 0), "coin", 3, false);
	Run(0);
	EXPECT_EQ(Slots(), "key 2 100, coin 3 180") << "one slot per kind, at the homes in order";
	EXPECT_EQ(panel->GetActiveSlots()[0], Child("slots_parent/inventory_2")) << "the last free slot first";
	EXPECT_EQ(Held(), "key 2, coin 3");
	EXPECT_TRUE(panel->IsAnySlotFlying());
	EXPECT_FALSE(panel->GetActiveSlots()[0]->IsCountVisible());
	EXPECT_EQ(CountText(panel->GetActiveSlots()[1]), "3") << "given without a flight";
	Run(1.2f);
	EXPECT_FALSE(panel->IsAnySlotFlying());
	EXPECT_TRUE(panel->GetActiveSlots()[0]->IsCountVisible());
	EXPECT_EQ(CountText(panel->GetActiveSlots()[0]), "2") << "shown once both landed";

	EXPECT_TRUE(panel->HasInventoryItem("key", 2));
	EXPECT_FALSE(panel->HasInventoryItem("key", 3));
	EXPECT_FALSE(panel->HasInventoryItem("lamp", 1));

	// With every slot in use a new kind is counted only in the progress,
	// and tests as not held.
	panel->AddInventoryItem(At(0, 0, 0), "lamp", 1, false);
	panel->AddInventoryItem(At(0, 0, 0), "rope", 1, true);
	Run(0);
	EXPECT_EQ(Slots(), "key 2 100, coin 3 180, lamp 1 260");
	EXPECT_EQ(Held(), "key 2, coin 3, lamp 1, rope 1");
	EXPECT_FALSE(panel->HasInventoryItem("rope", 1));

	// Clearing empties the slots, not the progress.
	panel->ClearInventory();
	EXPECT_EQ(Slots(), "");
	EXPECT_EQ(Held(), "key 2, coin 3, lamp 1, rope 1");
	EXPECT_EQ(static_cast<cInventory*>(Child("slots_parent/inventory_2"))->GetItemName(), "");
}

TEST_F(cGamePanelInventoryTest, TakingAWholeMiddleStackSlidesTheLaterSlotBack)
{
	for (const char* item : { "cup", "bell", "coin" })
		panel->AddInventoryItem(At(0, 0, 0), item, std::string(item) == "bell" ? 2 : 1, false);
	Run(0);
	ASSERT_EQ(Slots(), "cup 1 100, bell 2 180, coin 1 260");
	panel->RemoveInventoryItem("bell", 1);
	EXPECT_EQ(Slots(), "cup 1 100, bell 1 180, coin 1 260");
	EXPECT_FALSE(panel->IsAnySlotMoving());

	cInventory* coin = panel->GetActiveSlots()[2];
	panel->RemoveInventoryItem("bell", 1);
	EXPECT_EQ(Held(), "cup 1, coin 1");
	Run(0.25f);
	EXPECT_TRUE(panel->IsAnySlotMoving());
	EXPECT_FLOAT_EQ(coin->GetTransform().GetWorldMatrix()._41, 220) << "half way in 0.25 s";
	Run(0.3f);
	EXPECT_FALSE(panel->IsAnySlotMoving());
	EXPECT_EQ(Slots(), "cup 1 100, coin 1 180");

	// The freed slot takes the next kind, at the next home.
	panel->AddInventoryItem(At(0, 0, 0), "lamp", 1, false);
	Run(0);
	EXPECT_EQ(Slots(), "cup 1 100, coin 1 180, lamp 1 260");
}

TEST_F(cGamePanelInventoryTest, CombinedSlotsBecomeTheFirstValueCountedByItsName)
{
	panel->AddInventoryItem(At(0, 0, 0), "rope", 1, false);
	panel->AddInventoryItem(At(0, 0, 0), "coin", 1, false);
	panel->AddInventoryItem(At(0, 0, 0), "hook", 3, false);
	Run(0);
	cInventory* rope = panel->GetActiveSlots()[0];
	cInventory* hook = panel->GetActiveSlots()[2];

	panel->Combine({ { "none", "lamp" } });
	EXPECT_FALSE(panel->IsAnySlotMoving()) << "values that match no slot change nothing";

	panel->Combine({ { "result", "grapnel#2" }, { "a", "hook" }, { "b", "rope" } });
	EXPECT_EQ(Held(), "coin 1, grapnel 2") << "recorded by the name before \"#\"";
	Run(0.55f);
	// Both slid to the smaller corner of the two; the left one became the result.
	EXPECT_FLOAT_EQ(rope->GetTransform().GetWorldMatrix()._41, 100);
	EXPECT_FLOAT_EQ(hook->GetTransform().GetWorldMatrix()._41, 100);
	EXPECT_EQ(rope->GetItemName(), "grapnel");
	EXPECT_EQ(rope->GetCount(), 2);
	EXPECT_EQ(CountText(rope), "2");
	EXPECT_EQ(hook->GetCount(), 3);
	Run(0.05f);
	EXPECT_GT(hook->GetTransform().GetLocalColor().a, 0.5f) << "the other fades out in 0.3 s";
	EXPECT_LT(hook->GetTransform().GetLocalColor().a, 1);
	Run(0.3f);
	EXPECT_EQ(Slots(), "grapnel 2 100, coin 1 180");
	EXPECT_TRUE(panel->HasInventoryItem("grapnel", 2));

	// The saved record, loaded again, gives the same slot back.
	cMemoryStream saved;
	progress.WriteBody(saved);
	saved.Seek(0, cStream::FromStart);
	cPlayerProgress loaded;
	ASSERT_TRUE(loaded.ReadBody(saved));
	g_currentProgress = &loaded;
	panel->ClearInventory();
	const std::vector<sInventoryItem> items = std::exchange(loaded.inventory, {});
	for (const sInventoryItem& item : items)
		panel->AddInventoryItem(cMatrix::Identity(), item.name, item.count, false);
	Run(0);
	EXPECT_EQ(Slots(), "coin 1 100, grapnel 2 180");
	EXPECT_EQ(loaded.inventory, items);
	g_currentProgress = &progress;
}

TEST_F(cGamePanelInventoryTest, NoCountFallsBelowOneAndNoNameIsEmpty)
{
	// Given: "name#count" as a scenario writes it; else taken: name and count.
	const struct
	{
		const char* given;
		const char* taken;
		int count;
		const char* held;
	} cases[] = {
		{ nullptr, "ghost", 1, "cup 3" },
		{ nullptr, "cup", 5, "" },
		{ nullptr, "", 1, "cup 3" },
		{ nullptr, "cup", -2, "cup 3" },
		{ "x#0", nullptr, 0, "cup 3" },
		{ "x#abc", nullptr, 0, "cup 3" },
		{ "#2", nullptr, 0, "cup 3" },
	};
	for (const auto& entry : cases)
	{
		SCOPED_TRACE(entry.given ? entry.given : entry.taken + std::string(" ") + std::to_string(entry.count));
		panel->ClearInventory();
		progress.inventory.clear();
		panel->AddInventoryItem(At(0, 0, 0), "cup", 3, false);
		if (entry.given)
		{
			std::string name;
			const int count = cInventory::SplitItem(entry.given, name);
			panel->AddInventoryItem(At(0, 0, 0), name, count, true);
		}
		else
			panel->RemoveInventoryItem(entry.taken, entry.count);
		Run(0);
		EXPECT_EQ(Held(), entry.held);
		EXPECT_EQ(Slots(), std::string(entry.held) + (*entry.held ? " 100" : ""));
	}
}

TEST_F(cGamePanelInventoryTest, AnItemHintPlaysAtTheSlotHoldingTheItem)
{
	panel->AddInventoryItem(At(0, 0, 0), "cup", 1, false);
	panel->AddInventoryItem(At(0, 0, 0), "key", 1, false);
	Run(0);
	panel->ShowHintAt(300, 200, "key");
	const cMatrix& itemHint = Child("hint_fx_2")->GetTransform().GetWorldMatrix();
	EXPECT_EQ(std::vector<float>({ itemHint._41, itemHint._42, itemHint._43 }), std::vector<float>({ 180, 50, -1600 }))
		<< "at the second slot";
}
