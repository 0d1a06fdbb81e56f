// The light-path minigame "skull" played through real mouse and key
// events on a board written in the test: pieces picked up and put onto
// sockets, beams traced and drawn, the victory, wrong moves, skipping and
// closing, pieces that send a beam back and forth, and damaged content.

#include "BoardInputSupport.h"
#include "SkullTestSupport.h"

#include "game/minigames/cMinigameSkull.h"

using namespace skull;

namespace
{
class cMinigameSkullTest : public cBoardInputTest
{
protected:
	void SetUp() override
	{
		cBoardInputTest::SetUp();
		if (HasFatalFailure())
			return;
		AddSkullModels(resources);
		AddLongSound("connect");
		content.AddScene("skull", SkullScene());
	}

	// The minigame over the board, with the rules.
	cMinigameSkull* ShowSkull(const tRules& rules)
	{
		resources.Add("xml", "skull_config", Bytes(ConfigXml(rules)));
		return ShowGame<cMinigameSkull>();
	}

	void ClickOn(const sPlace& place) { ClickOnGame(place.x, place.y); }
	void Move(size_t tube, size_t point)
	{
		ClickOn(kTubes[tube]);
		ClickOn(kPoints[point]);
	}

	cSceneObject* Child(cMinigameSkull* game, const char* name) { return game->GetChildList().FindChild(name); }

	static cVector3d Where(const sPlace& place) { return cVector3d(place.x, place.y, 0); }

	static bool Near(const cVector3d& a, const cVector3d& b) { return (a - b).Length() < 0.5f; }
};

class cMinigameSkullDrawTest : public cMinigameSkullTest
{
protected:
	cMinigameSkullDrawTest() { m_draws = true; }
};
}

TEST_F(cMinigameSkullDrawTest, TheMovesWorkedOutFromTheRulesWinWithTheVictorySoundAndOverlay)
{
	const std::vector<std::pair<size_t, size_t>> moves = SolveBoard(StandardRules());
	ASSERT_EQ(moves.size(), 4u);
	cMinigameSkull* game = ShowSkull(StandardRules());
	EXPECT_EQ(game->GetDeliveredCount(), 0);

	sPixels pixels = Screenshot("skull_start");
	EXPECT_TRUE(ColorNear(Pixel(pixels, 330, 560), kLasers[0].colour)) << "blue runs right to the red receiver";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 700, 240), kLasers[1].colour)) << "red runs left";
	EXPECT_TRUE(ColorNear(Pixel(pixels, kTubes[0].x, kTubes[0].y), 0xFFFF00FF)) << "the pieces wait in the tray";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 400, 400), 0xFF303030)) << "the board";

	for (size_t i = 0; i < moves.size(); ++i)
	{
		const auto [tube, point] = moves[i];
		ClickOn(kTubes[tube]);
		EXPECT_EQ(game->GetHeldTube(), Child(game, kTubes[tube].name));
		// The held piece follows the cursor.
		MoveOnGame(600, 420);
		EXPECT_NEAR(game->GetHeldTube()->GetTransform().GetWorldMatrix()._41, 600, 2);
		ClickOn(kPoints[point]);
		cSceneObject* socket = Child(game, kPoints[point].name);
		EXPECT_EQ(game->GetPlacement(Child(game, kTubes[tube].name)), socket);
		EXPECT_FALSE(socket->IsEnabled()) << "a socket takes one piece";
		EXPECT_TRUE(IsPlaying("connect"));
		EXPECT_EQ(game->GetDeliveredCount(), int(i + 1));
		EXPECT_EQ(game->IsSolved(), i + 1 == moves.size()) << "the fourth beam wins in the same click";
	}
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(IsPlaying("victory"));
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());
	// The sound's length, less the frames of the click so far.
	EXPECT_GT(game->GetVictoryDelay(), 0.2f);
	EXPECT_LE(game->GetVictoryDelay(), 0.3f);

	Step();
	pixels = Screenshot("skull_solved");
	EXPECT_TRUE(ColorNear(Pixel(pixels, 400, 330), kLasers[0].colour)) << "blue turned down";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 624, 320), kLasers[1].colour)) << "red turned up";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 450, 300), kLasers[2].colour)) << "green turned left";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 650, 500), kLasers[3].colour)) << "yellow turned right";
	EXPECT_TRUE(ColorNear(Pixel(pixels, 330, 560), kLasers[0].colour));
	EXPECT_TRUE(ColorNear(Pixel(pixels, 500, 560), 0xFF303030)) << "blue no longer runs on";

	// A solved board takes no more clicks, and closes once the sound is out
	// and the overlay idle.
	ClickOn(kTubes[2]);
	EXPECT_EQ(game->GetHeldTube(), nullptr);
	RunUntilClosed(game);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(cMinigameSkullTest, WrongMovesStopOrDropThePieceAndShowRestoresTheTray)
{
	cMinigameSkull* game = ShowSkull(StandardRules());
	cSceneObject* blocker = Child(game, "tube_3");
	const cMatrix start = blocker->GetTransform().GetLocalMatrix();

	// The piece without rules stops the blue beam where it stands.
	Move(2, 2);
	EXPECT_EQ(game->GetPlacement(blocker), Child(game, "point_3"));
	const std::vector<cVector3d>& blue = game->GetBeamPoints(0);
	ASSERT_EQ(blue.size(), 2u);
	EXPECT_TRUE(Near(blue.front(), Where(kLasers[0].place)));
	EXPECT_TRUE(Near(blue.back(), Where(kPoints[2])));
	EXPECT_FALSE(game->IsSolved());

	// Taken up again it frees its socket with a sound; a click off every
	// free socket drops it back into the tray.
	cSoundRegistry::GetInstance()->Clear();
	ClickOn(kPoints[2]);
	EXPECT_EQ(game->GetHeldTube(), blocker);
	EXPECT_TRUE(IsPlaying("connect"));
	EXPECT_TRUE(Child(game, "point_3")->IsEnabled());
	EXPECT_EQ(game->GetBeamPoints(0).size(), 2u);
	EXPECT_TRUE(Near(game->GetBeamPoints(0).back(), Where(kReceivers[1]))) << "blue runs on again";
	cSoundRegistry::GetInstance()->Clear();
	ClickOnGame(700, 450);
	EXPECT_EQ(game->GetHeldTube(), nullptr);
	EXPECT_EQ(game->GetPlacement(blocker), nullptr);
	EXPECT_EQ(memcmp(&blocker->GetTransform().GetLocalMatrix(), &start, sizeof start), 0) << "back at its start";
	EXPECT_FALSE(IsPlaying("connect")) << "dropping is silent";

	// A piece onto a taken socket is dropped too; three delivered beams do
	// not win.
	const std::vector<std::pair<size_t, size_t>> moves = SolveBoard(StandardRules());
	for (size_t i = 0; i < 3; ++i)
		Move(moves[i].first, moves[i].second);
	EXPECT_EQ(game->GetDeliveredCount(), 3);
	Move(2, moves[0].second);
	EXPECT_EQ(game->GetPlacement(blocker), nullptr);
	EXPECT_FALSE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "");

	// F5 reads the rules again and traces: the board stays as it is.
	PressKey(DIK_F5);
	EXPECT_EQ(game->GetDeliveredCount(), 3);

	// Showing again puts every piece back and frees every socket.
	game->Show();
	Step();
	for (const sPlace& tube : kTubes)
		EXPECT_EQ(game->GetPlacement(Child(game, tube.name)), nullptr);
	for (const sPlace& point : kPoints)
		EXPECT_TRUE(Child(game, point.name)->IsEnabled());
	EXPECT_EQ(game->GetDeliveredCount(), 0);
}

