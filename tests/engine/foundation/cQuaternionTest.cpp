#include "engine/foundation/cQuaternion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// The rotation by angle about the z axis.
cQuaternion AboutZ(float angle)
{
	return cQuaternion(0.0f, 0.0f, std::sin(angle / 2), std::cos(angle / 2));
}

void ExpectSameRotation(const cQuaternion& actual, const cQuaternion& expected)
{
	// q and -q are the same rotation.
	const float sign = actual.x * expected.x + actual.y * expected.y + actual.z * expected.z +
		actual.w * expected.w < 0.0f ? -1.0f : 1.0f;
	EXPECT_NEAR(actual.x, sign * expected.x, 1e-5f);
	EXPECT_NEAR(actual.y, sign * expected.y, 1e-5f);
	EXPECT_NEAR(actual.z, sign * expected.z, 1e-5f);
	EXPECT_NEAR(actual.w, sign * expected.w, 1e-5f);
}
}

TEST(cQuaternion, DefaultIsIdentity)
{
	const cQuaternion q;
	EXPECT_EQ(q.x, 0.0f);
	EXPECT_EQ(q.y, 0.0f);
	EXPECT_EQ(q.z, 0.0f);
	EXPECT_EQ(q.w, 1.0f);
}

TEST(cQuaternion, SlerpTable)
{
	struct Case
	{
		float from;
		float to;
		float t;
		float expected;
	};
	const Case cases[] = {
		{ 0.0f, 2.0f, 0.0f, 0.0f },
		{ 0.0f, 2.0f, 1.0f, 2.0f },
		{ 0.0f, 2.0f, 0.5f, 1.0f },
		{ 0.0f, 2.0f, 0.25f, 0.5f },
		{ 0.5f, -0.5f, 0.75f, -0.25f },
		// Near-parallel keys are blended linearly, still at the right angle.
		{ 1.0f, 1.001f, 0.5f, 1.0005f },
		{ 1.0f, 1.0f, 0.3f, 1.0f },
	};
	for (const Case& c : cases)
	{
		cQuaternion out;
		EXPECT_EQ(&AboutZ(c.from).Slerp(out, AboutZ(c.to), c.t), &out);
		ExpectSameRotation(out, AboutZ(c.expected));
	}
}

TEST(cQuaternion, SlerpTakesTheShorterArc)
{
	// 170 degrees to -170 degrees is a 20 degree turn through 180, not a
	// 340 degree turn back through 0.
	const float degree = 3.14159265f / 180.0f;
	cQuaternion out;
	AboutZ(170 * degree).Slerp(out, AboutZ(-170 * degree), 0.5f);
	ExpectSameRotation(out, AboutZ(180 * degree));

	// The same key stored with the opposite sign makes no turn at all.
	const cQuaternion key = AboutZ(0.8f);
	const cQuaternion negated(-key.x, -key.y, -key.z, -key.w);
	key.Slerp(out, negated, 0.5f);
	ExpectSameRotation(out, key);
	const float length = std::sqrt(out.x * out.x + out.y * out.y + out.z * out.z + out.w * out.w);
	EXPECT_NEAR(length, 1.0f, 1e-6f);
}
