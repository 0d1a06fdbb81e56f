// Game windows run through appear, working, disappear and closed with the
// motions and animations of their scenes, hang where they are told, and
// take input in the states in which they are visible.

#include "WindowTestSupport.h"

namespace
{
// A frame whose clips take 0.5 s, 1 s and 0.5 s, from key times 0, 10, 20.
const char* const kPanelScene = R"(
	<object name="frame" motion="slide">
		<add_motion name="appear" first="0" last="10" length="0.5"/>
		<add_motion name="working" first="10" last="20" length="1"/>
		<add_motion name="disappear" first="20" last="30" length="0.5"/>
		<object name="inner"/>
	</object>)";

class GameWindowTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		content.AddMotion("slide", SlideBytes());
	}

	// A window under the root built from the scene's elements.
	cGameWindow* Window(const std::string& elements)
	{
		content.AddScene("window_scene", elements);
		auto* window = new cGameWindow("window", root(), false);
		EXPECT_TRUE(cSceneResource::BuildInto("window_scene", *window));
		return window;
	}

	float FrameX(cGameWindow* window)
	{
		return window->GetChildList().FindChild("frame")->GetTransform().GetLocalMatrix()._41;
	}

	cSceneContent content;
};
}

TEST_F(GameWindowTest, ShowingPlaysEachStatesMotionsInTurnUntilClosed)
{
	cGameWindow* window = Window(kPanelScene);
	EXPECT_EQ(window->GetState(), cGameWindow::kHidden);
	EXPECT_FALSE(window->IsVisible());

	window->Show();
	EXPECT_EQ(window->GetState(), cGameWindow::kAppear);
	EXPECT_TRUE(window->IsVisible());
	scene->Update(0.3f);
	EXPECT_FLOAT_EQ(FrameX(window), 6); // 0.3 s of the 0.5 s appear: key time 6
	// Appear ends in the second update; working lasts 1 s, disappear 0.5 s,
	// then the window closes and, invisible, is no longer updated.
	EXPECT_EQ(StateTrace(scene, window, 10, 0.3f), "2 2 2 2 3 3 4 4 4 4");
	EXPECT_FALSE(window->IsVisible());
	EXPECT_FLOAT_EQ(FrameX(window), 30);

	// Shown again, it plays again from appear.
	window->Show();
	EXPECT_TRUE(window->IsVisible());
	scene->Update(0.3f);
	EXPECT_EQ(window->GetState(), cGameWindow::kAppear);
	EXPECT_FLOAT_EQ(FrameX(window), 6);
}

TEST_F(GameWindowTest, WhatAWindowWithoutContentOrWithLoopingWorkDoesUntilHidden)
{
	const struct
	{
		const char* name;
		const char* elements;
	} cases[] = {
		{ "no content", "<object name=\"frame\"/>" },
		{ "looping working", R"(<object name="frame" motion="slide">
			<add_motion name="working" first="10" last="20" length="0.5" loop="true"/></object>)" },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		cGameWindow* window = Window(c.elements);
		window->Show();
		EXPECT_EQ(StateTrace(scene, window, 6, 0.3f), "2 2 2 2 2 2");
		window->Hide();
		EXPECT_EQ(window->GetState(), cGameWindow::kDisappear);
		// Without disappear content the window closes in the next update.
		EXPECT_EQ(StateTrace(scene, window, 2, 0.3f), "4 4");
		EXPECT_FALSE(window->IsVisible());
		delete window;
	}
}

TEST_F(GameWindowTest, HidingDuringAppearClosesOnceNoDisappearClipPlays)
{
	cGameWindow* window = Window(R"(
		<object name="slow" motion="slide"><add_motion name="appear" first="0" last="10" length="2"/></object>
		<object name="fast" motion="slide"><add_motion name="disappear" first="20" last="30" length="0.5"/></object>)");
	window->Show();
	scene->Update(0.3f);
	window->Hide();
	EXPECT_EQ(window->GetState(), cGameWindow::kDisappear);
	// The appear clip runs on for another 1.4 s; the window does not wait for it.
	EXPECT_EQ(StateTrace(scene, window, 2, 0.3f), "3 4");
	EXPECT_TRUE(window->GetChildList().FindChild("slow")->GetMotions().IsPlayingByName("appear"));
}

