// The lock played with the mouse: the pin grabbed and turned by circling
// the cursor about it, the lock tried with a click: it opens within 0.05
// of the hidden position, turns part of the way and back when close, and
// only shakes when far; the pin's turning sound; scenes missing parts.

#include "DialTestSupport.h"

#include "game/minigames/cMinigameLock.h"

namespace
{
// The pin lies across its centre; the lock stands upright beside it.
constexpr float kPinX = 340, kPinY = 384;
constexpr float kLockX = 680, kLockY = 384;
constexpr sRect kPin { -90, -12, 90, 12 };
constexpr sRect kLock { -20, -90, 20, 90 };

// "quake": a small sideways shake (keys 0 to 20).
std::string QuakeBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	writer.AddKeyTime(10).AddPosition(8, 0, 0);
	writer.AddKeyTime(20).AddPosition(0, 0, 0);
	return writer.GetBytes();
}

class LockTest : public DialTest
{
protected:
	void SetUp() override
	{
		DialTest::SetUp();
		if (HasFatalFailure())
			return;
		content.AddMotion("quake", QuakeBytes());
		AddModels({ { "shpilka", kPin, "white" }, { "lock", kLock, "yellow" } });
		AddSound("shpilka_loop", 0.3f);
		AddSound("key_use", 0.2f);
		AddSound("victory", 0.5f);
	}

	// The pin spins once in 1 s; the lock turns once in 2 s inside its
	// parent, which shakes for 0.3 s.
	static std::string Scene(bool withPin = true, bool pinTurns = true)
	{
		const std::string pin = std::string(R"(<geometry name="shpilka" model="shpilka_quad" )") +
			(pinTurns ? R"(motion="spin")" : "") + " " + LocalAt(kPinX, kPinY, -10) +
			R"(><add_motion name="rotate" first="0" last="40" length="1"/></geometry>)";
		return (withPin ? pin : "") + R"(<object name="lock_parent" motion="quake" )" + LocalAt(kLockX, kLockY) +
			R"(><add_motion name="shake" first="0" last="20" length="0.3"/>
			<geometry name="lock" model="lock_quad" motion="spin"><add_motion name="rotate_lock" first="0" last="40" length="2"/></geometry>
			</object>)";
	}

	cMinigameLock* ShowLock(const std::string& scene = Scene()) { return ShowPuzzle<cMinigameLock>("lock", scene); }

	// Grabs the pin, turns it until the condition holds, lets go.
	void TurnPin(cMinigameLock* game, const std::function<bool()>& condition)
	{
		Grab(kPinX, kPinY, 110);
		ASSERT_TRUE(game->IsGrabbing());
		EXPECT_TRUE(TurnUntil(condition, 2));
		LetGo();
		EXPECT_FALSE(game->IsGrabbing());
	}
	void TurnPinTo(cMinigameLock* game, float low, float high)
	{
		TurnPin(game, [=] {
			const float distance = game->CircularDistance(game->GetPosition());
			return distance >= low && distance <= high;
		});
	}

	// The event's sound is still heard once stopped instances are purged.
	static bool Heard(cMinigame* game, const char* event)
	{
		cSoundRegistry::GetInstance()->Update();
		return game->IsSoundPlaying(event);
	}

	static float LockTurn(cMinigameLock* game)
	{
		return game->GetLock()->GetMotions().GetTimeByName("rotate_lock") / 2;
	}
};
}

TEST_F(LockTest, ThePinTurnedCloseToTheHiddenPositionOpensTheLockWithAQuarterTurn)
{
	cMinigameLock* game = ShowLock();
	const sPixels start = Screenshot("lock_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, kPinX + 70, kPinY), 0xFFFFFFFF)) << "the pin lies across";
	EXPECT_TRUE(ColorNear(ColorAt(start, kLockX, kLockY + 70), 0xFFFFFF00)) << "the lock stands upright";
	EXPECT_TRUE(ColorNear(ColorAt(start, kLockX + 70, kLockY), 0xFF000000));
	EXPECT_EQ(game->GetPosition(), 0.0f);

	TurnPinTo(game, 0, 0.03f);
	// The pin's turn shows its position.
	EXPECT_NEAR(game->GetPin()->GetMotions().GetTimeByName("rotate"), game->GetPosition(), 1e-4f);
	ForgetSounds();
	Click(kLockX, kLockY + 50);
	EXPECT_EQ(game->GetPhase(), cMinigameLock::kOpening);
	EXPECT_TRUE(game->IsSoundPlaying("use"));
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }, 3, 0.02f));
	EXPECT_NEAR(LockTurn(game), 0.25f, 0.02f) << "a quarter turn";
	const sPixels open = Screenshot("lock_solved");
	EXPECT_TRUE(ColorNear(ColorAt(open, kLockX + 70, kLockY), 0xFFFFFF00)) << "the lock lies across";
	EXPECT_TRUE(ColorNear(ColorAt(open, kLockX, kLockY + 70), 0xFF000000));
	CheckVictory(game);

	// Shown again: a new hidden position, the pin and the lock at rest.
	game->Show();
	EXPECT_EQ(game->GetPosition(), 0.0f);
	EXPECT_EQ(LockTurn(game), 0.0f);
	EXPECT_EQ(game->GetPhase(), cMinigameLock::kIdle);
}

