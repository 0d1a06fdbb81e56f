// The comics and movie windows on the screen with real input: a comic's
// parts advance on left clicks, its prompt fades in (read back) and the
// next click ends the wait; a movie ignores Escape and clicks for its first
// 2 seconds and while "notclicked" is set, ends by time, and a movie
// window without a movie still ends its owner's wait.

#include "ScreenTestSupport.h"

#include "engine/scene/cTextObject.h"
#include "game/screens/cComicsWindow.h"
#include "game/screens/cMovieWindow.h"

namespace
{
// Two parts of 1 s each: a panel sliding 20 to the right over 2 s.
const char* const kComic = R"(
	<object name="root" parts="2" local="1 0 0 0 1 0 0 0 1 0 0 0">
		<geometry name="panel" model="block" motion="slide">
			<add_motion name="show" first="0" last="20" length="2"/>
		</geometry>
	</object>)";

// A movie of 5 s.
const char* const kMovie = R"(
	<geometry name="frame" model="wide" motion="slide">
		<add_motion name="movie" first="0" last="10" length="5"/>
	</geometry>)";

class cCutSceneWindowTest : public cScreenTest
{
protected:
	// The prompt's brightness where "cb" puts it: at the bottom centre.
	int Prompt() { return Brightest(Draw(), kWidth / 2 - 30, 0, kWidth / 2 + 30, 40); }
};
}

TEST_F(cCutSceneWindowTest, AComicAdvancesByClicksThenItsPromptFadesInAndAClickEndsIt)
{
	content.AddScene("comic", kComic);
	auto* comics = new cComicsWindow("comic", nullptr);
	EXPECT_EQ(comics->GetParent(), camera) << "without a parent under the default camera";
	EXPECT_FLOAT_EQ(comics->GetPartLength(), 1);
	cTextObject* prompt = comics->GetPressKeyText();
	ASSERT_TRUE(prompt);
	EXPECT_EQ(prompt->GetParent()->GetName(), "root");
	EXPECT_EQ(comics->GetSortKey(), 40);

	comics->Show();
	EXPECT_TRUE(comics->IsWaiting());
	EXPECT_FLOAT_EQ(comics->GetTransform().GetWorldMatrix()._43, -1100);
	Step(0);
	ASSERT_EQ(comics->GetState(), cGameWindow::kWorking);
	Step(0.25f);
	EXPECT_FLOAT_EQ(comics->GetMotions().GetTime(), 0.25f);

	// A click in part 1 seeks to the start of part 2, one in part 2 to the end.
	Click(0);
	EXPECT_FLOAT_EQ(comics->GetMotions().GetTime(), 1);
	EXPECT_EQ(Prompt(), 0);
	Click(0);
	EXPECT_FLOAT_EQ(comics->GetMotions().GetTime(), 2);
	EXPECT_TRUE(comics->IsWaiting());
	Step(0);
	ASSERT_TRUE(comics->IsPromptShown());
	EXPECT_EQ(Prompt(), 0);
	Step(0.4f);
	EXPECT_NEAR(Prompt(), 128, 8) << "half way through the fade";

	// The click while the prompt fades in ends the wait; the window hides.
	Click(0);
	EXPECT_FALSE(comics->IsWaiting());
	EXPECT_EQ(comics->GetState(), cGameWindow::kDisappear);
	Step(0);
	EXPECT_FALSE(comics->IsVisible());

	// Shown again it restarts from the first part.
	comics->Show();
	Step(0);
	Step(0.5f);
	EXPECT_FLOAT_EQ(comics->GetMotions().GetTime(), 0.5f);
	EXPECT_FALSE(comics->IsPromptShown());
}

TEST_F(cCutSceneWindowTest, AComicWithoutItsSceneShowsThePromptAndCloses)
{
	auto* comics = new cComicsWindow("no_such_comic", nullptr);
	EXPECT_EQ(comics->GetPressKeyText()->GetParent(), comics);
	comics->Show();
	Click(0);
	Step(0);
	EXPECT_TRUE(comics->IsPromptShown());
	Step(1);
	EXPECT_GT(Prompt(), 250);
	Click(0);
	EXPECT_FALSE(comics->IsWaiting());
	Step(0);
	EXPECT_FALSE(comics->IsVisible());
}

TEST_F(cCutSceneWindowTest, AMovieIsSkippedOnlyAfterTwoSecondsAndWhileClicksAreAllowed)
{
	content.AddScene("film", kMovie);
	auto* movie = new cMovieWindow("film", nullptr);
	EXPECT_EQ(movie->GetSortKey(), 40);
	movie->Show();
	EXPECT_TRUE(movie->HasMovie());
	EXPECT_FLOAT_EQ(movie->GetRemaining(), 5);
	EXPECT_FLOAT_EQ(movie->GetTransform().GetWorldMatrix()._43, -1200);
	Step(0);
	ASSERT_EQ(movie->GetState(), cGameWindow::kWorking);

	// In the first 2 seconds neither Escape nor a click counts.
	Step(1);
	Tap(DIK_ESCAPE, 0.5f);
	Click(0);
	EXPECT_TRUE(movie->IsWaiting());

	// After them, not while "notclicked" is set, and not other keys.
	Step(0.6f);
	movie->GetProperties().SetProperty("notclicked", "1");
	Tap(DIK_ESCAPE, 0);
	Click(0);
	movie->GetProperties().SetProperty("notclicked", "false");
	Tap(DIK_RETURN, 0);
	EXPECT_TRUE(movie->IsWaiting());
	Tap(DIK_ESCAPE, 0);
	EXPECT_FALSE(movie->IsWaiting());
	EXPECT_EQ(movie->GetState(), cGameWindow::kDisappear);
	EXPECT_EQ(scene->GetTopModal(), nullptr) << "the disappearing movie takes no more input";

	// Shown again, a click after 2 s ends it as well.
	movie->Show();
	Step(0);
	Step(2.1f);
	Click(0);
	EXPECT_FALSE(movie->IsWaiting());
}

TEST_F(cCutSceneWindowTest, AMovieEndsWhenItHasRunOut)
{
	content.AddScene("film", kMovie);
	auto* movie = new cMovieWindow("film", nullptr);
	movie->GetProperties().SetProperty("notclicked", "true");
	movie->Show();
	Step(0);
	for (int second = 0; second < 4; ++second)
		Step(1);
	EXPECT_TRUE(movie->IsWaiting());
	Step(1.1f);
	EXPECT_FALSE(movie->IsWaiting());
	EXPECT_EQ(movie->GetState(), cGameWindow::kDisappear);
}

TEST_F(cCutSceneWindowTest, AMovieWindowWithoutAMovieStillEndsItsOwnersWait)
{
	content.AddScene("still", R"(<geometry name="frame" model="wide"/>)");
	for (const char* sceneName : { "no_such_movie", "still" })
	{
		auto* movie = new cMovieWindow(sceneName, nullptr);
		movie->Show();
		EXPECT_FALSE(movie->HasMovie()) << sceneName;
		EXPECT_TRUE(movie->IsNotClicked()) << sceneName;
		// The owner asks for no clicks after Show, as the flow command does.
		movie->GetProperties().SetProperty("notclicked", "true");
		Step(0);
		EXPECT_FALSE(movie->IsWaiting()) << sceneName;
		EXPECT_EQ(movie->GetState(), cGameWindow::kDisappear) << sceneName;
	}
}
