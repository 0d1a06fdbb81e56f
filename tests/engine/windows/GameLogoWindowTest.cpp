// Logo windows: played from their scenes, chained to the next window,
// skipped by real mouse clicks through the input manager once 0.3 s have
// passed, with the disappear starting where the skip mirrors it.

#include "WindowTestSupport.h"

#include "../input/InputManagerFixture.h"

#include "engine/windows/cGameLogoWindow.h"

#include <cmath>

namespace
{
// Appear 0.15 s, working 2 s and disappear 1 s over key times 0 to 30.
const char* const kLogoScene = R"(
	<object name="picture" motion="slide">
		<add_motion name="appear" first="0" last="10" length="0.15"/>
		<add_motion name="working" first="10" last="20" length="2"/>
		<add_motion name="disappear" first="20" last="30" length="1"/>
	</object>)";

// A looping "working" animation of 1 s whose time has run on to 3 s; it
// has no other animation.
class cRunOnVisual : public cProbeVisual
{
public:
	explicit cRunOnVisual(cSceneObject* owner) : cProbeVisual(owner)
	{
		length = 1;
		time = 3;
	}
	void PlayAnimation(const std::string& name) override
	{
		animation = name;
		playing = name == "working";
	}
};

class GameLogoWindowTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		StartInput();
		scene = cSceneManager::GetInstance();
		// Windows hang under the default camera, shown as in the game.
		ClearScene(scene);
		scene->GetDefaultCamera()->SetVisible(true);
		content.AddMotion("slide", SlideBytes());
	}

	void TearDown() override
	{
		ClearScene(scene);
		cInputManagerFixture::TearDown();
	}

	// One frame of the game: input, the input pass and the update.
	void Step(float dt)
	{
		Frame();
		scene->DispatchInput();
		scene->Update(dt);
	}

	void Click() { Send({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) }); }

	// The states of the windows after each of the steps.
	std::string Trace(const std::vector<cGameWindow*>& windows, int steps, float dt)
	{
		std::string trace;
		for (int i = 0; i < steps; ++i)
		{
			Step(dt);
			trace += i ? " " : "";
			for (cGameWindow* window : windows)
				trace += std::to_string(window->GetState());
		}
		return trace;
	}

	static cMotionPlayer& PictureMotion(cSceneObject* logo)
	{
		return *logo->GetChildList().FindChild("picture")->GetMotions().GetPlayer();
	}

	cSceneManager* scene = nullptr;
	cSceneContent content;
};
}

TEST_F(GameLogoWindowTest, AChainOfLogosRunsItsCourseAndHandsOverWithoutAClick)
{
	content.AddScene("first_logo", R"(<object name="picture" motion="slide">
		<add_motion name="appear" first="0" last="10" length="0.5"/>
		<add_motion name="working" first="10" last="20" length="0.5"/>
		<add_motion name="disappear" first="20" last="30" length="0.5"/></object>)");
	auto* menu = new cGameWindow("menu", scene->GetRoot(), false);
	testing::internal::CaptureStderr();
	auto* second = new cGameLogoWindow("second_logo", menu);
	EXPECT_NE(testing::internal::GetCapturedStderr().find("scene_resource[second_logo] not found"), std::string::npos);
	auto* first = new cGameLogoWindow("first_logo", second);
	for (cGameWindow* window : { menu, static_cast<cGameWindow*>(second) })
		EXPECT_EQ(window->GetProperties().GetProperty("logo_end"), "false");
	EXPECT_EQ(first->GetParent(), scene->GetDefaultCamera());
	EXPECT_EQ(first->GetName(), "first_logo");
	EXPECT_EQ(first->GetTransform().GetLocalMatrix()._43, -1000);
	EXPECT_TRUE(second->GetChildList().GetChildren().empty());

	// The first logo shows the second as it starts to disappear; the empty
	// second logo leaves in the update that takes it to working, showing
	// the menu, which comes after the camera object in the root's children
	// and so is updated in the frame that shows it.
	first->Show();
	EXPECT_EQ(Trace({ first, second, menu }, 7, 0.3f), "100 200 200 310 332 442 442");
	EXPECT_EQ(second->GetProperties().GetProperty("logo_end"), "true");
	EXPECT_EQ(menu->GetProperties().GetProperty("logo_end"), "true");
	EXPECT_FALSE(first->IsVisible() || second->IsVisible());
	EXPECT_TRUE(menu->IsVisible());
}