TEST_F(LockTest, ACloseTryTurnsPartOfTheWayShakesAndTurnsBackAFarOneOnlyShakes)
{
	cMinigameLock* game = ShowLock();
	TurnPinTo(game, 0.07f, 0.13f);
	const float closeness = 0.15f - game->CircularDistance(game->GetPosition());
	Click(kLockX, kLockY);
	EXPECT_EQ(game->GetPhase(), cMinigameLock::kTurningShort);
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameLock::kShaking; }, 3, 0.02f));
	EXPECT_NEAR(LockTurn(game), closeness / 0.15f * 0.25f, 0.02f);
	EXPECT_LT(LockTurn(game), 0.2f);
	EXPECT_TRUE(game->GetChildList().FindChild("lock_parent")->GetMotions().IsPlayingByName("shake"));
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameLock::kIdle; }, 3, 0.02f));
	EXPECT_EQ(LockTurn(game), 0.0f) << "turned back";
	EXPECT_FALSE(game->IsSolved());

	// Far off: the lock shakes at once and does not turn; a second click
	// during the shake starts a new try.
	TurnPinTo(game, 0.2f, 0.5f);
	Click(kLockX, kLockY);
	EXPECT_EQ(game->GetPhase(), cMinigameLock::kShaking);
	Step(0.05f);
	EXPECT_EQ(LockTurn(game), 0.0f);
	Click(kLockX, kLockY);
	EXPECT_EQ(game->GetPhase(), cMinigameLock::kShaking);
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameLock::kIdle; }, 3, 0.02f));
	EXPECT_FALSE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "");
	CheckSkipAndClose(game);
}

TEST_F(LockTest, ARoundOfTheCursorTurnsThePinByTwoPiAndTheLoopSoundFollowsTheCursor)
{
	cMinigameLock* game = ShowLock();
	Grab(kPinX, kPinY, 110);
	const float clockwise = TurnOneRound([&] { return game->GetPosition(); });
	EXPECT_NEAR(clockwise, 2 * kDialPi, 0.05f);
	EXPECT_TRUE(Heard(game, "rotate"));

	// Held still: the sound stops 0.2 s after the last step.
	RunFor(0.1f);
	EXPECT_TRUE(Heard(game, "rotate"));
	RunFor(0.2f);
	EXPECT_FALSE(Heard(game, "rotate"));

	// Anticlockwise lowers the position and wraps from 0 to just below 1.
	const float before = game->GetPosition();
	MoveOnCircle(m_degrees + 3);
	EXPECT_TRUE(Heard(game, "rotate"));
	float lowered = before - game->GetPosition();
	lowered -= std::round(lowered);
	EXPECT_NEAR(lowered, 3 * kDialPi / 180, 0.02f);
	EXPECT_TRUE(TurnUntil([&] { return game->GetPosition() < 0.05f; }, -2));
	MoveOnCircle(m_degrees + 4);
	EXPECT_GT(game->GetPosition(), 0.9f);
	LetGo();
	EXPECT_FALSE(Heard(game, "rotate")) << "stopped when the pin is let go";

	Grab(kPinX, kPinY, 110);
	MoveOnCircle(m_degrees + 5);
	EXPECT_TRUE(Heard(game, "rotate"));
	game->Hide();
	EXPECT_FALSE(Heard(game, "rotate")) << "stopped when the window closes";
	LetGo();
}

TEST_F(LockTest, AScenelessOrPinlessLockIsLoggedAndStillCloses)
{
	testing::internal::CaptureStderr();
	cMinigameLock* game = ShowLock(Scene(false));
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "shpilka"));
	Click(kPinX, kPinY);
	Click(kLockX, kLockY);
	RunFor(0.5f);
	EXPECT_FALSE(game->IsSolved());
	EXPECT_EQ(game->GetPhase(), cMinigameLock::kIdle);
	Click(kPuzzleClose);
	EXPECT_TRUE(IsClosing(game));
	EXPECT_EQ(game->GetResult(), "");

	delete game;

	// A pin without its turning motion: a try reads the pin at 0, with no
	// division by the missing length.
	game = ShowPuzzle<cMinigameLock>("lock_still", Scene(true, false));
	Grab(kPinX, kPinY, 110);
	MoveOnCircle(m_degrees - 30);
	LetGo();
	Click(kLockX, kLockY);
	const float distance = game->CircularDistance(0);
	EXPECT_EQ(game->GetPhase(), distance <= 0.05f ? cMinigameLock::kOpening
			: distance <= 0.15f                    ? cMinigameLock::kTurningShort
												   : cMinigameLock::kShaking);
	RunFor(1.2f);
	// An opening try has turned the lock and waited out the victory by now.
	if (distance <= 0.05f)
	{
		EXPECT_TRUE(IsClosing(game));
		EXPECT_EQ(game->GetResult(), "win");
	}
	else
	{
		EXPECT_EQ(game->GetPhase(), cMinigameLock::kIdle);
		Click(kPuzzleClose);
		EXPECT_EQ(game->GetResult(), "");
	}
	delete game;

	testing::internal::CaptureStderr();
	auto* bare = new cMinigameLock("missing_lock", screen);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "lock"));
	bare->Show();
	RunFor(0.5f);
	Click(kLockX, kLockY);
	bare->Skip();
	EXPECT_EQ(bare->GetResult(), "win");
}
