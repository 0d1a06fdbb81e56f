// The diary and map window on the screen with real input: in loading mode
// close stays disabled until the load has finished and the click on it
// shows the loaded location, the diary leaving with the map-effect
// window's "disappear"; a newly opened point is revealed (drawn, read
// back) once the window works; in viewing mode close works at once; bad
// map places select nothing or the last point, never a point before the
// first.

#include "ScreenTestSupport.h"

#include "engine/scene/cTextObject.h"
#include "game/play/LocationGlobals.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/cDiaryWindow.h"

namespace
{
// Three points at (100, 300), (200, 300) and (300, 300); their red labels
// at (x, 400) for labels 1 to 3 and (20, 400) for label 0; close at
// (500, 50); "hide" and "show" take 0.5 s each, "main" loops.
const char* const kDiaryScene = R"(
	<object name="page" motion="slide">
		<add_motion name="start" first="0" last="1" length="0.1"/>
		<add_motion name="hide" first="0" last="10" length="0.5"/>
		<add_motion name="show" first="10" last="20" length="0.5"/>
	</object>
	<object name="bar" motion="slide">
		<add_motion name="main" first="0" last="30" length="1" loop="true"/>
		<add_motion name="complete" first="0" last="30" length="0.5"/>
	</object>
	<button name="close" model="block" local="1 0 0 0 1 0 0 0 1 500 50 0"/>
	<button name="1" model="block" local="1 0 0 0 1 0 0 0 1 100 300 0"/>
	<button name="2" model="block" local="1 0 0 0 1 0 0 0 1 200 300 0"/>
	<button name="3" model="block" local="1 0 0 0 1 0 0 0 1 300 300 0"/>
	<geometry name="location0" model="marker" local="1 0 0 0 1 0 0 0 1 20 400 0"/>
	<geometry name="location1" model="marker" local="1 0 0 0 1 0 0 0 1 100 400 0"/>
	<geometry name="location2" model="marker" local="1 0 0 0 1 0 0 0 1 200 400 0"/>
	<geometry name="location3" model="marker" local="1 0 0 0 1 0 0 0 1 300 400 0"/>
	<text name="diary_text" font_id="22"/>)";

// Plays only "disappear", until told it has ended.
class cDisappearVisual : public cProbeVisual
{
public:
	using cProbeVisual::cProbeVisual;
	void PlayAnimation(const std::string& name) override
	{
		if (name == "disappear")
			cProbeVisual::PlayAnimation(name);
	}
};

class cDiaryWindowTest : public cScreenTest
{
protected:
	void SetUp() override
	{
		cScreenTest::SetUp();
		if (HasFatalFailure())
			return;
		g_currentProgress = &progress;
		mapEffect = new cGameWindow("map_effect", camera, false);
		new cSceneObject("target", new cSceneObject("rt", mapEffect));
		auto* fx = new cSceneObject("fx", mapEffect);
		fx->SetVisual(new cDisappearVisual(fx));
		effectAnimation = &Probe(fx);
		location = new cGameWindow("location2", camera, false);
	}

	void TearDown() override
	{
		g_currentProgress = nullptr;
		g_locationLoading = false;
		g_locationToShow = nullptr;
		cScreenTest::TearDown();
	}

	// A diary under the map-effect window, built from the test's scene
	// unless told otherwise.
	cDiaryWindow* NewDiary(bool withScene = true)
	{
		if (withScene)
			content.AddScene("diary", kDiaryScene);
		auto* diary = new cDiaryWindow(mapEffect);
		EXPECT_EQ(cDiaryWindow::Get(), diary);
		return diary;
	}

	cSceneObject* Child(cDiaryWindow* diary, const std::string& name)
	{
		return diary->GetChildList().FindChild(name);
	}

	// The text the diary text shows.
	std::wstring DiaryText(cDiaryWindow* diary)
	{
		return static_cast<cTextObject*>(Child(diary, "diary_text"))->GetTextVisual()->GetText();
	}

	// Which points and labels are visible, as "1-3 / 0" and the like.
	static std::string Visible(const std::vector<cSceneObject*>& objects, int first)
	{
		std::string shown;
		for (size_t index = 0; index < objects.size(); ++index)
			if (objects[index]->IsVisible())
				shown += std::to_string(int(index) + first);
		return shown;
	}

	// Clicks at the logical point and lets the button see the release.
	void ClickAt(int x, int y)
	{
		MoveTo(x, y);
		Click(0);
		Step(0);
	}

