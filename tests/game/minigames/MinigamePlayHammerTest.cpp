// The hammer and the wire played with the mouse. The hammer is swung by
// holding the button for a time the test works out from the swing's speed
// up; too short and too long swings miss; strikes without hit clips, or
// with clips shorter than a frame, end all the same. The wire is cut by
// three clicks.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameHammer.h"
#include "game/minigames/cMinigameWire.h"

#include <cmath>

namespace
{
constexpr sRect kStone { 200, 150, 700, 420 };
constexpr sRect kHammer { 600, 430, 680, 640 };
constexpr sRect kSign { 300, 560, 340, 640 };
constexpr sRect kFlash { -30, -30, 30, 30 };
// The hammer's head, where the strike flashes.
constexpr float kEmitterX = 640;
constexpr float kEmitterY = 450;

class HammerTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({ { "bg", kStone, "grey" }, { "molotok", kHammer, "white" }, { "indicator_sign", kSign, "yellow" },
			{ "strike", kFlash, "red" } });
		AddSound("stone_stroke", 0.2f);
		AddSound("victory", 0.5f);
	}

	// hitSeconds: the length of the hit clips "hit1" to "hit6" (none at 0);
	// the swing "down" lasts a second unless withDown is false.
	static std::string Scene(float hitSeconds, bool withDown = true)
	{
		std::string hits;
		for (int clip = 1; clip <= 6 && hitSeconds > 0; ++clip)
			hits += Clip("hit" + std::to_string(clip), hitSeconds);
		std::string breaks;
		for (int clip = 1; clip <= 7; ++clip)
			breaks += Clip("break" + std::to_string(clip), 0.2f);
		char emitter[128];
		std::snprintf(emitter, sizeof emitter, R"(<object name="emiter" local="1 0 0 0 1 0 0 0 1 %g %g 0"/>)", kEmitterX,
			kEmitterY);
		return PieceElement({ "bg", {}, "" }, "still", Clip("shake", 0.2f)) +
			"<object name=\"cracks\" motion=\"still\">" + breaks + "</object>" +
			PieceElement({ "molotok", {}, "" }, "still", (withDown ? Clip("down", 1) : "") + hits + emitter) +
			PieceElement({ "indicator_sign", {}, "" }, "still", Clip("sign", 1)) +
			PieceElement({ "strike", {}, "" }, "fade", Clip("strike", 0.2f), R"(color="0 1 1 1")");
	}

	cMinigameHammer* ShowHammer(float hitSeconds = 0.3f, bool withDown = true)
	{
		return ShowPuzzle<cMinigameHammer>("hammer", Scene(hitSeconds, withDown));
	}

	// Ready for the next swing: no strike, the cooldown over.
	bool WaitForSwing(cMinigameHammer* game)
	{
		return RunUntil([&] { return !game->IsStriking() && game->GetCooldown() < 0; });
	}

	// The button goes down over the stone.
	void PressOnStone()
	{
		KeepActive();
		MoveTo(500 / kScale, 300 / kScale);
		Hold();
	}

	// Holds the button down for about the swing's seconds, at the present
	// speed-up, and lets go.
	void Swing(cMinigameHammer* game, float seconds)
	{
		const float speed = 0.8f + float(game->GetGoodStrikes()) / 3;
		const float step = 0.05f;
		PressOnStone();
		const int frames = int(std::lround((seconds - 0.016f * speed) / (step * speed)));
		for (int frame = 0; frame < frames; ++frame)
			Step(step);
		LetGo();
	}
};
}

