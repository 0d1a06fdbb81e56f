// The periscope played with the mouse: the route walked by clicking the
// direction buttons, each step worked out from the route itself; wrong
// steps light the lamp red until stepped back; presses at the edge, during
// a step or once solved do nothing; the centre button glides the view
// back; a scene without its view and buttons.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigamePeriscope.h"

namespace
{
// One cell of the view; the view's marker sits on cell (0, 0) at the start.
constexpr float kCell = 60;
// The end cell lies just left of the effect overlay's square.
constexpr sRect kMarker { 110, 150, 160, 200 };
constexpr sRect kScope { 100, 100, 900, 700 };
constexpr sRect kLamp { 600, 600, 680, 680 };
using sCell = cMinigamePeriscope::sCell;

// "cells": the four one-cell steps, left (keys 0 to 10), right (11 to 21),
// up (22 to 32) and down (33 to 43).
std::string CellBytes()
{
	cMotionWriter writer;
	const float steps[4][2] = { { -kCell, 0 }, { kCell, 0 }, { 0, kCell }, { 0, -kCell } };
	for (int step = 0; step < 4; ++step)
	{
		writer.AddKeyTime(float(step) * 11).AddPosition(0, 0, 0);
		writer.AddKeyTime(float(step) * 11 + 10).AddPosition(steps[step][0], steps[step][1], 0);
	}
	return writer.GetBytes();
}

struct sButton
{
	const char* name;
	sCell change;
	sRect rect;
};

const sButton kButtons[] = {
	{ "button_left", { 0, -1 }, { 700, 300, 760, 360 } },
	{ "button_right", { 0, 1 }, { 820, 300, 880, 360 } },
	{ "button_up", { 1, 0 }, { 760, 360, 820, 420 } },
	{ "button_down", { -1, 0 }, { 760, 240, 820, 300 } },
	{ "button_center", { 0, 0 }, { 760, 300, 820, 360 } },
};

// The middle of the cell in the minigame's screen.
float CellX(const sCell& cell) { return (kMarker.left + kMarker.right) / 2 + float(cell.r) * kCell; }
float CellY(const sCell& cell) { return (kMarker.bottom + kMarker.top) / 2 + float(cell.u) * kCell; }

class PeriscopeTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		content.AddMotion("cells", CellBytes());
		AddModels({ { "scope", kScope, "grey" }, { "esb", kMarker, "white" }, { "glass", kMarker, "green" },
			{ "lamp", kLamp, "red" } });
		for (const sButton& button : kButtons)
			AddModels({ { button.name, button.rect, "yellow" } });
		AddSound("moving9loc", 0.1f);
		AddSound("button_click", 0.1f);
		AddSound("victory", 0.5f);
	}

	// The view steps a cell in 0.2 s; the glass lies over its marker; the
	// lamp fades in with "red" and out with "green".
	static std::string Scene(bool withView = true)
	{
		std::string scene = R"(<geometry name="scope" model="scope_quad" local="1 0 0 0 1 0 0 0 1 0 0 20"/>)";
		if (withView)
			scene += R"(<geometry name="esb" model="esb_quad" motion="cells">
				<add_motion name="left" first="0" last="10" length="0.2"/>
				<add_motion name="right" first="11" last="21" length="0.2"/>
				<add_motion name="up" first="22" last="32" length="0.2"/>
				<add_motion name="down" first="33" last="43" length="0.2"/>
				<geometry name="window" model="glass_quad" local="1 0 0 0 1 0 0 0 1 0 0 -5"/>
			</geometry>)";
		scene += PieceElement({ "lamp", {}, "" }, "fade", Clip("red", 0.2f) + Clip("green", 0.2f, true), R"(color="1 1 1 0")");
		for (const sButton& button : kButtons)
			if (withView || button.change == sCell { 0, 0 })
				scene += std::string("<button name=\"") + button.name + "\" model=\"" + button.name + "_quad\"/>";
		return scene;
	}

	cMinigamePeriscope* ShowPeriscope(bool withView = true)
	{
		return ShowPuzzle<cMinigamePeriscope>("periscope", Scene(withView));
	}

	// Clicks the button that moves the view by the change and lets the
	// step's motion end.
	void Press(cMinigamePeriscope* game, const sCell& change)
	{
		for (const sButton& button : kButtons)
			if (button.change == change)
				Click(button.rect);
		EXPECT_TRUE(RunUntil([&] { return !game->IsMoving() && !game->IsReturning(); }, 3));
	}
	void Press(cMinigamePeriscope* game, const char* name)
	{
		for (const sButton& button : kButtons)
			if (std::string(button.name) == name)
				Press(game, button.change);
	}

	// Walks the route from its point `from` to its point `to`.
	void Walk(cMinigamePeriscope* game, size_t from, size_t to)
	{
		const auto& route = cMinigamePeriscope::Route();
		for (size_t point = from + 1; point <= to; ++point)
		{
			Press(game, { route[point].u - route[point - 1].u, route[point].r - route[point - 1].r });
			EXPECT_EQ(game->GetStep(), int(point));
		}
	}

	bool LampIsRed(const sPixels& pixels)
	{
		return ColorNear(ColorAt(pixels, kLamp.left + 40, kLamp.bottom + 40), 0xFFFF0000, 48);
	}
};
}

