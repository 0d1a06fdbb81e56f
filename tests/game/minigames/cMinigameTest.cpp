// The minigame base over a scene written in the test: building from the
// scene of its name, the skip bar, skipping, closing, the solve waiting for
// the effect overlay, and the factory's table of names.

#include "MinigameTestSupport.h"

#include "engine/scene/cCameraObject.h"
#include "game/minigames/cMinigameBag.h"
#include "game/minigames/cMinigameCodeEnter1.h"
#include "game/minigames/cMinigameCodeEnter2.h"
#include "game/minigames/cMinigameComputer.h"
#include "game/minigames/cMinigameConnectors.h"
#include "game/minigames/cMinigameDevice.h"
#include "game/minigames/cMinigameFaces.h"
#include "game/minigames/cMinigameFactory.h"
#include "game/minigames/cMinigameFan.h"
#include "game/minigames/cMinigameFingers.h"
#include "game/minigames/cMinigameGlass.h"
#include "game/minigames/cMinigameGlobe.h"
#include "game/minigames/cMinigameHammer.h"
#include "game/minigames/cMinigameKey.h"
#include "game/minigames/cMinigameL10Terminal.h"
#include "game/minigames/cMinigameL6Box.h"
#include "game/minigames/cMinigameLock.h"
#include "game/minigames/cMinigamePeriscope.h"
#include "game/minigames/cMinigamePhone.h"
#include "game/minigames/cMinigameSafe.h"
#include "game/minigames/cMinigamePicture.h"
#include "game/minigames/cMinigamePlatens.h"
#include "game/minigames/cMinigameSkull.h"
#include "game/minigames/cMinigameStatue.h"
#include "game/minigames/cMinigameTerminal.h"
#include "game/minigames/cMinigameTower.h"
#include "game/minigames/cMinigameTriangles.h"
#include "game/minigames/cMinigameTube.h"
#include "game/minigames/cMinigameWire.h"
#include "game/panel/cGamePanel.h"

#include <cmath>
#include <functional>
#include <map>
#include <memory>

namespace
{
template <class T>
bool IsA(cMinigame* game)
{
	return dynamic_cast<T*>(game) != nullptr;
}

class cMinigameTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		RegisterClipTypes();
		AddMinigameModels(resources, false);
		content.AddMotion("slide", SlideBytes());
		content.AddScene("test_game", MinigameScene(true));
		content.AddScene("bare_game", MinigameScene(false));
		content.AddScene("minigame_effect", EffectScene());
		panel = new cGamePanel(nullptr);
		CreateMinigameEffect();
		scene->Update(0);
		game = new cTestMinigame("test_game", root());
	}

	cSceneObject* Child(const std::string& path) { return game->GetChildList().FindByPath(path); }
	bool IsSkipEnabled() { return Child("border/skip")->IsEnabled(); }

	// Updates the scene in steps of 1/8 s, which add up exactly.
	void Run(float seconds)
	{
		for (float done = 0; done < seconds; done += kStep)
			scene->Update(kStep);
	}

	static constexpr float kStep = 0.125f;

	cTestResources resources;
	cSceneContent content;
	cGamePanel* panel = nullptr;
	cTestMinigame* game = nullptr;
};
}

TEST_F(cMinigameTest, IsBuiltFromTheSceneOfItsNameBehindItsOwnCameraAndFrame)
{
	EXPECT_EQ(game->GetName(), "test_game");
	EXPECT_FALSE(game->IsVisible());
	ASSERT_NE(game->GetCamera(), nullptr);
	EXPECT_EQ(game->GetChildList().GetChildren().front(), game->GetCamera()) << "the camera covers the whole window";
	EXPECT_EQ(game->GetCamera()->GetName(), "camera");

	// The frame: in front of the puzzle, sorted after it, with its buttons bound.
	cSceneObject* border = Child("border");
	ASSERT_EQ(game->GetBorder(), border);
	const cMatrix& local = border->GetTransform().GetLocalMatrix();
	EXPECT_EQ(local._43, -1000.0f);
	EXPECT_EQ(local._41, 0.0f);
	for (const char* path : { "border", "border/close", "border/skip", "border/description" })
		EXPECT_EQ(Child(path)->GetSortKey(), 10) << path;
	EXPECT_EQ(Child("puzzle")->GetSortKey(), 0);
	EXPECT_EQ(Child("border/description")->GetProperties().GetProperty("text_id"), "minigame\\test_game");
	const cBoundingBox& box = game->GetWindowBox();
	EXPECT_EQ(box.min.x, kFrame.left);
	EXPECT_EQ(box.max.y, kFrame.top);
	EXPECT_EQ(box.min.z, 0.0f);
	EXPECT_EQ(box.max.z, 1.0f);
	EXPECT_TRUE(Child("border/close")->GetEvents().count("on_click"));
	EXPECT_TRUE(Child("border/skip")->GetEvents().count("on_click"));

	// A missing scene leaves the window with its camera alone.
	testing::internal::CaptureStderr();
	auto* empty = new cTestMinigame("missing_game", root());
	testing::internal::GetCapturedStderr();
	EXPECT_EQ(empty->GetChildList().GetChildren().size(), 1u);
	EXPECT_EQ(empty->GetBorder(), nullptr);
}

