// Motions played by name over subtrees: poses at chosen times, once,
// looping, backward, seeking, stopping, the base frame the keys are
// relative to, and motions without keys or with repeated key times.

#include "MotionTestSupport.h"

#include "../foundation/MathTestHelpers.h"



#include <cmath>

namespace
{
// Key times 0, 10 and 20: x moves 0, 10, 40; scale keys add 0, 1, 2;
// alpha falls 1, 0.5, 0.
std::string WalkBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(10).AddKeyTime(20);
	writer.AddPosition(0, 0, 0).AddPosition(10, 0, 0).AddPosition(40, 0, 0);
	writer.AddScale(0, 0, 0).AddScale(1, 1, 1).AddScale(2, 2, 2);
	writer.AddColour(sColor(1, 1, 1, 1)).AddColour(sColor(1, 0, 1, 0.5f)).AddColour(sColor(1, 0, 0, 0));
	return writer.GetBytes();
}

sMotionDesc Clip(const std::string& name, float first, float last, float length, bool loop)
{
	sMotionDesc clip;
	clip.name = name;
	clip.first = first;
	clip.last = last;
	clip.length = length;
	clip.loop = loop;
	return clip;
}

float X(cSceneObject* object)
{
	return object->GetTransform().GetLocalMatrix()._41;
}

float ScaleX(cSceneObject* object)
{
	return object->GetTransform().GetLocalMatrix()._11;
}

float Alpha(cSceneObject* object)
{
	return object->GetTransform().GetLocalColor().a;
}

cMotionPlayer& PlayerOf(cSceneObject* object)
{
	return *object->GetMotions().GetPlayer();
}
}

TEST_F(MotionTest, PlayByNameMovesEveryObjectOfTheSubtreeThatHasTheClip)
{
	AddMotion("walk", WalkBytes());
	cSceneObject* window = Moving("window", root(), "walk", { Clip("appear", 0, 20, 2, false) });
	cSceneObject* button = Moving("button", window, "walk", { Clip("appear", 0, 10, 1, false) });
	cSceneObject* other = Moving("other", window, "walk", { Clip("working", 0, 20, 2, true) });
	new cSceneObject("plain", button);

	window->GetMotions().PlayByName("appear");
	EXPECT_TRUE(PlayerOf(window).IsPlaying());
	EXPECT_TRUE(PlayerOf(button).IsPlaying());
	EXPECT_FALSE(PlayerOf(other).IsPlaying());
	EXPECT_FALSE(other->GetMotions().IsCurrentByName("appear"));
	EXPECT_TRUE(window->GetMotions().IsPlayingByName("appear"));
	EXPECT_TRUE(window->IsBusy());

	// Time 0.5 of 2 s: key time 5, half way from the first key to the second.
	scene->Update(0.5f);
	EXPECT_FLOAT_EQ(X(window), 5);
	EXPECT_FLOAT_EQ(ScaleX(window), 1.5f);
	EXPECT_FLOAT_EQ(Alpha(window), 0.75f);
	EXPECT_FLOAT_EQ(window->GetTransform().GetLocalColor().g, 0.5f);
	// The button's clip covers key times 0 to 10 in 1 s.
	EXPECT_FLOAT_EQ(X(button), 5);
	// The transform pass carried the poses into world space: the button's
	// offset is scaled by the window's.
	EXPECT_FLOAT_EQ(button->GetTransform().GetWorldMatrix()._41, 5 + 5 * 1.5f);

	// Time 1.5: key time 15, half way from 10 to 40.
	scene->Update(1.0f);
	EXPECT_FLOAT_EQ(X(window), 25);
	EXPECT_FLOAT_EQ(ScaleX(window), 2.5f);
	EXPECT_FALSE(PlayerOf(button).IsPlaying()); // ended at its last key
	EXPECT_FLOAT_EQ(X(button), 10);
	EXPECT_FLOAT_EQ(PlayerOf(button).GetTime(), 1);
	EXPECT_FLOAT_EQ(window->GetMotions().GetTime(), 1.5f);
	EXPECT_FLOAT_EQ(window->GetMotions().GetLengthByName("working"), 2);

	window->GetMotions().StopByName("appear");
	EXPECT_FALSE(window->GetMotions().IsPlaying());
	EXPECT_FALSE(window->IsBusy());
	scene->Update(0.5f);
	EXPECT_FLOAT_EQ(X(window), 25); // stopped: no further pose
	// Lengths and times count stopped players too.
	EXPECT_FLOAT_EQ(window->GetMotions().GetLength(), 2);
	EXPECT_FLOAT_EQ(window->GetMotions().GetTimeByName("appear"), 1.5f);
	EXPECT_EQ(button->GetMotions().GetCurrentClipName(), "appear");
	EXPECT_EQ(button->GetChildList().GetChildren()[0]->GetMotions().GetCurrentClipName(), "");

	window->GetMotions().ResumeByName("appear");
	EXPECT_TRUE(PlayerOf(window).IsPlaying());
	EXPECT_TRUE(PlayerOf(button).IsPlaying()); // its clip had ended; resuming starts it at its end
	window->GetMotions().StopAll();
	EXPECT_FALSE(PlayerOf(window).IsPlaying());
}

