// The game panel's menu and room buttons on the screen with real mouse
// clicks, the windows they open read back from the drawn pixels: the menu
// button opens the in-game options window, whose "back to the main menu"
// leaves for the main menu; the room button opens the diary and map window
// for viewing, but not while a menu is open.

#include "../screens/ScreenTestSupport.h"

#include "game/location/CurrentLocation.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/cDiaryWindow.h"

namespace
{
// Both buttons are 40 by 40 from their corner (y up).
const char* const kGamePanel = R"(
	<button name="menu_button" model="block" local="1 0 0 0 1 0 0 0 1 20 20 0"/>
	<button name="room_button" model="block" local="1 0 0 0 1 0 0 0 1 580 20 0"/>)";

// The options window: a red sheet and the button back to the main menu.
const char* const kOptions = R"(
	<geometry name="sheet" model="marker" local="1 0 0 0 1 0 0 0 1 300 300 0"/>
	<button name="to_main_menu" model="block" local="1 0 0 0 1 0 0 0 1 300 200 0"/>)";

// The diary's page: a wide white bar.
const char* const kDiary = R"(<geometry name="page" model="wide" local="1 0 0 0 1 0 0 0 1 200 400 0"/>)";

const D3DCOLOR kRed = 0xFFFF0000;
const D3DCOLOR kWhite = 0xFFFFFFFF;

// Stands in for the options menu: its button fires the window's "back_to_mmenu".
class cOptionsWindow : public cGameWindow
{
public:
	explicit cOptionsWindow(cSceneObject* parent) : cGameWindow("in_game_options", parent, false)
	{
		cSceneResource::BuildInto("in_game_options", *this);
		BindChildEvent("to_main_menu", "on_click", tEvent(MakeMemberDelegate(this, &cOptionsWindow::OnBack)));
	}

private:
	void OnBack(cSceneObject*) { FireEvent("back_to_mmenu"); }
};

class cGamePanelMenuTest : public cScreenTest
{
protected:
	void SetUp() override
	{
		cScreenTest::SetUp();
		if (HasFatalFailure())
			return;
		g_currentProgress = &progress;
		content.AddScene("gamepanel", kGamePanel);
		content.AddScene("in_game_options", kOptions);
		content.AddScene("diary", kDiary);
		cSceneObject* effect = new cSceneObject("effect", camera);
		new cSceneObject("target", new cSceneObject("rt", effect));
		panel = new cGamePanel(effect);
		options = new cOptionsWindow(camera);
		panel->SetOptionsWindow(options);
		diary = new cDiaryWindow(nullptr);
		SetDiaryWindow(diary);
		mainMenu = new cGameWindow("mainmenu", camera, false);
		SetMainMenuWindow(mainMenu);
		panel->Show();
		Step(0);
	}

	void TearDown() override
	{
		SetDiaryWindow(nullptr);
		SetMainMenuWindow(nullptr);
		g_currentProgress = nullptr;
		cScreenTest::TearDown();
	}

	// Clicks at the logical point, lets the button see the release and
	// gives the windows time to appear or disappear.
	void ClickAt(int x, int y)
	{
		MoveTo(x, y);
		Click(0);
		Step(0);
		Step(0.1f);
	}

	cPlayerProgress progress;
	cGamePanel* panel = nullptr;
	cGameWindow* options = nullptr;
	cDiaryWindow* diary = nullptr;
	cGameWindow* mainMenu = nullptr;
};
}

TEST_F(cGamePanelMenuTest, TheMenuButtonOpensTheOptionsAndTheyLeaveForTheMainMenu)
{
	sPixels pixels = Draw();
	EXPECT_TRUE(ColorNear(At(pixels, 40, 40), kWhite)) << "the menu button";
	EXPECT_FALSE(ColorNear(At(pixels, 320, 320), kRed));
	EXPECT_FALSE(panel->IsMenuOpen());

	ClickAt(40, 40);
	EXPECT_TRUE(options->IsVisible());
	EXPECT_TRUE(panel->IsMenuOpen());
	EXPECT_EQ(options->GetTransform().GetLocalMatrix()._43, -1500.0f);
	pixels = Draw();
	EXPECT_TRUE(ColorNear(At(pixels, 320, 320), kRed)) << "the options window is drawn";

	// The room button does nothing while the options are open.
	ClickAt(600, 40);
	EXPECT_FALSE(diary->IsVisible());

	ClickAt(320, 220);
	EXPECT_FALSE(options->IsVisible());
	EXPECT_TRUE(mainMenu->IsVisible());
	EXPECT_FALSE(g_scenarioChange) << "a smooth return";
	EXPECT_FALSE(panel->IsMenuOpen());
	EXPECT_FALSE(ColorNear(At(Draw(), 320, 320), kRed)) << "the options window is gone";
}

TEST_F(cGamePanelMenuTest, TheRoomButtonOpensTheDiaryForViewing)
{
	EXPECT_FALSE(ColorNear(At(Draw(), 300, 380), kWhite));
	panel->SetTooltipText(L"door");
	ClickAt(600, 40);
	EXPECT_TRUE(diary->IsVisible());
	EXPECT_FALSE(diary->IsLoadingMode()) << "opened for viewing";
	EXPECT_EQ(panel->GetTooltipText(), L"");
	EXPECT_TRUE(ColorNear(At(Draw(), 300, 420), kWhite)) << "the diary's page is drawn";
	Step(0.1f);
	EXPECT_EQ(diary->GetState(), cGameWindow::kWorking);
	EXPECT_TRUE(panel->IsMenuOpen());
	// The next showing loads again.
	diary->Hide();
	diary->Show();
	EXPECT_TRUE(diary->IsLoadingMode());
}

TEST_F(cGamePanelMenuTest, HidingThePanelHidesTheOptions)
{
	ClickAt(40, 40);
	ASSERT_TRUE(options->IsVisible());
	panel->Hide();
	Step(0.1f);
	EXPECT_FALSE(options->IsVisible());
}