TEST_F(HammerTest, SevenGoodStrikesBreakTheStoneWhileTheSwingSpeedsUp)
{
	cMinigameHammer* game = ShowHammer();
	MoveTo(500 / kScale, 300 / kScale);
	const sPixels start = Screenshot("hammer_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 300, 300), 0xFF808080)) << "the stone";
	EXPECT_TRUE(ColorNear(ColorAt(start, 640, 600), 0xFFFFFFFF)) << "the hammer";
	EXPECT_FALSE(game->GetChildList().FindByPath("molotok/emiter")->IsVisible());

	const char* const clips[] = { "hit2", "hit2", "hit3", "hit3", "hit3", "hit4", "hit4" };
	for (int strike = 1; strike <= cMinigameHammer::kGoodStrikesToWin; ++strike)
	{
		ASSERT_TRUE(WaitForSwing(game));
		ForgetSounds();
		if (strike < cMinigameHammer::kGoodStrikesToWin)
			Swing(game, 0.35f);
		else
		{
			// After six good strikes the swing runs 2.8 times as fast.
			PressOnStone();
			const float before = game->GetPower();
			Step(0.05f);
			EXPECT_NEAR(game->GetPower() - before, 0.05f * 2.8f, 1e-4f);
			Step(0.05f);
			LetGo();
		}
		EXPECT_EQ(game->GetGoodStrikes(), strike);
		EXPECT_EQ(game->GetHitClip(), clips[strike - 1]);
		ASSERT_TRUE(RunUntil([&] { return !game->IsStriking(); }, 2, 0.01f));
		// The stone reacts once the hit has gone 45 % of its way.
		EXPECT_NEAR(game->GetCooldown(), 0.5f, 0.011f);
		EXPECT_TRUE(game->IsSoundPlaying("stone-stroke"));
		EXPECT_TRUE(game->GetChildList().FindChild("bg")->GetMotions().IsCurrentByName("shake"));
		EXPECT_TRUE(game->GetChildList().FindChild("cracks")->GetMotions().IsCurrentByName("break" + std::to_string(strike)));
		if (strike == 1)
		{
			const cMatrix& flash = game->GetChildList().FindChild("strike")->GetTransform().GetWorldMatrix();
			EXPECT_NEAR(flash._41, kEmitterX, 0.01f);
			EXPECT_NEAR(flash._42, kEmitterY, 0.01f);
			EXPECT_NEAR(flash._43, -1200.0f, 0.01f);
		}
	}
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }, 3));
	const sPixels solved = Screenshot("hammer_solved");
	EXPECT_TRUE(ColorNear(ColorAt(solved, 300, 300), 0xFF808080));
	CheckVictory(game);
}

TEST_F(HammerTest, SwingsTooShortOrTooLongMissAndAReleaseAfterTheCooldownStrikesWithTheOldPower)
{
	cMinigameHammer* game = ShowHammer();
	ASSERT_TRUE(WaitForSwing(game));
	Swing(game, 0.05f);
	EXPECT_EQ(game->GetHitClip(), "hit6") << "too weak";
	ASSERT_TRUE(WaitForSwing(game));

	// Held on, the swing strikes by itself, too hard.
	PressOnStone();
	ASSERT_TRUE(RunUntil([&] { return game->IsStriking(); }, 3));
	EXPECT_GE(game->GetPower(), 1.6f);
	EXPECT_EQ(game->GetHitClip(), "hit1");
	EXPECT_EQ(game->GetGoodStrikes(), 0);
	ASSERT_TRUE(WaitForSwing(game));
	LetGo();
	EXPECT_EQ(game->GetHitClip(), "hit1") << "a release with the old power misses again";
	EXPECT_EQ(game->GetGoodStrikes(), 0);

	// A good swing, then a press during the cooldown let go after it: the
	// power of the good swing strikes again.
	ASSERT_TRUE(WaitForSwing(game));
	Swing(game, 0.35f);
	ASSERT_EQ(game->GetGoodStrikes(), 1);
	ASSERT_TRUE(RunUntil([&] { return !game->IsStriking(); }));
	PressOnStone();
	EXPECT_FALSE(game->IsSwinging()) << "no swing during the cooldown";
	ASSERT_TRUE(WaitForSwing(game));
	LetGo();
	EXPECT_EQ(game->GetGoodStrikes(), 2);
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(HammerTest, AStrikeWhoseHitClipIsMissingOrShorterThanAFrameEndsAtOnce)
{
	for (float hitSeconds : { 0.0f, 0.05f })
	{
		cMinigameHammer* game = ShowHammer(hitSeconds, false);
		for (int strike = 1; strike <= 2; ++strike)
		{
			ASSERT_TRUE(WaitForSwing(game)) << hitSeconds;
			Swing(game, 0.35f);
			ASSERT_EQ(game->GetGoodStrikes(), strike) << hitSeconds;
			Step(0.1f);
			EXPECT_FALSE(game->IsStriking()) << hitSeconds;
			EXPECT_NEAR(game->GetCooldown(), 0.5f, 0.11f) << hitSeconds;
		}
		game->Hide();
		RunFor(0.5f);
		delete game;
	}
}

TEST_F(HammerTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowHammer());
}

