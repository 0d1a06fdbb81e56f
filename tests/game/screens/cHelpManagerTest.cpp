// The help window on the screen with real input: a hint's arrow drawn at
// the object it names, the target pulsing until the click on it, which
// ends the hint and reaches the target in the same frame (twice, through
// the two nested passes); keyed hints shown once per player, also after a
// restart; hints at missing arrows, objects or scenes; hiding the window
// during a hint.

#include "ScreenTestSupport.h"

#include "../../engine/widgets/WidgetInputSupport.h"

#include "engine/scene/cQuadVisual.h"
#include "engine/widgets/cButton.h"
#include "game/play/cLightObject.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/cHelpManager.h"

namespace
{
// The arrows stand around the dialog's origin: "d" above, "lt" to the
// right, "rt" to the left.
const char* const kHelpScene = R"(
	<geometry name="arrow_d" model="block" local="1 0 0 0 1 0 0 0 1 0 50 0"/>
	<geometry name="arrow_lt" model="block" local="1 0 0 0 1 0 0 0 1 50 0 0"/>
	<geometry name="arrow_rt" model="block" local="1 0 0 0 1 0 0 0 1 -50 0 0"/>)";

// Records what the help window tells the scene while a click runs through it.
class cClickRecorder : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;
	bool HandleInput() override
	{
		if (Singletone<cInputManager>::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
			passThrough.push_back(cHelpManager::Get()->IsPassThrough());
		return false;
	}
	void Update(float dt) override
	{
		cSceneObject::Update(dt);
		++updates;
	}

	std::vector<bool> passThrough;
	int updates = 0;
};

class cHelpManagerTest : public cScreenTest
{
protected:
	void SetUp() override
	{
		cScreenTest::SetUp();
		if (HasFatalFailure())
			return;
		g_currentProgress = &progress;
		// A box at (100, 100) with a marker, and a lever at (300, 100).
		box = new cSceneObject("box", camera);
		box->SetVisual(new cQuadVisual(box));
		box->SetModel("block");
		box->GetTransform().SetLocalMatrix(Translation(100, 100, 0));
		marker = static_cast<cLightObject*>(scene->CreateObject("light", "marker", box));
		lever = new cButton("lever", camera);
		lever->SetModel("block");
		lever->GetTransform().SetLocalMatrix(Translation(300, 100, 0));
		events.Bind(lever, "on_mouse_down");
		scene->Update(0);
	}

	void TearDown() override
	{
		g_currentProgress = nullptr;
		cLightObject::SetHighlighted(nullptr);
		cScreenTest::TearDown();
	}

	// The help window shown and working; a scene of the elements is
	// "window_help" while the content lives.
	cHelpManager* ShownHelp(cSceneContent& scenes, const char* elements = kHelpScene)
	{
		scenes.AddScene("window_help", elements);
		auto* help = new cHelpManager(nullptr);
		EXPECT_EQ(cHelpManager::Get(), help);
		help->Show();
		Step(0);
		EXPECT_EQ(help->GetState(), cGameWindow::kWorking);
		return help;
	}

	bool Lit(const sPixels& pixels, int x, int y) { return ColorNear(At(pixels, x, y), 0xFFFFFFFF, 8); }

	cPlayerProgress progress;
	cSceneObject* box = nullptr;
	cLightObject* marker = nullptr;
	cButton* lever = nullptr;
	cEventLog events;
};
}

TEST_F(cHelpManagerTest, AHintPointsAtItsObjectAndPulsesItsTargetUntilTheClickThatEndsIt)
{
	cHelpManager* help = ShownHelp(content);
	EXPECT_FALSE(help->GetHelpDialog()->IsVisible());
	help->ShowHint("d", "tut_box", box, lever);
	EXPECT_TRUE(help->IsActive());
	EXPECT_EQ(scene->GetTopModal(), help);
	EXPECT_EQ(cLightObject::GetHighlighted(), marker) << "the object's markers light up";

	// The arrow "d" is drawn above the box, the others not at all.
	Step(0);
	sPixels pixels = Draw();
	EXPECT_TRUE(Lit(pixels, 120, 170)) << "arrow_d";
	EXPECT_FALSE(Lit(pixels, 170, 120)) << "arrow_lt";
	EXPECT_FALSE(Lit(pixels, 70, 120)) << "arrow_rt";
	EXPECT_TRUE(Lit(pixels, 120, 120)) << "the box";

	// The target's alpha falls to 0.4 and rises again to 1, drawn so.
	const float expected[] = { 0.75f, 0.5f, 0.4f, 0.65f, 0.9f, 1.0f, 0.75f };
	for (float alpha : expected)
	{
		Step(0.25f);
		EXPECT_NEAR(lever->GetTransform().GetLocalColor().a, alpha, 1e-5f);
	}
	Step(0.25f);
	EXPECT_NEAR(Brightest(Draw(), 300, 100, 340, 140), 128, 10) << "alpha 0.5 over black";

	// A click beside the target leaves the hint up; the click on it ends it
	// and presses the lever in the same frame.
	MoveTo(120, 120);
	Click(0);
	EXPECT_TRUE(help->IsActive());
	EXPECT_EQ(events.Take(), "");
	MoveTo(320, 120);
	Click(0);
	EXPECT_FALSE(help->IsActive());
	EXPECT_EQ(help->GetTarget(), nullptr);
	EXPECT_EQ(lever->GetTransform().GetLocalColor().a, 1);
	EXPECT_EQ(events.Take(), "lever:on_mouse_down lever:on_mouse_down") << "both nested passes see the click";
	EXPECT_NE(scene->GetTopModal(), help);
	EXPECT_FALSE(help->GetHelpDialog()->IsVisible());
	EXPECT_TRUE(progress.hintsShown["tut_box"]);
}