TEST_F(PeriscopeTest, TheRouteWalkedToItsEndSolvesAndLaterPressesChangeNothing)
{
	cMinigamePeriscope* game = ShowPeriscope();
	const auto& route = cMinigamePeriscope::Route();
	ASSERT_EQ(route.size(), 30u);
	const sPixels start = Screenshot("periscope_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, CellX(route[0]), CellY(route[0])), 0xFF00FF00)) << "the glass over the view";
	EXPECT_FALSE(LampIsRed(start));

	ForgetSounds();
	Walk(game, 0, 1);
	EXPECT_TRUE(game->IsSoundPlaying("moving"));
	EXPECT_TRUE(ColorNear(ColorAt(Screenshot("periscope_step"), CellX(route[1]), CellY(route[1])), 0xFF00FF00))
		<< "the view moved up a cell";
	Walk(game, 1, route.size() - 2);
	EXPECT_FALSE(game->IsSolved()) << "one point short";
	Walk(game, route.size() - 2, route.size() - 1);
	EXPECT_TRUE(game->IsSolved());
	EXPECT_FALSE(game->GetGlass()->IsVisible());
	const sPixels solved = Screenshot("periscope_solved");
	EXPECT_TRUE(ColorNear(ColorAt(solved, CellX(route.back()), CellY(route.back())), 0xFFFFFFFF))
		<< "the view at the end without its glass";

	// Once solved the buttons do nothing, past the route's end included.
	Press(game, "button_up");
	Press(game, "button_center");
	EXPECT_EQ(game->GetCell(), route.back());
	EXPECT_EQ(game->GetStep(), int(route.size()) - 1);
	EXPECT_TRUE(game->IsSolved());
	CheckVictory(game);
}

TEST_F(PeriscopeTest, AWrongStepLightsTheLampRedUntilSteppedBack)
{
	cMinigamePeriscope* game = ShowPeriscope();
	// At the edges nothing moves and nothing sounds.
	ForgetSounds();
	Press(game, "button_left");
	Press(game, "button_down");
	EXPECT_EQ(game->GetCell(), (sCell { 0, 0 }));
	EXPECT_FALSE(game->IsSoundPlaying("moving"));

	// Right is off the route (which goes up first): red, the step stays.
	Press(game, "button_right");
	EXPECT_TRUE(game->IsOffRoute());
	EXPECT_EQ(game->GetStep(), 0);
	EXPECT_TRUE(LampIsRed(Screenshot("periscope_red")));
	Press(game, "button_up");
	EXPECT_EQ(game->GetCell(), (sCell { 1, 1 }));
	EXPECT_EQ(game->GetStep(), 0);
	Press(game, "button_down");
	Press(game, "button_left");
	EXPECT_FALSE(game->IsOffRoute()) << "back on the start";
	EXPECT_EQ(game->GetStep(), 0);
	EXPECT_FALSE(LampIsRed(Screenshot("periscope_green_again")));

	// The end cell off the route does not solve.
	for (const char* name : { "button_up", "button_up", "button_up", "button_up", "button_up", "button_right",
			 "button_right", "button_right", "button_right" })
		Press(game, name);
	EXPECT_EQ(game->GetCell(), cMinigamePeriscope::Route().back());
	RunFor(0.2f);
	EXPECT_FALSE(game->IsSolved());
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetCell(), (sCell { 0, 0 }));
	CheckSkipAndClose(game);
}

TEST_F(PeriscopeTest, PressesDuringAStepAreIgnoredAndTheCentreGlidesBack)
{
	cMinigamePeriscope* game = ShowPeriscope();
	Walk(game, 0, 4);
	// A second press and the centre during a step are lost.
	Click(kButtons[2].rect);
	EXPECT_TRUE(game->IsMoving());
	Click(kButtons[2].rect);
	Click(kButtons[4].rect);
	EXPECT_FALSE(game->IsReturning());
	ASSERT_TRUE(RunUntil([&] { return !game->IsMoving(); }, 2));
	EXPECT_EQ(game->GetCell(), (sCell { 3, 2 }));
	EXPECT_TRUE(game->IsOffRoute());

	// The centre: back to the start with the lamp green, the buttons
	// ignored during the glide.
	Click(kButtons[4].rect);
	EXPECT_TRUE(game->IsReturning());
	EXPECT_EQ(game->GetStep(), 0);
	EXPECT_FALSE(game->IsOffRoute());
	Click(kButtons[0].rect);
	ASSERT_TRUE(RunUntil([&] { return !game->IsReturning(); }, 2));
	EXPECT_EQ(game->GetCell(), (sCell { 0, 0 }));
	const sPixels back = Screenshot("periscope_back");
	EXPECT_TRUE(ColorNear(ColorAt(back, CellX({ 0, 0 }), CellY({ 0, 0 })), 0xFF00FF00)) << "the view at its start";
	EXPECT_FALSE(LampIsRed(back));
	// The walk starts again from there.
	Walk(game, 0, 2);
	game->Show();
	RunFor(0.5f);
	CheckSkipAndClose(game);
}

TEST_F(PeriscopeTest, AViewlessScopeIsLoggedAndOnlySkipsOrCloses)
{
	testing::internal::CaptureStderr();
	cMinigamePeriscope* game = ShowPeriscope(false);
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_TRUE(Logged(logged, "'esb'"));
	EXPECT_TRUE(Logged(logged, "'button_up'"));
	Press(game, "button_center");
	EXPECT_FALSE(game->IsReturning());
	CheckSkipAndClose(game);

	testing::internal::CaptureStderr();
	auto* bare = new cMinigamePeriscope("missing_periscope", screen);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "'scope'"));
	bare->Show();
	RunFor(0.5f);
	bare->OnDirection(nullptr);
	bare->Skip();
	EXPECT_EQ(bare->GetResult(), "win");
}