TEST_F(cMinigameTest, TheSkipBarFillsAndThenEnablesSkip)
{
	game->Show();
	EXPECT_TRUE(game->IsVisible());
	EXPECT_EQ(scene->GetTopModal(), game);
	EXPECT_FALSE(panel->IsHintButtonEnabled());
	EXPECT_FALSE(IsSkipEnabled());
	EXPECT_EQ(Probe(Child("bar")).animation, "fill");
	EXPECT_FALSE(Probe(Child("bar")).playing) << "the bar is moved, not played";

	Run(1.5f);
	EXPECT_FALSE(IsSkipEnabled());
	EXPECT_NEAR(Probe(Child("bar")).time, 2 * 1.5f / 3, 1e-3f) << "the animation at the bar's fraction";
	EXPECT_NEAR(Child("bar")->GetMotions().GetTimeByName("fill"), 1.5f, 1e-3f);
	Run(1.375f);
	EXPECT_FALSE(game->IsSkipBarComplete());
	Run(kStep);
	EXPECT_TRUE(game->IsSkipBarComplete());
	EXPECT_TRUE(IsSkipEnabled());
	EXPECT_EQ(Probe(Child("bar")).animation, "complete");

	// Showing again starts the bar over.
	game->Show();
	EXPECT_FALSE(IsSkipEnabled());
	EXPECT_EQ(Probe(Child("bar")).time, 0.0f);
}

TEST_F(cMinigameTest, WithoutAFillClipSkipWorksAfterTheFirstUpdate)
{
	// The bar's animation has no length and "fill" is no clip of the
	// window's own motions: the bar is full at once and every seek stays finite.
	Child("bar")->GetMotions().CreatePlayer("");
	Probe(Child("bar")).length = 0;
	game->Show();
	EXPECT_FALSE(IsSkipEnabled());
	scene->Update(kStep);
	EXPECT_TRUE(IsSkipEnabled());
	const std::vector<float>& seeks = static_cast<cClipVisual&>(Probe(Child("bar"))).seeks;
	ASSERT_FALSE(seeks.empty());
	for (float fraction : seeks)
		EXPECT_EQ(fraction, 0.0f);
	EXPECT_EQ(Probe(Child("bar")).animation, "complete");
}

