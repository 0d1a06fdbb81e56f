// Sliders dragged with real mouse input, and sliders built from scene
// descriptions whose values are set before their thumb exists.

#include "WidgetInputSupport.h"

#include "engine/scene/sObjectDesc.h"
#include "engine/widgets/cSlider.h"

#include <cmath>

namespace
{
bool Finite(const cMatrix& m)
{
	for (float value : { m._11, m._22, m._33, m._41, m._42, m._43 })
		if (!std::isfinite(value))
			return false;
	return true;
}

// The type "boxed": an object with a 10 x 10 local box, as a model would give it.
class cBoxedObject : public cSceneObject
{
public:
	cBoxedObject(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
	{
		GetTransform().SetLocalBox(cBoundingBox().SetFromPoints(cVector3d(0, 0, -1), cVector3d(10, 10, 1)));
	}
	static cSceneObject* Create(const std::string& name, cSceneObject* parent) { return new cBoxedObject(name, parent); }
};

sObjectDesc Child(const std::string& name, const std::string& role)
{
	sObjectDesc child;
	child.name = name;
	child.type = cSceneManager::GetInstance()->GetObjectTypeId("boxed");
	child.properties = { { "object", role } };
	return child;
}
}

TEST_F(WidgetInputTest, ASliderFollowsADragOfItsThumbAndTruncatesTheValue)
{
	// A 220 wide track and a 40 wide thumb: 200 of usable length from the
	// thumb's place at the minimum.
	auto* slider = Widget<cSlider>("volume", 100, 100, 220, 20);
	auto* thumb = new cSceneObject("thumb", slider);
	Place(thumb, 0, 0, 40, 20);
	thumb->GetProperties().SetProperty("object", "button");
	slider->OnLoaded();
	EXPECT_FLOAT_EQ(slider->GetLength().x, 200);
	cEventLog log;
	log.Bind(slider, "on_change");
	scene->Update(0);

	MoveTo(120, 110);
	EXPECT_EQ(scene->GetTopModal(), slider) << "modal while the cursor is over the thumb";
	Press();
	MoveTo(100 + 40 + 99, 110);
	EXPECT_EQ(slider->GetValue(), 49);
	EXPECT_EQ(log.Take(), "volume:on_change");
	EXPECT_NEAR(thumb->GetTransform().GetWorldMatrix()._41, 100 + 98, 1e-3f);
	MoveTo(600, 110);
	EXPECT_EQ(slider->GetValue(), 100);
	EXPECT_NEAR(thumb->GetTransform().GetLocalMatrix()._41, 200, 1e-3f);
	MoveTo(0, 110);
	EXPECT_EQ(slider->GetValue(), 0);
	Release();
	EXPECT_EQ(scene->GetTopModal(), nullptr);

	// "cur" clamps, and fires also for an unchanged value.
	log.Take();
	slider->GetProperties().SetProperty("cur", "150");
	slider->GetProperties().SetProperty("cur", "150");
	EXPECT_EQ(slider->GetProperties().GetProperty("cur"), "100");
	EXPECT_EQ(log.Take(), "volume:on_change volume:on_change");
	EXPECT_NEAR(thumb->GetTransform().GetLocalMatrix()._41, 200, 1e-3f);
}

TEST_F(WidgetInputTest, AVerticalSliderCountsDownFromTheTopOfItsTrack)
{
	auto* slider = Widget<cSlider>("scroll", 100, 100, 20, 220);
	slider->GetProperties().SetProperty("vertical", "true");
	auto* thumb = new cSceneObject("thumb", slider);
	Place(thumb, 0, 0, 20, 40);
	thumb->GetProperties().SetProperty("object", "button");
	slider->OnLoaded();
	EXPECT_FLOAT_EQ(slider->GetLength().y, 200);
	scene->Update(0);

	MoveTo(110, 120);
	Press();
	MoveTo(110, 100 + 40 + 150);
	EXPECT_EQ(slider->GetValue(), 25);
	EXPECT_NEAR(thumb->GetTransform().GetLocalMatrix()._42, -50, 1e-3f);
	Release();
}

TEST_F(WidgetInputTest, SlidersWhoseValuesComeBeforeTheirThumbOrWithoutARangeStayUsable)
{
	scene->RegisterObjectType("boxed", &cBoxedObject::Create);
	struct sCase
	{
		const char* what;
		std::vector<sObjectDesc::tProperty> properties;
		bool thumb;
		bool tracker;
		float thumbAfterLoad;
		int valueAfterDrag;
	};
	// The track is 10 wide is 10 wide and the thumb 10: 5 of usable length.
	const sCase cases[] = {
		{ "min before max", { { "min", "100" }, { "max", "200" } }, true, true, 0, 200 },
		{ "cur without a thumb", { { "cur", "50" } }, false, true, 0, 50 },
		{ "cur placed once loaded", { { "cur", "50" } }, true, true, 2.5f, 100 },
		{ "min equals max", { { "min", "5" }, { "max", "5" } }, true, true, 0, 5 },
		{ "no track length", {}, true, false, 0, 0 },
	};
	for (const sCase& c : cases)
	{
		sObjectDesc desc;
		desc.name = "panel";
		sObjectDesc slider;
		slider.name = "slider";
		slider.type = scene->GetObjectTypeId("slider");
		slider.local = Translation(100, 100, 0);
		slider.properties = c.properties;
		if (c.thumb)
			slider.children.push_back(Child("thumb", "button"));
		if (c.tracker)
			slider.children.push_back(Child("track", "tracker"));
		desc.children.push_back(slider);
		auto* panel = new cSceneObject("panel", screen);
		panel->LoadFromDesc(desc);
		auto* built = static_cast<cSlider*>(panel->GetChildList().FindChild("slider"));
		scene->Update(0);
		cSceneObject* thumb = built->GetThumb();
		if (thumb)
		{
			EXPECT_NEAR(thumb->GetTransform().GetLocalMatrix()._41, c.thumbAfterLoad, 1e-3f) << c.what;
		}

		MoveTo(105, 105);
		Press();
		MoveTo(300, 105);
		Release();
		EXPECT_EQ(built->GetValue(), c.valueAfterDrag) << c.what;
		if (thumb)
		{
			EXPECT_TRUE(Finite(thumb->GetTransform().GetWorldMatrix())) << c.what;
		}
		delete panel;
	}
}
