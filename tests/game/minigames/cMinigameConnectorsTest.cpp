// The circuit minigame "connectors" played through real mouse events on a
// board written in the test: wires taken from the tray and laid onto
// places, the lamps lit from node 0, the victory at node 29, wrong places,
// taking a wire off, skipping and closing, and damaged content.

#include "BoardInputSupport.h"
#include "ConnectorsTestSupport.h"

#include "game/minigames/cMinigameConnectors.h"

using namespace connectors;

namespace
{
class cMinigameConnectorsTest : public cBoardInputTest
{
protected:
	void SetUp() override
	{
		cBoardInputTest::SetUp();
		if (HasFatalFailure())
			return;
		AddConnectorsModels(resources);
		AddLongSound("connect");
		AddLongSound("button_click");
		content.AddScene("connectors", ConnectorsScene());
	}

	void ClickWire(size_t wire) { ClickOnGame(kTrayX, TrayY(wire)); }
	void ClickPlace(const sLink& link) { ClickOnGame(MidX(link), MidY(link)); }

	// The nodes lit, as a set.
	static std::set<int> Lit(cMinigameConnectors* game)
	{
		std::set<int> lit;
		for (int node = 0; node < 36; ++node)
			if (game->IsLit(node))
				lit.insert(node);
		return lit;
	}
};

class cMinigameConnectorsDrawTest : public cMinigameConnectorsTest
{
protected:
	cMinigameConnectorsDrawTest() { m_draws = true; }
};
}

TEST_F(cMinigameConnectorsDrawTest, TheWiresWorkedOutFromThePlacesLightNode29AndWin)
{
	const auto solution = SolveBoard();
	ASSERT_TRUE(solution);
	auto* game = ShowGame<cMinigameConnectors>();
	EXPECT_EQ(Lit(game), (std::set<int> { 0, 1 })) << "only the fixed link 0-1";
	cSceneObject* indicator = game->GetChildList().FindChild("indicator");
	EXPECT_FALSE(indicator->IsVisible());
	sPixels pixels = Screenshot("connectors_start");
	EXPECT_TRUE(ColorNear(Pixel(pixels, NodeX(1), NodeY(1)), 0xFFFFFF40)) << "lamp of node 1";
	EXPECT_TRUE(ColorNear(Pixel(pixels, NodeX(2), NodeY(2)), 0xFF202840)) << "node 2 is dark";
	EXPECT_TRUE(ColorNear(Pixel(pixels, MidX(kHPlaces[0]), MidY(kHPlaces[0])), 0xFF202840)) << "places are hidden";
	EXPECT_TRUE(ColorNear(Pixel(pixels, kTrayX, TrayY(0)), 0xFFE08020)) << "a wire in the tray";

	std::vector<size_t> laid;
	for (size_t wire = 0; wire < solution->size(); ++wire)
		if ((*solution)[wire])
			laid.push_back(wire);
	std::vector<sLink> added;
	for (size_t i = 0; i < laid.size(); ++i)
	{
		const size_t wire = laid[i];
		const sLink& link = PlacesOf(kWires[wire].prefix)[*(*solution)[wire]];
		added.push_back(link);
		cSoundRegistry::GetInstance()->Clear();
		ClickWire(wire);
		EXPECT_EQ(game->GetHeldWire(), game->GetWire(int(wire)));
		EXPECT_TRUE(IsPlaying("button_click"));
		EXPECT_EQ(game->GetWire(int(wire))->GetSortKey(), 1);
		// The held wire follows the cursor.
		MoveOnGame(500, 300);
		EXPECT_NEAR(game->GetHeldWire()->GetTransform().GetWorldMatrix()._41, 500, 2);
		ClickPlace(link);
		EXPECT_EQ(game->GetHeldWire(), nullptr);
		EXPECT_NE(game->GetPlacement(int(wire)), nullptr);
		EXPECT_TRUE(IsPlaying("connect"));
		EXPECT_EQ(Lit(game), Reached(added)) << "after " << Link(link);
		EXPECT_EQ(game->IsSolved(), i + 1 == laid.size()) << "node 29 lights with the last wire";
	}
	EXPECT_TRUE(game->IsLit(29));
	EXPECT_TRUE(indicator->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(IsPlaying("victory"));
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());

	Step();
	pixels = Screenshot("connectors_solved");
	EXPECT_TRUE(ColorNear(Pixel(pixels, NodeX(29), NodeY(29)), 0xFFFFFF40)) << "lamp of node 29";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 512, 615), 0xFF40FF40)) << "the indicator";
	const sLink& last = PlacesOf(kWires[laid.back()].prefix)[*(*solution)[laid.back()]];
	EXPECT_TRUE(ColorNear(Pixel(pixels, MidX(last), MidY(last)), 0xFFE08020)) << "the last wire on its place";

	// A solved board takes no more wires, and closes with the win.
	ClickWire(laid.back());
	EXPECT_EQ(game->GetHeldWire(), nullptr);
	RunUntilClosed(game);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigameConnectorsTest, WrongPlacesDropTheWireAndTakingOneOffUnlightsItsLink)
{
	auto* game = ShowGame<cMinigameConnectors>();
	cSceneObject* horizontal = game->GetWire(0);
	const cMatrix start = horizontal->GetTransform().GetLocalMatrix();

	// A horizontal wire on a diagonal place, off every place, and on a
	// taken place goes back to the tray without a sound.
	const std::vector<std::pair<size_t, sLink>> wrong = { { 0, kDPlaces[0] }, { 0, { 2, 2 } } };
	for (const auto& [wire, link] : wrong)
	{
		ClickWire(wire);
		cSoundRegistry::GetInstance()->Clear();
		ClickPlace(link);
		EXPECT_EQ(game->GetHeldWire(), nullptr);
		EXPECT_EQ(game->GetPlacement(int(wire)), nullptr);
		EXPECT_EQ(memcmp(&horizontal->GetTransform().GetLocalMatrix(), &start, sizeof start), 0);
		EXPECT_EQ(horizontal->GetSortKey(), 1) << "keeps the key it got when taken";
		EXPECT_FALSE(IsPlaying("connect"));
	}
	ClickWire(0);
	ClickPlace(kHPlaces[1]);
	ClickWire(1);
	ClickPlace(kHPlaces[1]);
	EXPECT_EQ(game->GetPlacement(1), nullptr) << "the place is taken";
	EXPECT_NE(game->GetPlacement(0), nullptr);

	// The vertical wire 1-7 and the horizontal 14-15 light two groups; the
	// link 14-15 is cut again when its wire is taken off.
	ClickWire(5);
	ClickPlace(kVPlaces[1]);
	EXPECT_EQ(Lit(game), (std::set<int> { 0, 1, 6, 7, 12 }));
	ClickWire(2);
	ClickPlace(kDPlaces[2]);
	EXPECT_TRUE(game->IsLit(15) && game->IsLit(20) && game->IsLit(9)) << "through 7-14 and 14-15";
	EXPECT_FALSE(game->IsSolved());
	ClickPlace(kHPlaces[1]);
	EXPECT_EQ(game->GetHeldWire(), horizontal);
	EXPECT_EQ(game->GetPlacement(0), nullptr);
	EXPECT_FALSE(game->IsLit(15)) << "14-15 is gone";
	EXPECT_TRUE(game->IsLit(14));

	// Taking a wire off removes its pair in both directions, a fixed link
	// of the same pair too, until the board is shown again.
	game->RemoveLink(1, 0);
	game->Relight();
	EXPECT_EQ(Lit(game), (std::set<int> { 0 }));
	game->Show();
	Step();
	EXPECT_EQ(Lit(game), (std::set<int> { 0, 1 }));
	for (int wire = 0; wire < cMinigameConnectors::kWires; ++wire)
		EXPECT_EQ(game->GetPlacement(wire), nullptr);
}

