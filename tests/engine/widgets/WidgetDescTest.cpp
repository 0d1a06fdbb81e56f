// Widgets built from scene descriptions, the flash's blinking and the
// water's bump-atlas frames.

#include "../scene/SceneTestSupport.h"

#include "engine/scene/sCastQuery.h"
#include "engine/scene/sObjectDesc.h"
#include "engine/widgets/cFlash.h"
#include "engine/widgets/cMenuItem.h"
#include "engine/widgets/cWater2d.h"

namespace
{
sObjectDesc Desc(const std::string& name, const std::string& type, std::vector<sObjectDesc::tProperty> properties = {})
{
	sObjectDesc desc;
	desc.name = name;
	desc.type = Singletone<cSceneManager>::GetInstance()->GetObjectTypeId(type);
	desc.properties = std::move(properties);
	return desc;
}
}

TEST_F(SceneTest, MenuItemsTickedByTheirDescriptionShowTheirSelectionOnceLoaded)
{
	struct sCase
	{
		const char* property;
		bool selection;
	};
	for (const sCase& c : { sCase { "checked", true }, { "menu_select", true }, { "checked", false } })
	{
		sObjectDesc menu = Desc("menu", "object");
		sObjectDesc plain = Desc("plain", "menu_item");
		if (c.selection)
			plain.children.push_back(Desc("selection", "object"));
		sObjectDesc chosen = Desc("chosen", "menu_item", { { c.property, "true" } });
		if (c.selection)
			chosen.children.push_back(Desc("selection", "object"));
		menu.children = { plain, chosen };
		auto* top = new cSceneObject("top", root());
		top->LoadFromDesc(menu);
		auto* built = static_cast<cMenuItem*>(top->GetChildList().FindByPath("chosen"));
		auto* other = static_cast<cMenuItem*>(top->GetChildList().FindByPath("plain"));
		EXPECT_TRUE(built->IsChecked()) << c.property;
		EXPECT_EQ(built->GetProperties().GetProperty("menu_select"), "true");
		EXPECT_FALSE(other->IsChecked());
		if (c.selection)
		{
			EXPECT_TRUE(built->GetChildList().FindChild("selection")->IsVisible());
			EXPECT_FALSE(other->GetChildList().FindChild("selection")->IsVisible());
		}

		// Ticking the other one unticks this one, selection or not.
		other->GetProperties().SetProperty("checked", "true");
		EXPECT_FALSE(built->IsChecked());
		if (c.selection)
		{
			EXPECT_FALSE(built->GetChildList().FindChild("selection")->IsVisible());
		}
		delete top;
	}
}

TEST_F(SceneTest, AFlashHidesFirstThenBlinksAndAManualOneWaitsForShowModel)
{
	auto* flash = new cFlash("flash", root());
	flash->GetProperties().SetProperty("random_min", "5");
	flash->GetProperties().SetProperty("random_max", "5");
	EXPECT_EQ(flash->GetProperties().GetProperty("visible_time"), "0.300000");
	auto alpha = [&] { return flash->GetTransform().GetLocalColor().a; };
	std::string trace;
	for (float dt : { 0.1f, 4.95f, 0.1f, 0.25f, 0.1f, 4.9f, 0.2f })
	{
		scene->Update(dt);
		trace += alpha() > 0.5f ? "S" : "h";
	}
	// Hidden for exactly 5 s, shown for 0.3 s.
	EXPECT_EQ(trace, "hhSShhS");

	auto* manual = new cFlash("manual", root());
	manual->GetProperties().SetProperty("manual", "true");
	scene->Update(0.1f);
	scene->Update(20.0f);
	EXPECT_FALSE(manual->IsShown());
	manual->GetProperties().SetProperty("show_model", "1");
	EXPECT_EQ(manual->GetTransform().GetLocalColor().a, 1.0f);
	scene->Update(0.2f);
	EXPECT_TRUE(manual->IsShown());
	scene->Update(0.2f);
	EXPECT_FALSE(manual->IsShown());
	scene->Update(30.0f);
	EXPECT_FALSE(manual->IsShown());
}

TEST_F(SceneTest, WaterStepsThroughTheBumpAtlasAndIgnoresValuesOutsideItsRange)
{
	auto* water = new cWater2d("water", root());
	sCastQuery query;
	query.kind = cGeometry::CastKind;
	water->AcceptCast(query);
	EXPECT_EQ(query.result, water);

	// 60 frames, 8 a row, 2 s a loop: at 1 s frame 30, row 3, column 6.
	scene->Update(1.0f);
	const cMatrix& m = water->GetBumpMatrix();
	EXPECT_FLOAT_EQ(m._11, 0.125f);
	EXPECT_FLOAT_EQ(m._22, 0.125f);
	EXPECT_FLOAT_EQ(m._31, 0.75f);
	EXPECT_FLOAT_EQ(m._32, 0.375f);
	// Reaching the loop's length restarts at frame 0 in the same update.
	scene->Update(1.0f);
	EXPECT_FLOAT_EQ(m._31, 0.0f);
	EXPECT_FLOAT_EQ(m._32, 0.0f);
	delete water;

	for (const auto& [property, value] : { std::pair { "frames_per_line", "0" }, { "speed", "0" }, { "frames", "-1" },
			 { "speed", "-2" } })
	{
		auto* still = new cWater2d("still", root());
		still->GetProperties().SetProperty(property, value);
		scene->Update(0.5f);
		scene->Update(0.7f);
		EXPECT_EQ(memcmp(&still->GetBumpMatrix(), &cMatrix::Identity(), sizeof(cMatrix)), 0) << property << " " << value;
		delete still;
	}
}