TEST_F(MotionTest, AClipThatDoesNotLoopStopsAtItsLastKey)
{
	AddMotion("walk", WalkBytes());
	cSceneObject* object = Moving("object", root(), "walk", { Clip("go", 0, 20, 2, false) });
	object->GetMotions().PlayByName("go");
	const float expected[] = { 5, 10, 25, 40 };
	for (float x : expected)
	{
		EXPECT_TRUE(PlayerOf(object).IsPlaying());
		scene->Update(0.5f);
		EXPECT_FLOAT_EQ(X(object), x);
	}
	EXPECT_FALSE(PlayerOf(object).IsPlaying());
	EXPECT_FLOAT_EQ(Alpha(object), 0);
	EXPECT_FLOAT_EQ(PlayerOf(object).GetTime(), 2);
}

TEST_F(MotionTest, LoopingClipsWrapAndAreNotRestartedWhilePlaying)
{
	AddMotion("walk", WalkBytes());
	cSceneObject* object = Moving("object", root(), "walk", { Clip("spin", 0, 20, 2, true), Clip("once", 0, 20, 2, false) });
	cMotionPlayer& player = PlayerOf(object);
	object->GetMotions().PlayByName("spin");
	scene->Update(1.5f);
	object->GetMotions().PlayByName("spin");
	EXPECT_FLOAT_EQ(player.GetTime(), 1.5f);
	scene->Update(1.0f);
	EXPECT_FLOAT_EQ(player.GetTime(), 0.5f);
	EXPECT_FLOAT_EQ(X(object), 5);
	EXPECT_TRUE(object->GetMotions().IsLoopingByName("spin"));

	// Stopped, the looping clip starts again from 0.
	player.Stop();
	object->GetMotions().PlayByName("spin");
	EXPECT_FLOAT_EQ(player.GetTime(), 0);
	EXPECT_FLOAT_EQ(X(object), 0);

	// Backward play wraps to the end.
	object->GetMotions().SetDirectionByName("spin", false);
	scene->Update(0.5f);
	EXPECT_FLOAT_EQ(player.GetTime(), 1.5f);
	EXPECT_FLOAT_EQ(X(object), 25);
	scene->Update(0.5f);
	EXPECT_FLOAT_EQ(X(object), 10);

	// The loop flag can be switched off; backward play then stops at 0.
	object->GetMotions().SetLoopByName("spin", false);
	EXPECT_FALSE(object->GetMotions().IsLoopingByName("spin"));
	scene->Update(1.5f);
	EXPECT_FALSE(player.IsPlaying());
	EXPECT_FLOAT_EQ(player.GetTime(), 0);
	EXPECT_FLOAT_EQ(X(object), 0);
}