TEST_F(GameLogoWindowTest, AClickSkipsOnlyAfterTheFirstMomentsAndTheDisappearMirrorsTheWorking)
{
	content.AddScene("logo", kLogoScene);
	auto* menu = new cGameWindow("menu", scene->GetRoot(), false);
	auto* logo = new cGameLogoWindow("logo", menu);
	logo->Show();
	Step(0.1f);
	Step(0.1f);
	ASSERT_EQ(logo->GetState(), cGameWindow::kWorking);

	// 0.2 s after construction a click does nothing.
	Click();
	EXPECT_EQ(Trace({ logo }, 4, 0.1f), "2 2 2 2");
	EXPECT_FLOAT_EQ(PictureMotion(logo).GetTime(), 0.4f);

	// 0.4 s into the 2 s working: the 1 s disappear starts at 0.8 s.
	Click();
	Frame();
	scene->DispatchInput();
	EXPECT_EQ(logo->GetState(), cGameWindow::kDisappear);
	EXPECT_EQ(menu->GetState(), cGameWindow::kAppear);
	EXPECT_FLOAT_EQ(PictureMotion(logo).GetTime(), 0.8f);
	EXPECT_FLOAT_EQ(logo->GetChildList().FindChild("picture")->GetTransform().GetLocalMatrix()._41, 28);
	EXPECT_EQ(Trace({ logo }, 3, 0.15f), "3 4 4");

	// A click while disappearing or closed does not start it again.
	Click();
	Step(0.1f);
	EXPECT_EQ(logo->GetState(), cGameWindow::kClosed);
}

TEST_F(GameLogoWindowTest, ASkipWithNothingPlayedOrATimePastTheLengthClosesWithinTheDisappear)
{
	const struct
	{
		const char* name;
		const char* scene;
		bool runOn;
	} cases[] = {
		// Nothing has a length when the click comes: only the disappear does.
		{ "nothing played", R"(<object name="picture" motion="slide">
			<add_motion name="disappear" first="20" last="30" length="0.5"/></object>)", false },
		// An animation time of 3 s against a longest length of 2 s.
		{ "time past length", R"(<object name="picture" motion="slide">
			<add_motion name="working" first="10" last="20" length="2" loop="true"/>
			<add_motion name="disappear" first="20" last="30" length="0.5"/></object>)", true },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		content.AddScene(c.name, c.scene);
		auto* logo = new cGameLogoWindow(c.name, nullptr);
		cRunOnVisual* runOn = nullptr;
		if (c.runOn)
		{
			auto* holder = new cSceneObject("runOn", logo);
			holder->SetVisual(runOn = new cRunOnVisual(holder));
		}
		logo->Show();
		EXPECT_EQ(Trace({ logo }, 5, 0.1f), "2 2 2 2 2");
		Click();
		Frame();
		scene->DispatchInput();
		ASSERT_EQ(logo->GetState(), cGameWindow::kDisappear);
		// The disappear starts from its beginning.
		EXPECT_EQ(PictureMotion(logo).GetTime(), 0.0f);
		EXPECT_TRUE(PictureMotion(logo).IsPlaying());
		if (runOn)
		{
			EXPECT_EQ(runOn->time, 0.0f);
		}
		EXPECT_EQ(Trace({ logo }, 3, 0.2f), "3 3 4");
		EXPECT_TRUE(std::isfinite(PictureMotion(logo).GetTime()));
		delete logo;
	}
}