TEST_F(cMinigameSkullTest, SkipWinsOnceTheBarIsFullAndCloseLeavesNoResult)
{
	cMinigameSkull* game = ShowSkull(StandardRules());
	ClickSkip();
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking) << "the skip bar is still filling";
	for (int i = 0; i < 6; ++i)
		Step(0.5f);
	EXPECT_TRUE(game->IsSkipBarComplete());
	ClickSkip();
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "win");

	game->Show();
	Step(0.5f);
	Move(0, 0);
	ClickClose();
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "");
}

TEST_F(cMinigameSkullTest, PiecesThatSendTheBeamBackAndForthEndItAfterTheBound)
{
	// The first piece sends every beam right, the second every beam left.
	cMinigameSkull* game = ShowSkull({ { { 0, 360, 270, 0 } }, { { 0, 360, 90, 0 } } });
	Move(0, 2);
	Move(1, 7);
	const std::vector<cVector3d>& blue = game->GetBeamPoints(0);
	EXPECT_EQ(game->GetMaxBeamPieces(), 16u) << "at least 16";
	ASSERT_EQ(blue.size(), 2 * game->GetMaxBeamPieces());
	EXPECT_TRUE(Near(blue[3], Where(kPoints[7])));
	EXPECT_TRUE(Near(blue[5], Where(kPoints[2])));
	EXPECT_TRUE(Near(blue.back(), Where(kPoints[7])));
	EXPECT_EQ(game->GetDeliveredCount(), 0);
	EXPECT_EQ(game->GetState(), cGameWindow::kWorking);
}

namespace
{
class cMinigameSkullContentTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		AddSkullModels(resources);
		AddBorderModels(resources);
	}

	// Builds and shows the minigame, traces, and closes it, giving what
	// it logged.
	std::string PlayAndClose()
	{
		testing::internal::CaptureStderr();
		auto* game = new cMinigameSkull(root());
		game->Show();
		scene->Update(0.1f);
		game->TraceAllBeams();
		EXPECT_FALSE(game->IsSolved());
		game->OnClose();
		for (int i = 0; i < 10; ++i)
			scene->Update(0.1f);
		EXPECT_FALSE(game->IsVisible());
		EXPECT_EQ(game->GetResult(), "");
		return testing::internal::GetCapturedStderr();
	}

	cTestResources resources;
	cSceneContent content;
};
}

TEST_F(cMinigameSkullContentTest, MissingObjectsAndConfigurationAreLoggedAndTheGameStillCloses)
{
	content.AddScene("skull", R"(<geometry name="tube_1" model="skull_tube"/><geometry name="point_1" model="skull_point"/>)");
	const std::string log = PlayAndClose();
	for (const char* name : { "\"skull_config\"", "\"laser_blue\"", "\"reflector_yello_2\"", "\"skill\"", "\"background\"" })
		EXPECT_NE(log.find(name), std::string::npos) << name << "\n" << log;
}

TEST_F(cMinigameSkullContentTest, HostileNumbersInTheRulesAreLeftOutOrStayBounded)
{
	content.AddScene("skull", SkullScene());
	resources.Add("xml", "skull_config",
		Bytes(R"(<skull><tube_1><rule min="nan" max="360" dest="0"/><rule min="0" max="1e999" dest="90"/>
			<rule min="-1e38" max="1e38" dest="1e38" angle="-3e38"/></tube_1><tube_2/>
			<tube_3><r min="-inf" max="inf"/></tube_3></skull>)"));
	const std::string log = PlayAndClose();
	EXPECT_NE(log.find("a rule of \"tube_1\" in \"skull_config\" is not a number"), std::string::npos) << log;
	EXPECT_NE(log.find("a rule of \"tube_3\""), std::string::npos) << log;
}
