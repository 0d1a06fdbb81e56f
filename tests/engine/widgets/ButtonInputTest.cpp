// Buttons, check boxes, radio buttons, menu items and text buttons clicked
// with real mouse input through the scene's input pass.

#include "WidgetInputSupport.h"

#include "engine/widgets/cButton.h"
#include "engine/widgets/cButtonText.h"
#include "engine/widgets/cCheckBox.h"
#include "engine/widgets/cMenuItem.h"
#include "engine/widgets/cRadioButton.h"

namespace
{
struct sPoint
{
	float x;
	float y;
};
const sPoint kInside { 140, 120 };
const sPoint kOutside { 400, 300 };
}

TEST_F(WidgetInputTest, AButtonClicksOnlyWhenThePressAndTheReleaseAreBothOnIt)
{
	struct sCase
	{
		sPoint press;
		sPoint release;
		const char* events;
		bool consumed;
	};
	const sCase cases[] = {
		{ kInside, kInside, "ok:on_mouse_down ok:on_click ok:on_mouse_up", true },
		{ kInside, kOutside, "ok:on_mouse_down ok:on_mouse_up", false },
		{ kOutside, kInside, "ok:on_mouse_up", false },
	};
	auto* button = Widget<cButton>("ok", 100, 100, 80, 40);
	cEventLog log;
	for (const char* event : { "on_mouse_down", "on_click", "on_mouse_up" })
		log.Bind(button, event);
	for (const sCase& c : cases)
	{
		MoveTo(c.press.x, c.press.y);
		Press();
		MoveTo(c.release.x, c.release.y);
		Release();
		EXPECT_EQ(log.Take(), c.events) << c.press.x << " to " << c.release.x;
		EXPECT_EQ(cSceneManager::IsInputConsumed(), c.consumed);
		EXPECT_FALSE(button->IsPressed());
	}

	// Holding still: one press and one release make one click.
	MoveTo(kInside.x, kInside.y);
	Press();
	Step();
	Step();
	Release();
	Step();
	EXPECT_EQ(log.Take(), "ok:on_mouse_down ok:on_click ok:on_mouse_up");

	// The input pass skips a disabled button.
	button->SetEnabled(false);
	ClickAt(kInside.x, kInside.y);
	EXPECT_EQ(log.Take(), "");
}

TEST_F(WidgetInputTest, ACheckBoxTogglesOnAClickAndOnANewCheckedValue)
{
	auto* box = Widget<cCheckBox>("box", 100, 100, 80, 40);
	cEventLog log;
	log.Bind(box, "on_click");
	ClickAt(kInside.x, kInside.y);
	EXPECT_TRUE(box->IsChecked());
	EXPECT_EQ(box->GetProperties().GetProperty("checked"), "true");
	ClickAt(kInside.x, kInside.y);
	EXPECT_FALSE(box->IsChecked());
	EXPECT_EQ(log.Take(), "box:on_click box:on_click");

	// Leaving the box with the button held cancels the press.
	MoveTo(kInside.x, kInside.y);
	Press();
	MoveTo(kOutside.x, kOutside.y);
	Release();
	EXPECT_FALSE(box->IsChecked());

	box->GetProperties().SetProperty("checked", "true");
	box->GetProperties().SetProperty("checked", "true");
	EXPECT_TRUE(box->IsChecked());
	EXPECT_EQ(log.Take(), "box:on_click");
}

