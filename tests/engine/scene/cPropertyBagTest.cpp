// Object properties as text: plain stored text, the bound "sort" and
// "light_rec", late bindings taking stored text over, and the state bytes.

#include "SceneTestSupport.h"

TEST(cPropertyBag, PropertiesRoundTripAsText)
{
	cSceneObject object("object", nullptr);
	cPropertyBag& bag = object.GetProperties();
	const struct
	{
		const char* key;
		const char* written;
		const char* read;
	} cases[] = {
		{ "caption", "  any text ", "  any text " },
		{ "sort", "12abc", "12" },
		{ "sort", "  -7", "-7" },
		{ "sort", "x", "0" },
		{ "light_rec", "1", "true" },
		{ "light_rec", "true", "true" },
		{ "light_rec", "TRUE", "false" },
		{ "light_rec", "yes", "false" },
	};
	for (const auto& entry : cases)
	{
		bag.SetProperty(entry.key, entry.written);
		EXPECT_EQ(bag.GetProperty(entry.key), entry.read) << entry.key << " = " << entry.written;
	}
	bag.SetProperty("sort", "42");
	bag.SetProperty("light_rec", "1");
	EXPECT_EQ(object.GetSortKey(), 42);
	EXPECT_TRUE(object.GetLightRec());

	bag.SetWideProperty("caption", L"caf\u00e9");
	EXPECT_EQ(bag.GetProperty("caption"), "caf\xc3\xa9");
}

TEST(cPropertyBag, MissingKeysReadEmptyAndCreateNothing)
{
	cSceneObject object("object", nullptr);
	cPropertyBag& bag = object.GetProperties();
	const size_t keys = bag.GetMap().size();
	EXPECT_EQ(bag.GetProperty("missing"), "");
	EXPECT_EQ(&bag.GetProperty("missing"), &bag.GetProperty("other"));
	EXPECT_EQ(bag.GetMap().size(), keys);
}

TEST(cPropertyBag, ABindingMadeLaterTakesTheStoredTextOver)
{
	cSceneObject object("object", nullptr);
	object.GetProperties().SetProperty("count", "17");
	int count = 0;
	object.GetProperties().GetMap().BindIntVariable("count", &count);
	EXPECT_EQ(count, 17);
	count = 3;
	EXPECT_EQ(object.GetProperties().GetProperty("count"), "3");
}

namespace
{
class cLookCounter : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;
	void RefreshLook() override { ++refreshes; }
	int refreshes = 0;
};
}

TEST(cPropertyBag, EnablingRefreshesTheLookAndShowingMarksJustShown)
{
	cLookCounter object("object", nullptr);
	cPropertyBag& bag = object.GetProperties();
	bag.SetEnabled(false);
	bag.SetEnabled(false);
	EXPECT_EQ(object.refreshes, 2);
	EXPECT_FALSE(object.IsEnabled());

	// Visible from the start: showing again is not a new showing.
	object.SetVisible(true);
	EXPECT_FALSE(bag.IsJustShown());
	object.SetVisible(false);
	object.UpdateTransforms(false, false); // effective visible becomes false
	object.SetVisible(true);
	EXPECT_TRUE(bag.IsJustShown());
	object.SetVisible(false);
	EXPECT_FALSE(bag.IsJustShown());
	// Hidden but still effectively visible (no transform pass since): not just shown.
	cSceneObject shown("shown", nullptr);
	shown.SetVisible(false);
	shown.SetVisible(true);
	EXPECT_FALSE(shown.GetProperties().IsJustShown());
}