TEST_F(cMinigameTest, SkippingWinsAtOnceAndCloses)
{
	game->Show();
	Run(3.125f);
	Child("border/skip")->FireEvent("on_click");
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_EQ(game->GetState(), cGameWindow::kDisappear);
	EXPECT_EQ(scene->GetTopModal(), nullptr);
	EXPECT_TRUE(panel->IsHintButtonEnabled());
	Run(0.25f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");

	// The close button leaves the result empty; showing again clears a win.
	game->Show();
	EXPECT_EQ(game->GetResult(), "");
	Child("border/close")->FireEvent("on_click");
	Run(0.25f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "");
}

TEST_F(cMinigameTest, ASolveWaitsForTheEffectOverlayBeforeItHides)
{
	cGameWindow* effect = GetMinigameEffect();
	ASSERT_NE(effect, nullptr);
	EXPECT_EQ(effect->GetParent(), root());
	EXPECT_EQ(effect->GetName(), "special_effect");
	const cVector3d place = effect->GetTransform().GetWorldMatrix().GetTranslation();
	EXPECT_TRUE(place.x == 394 && place.y == 384 && place.z == -1700);
	EXPECT_EQ(effect->GetChildList().FindChild("picture")->GetSortKey(), 100);
	EXPECT_FALSE(effect->IsVisible());

	game->Show();
	Run(0.5f);
	// No "victory" sound here: the delay is 0, so the overlay alone holds the window.
	testing::internal::CaptureStderr();
	game->SolveWithVictory();
	testing::internal::GetCapturedStderr();
	EXPECT_EQ(game->GetResult(), "win") << "set by the victory itself";
	EXPECT_TRUE(game->IsSolved());
	EXPECT_TRUE(effect->IsVisible());
	EXPECT_EQ(EffectProbe().animation, "appear");
	Run(0.375f);
	EXPECT_TRUE(game->IsVisible());
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking);

	// The overlay's animation ends: the window and the overlay go together.
	Run(kStep);
	EXPECT_FALSE(EffectProbe().playing);
	EXPECT_EQ(game->GetState(), cGameWindow::kDisappear);
	EXPECT_EQ(effect->GetState(), cGameWindow::kDisappear) << "the minigame hides the overlay";
	Run(0.25f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigameTest, ASolveWithoutTheVictorySoundStillWinsWhenClosedEarly)
{
	const struct
	{
		float closeAfter; // < 0: not closed
		const char* resultAt;
	} cases[] = {
		{ -1, "win" },  // the countdown ends and wins
		{ 0.5f, "win" }, // closed by the button before it ends
		{ 0.0f, "win" }, // closed in the frame of the solve
	};
	for (const auto& c : cases)
	{
		game->Show();
		game->SolveQuietly(1.0f);
		EXPECT_EQ(game->GetResult(), "");
		if (c.closeAfter >= 0)
		{
			Run(c.closeAfter);
			EXPECT_TRUE(game->IsVisible());
			game->OnClose();
		}
		Run(1.25f);
		EXPECT_FALSE(game->IsVisible()) << c.closeAfter;
		EXPECT_EQ(game->GetResult(), c.resultAt) << c.closeAfter;
	}
	EXPECT_FALSE(GetMinigameEffect()->IsVisible()) << "a quiet solve shows no overlay";
}

TEST_F(cMinigameTest, AWindowWithoutBorderIsShownAndWins)
{
	delete game;
	auto* bare = new cTestMinigame("bare_game", root());
	EXPECT_EQ(bare->GetBorder(), nullptr);
	bare->ClaimBorder(cBoundingBox().SetFromPoints(cVector3d(0, 0, 0), cVector3d(10, 10, 1)));
	bare->Show();
	scene->Update(kStep);
	std::vector<sDrawEntry> queue;
	cCamera* camera = nullptr;
	bare->CollectDraw(queue, camera);
	EXPECT_EQ(camera, nullptr) << "the slot is given back";
	bare->SolveQuietly(0);
	scene->Update(kStep);
	EXPECT_EQ(bare->GetResult(), "win");
}

TEST(cMinigameFactory, KnowsTheGamesNamesAndMakesNothingForOthers)
{
	const char* const table[] = { "hammer", "statue", "bag", "connectors", "wire", "key", "periscope", "platens",
		"glass", "globe", "faces", "tower", "triangles", "picture", "skull", "device", "tube", "fingers", "terminal",
		"l6_box", "computer", "code_enter1", "code_enter2", "l10_terminal", "phone", "safe", "fan", "lock" };
	cMinigameFactory* factory = cMinigameFactory::GetInstance();
	cSceneObject parent("location", nullptr);
	int index = 0;
	// The minigames built so far, each made as its own class.
	const std::map<std::string, bool (*)(cMinigame*)> built = {
		{ "hammer", &IsA<cMinigameHammer> }, { "statue", &IsA<cMinigameStatue> },
		{ "connectors", &IsA<cMinigameConnectors> }, { "wire", &IsA<cMinigameWire> },
		{ "platens", &IsA<cMinigamePlatens> }, { "faces", &IsA<cMinigameFaces> }, { "tower", &IsA<cMinigameTower> },
		{ "triangles", &IsA<cMinigameTriangles> }, { "picture", &IsA<cMinigamePicture> },
		{ "skull", &IsA<cMinigameSkull> }, { "device", &IsA<cMinigameDevice> }, { "tube", &IsA<cMinigameTube> },
		{ "key", &IsA<cMinigameKey> }, { "glass", &IsA<cMinigameGlass> }, { "fingers", &IsA<cMinigameFingers> },
		{ "fan", &IsA<cMinigameFan> }, { "bag", &IsA<cMinigameBag> }, { "code_enter1", &IsA<cMinigameCodeEnter1> },
		{ "code_enter2", &IsA<cMinigameCodeEnter2> }, { "l6_box", &IsA<cMinigameL6Box> },
		{ "terminal", &IsA<cMinigameTerminal> }, { "l10_terminal", &IsA<cMinigameL10Terminal> },
		{ "computer", &IsA<cMinigameComputer> },
		{ "globe", &IsA<cMinigameGlobe> },
		{ "lock", &IsA<cMinigameLock> }, { "safe", &IsA<cMinigameSafe> }, { "phone", &IsA<cMinigamePhone> },
		{ "periscope", &IsA<cMinigamePeriscope> },
	};
	for (const char* name : table)
	{
		EXPECT_EQ(factory->GetRegistry().GetIndex(name), index) << name;
		const bool hasCreator = factory->GetRegistry().GetCreator(index++) != nullptr;
		testing::internal::CaptureStderr();
		cMinigame* game = factory->Create(name, &parent);
		const std::string logged = testing::internal::GetCapturedStderr();
		if (!hasCreator)
		{
			EXPECT_EQ(game, nullptr) << name;
			EXPECT_NE(logged.find("Minigame '" + std::string(name) + "' is not built yet"), std::string::npos);
			continue;
		}
		ASSERT_NE(game, nullptr) << name;
		const auto isItsClass = built.find(name);
		ASSERT_NE(isItsClass, built.end()) << name;
		EXPECT_TRUE(isItsClass->second(game)) << name;
		EXPECT_EQ(game->GetName(), name);
		EXPECT_EQ(game->GetParent(), &parent);
		delete game;
	}
	for (const char* name : { "Hammer", "LOCK", "hammer ", "", "minigame" })
	{
		testing::internal::CaptureStderr();
		EXPECT_EQ(factory->Create(name, &parent), nullptr) << name;
		EXPECT_NE(testing::internal::GetCapturedStderr().find("Unknown minigame '" + std::string(name) + "'"),
			std::string::npos);
	}
	EXPECT_TRUE(parent.GetChildList().GetChildren().empty());
}

TEST(cMinigameFactory, ACreatorMakesItsMinigameUnderTheParentWithTheRegisteredName)
{
	cMinigameFactory* factory = cMinigameFactory::GetInstance();
	factory->Register("probe_game", &CreateMinigame<cTestMinigame>);
	// A name of the table keeps its first creator.
	factory->Register("hammer", &CreateMinigame<cTestMinigame>);
	cSceneObject parent("location", nullptr);
	testing::internal::CaptureStderr();
	std::unique_ptr<cMinigame> hammer(factory->Create("hammer", &parent));
	EXPECT_EQ(dynamic_cast<cTestMinigame*>(hammer.get()), nullptr);
	std::unique_ptr<cMinigame> game(factory->Create("probe_game", &parent));
	testing::internal::GetCapturedStderr();
	ASSERT_NE(dynamic_cast<cTestMinigame*>(game.get()), nullptr);
	EXPECT_EQ(game->GetName(), "probe_game");
	EXPECT_EQ(game->GetParent(), &parent);
}

TEST_F(cMinigameTest, AfterNeedCodeTheWindowTakesInputAgainOnceNoDialogueRuns)
{
	game->Show();
	panel->SetTooltipText(L"Door");
	// No dialogue manager: the dialogue counts as ended at the next update.
	game->NeedCode("location1", "arg");
	EXPECT_FALSE(game->IsEnabled());
	EXPECT_EQ(scene->GetTopModal(), nullptr);
	scene->Update(kStep);
	EXPECT_TRUE(game->IsEnabled());
	EXPECT_EQ(scene->GetTopModal(), game);
	EXPECT_EQ(panel->GetTooltipText(), L"");
}