TEST_F(WidgetInputTest, RadioButtonsAmongSiblingsStayExclusive)
{
	auto* group = new cSceneObject("group", screen);
	auto* a = Widget<cRadioButton>("a", 100, 100, 50, 50, group);
	auto* b = Widget<cRadioButton>("b", 200, 100, 50, 50, group);
	auto* c = Widget<cRadioButton>("c", 300, 100, 50, 50, group);
	auto* label = new cSceneObject("label", group);
	cEventLog log;
	for (cSceneObject* radio : { a, b, c })
		log.Bind(radio, "on_click");
	a->GetProperties().SetProperty("radio", "true");
	EXPECT_TRUE(a->IsChecked());
	EXPECT_EQ(log.Take(), "a:on_click");

	// The ticked sibling unticks first, then the clicked one ticks.
	ClickAt(220, 120);
	EXPECT_EQ(log.Take(), "a:on_click b:on_click");
	EXPECT_FALSE(a->IsChecked());
	EXPECT_TRUE(b->IsChecked());
	EXPECT_FALSE(c->IsChecked());
	EXPECT_EQ(label->GetProperties().GetProperty("radio"), "false") << "other siblings store the text";

	// A click on the ticked one changes nothing.
	ClickAt(220, 120);
	EXPECT_EQ(log.Take(), "");
	EXPECT_TRUE(b->IsChecked());

	c->GetProperties().SetProperty("checked", "true");
	EXPECT_EQ(log.Take(), "b:on_click c:on_click");
	EXPECT_EQ(int(a->IsChecked()) + int(b->IsChecked()) + int(c->IsChecked()), 1);
}

TEST_F(WidgetInputTest, AMenuItemTicksOnEveryClickAndShowsItsSelection)
{
	auto* menu = new cSceneObject("menu", screen);
	auto* first = Widget<cMenuItem>("first", 100, 100, 200, 30, menu);
	auto* second = Widget<cMenuItem>("second", 100, 200, 200, 30, menu);
	for (cMenuItem* item : { first, second })
	{
		new cSceneObject("selection", item);
		item->OnLoaded();
	}
	auto selected = [](cMenuItem* item) { return item->GetChildList().FindChild("selection")->IsVisible(); };
	EXPECT_FALSE(selected(first) || selected(second));
	cEventLog log;
	log.Bind(first, "on_click");
	log.Bind(second, "on_click");

	ClickAt(150, 110);
	EXPECT_TRUE(first->IsChecked() && selected(first));
	ClickAt(150, 110);
	EXPECT_EQ(log.Take(), "first:on_click first:on_click") << "fires when already ticked";
	EXPECT_TRUE(selected(first));

	ClickAt(150, 210);
	EXPECT_EQ(log.Take(), "second:on_click");
	EXPECT_TRUE(second->IsChecked() && selected(second));
	EXPECT_FALSE(first->IsChecked() || selected(first));
	EXPECT_EQ(first->GetProperties().GetProperty("checked"), "false");
}

TEST_F(WidgetInputTest, ATextButtonFiresOnAnyReleaseOverItAndTakesItsHoverColour)
{
	auto* button = Widget<cButtonText>("start", 100, 100, 200, 30);
	cEventLog log;
	log.Bind(button, "on_click");
	EXPECT_EQ(button->GetProperties().GetProperty("color_s"), "536936192") << "read back in decimal";
	button->GetProperties().SetProperty("color_n", "80402010");
	EXPECT_EQ(button->GetProperties().GetProperty("color_n"), "2151686160");

	scene->Update(0); // places the new button before the input pass picks
	MoveTo(150, 110);
	const sColor& colour = button->GetTransform().GetLocalColor();
	EXPECT_NEAR(colour.a, 0x20 / 255.0f, 1e-3f);
	EXPECT_NEAR(colour.g, 1.0f, 1e-3f);
	EXPECT_NEAR(colour.r, 0.0f, 1e-3f);

	// Pressed elsewhere, released over it: still a click.
	MoveTo(kOutside.x, kOutside.y);
	EXPECT_NEAR(colour.a, 0x80 / 255.0f, 1e-3f);
	EXPECT_NEAR(colour.r, 0x40 / 255.0f, 1e-3f);
	Press();
	MoveTo(150, 110);
	Release();
	EXPECT_EQ(log.Take(), "start:on_click");
	EXPECT_FALSE(cSceneManager::IsInputConsumed());
}