TEST_F(GameWindowTest, AnimationsOfTheStateNamesHoldEachStateAsMotionsDo)
{
	auto* window = new cGameWindow("window", root(), false);
	cSceneObject* logo = ProbeObject("logo", window);
	cProbeVisual& visual = Probe(logo);
	window->Show();
	for (const auto& [animation, state] : { std::pair{ "appear", 1 }, { "working", 2 }, { "disappear", 3 } })
	{
		EXPECT_EQ(window->GetState(), state);
		EXPECT_EQ(visual.animation, animation);
		const std::string held = std::to_string(state);
		EXPECT_EQ(StateTrace(scene, window, 3, 0.3f), held + " " + held + " " + held);
		// The animation ends: the next update moves on.
		visual.playing = false;
		scene->Update(0.3f);
	}
	EXPECT_EQ(window->GetState(), cGameWindow::kClosed);
}

TEST_F(GameWindowTest, AWindowHiddenByOtherCodeWhileWorkingNeverFinishes)
{
	cGameWindow* window = Window(R"(<object name="frame" motion="slide">
		<add_motion name="working" first="10" last="20" length="0.5"/></object>)");
	window->Show();
	scene->Update(0.1f);
	ASSERT_EQ(window->GetState(), cGameWindow::kWorking);
	window->SetVisible(false);
	EXPECT_EQ(StateTrace(scene, window, 5, 0.3f), "2 2 2 2 2");
	EXPECT_TRUE(window->GetMotions().IsCurrentByName("working"));
}

TEST_F(GameWindowTest, ChildEventsBindByPathAndAMissingPathBindsNothing)
{
	cGameWindow* window = Window(kPanelScene);
	static cSceneObject* raised;
	raised = nullptr;
	const cSceneObject::tEvent handler(MakeFunctionDelegate<cSceneObject*>([](cSceneObject* o) { raised = o; }));
	window->BindChildEvent("frame/inner", "on_click", handler);
	window->BindChildEvent("frame/missing", "on_click", handler);
	window->BindChildEvent("missing/inner", "on_click", handler);
	cSceneObject* inner = window->GetChildList().FindByPath("frame/inner");
	inner->FireEvent("on_click");
	EXPECT_EQ(raised, inner);
	EXPECT_FALSE(window->GetChildList().FindChild("frame")->GetEvents().count("on_click"));
}

TEST_F(GameWindowTest, WindowsAttachedToTheCameraHangUnderTheDefaultCameraObject)
{
	cGameWindow underCamera("under_camera", nullptr, true);
	EXPECT_EQ(underCamera.GetParent(), scene->GetDefaultCamera());
	cGameWindow underParent("under_parent", &underCamera, true);
	EXPECT_EQ(underParent.GetParent(), &underCamera);
	cGameWindow detached("detached", nullptr, false);
	EXPECT_EQ(detached.GetParent(), nullptr);
	for (cGameWindow* window : { &underCamera, &underParent, &detached })
		EXPECT_FALSE(window->IsVisible() || window->GetProperties().IsJustShown());
}

TEST_F(GameWindowTest, InputReachesTheWindowInTheStatesInWhichItIsVisible)
{
	cGameWindow* window = Window(kPanelScene);
	auto* recorder = new cInputRecorder("recorder", window);
	std::string reached;
	auto dispatch = [&] {
		const int before = recorder->handled;
		scene->DispatchInput();
		reached += std::to_string(window->GetState()) + (recorder->handled > before ? "+ " : "- ");
	};
	dispatch();
	window->Show();
	dispatch();
	for (int i = 0; i < 6; ++i)
	{
		scene->Update(0.3f);
		dispatch();
	}
	EXPECT_EQ(reached, "0- 1+ 1+ 2+ 2+ 2+ 2+ 3+ ");
	scene->Update(0.3f);
	scene->Update(0.3f);
	dispatch();
	EXPECT_EQ(reached, "0- 1+ 1+ 2+ 2+ 2+ 2+ 3+ 4- ");
}