TEST_F(MotionTest, SeekingPastTheEndClampsOrWraps)
{
	AddMotion("walk", WalkBytes());
	cSceneObject* object = Moving("object", root(), "walk", { Clip("spin", 0, 20, 2, true), Clip("once", 0, 20, 2, false) });
	cMotionPlayer& player = PlayerOf(object);

	object->GetMotions().PlayByName("spin");
	object->GetMotions().SeekByName("spin", 5);
	EXPECT_FLOAT_EQ(player.GetTime(), 1);
	EXPECT_FLOAT_EQ(X(object), 10);
	EXPECT_TRUE(player.IsPlaying());

	object->GetMotions().PlayByName("once");
	player.Stop();
	object->GetMotions().SeekByName("spin", 1); // not the current clip: nothing
	EXPECT_FLOAT_EQ(player.GetTime(), 0);
	object->GetMotions().SeekByName("once", 5);
	EXPECT_FLOAT_EQ(player.GetTime(), 2);
	EXPECT_FLOAT_EQ(X(object), 40); // the pose is applied
	EXPECT_FALSE(player.IsPlaying()); // without starting the clip
}

TEST_F(MotionTest, KeysAreRelativeToTheBaseFrame)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(1);
	writer.AddPosition(0, 0, 0).AddPosition(10, 0, 0);
	writer.AddScale(0, 0, 0).AddScale(0, 0, 0);
	AddMotion("slide", writer.GetBytes());
	cMotionWriter colourOnly;
	colourOnly.AddKeyTime(0).AddKeyTime(1);
	colourOnly.AddColour(sColor(1, 0, 0, 1)).AddColour(sColor(0, 0, 1, 1));
	AddMotion("blush", colourOnly.GetBytes());

	// Placed at (100, 0, 0), turned a quarter about z and scaled by 2.
	cMatrix base;
	base.MakeRotationZ(float(M_PI / 2));
	for (int row = 0; row < 3; ++row)
		for (int column = 0; column < 3; ++column)
			base.m[row][column] *= 2;
	base._41 = 100;
	auto* object = new cSceneObject("object", root());
	object->GetTransform().SetLocalMatrix(base);
	object->GetMotions().CreatePlayer("slide");
	PlayerOf(object).AddClips({ Clip("go", 0, 1, 1, false) });
	object->GetMotions().PlayByName("go");
	scene->Update(1);
	// The offset turns with the base but does not scale; zero scale keys
	// keep the base scale.
	cMatrix expected = base;
	expected._42 = 10;
	ExpectMatrixNear(object->GetTransform().GetLocalMatrix(), expected, 1e-4f);

	// A new base: the next poses are relative to the current placement.
	object->GetMotions().Rebase(false);
	object->GetMotions().PlayByName("go");
	EXPECT_NEAR(object->GetTransform().GetLocalMatrix()._42, 10, 1e-4f);
	scene->Update(1);
	EXPECT_NEAR(object->GetTransform().GetLocalMatrix()._42, 20, 1e-4f);
	EXPECT_NEAR(object->GetTransform().GetLocalMatrix()._12, 2, 1e-4f);

	// A motion with colour keys only leaves the matrix alone.
	auto* tinted = new cSceneObject("tinted", root());
	tinted->GetTransform().SetLocalMatrix(base);
	tinted->GetMotions().CreatePlayer("blush");
	PlayerOf(tinted).AddClips({ Clip("go", 0, 1, 1, false) });
	tinted->GetMotions().PlayByName("go");
	scene->Update(0.25f);
	ExpectMatrixNear(tinted->GetTransform().GetLocalMatrix(), base);
	EXPECT_FLOAT_EQ(tinted->GetTransform().GetLocalColor().r, 0.75f);
	EXPECT_FLOAT_EQ(tinted->GetTransform().GetLocalColor().b, 0.25f);
	EXPECT_FLOAT_EQ(tinted->GetTransform().GetEffectiveColor().r, 0.75f);
}