TEST_F(HammerTest, MissingObjectsAreLoggedAndTheHammerStillStrikes)
{
	testing::internal::CaptureStderr();
	auto* game = ShowPuzzle<cMinigameHammer>("bare_hammer", "<object name=\"nothing\"/>");
	const std::string log = testing::internal::GetCapturedStderr();
	for (const char* path : { "'bg'", "'strike'", "'molotok/emiter'" })
		EXPECT_TRUE(Logged(log, path)) << path;
	ASSERT_TRUE(WaitForSwing(game));
	Swing(game, 0.35f);
	EXPECT_EQ(game->GetGoodStrikes(), 1);
	Step();
	EXPECT_FALSE(game->IsStriking());
	CheckSkipAndClose(game);
}

namespace
{
constexpr sRect kWire { 200, 370, 824, 400 };

class WireTest : public PuzzleTest
{
protected:
	// Without clips the window has no skip bar either: nothing in it moves.
	cMinigameWire* ShowWire(bool withClips = true)
	{
		AddModels({ { "wire", kWire, "white" } });
		AddSound("metal_cut", 0.2f);
		AddSound("victory", 0.5f);
		std::string clips;
		for (int cut = 1; cut <= 3 && withClips; ++cut)
			clips += Clip("hit" + std::to_string(cut), 0.4f) + Clip("break" + std::to_string(cut), 0.2f);
		return ShowPuzzle<cMinigameWire>("wire", PieceElement({ "wire", {}, "" }, "still", clips), withClips);
	}
};
}

TEST_F(WireTest, ThreeClicksAnywhereCutTheWireAndWinWithoutTheOverlay)
{
	cMinigameWire* game = ShowWire();
	const sPixels start = Screenshot("wire_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 500, 385), 0xFFFFFFFF)) << "the wire";
	cSceneObject* wire = game->GetChildList().FindChild("wire");
	for (int cut = 1; cut <= cMinigameWire::kClicksToCut; ++cut)
	{
		ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }));
		ForgetSounds();
		Click(300 + 100.0f * float(cut), 200);
		EXPECT_EQ(game->GetClicks(), cut);
		EXPECT_TRUE(wire->GetMotions().IsPlaying());
		// A click during the clip is ignored.
		Click(500, 600);
		EXPECT_EQ(game->GetClicks(), cut);
		// The wire snaps once the window's clips are past half their
		// length: those of the skip bar count as well.
		ASSERT_TRUE(RunUntil([&] { return !game->IsBreakPending(); }));
		EXPECT_TRUE(wire->GetMotions().IsCurrentByName("break" + std::to_string(cut)));
		EXPECT_TRUE(game->IsSoundPlaying("metal_cut"));
	}
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }));
	EXPECT_EQ(game->GetResult(), "");
	EXPECT_NEAR(game->GetVictoryDelay(), 1.0f, 0.06f);
	Screenshot("wire_solved");
	RunFor(1.1f);
	CheckVictory(game, false);
	EXPECT_FALSE(game->IsSoundPlaying("victory"));
}

TEST_F(WireTest, WithoutAnyClipTheCutsComeAtOnce)
{
	cMinigameWire* game = ShowWire(false);
	for (int cut = 1; cut <= cMinigameWire::kClicksToCut; ++cut)
	{
		ForgetSounds();
		Click(500, 200);
		EXPECT_FALSE(game->IsBreakPending());
		EXPECT_TRUE(game->IsSoundPlaying("metal_cut"));
	}
	Step();
	EXPECT_TRUE(game->IsSolved());
	RunFor(1.1f);
	CheckVictory(game, false);
}

TEST_F(WireTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	CheckSkipAndClose(ShowWire());
}
