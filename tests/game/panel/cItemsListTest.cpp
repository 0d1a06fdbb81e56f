// The items-to-find list filled into a layout scene built from a
// description: texts counted down as finds are reported, crossed out at
// zero once the slot's "complete" animation has ended, faded out, and the
// texts below slid up into the gap (positions read back at chosen times).

#include "../../engine/scene/SceneDescTestSupport.h"

#include "engine/foundation/StringUtils.h"
#include "engine/scene/cTextObject.h"
#include "game/panel/cItemsList.h"

#include <memory>

namespace
{
// Three text slots 50 apart, a probe under slot 2 that stands for its
// "complete" animation, and an object that is not a slot.
const char* const kLayoutList = R"(<resources>
<resource name="items" type="scene_resource">
	<text name="text_items_0" local="1 0 0 0 1 0 0 0 1 100 700 0"/>
	<text name="text_items_1" local="1 0 0 0 1 0 0 0 1 100 650 0"/>
	<text name="text_items_2" local="1 0 0 0 1 0 0 0 1 100 600 0"><probe name="strike"/></text>
	<text name="text_items_4" local="1 0 0 0 1 0 0 0 1 100 500 0"/>
	<object name="lamp"/>
</resource>
</resources>)";

class cItemsListTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		if (scene->GetObjectTypeId("probe") < 0)
			RegisterProbeType();
		resource.reset(SceneFromXml("items", kLayoutList));
		layout = new cSceneObject("items", root());
		layout->LoadFromDesc(*resource->GetRoot());
		scene->ForceUpdateTransforms(layout);
		list.SetLayout(layout, "text_items_");
	}

	cSceneObject* Slot(int number) { return layout->GetChildList().FindChild("text_items_" + std::to_string(number)); }

	// The text each slot shows, by slot number.
	std::string Texts()
	{
		std::string texts;
		for (int number = 0; number < 3; ++number)
			texts += (number ? "|" : "") + Utf8FromWide(static_cast<cTextObject*>(Slot(number))->GetTextVisual()->GetText());
		return texts;
	}

	// The world y of each slot, by slot number.
	std::vector<float> Heights()
	{
		std::vector<float> heights;
		for (int number = 0; number < 3; ++number)
			heights.push_back(Slot(number)->GetTransform().GetWorldMatrix()._42);
		return heights;
	}

	// The "complete" animation of slot 2 ends.
	void EndAnimation() { Probe(Slot(2)->GetChildList().FindChild("strike")).playing = false; }

	float Alpha(int number) { return Slot(number)->GetTransform().GetLocalColor().a; }

	// The panel's update, then the scene's.
	void Step(float dt)
	{
		list.Update(dt);
		scene->Update(dt);
	}

	std::unique_ptr<cSceneResource> resource;
	cSceneObject* layout = nullptr;
	cItemsList list;
};
}

TEST(cItemsList, DisplayTexts)
{
	const struct
	{
		const char* text;
		int count;
		const char* shown;
	} cases[] = { { "Key", 1, "Key" }, { "Key", 2, "Keyx2" }, { "Key", 12, "Keyx12" }, { "", 1, "1" }, { "", 3, "3" } };
	for (const auto& entry : cases)
		EXPECT_EQ(cItemsList::DisplayText(entry.text, entry.count), entry.shown) << entry.text << entry.count;
}