TEST_F(MotionTest, RotationKeysTurnBeforeTheBase)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(1);
	cMatrix quarter;
	quarter.MakeRotationZ(float(M_PI / 2));
	cQuaternion turned;
	quarter.GetRotation(turned);
	writer.AddRotation(cQuaternion()).AddRotation(turned);
	writer.AddPosition(0, 0, 0).AddPosition(1, 0, 0);
	AddMotion("turn", writer.GetBytes());
	cSceneObject* object = Moving("object", root(), "turn", { Clip("go", 0, 1, 1, false) });
	object->GetMotions().PlayByName("go");
	scene->Update(0.5f);
	cMatrix expected;
	expected.MakeRotationZ(float(M_PI / 4));
	expected._41 = 0.5f;
	ExpectMatrixNear(object->GetTransform().GetLocalMatrix(), expected);
}

TEST_F(MotionTest, MotionsWithoutKeysPlayNothing)
{
	cMotionWriter noKeys;
	noKeys.AddPosition(5, 5, 5);
	AddMotion("empty", noKeys.GetBytes());
	AddMotion("broken", "\x02\0\0"); // cut inside the first count
	testing::internal::CaptureStderr();
	cSceneObject* objects[] = {
		Moving("empty", root(), "empty", { Clip("go", 0, 1, 1, true) }),
		Moving("broken", root(), "broken", { Clip("go", 0, 1, 1, true) }),
		Moving("missing", root(), "missing", { Clip("go", 0, 1, 1, true) }),
	};
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_NE(log.find("motion_resource[broken]"), std::string::npos) << log;
	EXPECT_NE(log.find("motion_resource[missing] not found"), std::string::npos) << log;
	const cMatrix placed = Translation(1, 2, 3);
	for (cSceneObject* object : objects)
	{
		object->GetTransform().SetLocalMatrix(placed);
		object->GetTransform().SetColor(0.5f, 0.5f, 0.5f, 0.5f);
		object->GetMotions().PlayByName("go");
		object->GetMotions().SeekByName("go", 0.5f);
		PlayerOf(object).Seek(0.5f);
		PlayerOf(object).Resume();
		scene->Update(0.5f);
		EXPECT_FALSE(object->GetMotions().IsPlaying()) << object->GetName();
		ExpectMatrixNear(object->GetTransform().GetLocalMatrix(), placed);
		EXPECT_EQ(object->GetTransform().GetLocalColor().a, 0.5f);
	}
}

TEST_F(MotionTest, RepeatedKeyTimesAndEmptyClipsKeepThePoseFinite)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(1).AddKeyTime(1).AddKeyTime(2);
	writer.AddPosition(0, 0, 0).AddPosition(1, 0, 0).AddPosition(5, 0, 0).AddPosition(6, 0, 0);
	AddMotion("steps", writer.GetBytes());
	cSceneObject* object = Moving("object", root(), "steps",
		{ Clip("through", 0, 2, 2, false), Clip("back", 0, 2, 2, true), Clip("still", 1, 1, 0, true) });
	cMotionPlayer& player = PlayerOf(object);
	const auto expectFinite = [&](const char* when) {
		const cMatrix& local = object->GetTransform().GetLocalMatrix();
		for (int i = 0; i < 16; ++i)
			EXPECT_TRUE(std::isfinite(local.m[i / 4][i % 4])) << when;
		EXPECT_TRUE(std::isfinite(player.GetTime())) << when;
	};

	object->GetMotions().PlayByName("through");
	for (int step = 0; step < 5; ++step)
	{
		scene->Update(0.5f);
		expectFinite("forward");
	}
	EXPECT_FLOAT_EQ(X(object), 6);

	// Backward through the repeated key.
	object->GetMotions().PlayByName("back");
	object->GetMotions().SetDirectionByName("back", false);
	for (int step = 0; step < 5; ++step)
	{
		scene->Update(0.5f);
		expectFinite("backward");
	}

	object->GetMotions().PlayByName("still");
	player.Seek(3);
	expectFinite("seek");
	EXPECT_EQ(player.GetTime(), 0);
	scene->Update(0.5f);
	expectFinite("update");
}