	cPlayerProgress progress;
	cGameWindow* mapEffect = nullptr;
	cProbeVisual* effectAnimation = nullptr;
	cGameWindow* location = nullptr;
};
}

TEST_F(cDiaryWindowTest, LoadingModeEnablesCloseOnceLoadedAndItsClickShowsTheLocation)
{
	progress.mapPlaces = { 0, 1 };
	g_locationLoading = true;
	cDiaryWindow* diary = NewDiary();
	EXPECT_EQ(diary->GetParent()->GetName(), "target");
	EXPECT_EQ(diary->GetSortKey(), 50);
	ASSERT_EQ(diary->GetPoints().size(), 3u);
	ASSERT_EQ(diary->GetLabels().size(), 4u);

	diary->Show();
	g_locationToShow = location;
	EXPECT_FALSE(diary->IsWaiting()) << "nobody waits on the diary";
	EXPECT_TRUE(diary->IsLoadingMode());
	EXPECT_EQ(mapEffect->GetState(), cGameWindow::kAppear);
	EXPECT_FLOAT_EQ(diary->GetTransform().GetWorldMatrix()._43, -1600);
	EXPECT_EQ(Visible(diary->GetPoints(), 1), "12");
	EXPECT_EQ(Visible(diary->GetLabels(), 0), "2");
	EXPECT_EQ(diary->GetSelectedPoint(), diary->GetPoints()[1]);
	EXPECT_FALSE(diary->GetPoints()[1]->IsEnabled()) << "the selected point cannot be clicked";
	EXPECT_EQ(DiaryText(diary), L"AA") << "diary\\location2";
	EXPECT_FALSE(Child(diary, "close")->IsEnabled());

	// At least 1.5 s of appear; the location is still loading.
	Step(0.7f);
	Step(0.7f);
	EXPECT_EQ(diary->GetState(), cGameWindow::kAppear);
	Step(0.2f);
	EXPECT_EQ(diary->GetState(), cGameWindow::kWorking);
	ClickAt(520, 70);
	EXPECT_EQ(diary->GetState(), cGameWindow::kWorking) << "close is disabled while loading";
	EXPECT_FALSE(diary->IsLoaded());

	// The load ends: "complete" plays, "main" stops, close works.
	g_locationLoading = false;
	Step(0);
	EXPECT_TRUE(diary->IsLoaded());
	EXPECT_TRUE(Child(diary, "bar")->GetMotions().IsPlayingByName("complete"));
	EXPECT_TRUE(Child(diary, "close")->IsEnabled());
	ClickAt(520, 70);
	EXPECT_TRUE(location->IsVisible()) << "the loaded location is shown";
	EXPECT_EQ(diary->GetState(), cGameWindow::kDisappear);
	EXPECT_EQ(mapEffect->GetState(), cGameWindow::kDisappear);

	// The diary stays until the map-effect window's "disappear" has played.
	Step(0.5f);
	EXPECT_TRUE(diary->IsVisible());
	effectAnimation->playing = false;
	Step(0);
	EXPECT_FALSE(diary->IsVisible());
	EXPECT_NE(scene->GetTopModal(), diary);
}

