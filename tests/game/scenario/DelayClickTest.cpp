// "delay" "click" in a real location driven by real mouse input: it
// finishes in the frame in which the left button goes down, not while the
// button is held.

#include "../../engine/widgets/WidgetInputSupport.h"
#include "../location/LocationTestSupport.h"

#include <algorithm>

class DelayClickTest : public WidgetInputTest
{
protected:
	int Clicks() const { return int(std::count(Trace().begin(), Trace().end(), "clicked!")); }

	cLocationWorld world;
};

TEST_F(DelayClickTest, DelayClickFinishesWhenTheButtonGoesDown)
{
	world.content.AddScene("room", R"(<object name="bg" background="true" ignore="true"/>)");
	world.resources.Add("xml", "room", BytesOf(R"(<scenario><state name="startup">
		<delay><item name="click"/><step><item name="clicked"/></step></delay></state></scenario>)"));
	cLocationForm* form = world.Build("room", screen);
	form->Show();
	for (int frame = 0; frame < 5; ++frame)
		Step();
	ASSERT_EQ(form->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(Clicks(), 0);

	MoveTo(300, 200);
	Press();
	EXPECT_EQ(Clicks(), 1) << "in the frame the button went down";
	for (int frame = 0; frame < 5; ++frame)
		Step();
	EXPECT_EQ(Clicks(), 1) << "not while it is held";
	Release();
	Step();
	EXPECT_EQ(Clicks(), 1);
	Press();
	EXPECT_EQ(Clicks(), 2);
	Release();
	delete form;
}
