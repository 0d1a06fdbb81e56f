// The safe played with the mouse: the handle grabbed and turned by
// circling the cursor about it, let go on the symbols of the combination
// table in order; wrong symbols and releases between symbols change
// nothing; the turning sound's pause; a scene without its handle.

#include "DialTestSupport.h"

#include "game/minigames/SafeCombination.h"
#include "game/minigames/cMinigameSafe.h"

#include <iterator>

namespace
{
constexpr float kHubX = 512, kHubY = 384;
// The handle points right from the hub.
constexpr sRect kHandle { -20, -14, 200, 14 };

class SafeTest : public DialTest
{
protected:
	void SetUp() override
	{
		DialTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({ { "handle", kHandle, "white" }, { "symbol", { -16, -16, 16, 16 }, "green" } });
		AddSound("safe_rotate", 0.2f);
		AddSound("bingo", 0.2f);
		AddSound("victory", 0.5f);
	}

	// The handle spins once in 1 s; the symbols lie in a row and fade in
	// with "light".
	static std::string Scene(bool withHandle = true)
	{
		std::string scene = withHandle ? R"(<geometry name="handle" model="handle_quad" motion="spin" )" +
				LocalAt(kHubX, kHubY, -10) + R"(><add_motion name="rotate" first="0" last="40" length="1"/></geometry>)"
									   : "";
		for (int symbol = 1; symbol <= cMinigameSafe::kSymbols; ++symbol)
			scene += "<geometry name=\"symbol_" + std::to_string(symbol) +
				R"(_active" model="symbol_quad" motion="fade" color="0 1 1 1" )" + LocalAt(150 + 90 * float(symbol), 640) +
				"><add_motion name=\"light\" first=\"0\" last=\"10\" length=\"0.2\"/></geometry>";
		return scene;
	}

	// Grabs the handle, turns it onto the symbol (or between symbols for
	// -1) and lets go.
	void SetSymbol(cMinigameSafe* game, int symbol)
	{
		Grab(kHubX, kHubY, 280);
		ASSERT_TRUE(game->IsGrabbing());
		EXPECT_TRUE(TurnUntil([&] { return cMinigameSafe::SymbolAt(game->GetPosition()) == symbol; }, 0.8f));
		LetGo();
		EXPECT_FALSE(game->IsGrabbing());
	}

	static bool IsLit(cMinigameSafe* game, int symbol)
	{
		return game->GetChildList().FindChild("symbol_" + std::to_string(symbol + 1) + "_active")->GetMotions()
				   .IsCurrentByName("light");
	}
};
}

TEST_F(SafeTest, TheCombinationSetInOrderOpensTheSafe)
{
	cMinigameSafe* game = ShowPuzzle<cMinigameSafe>("safe", Scene());
	const sPixels start = Screenshot("safe_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, kHubX + 150, kHubY), 0xFFFFFFFF)) << "the handle points right";
	EXPECT_TRUE(ColorNear(ColorAt(start, 240, 640), 0xFF000000)) << "no symbol lit";
	int matched = 0;
	for (int symbol : kSafeCombination)
	{
		ForgetSounds();
		SetSymbol(game, symbol);
		EXPECT_EQ(game->GetMatched(), ++matched);
		EXPECT_TRUE(IsLit(game, symbol)) << symbol;
		EXPECT_TRUE(game->IsSoundPlaying("match"));
	}
	EXPECT_TRUE(game->IsSolved());
	RunFor(0.3f);
	const sPixels solved = Screenshot("safe_solved");
	EXPECT_TRUE(ColorNear(ColorAt(solved, 150 + 90 * float(kSafeCombination[0] + 1), 640), 0xFF00FF00)) << "lit";
	CheckVictory(game);
}

TEST_F(SafeTest, AWrongSymbolOrAReleaseBetweenSymbolsChangesNothing)
{
	cMinigameSafe* game = ShowPuzzle<cMinigameSafe>("safe", Scene());
	SetSymbol(game, -1);
	EXPECT_EQ(game->GetMatched(), 0);
	SetSymbol(game, kSafeCombination[1]);
	EXPECT_EQ(game->GetMatched(), 0);
	EXPECT_FALSE(IsLit(game, kSafeCombination[1]));
	SetSymbol(game, kSafeCombination[0]);
	EXPECT_EQ(game->GetMatched(), 1);
	SetSymbol(game, kSafeCombination[2]);
	EXPECT_EQ(game->GetMatched(), 1) << "not the next one";
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}

TEST_F(SafeTest, ARoundOfTheCursorTurnsTheDialByFourPiAndTheSoundPausesBetweenBursts)
{
	cMinigameSafe* game = ShowPuzzle<cMinigameSafe>("safe", Scene());
	Grab(kHubX, kHubY, 280);
	ForgetSounds();
	const float turned = TurnOneRound([&] { return game->GetPosition(); }, 5);
	EXPECT_NEAR(turned, 4 * kDialPi, 0.05f);
	EXPECT_TRUE(game->IsSoundPlaying("rotate"));
	// Once the sound has ended it waits 0.3 s before it plays again.
	ForgetSounds();
	MoveOnCircle(m_degrees - 5);
	EXPECT_FALSE(game->IsSoundPlaying("rotate"));
	RunFor(0.35f);
	MoveOnCircle(m_degrees - 5);
	EXPECT_TRUE(game->IsSoundPlaying("rotate"));
	LetGo();

	// The first symbol's sector spans the wrap.
	EXPECT_EQ(cMinigameSafe::SymbolAt(0.98f), 0);
	EXPECT_EQ(cMinigameSafe::SymbolAt(0.01f), 0);
	EXPECT_EQ(cMinigameSafe::SymbolAt(0.05f), -1);
}

TEST_F(SafeTest, AScenelessOrHandlelessSafeIsLoggedAndStillCloses)
{
	testing::internal::CaptureStderr();
	cMinigameSafe* game = ShowPuzzle<cMinigameSafe>("safe", Scene(false));
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "handle"));
	Click(kHubX, kHubY);
	EXPECT_EQ(game->GetMatched(), 0);
	CheckSkipAndClose(game);

	testing::internal::CaptureStderr();
	auto* bare = new cMinigameSafe("missing_safe", screen);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "symbol_8_active"));
	bare->Show();
	RunFor(0.5f);
	Click(kHubX, kHubY);
	bare->Skip();
	EXPECT_EQ(bare->GetResult(), "win");
}