TEST_F(cItemsListTest, CountsDownCrossesOutFadesAndSlidesTheLowerTextsUp)
{
	// The slots are taken from the last; each entry is placed at the home
	// place of its position, the numbering gap ends the slots.
	list.AddItem("key1", "Key");
	list.AddItem("cup", "Cup");
	list.AddItem("key2", "Key");
	list.AddItem("coin", "");
	list.AddItem("hat", "Hat");
	EXPECT_EQ(Texts(), "1|Cup|Keyx2");
	scene->Update(0);
	EXPECT_EQ(Heights(), std::vector<float>({ 600, 650, 700 }));
	EXPECT_FLOAT_EQ(Slot(2)->GetTransform().GetWorldMatrix()._43, -200);
	EXPECT_EQ(Slot(4)->GetTransform().GetWorldMatrix()._42, 500) << "past the gap: no slot";

	// Names no entry lists: the layout's child of that name, no count changes.
	EXPECT_EQ(list.MarkFound("lamp"), layout->GetChildList().FindChild("lamp"));
	EXPECT_EQ(list.MarkFound("hat"), nullptr) << "more entries than slots: never listed";
	EXPECT_EQ(Texts(), "1|Cup|Keyx2");

	EXPECT_EQ(list.MarkFound("key2"), nullptr);
	EXPECT_EQ(Texts(), "1|Cup|Key");
	EXPECT_TRUE(list.IsIdle());
	EXPECT_EQ(list.MarkFound("key1"), nullptr);
	EXPECT_EQ(Probe(Slot(2)->GetChildList().FindChild("strike")).animation, "complete");
	EXPECT_FALSE(list.IsIdle());

	// The fade waits for the animation, then takes 0.5 s.
	Step(0.3f);
	EXPECT_EQ(Alpha(2), 1);
	EndAnimation();
	Step(0.25f);
	EXPECT_FLOAT_EQ(Alpha(2), 0.5f);
	Step(0.25f);
	EXPECT_EQ(Alpha(2), 0);
	EXPECT_EQ(Heights(), std::vector<float>({ 600, 650, 700 })) << "the gap closes from the next frame";
	Step(0.25f);
	EXPECT_EQ(Heights(), std::vector<float>({ 625, 675, 700 }));
	Step(0.3f);
	EXPECT_EQ(Heights(), std::vector<float>({ 650, 700, 700 }));
	EXPECT_TRUE(list.IsIdle());

	// The freed slot is taken by the next new entry, at the third place.
	list.AddItem("pen", "Pen");
	scene->Update(0);
	EXPECT_EQ(Texts(), "1|Cup|Pen");
	EXPECT_EQ(Heights(), std::vector<float>({ 650, 700, 600 }));
	EXPECT_EQ(Alpha(2), 1);

	// Clearing empties the texts and puts every slot back home.
	list.Clear();
	scene->Update(0);
	EXPECT_EQ(Texts(), "||");
	EXPECT_EQ(Heights(), std::vector<float>({ 700, 650, 600 }));
	EXPECT_EQ(list.GetLayout(), nullptr);
	EXPECT_EQ(list.MarkFound("lamp"), nullptr) << "no layout";
}

TEST_F(cItemsListTest, ASecondCrossoutWhileASlotSlidesExtendsItsSlideToTheRightPlace)
{
	list.AddItem("a", "A");
	list.AddItem("b", "B");
	list.AddItem("c", "C");
	scene->Update(0);
	list.MarkFound("a");
	EndAnimation();
	Step(0.25f);
	list.MarkFound("b");
	Step(0.25f); // "a" is gone: "b" and "c" start up by one place
	Step(0.25f); // "b" is gone: "c" goes on one more place, 0.75 s left of a 1 s slide
	EXPECT_EQ(Heights(), std::vector<float>({ 625, 675, 700 }));
	for (int frame = 0; frame < 3; ++frame)
		Step(0.125f);
	EXPECT_FALSE(list.IsIdle());
	EXPECT_FLOAT_EQ(Heights()[0], 662.5f);
	Step(0.125f);
	Step(0.125f);
	EXPECT_FALSE(list.IsIdle());
	Step(0.125f);
	EXPECT_TRUE(list.IsIdle());
	EXPECT_FLOAT_EQ(Heights()[0], 700) << "the last text ends at the top place";
	EXPECT_FLOAT_EQ(Heights()[1], 700);
	EXPECT_EQ(Texts(), "C|B|A");
}

TEST_F(cItemsListTest, AFindAfterTheCountReachedZeroChangesNothing)
{
	list.AddItem("a", "A");
	list.AddItem("b", "B");
	EXPECT_EQ(list.MarkFound("a"), nullptr);
	EndAnimation();
	EXPECT_EQ(list.MarkFound("a"), nullptr);
	EXPECT_EQ(Texts(), "|B|A");
	Step(0.5f);
	Step(0.5f);
	EXPECT_TRUE(list.IsIdle());
	// One crossout only: "b" is still listed and counts.
	EXPECT_EQ(list.MarkFound("b"), nullptr);
	EXPECT_FALSE(list.IsIdle());
}

TEST_F(cItemsListTest, ALayoutWithoutTheFirstSlotListsNothing)
{
	list.SetLayout(layout, "text_items_");
	list.AddItem("a", "A");
	EXPECT_EQ(Texts(), "||A") << "attaching the same layout again changes nothing";

	list.Detach();
	scene->Update(0);
	EXPECT_EQ(Slot(2)->GetTransform().GetWorldMatrix()._42, 600) << "detached: the slots went home";
	list.SetLayout(layout, "missing_");
	list.AddItem("b", "B");
	EXPECT_EQ(list.MarkFound("b"), nullptr);
	EXPECT_EQ(list.MarkFound("lamp"), layout->GetChildList().FindChild("lamp"));
	list.ReleaseLayout(root());
	EXPECT_EQ(list.GetLayout(), layout);
	list.ReleaseLayout(layout);
	EXPECT_EQ(list.GetLayout(), nullptr);
}