TEST_F(cHelpManagerTest, ClicksInTheFirstMomentAreIgnoredAndAnyClickEndsAHintWithoutTarget)
{
	cHelpManager* help = ShownHelp(content);
	help->ShowHint("rt", "", box, nullptr);
	Click(0.2f);
	EXPECT_TRUE(help->IsActive()) << "0.3 s have not passed";
	Step(0.2f);
	MoveTo(500, 400);
	Click(0);
	EXPECT_FALSE(help->IsActive());
	EXPECT_TRUE(progress.hintsShown[""]) << "the empty key is stored too";
	// A hint without a key repeats.
	help->ShowHint("rt", "", box, nullptr);
	EXPECT_TRUE(help->IsActive());
}

TEST_F(cHelpManagerTest, TheEndingClickRunsTwoNestedPassesAndUpdates)
{
	auto* recorder = new cClickRecorder("recorder", scene->GetRoot());
	cHelpManager* help = ShownHelp(content);
	help->ShowHint("d", "", box, nullptr);
	Step(0.5f);
	recorder->updates = 0;
	Click(0);
	EXPECT_FALSE(help->IsActive());
	// Modal during the frame's own pass; then once flagged, once plain.
	EXPECT_EQ(recorder->passThrough, (std::vector<bool> { true, false }));
	EXPECT_EQ(recorder->updates, 3) << "two nested updates and the frame's own";
	EXPECT_FALSE(help->IsPassThrough());
	delete recorder;
}

TEST_F(cHelpManagerTest, AKeyedHintIsShownOncePerPlayerAlsoAfterARestart)
{
	cHelpManager* help = ShownHelp(content);
	help->ShowHint("d", "tut_box", box, nullptr);
	Step(0.5f);
	Click(0);
	ASSERT_FALSE(help->IsActive());
	help->ShowHint("d", "tut_box", box, nullptr);
	EXPECT_FALSE(help->IsActive());

	// The progress record read back from its stored form remembers it.
	cMemoryStream stored;
	progress.WriteBody(stored);
	stored.Seek(0, cStream::FromStart);
	cPlayerProgress restarted;
	ASSERT_TRUE(restarted.ReadBody(stored));
	g_currentProgress = &restarted;
	help->ShowHint("d", "tut_box", box, nullptr);
	EXPECT_FALSE(help->IsActive());
	help->ShowHint("d", "tut_door", box, nullptr);
	EXPECT_TRUE(help->IsActive());
}

TEST_F(cHelpManagerTest, UnknownOrMissingArrowsAndMissingObjectsShowNoArrowAndTheHintStillEnds)
{
	const struct
	{
		const char* arrow;
		const char* scene;
		bool withObject;
	} cases[] = {
		{ "up", kHelpScene, true },
		{ "rt", R"(<geometry name="arrow_d" model="block"/><geometry name="arrow_lt" model="block"/>)", true },
		{ "d", kHelpScene, false },
	};
	for (const auto& hint : cases)
	{
		cSceneContent scenes;
		cHelpManager* help = ShownHelp(scenes, hint.scene);
		help->ShowHint(hint.arrow, "", hint.withObject ? box : nullptr, nullptr);
		EXPECT_TRUE(help->IsActive()) << hint.arrow;
		for (const char* key : { "d", "lt", "rt" })
		{
			cSceneObject* arrow = help->GetArrow(key);
			EXPECT_TRUE(!arrow || !arrow->IsVisible()) << hint.arrow << " " << key;
		}
		Step(0.5f);
		Click(0);
		EXPECT_FALSE(help->IsActive()) << hint.arrow;
		delete help;
		EXPECT_EQ(cHelpManager::Get(), nullptr);
	}
}

TEST_F(cHelpManagerTest, WithoutItsSceneTheHelpWindowHasNoArrowsAndItsHintsStillEnd)
{
	auto* help = new cHelpManager(nullptr);
	help->Show();
	EXPECT_EQ(help->GetArrow("d"), nullptr);
	help->ShowHint("d", "", box, nullptr);
	EXPECT_TRUE(help->IsActive());
	Step(0.5f);
	Click(0);
	EXPECT_FALSE(help->IsActive());
}

TEST_F(cHelpManagerTest, HidingTheWindowEndsTheHintAndLetsItsTargetGo)
{
	cHelpManager* help = ShownHelp(content);
	auto* target = new cSceneObject("target", camera);
	target->SetVisual(new cQuadVisual(target));
	help->ShowHint("d", "", box, target);
	Step(0.25f);
	EXPECT_LT(target->GetTransform().GetLocalColor().a, 1);
	help->Hide();
	EXPECT_FALSE(help->IsActive());
	EXPECT_EQ(help->GetTarget(), nullptr);
	EXPECT_EQ(target->GetTransform().GetLocalColor().a, 1);
	EXPECT_NE(scene->GetTopModal(), help);
	EXPECT_NE(scene->GetTopModal(), help->GetHelpDialog());

	// The location goes; the window is shown and updated again.
	delete target;
	help->Show();
	Step(0.25f);
	Step(0.25f);
	EXPECT_EQ(help->GetTarget(), nullptr);
	EXPECT_FALSE(help->GetHelpDialog()->IsVisible());
}