TEST_F(cDiaryWindowTest, ANewlyOpenedPointIsRevealedOnceTheDiaryWorks)
{
	progress.mapPlaces = { 0 };
	cDiaryWindow* diary = NewDiary();
	diary->Show();
	effectAnimation->playing = false;
	diary->GetProperties().SetProperty("complete", "3");
	EXPECT_EQ(progress.mapPlaces, (std::vector<int> { 0, 2 }));
	EXPECT_EQ(diary->GetRevealPhase(), 1);
	diary->GetProperties().SetProperty("complete", "3");
	EXPECT_EQ(progress.mapPlaces, (std::vector<int> { 0, 2 })) << "a point opened before changes nothing";

	// After the appear the new point shows and "hide" plays; then it is
	// selected and "show" plays.
	for (int frame = 0; frame < 4; ++frame)
		Step(0.4f);
	EXPECT_EQ(diary->GetState(), cGameWindow::kWorking);
	EXPECT_EQ(Visible(diary->GetPoints(), 1), "13");
	EXPECT_EQ(diary->GetRevealPhase(), 1);
	EXPECT_EQ(diary->GetSelectedPoint(), diary->GetPoints()[0]);
	Step(0.4f);
	EXPECT_EQ(diary->GetRevealPhase(), 1) << "\"hide\" plays for 0.5 s";
	Step(0.2f);
	EXPECT_EQ(diary->GetRevealPhase(), 2);
	EXPECT_EQ(diary->GetSelectedPoint(), diary->GetPoints()[2]);
	EXPECT_EQ(Visible(diary->GetLabels(), 0), "3");
	Step(0.6f);
	EXPECT_EQ(diary->GetRevealPhase(), 0);

	// The visited places are drawn, the others not; the selected label too.
	const sPixels pixels = Draw();
	for (const auto& [x, drawn] : { std::pair { 120, true }, { 220, false }, { 320, true } })
		EXPECT_EQ(ColorNear(At(pixels, x, 320), 0xFFFFFFFF), drawn) << x;
	EXPECT_TRUE(ColorNear(At(pixels, 320, 420), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(At(pixels, 120, 420), 0xFF000000));

	// A click on another point selects it and frees the one before.
	ClickAt(120, 320);
	EXPECT_EQ(diary->GetSelectedPoint(), diary->GetPoints()[0]);
	EXPECT_TRUE(diary->GetPoints()[2]->IsEnabled());
	EXPECT_EQ(Visible(diary->GetLabels(), 0), "1");
	EXPECT_EQ(DiaryText(diary), L"A") << "diary\\location1";
}

TEST_F(cDiaryWindowTest, ViewingModeClosesAtOnceAndWithoutPlacesShowsNoPoint)
{
	cDiaryWindow* diary = NewDiary();
	diary->SetNextMode(false);
	diary->Show();
	effectAnimation->playing = false;
	EXPECT_FALSE(diary->IsLoadingMode());
	EXPECT_TRUE(Child(diary, "close")->IsEnabled());
	EXPECT_EQ(Visible(diary->GetPoints(), 1), "");
	EXPECT_EQ(Visible(diary->GetLabels(), 0), "0");
	EXPECT_EQ(DiaryText(diary), L"") << "diary\\location0";
	Step(0);
	EXPECT_EQ(diary->GetState(), cGameWindow::kWorking);
	ClickAt(520, 70);
	EXPECT_FALSE(diary->IsVisible());
	EXPECT_FALSE(mapEffect->IsVisible());

	// The next showing is in loading mode again.
	diary->Show();
	EXPECT_TRUE(diary->IsLoadingMode());
}

TEST_F(cDiaryWindowTest, MapPlacesOutsideThePointsSelectNothingOrTheLastPoint)
{
	const struct
	{
		const char* name;
		const char* scene;
		std::vector<int> places;
		int complete;
		std::vector<int> storedPlaces;
		int selected;
	} cases[] = {
		{ "a negative complete", kDiaryScene, { 0 }, -3, { 0 }, 0 },
		{ "a damaged profile's place", kDiaryScene, { -1 }, 0, { -1 }, -1 },
		{ "a place past the end", kDiaryScene, { 1, 7 }, 0, { 1, 7 }, 2 },
		{ "no points", R"(<button name="close" model="block"/>)", { 0 }, 2, { 0, 1 }, -1 },
	};
	for (const auto& row : cases)
	{
		cSceneContent scenes;
		scenes.AddScene("diary", row.scene);
		auto* diary = new cDiaryWindow(nullptr);
		progress.mapPlaces = row.places;
		diary->GetProperties().SetProperty("complete", std::to_string(row.complete));
		EXPECT_EQ(progress.mapPlaces, row.storedPlaces) << row.name;
		diary->Show();
		for (int frame = 0; frame < 6; ++frame)
			Step(0.4f);
		cSceneObject* expected = row.selected < 0 ? nullptr : diary->GetPoints()[size_t(row.selected)];
		EXPECT_EQ(diary->GetSelectedPoint(), expected) << row.name;
		EXPECT_EQ(diary->GetState(), cGameWindow::kWorking) << row.name;
		delete diary;
	}
}

TEST_F(cDiaryWindowTest, WithoutItsSceneTheDiaryStillShowsAndCloses)
{
	cDiaryWindow* diary = NewDiary(false);
	EXPECT_TRUE(diary->GetPoints().empty());
	diary->Show();
	effectAnimation->playing = false;
	Step(1);
	Step(1);
	EXPECT_EQ(diary->GetState(), cGameWindow::kWorking);
	diary->Hide();
	effectAnimation->playing = false;
	Step(0);
	EXPECT_FALSE(diary->IsVisible());
}