TEST_F(cMinigameConnectorsTest, SkipWinsOnceTheBarIsFullAndCloseLeavesNoResult)
{
	auto* game = ShowGame<cMinigameConnectors>();
	ClickSkip();
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking) << "the skip bar is still filling";
	for (int i = 0; i < 6; ++i)
		Step(0.5f);
	ClickSkip();
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "win");

	game->Show();
	Step(0.5f);
	ClickWire(5);
	ClickPlace(kVPlaces[1]);
	ClickClose();
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "");
}

namespace
{
class cMinigameConnectorsContentTest : public SceneTest
{
protected:
	cTestResources resources;
	cSceneContent content;
};
}

TEST_F(cMinigameConnectorsContentTest, MissingObjectsAndDamagedLinksAreLoggedAndTheGameStillCloses)
{
	AddConnectorsModels(resources);
	// Twelve lamps only, a place without a link, one whose link names
	// nodes beyond the lamps, one with hostile numbers; no wires, no
	// indicator, no back.
	std::string board;
	for (int node = 0; node < 12; ++node)
		board += Placed("lamp_" + std::to_string(node + 1), "conn_lamp", NodeX(node), NodeY(node));
	board += Placed("h_place_1", "conn_place", 300, 300) + Placed("h_place_2", "conn_place", 300, 300, 0, " link=\"7-99\"") +
		Placed("h_place_3", "conn_place", 300, 300, 0, " link=\"-5-0x7fffffff\"");
	content.AddScene("connectors", board);
	testing::internal::CaptureStderr();
	auto* game = new cMinigameConnectors(root());
	game->Show();
	scene->Update(0.1f);
	cChildList& children = game->GetChildList();
	EXPECT_EQ(game->ReadLink(children.FindChild("h_place_1")), std::make_pair(-1, -1));
	for (const char* place : { "h_place_2", "h_place_3" })
	{
		const auto [a, b] = game->ReadLink(children.FindChild(place));
		game->AddLink(a, b);
	}
	game->AddLink(1, 7);
	game->Relight();
	EXPECT_TRUE(game->IsLit(7) && game->IsLit(0));
	EXPECT_FALSE(game->IsLit(99));
	EXPECT_FALSE(game->IsSolved());
	game->OnClose();
	for (int i = 0; i < 10; ++i)
		scene->Update(0.1f);
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_FALSE(game->IsVisible());
	for (const char* text : { "\"back\"", "\"wire_00\"", "\"indicator\"", "\"h_place_1\" has no link" })
		EXPECT_NE(log.find(text), std::string::npos) << text << "\n" << log;
}
