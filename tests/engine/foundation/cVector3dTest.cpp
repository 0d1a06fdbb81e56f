#include "engine/foundation/cVector3d.h"
#include "MathTestHelpers.h"

#include <cmath>
#include <numbers>

TEST(cVector3d, NormalizeDividesOnlyAboveThreshold)
{
	struct Case
	{
		cVector3d input;
		cVector3d expected;
	};
	const Case cases[] = {
		{ { 3.0f, 0.0f, 4.0f }, { 0.6f, 0.0f, 0.8f } },
		{ { 0.000001f, 0.0f, 0.0f }, { 0.000001f, 0.0f, 0.0f } },
		{ { 0.00001f, 0.0f, 0.0f }, { 0.00001f, 0.0f, 0.0f } },
		{ { 0.0f, 0.00002f, 0.0f }, { 0.0f, 1.0f, 0.0f } },
		{ { 0.0f, 0.0f, 0.0f }, { 0.0f, 0.0f, 0.0f } },
		{ { 0.0f, -7.0f, 0.0f }, { 0.0f, -1.0f, 0.0f } },
	};
	for (const Case& c : cases)
	{
		cVector3d v = c.input;
		EXPECT_EQ(&v.Normalize(), &v);
		ExpectVectorNear(v, c.expected, 1e-7f);
	}
}

TEST(cVector3d, AngleToTable)
{
	const float pi = std::numbers::pi_v<float>;
	struct Case
	{
		cVector3d a;
		cVector3d b;
		float expected;
	};
	const Case cases[] = {
		{ { 1, 0, 0 }, { 0, 1, 0 }, pi / 2 },
		{ { 1, 0, 0 }, { 5, 5, 0 }, pi / 4 },
		{ { 0, 0, 1 }, { 0, 0, -3 }, pi },
		{ { 2, 0, 0 }, { 7, 0, 0 }, 0.0f },
		// The cosine of a vector with itself rounds to 1.00000012 here.
		{ { 0.2f, 0.74f, 1.026f }, { 0.2f, 0.74f, 1.026f }, 0.0f },
		{ { 0.2f, 0.74f, 1.026f }, { -0.2f, -0.74f, -1.026f }, pi },
		// Zero vectors have no direction: the angle is 0, not 0 / 0.
		{ { 0, 0, 0 }, { 0, 0, 1 }, 0.0f },
		{ { 1, 2, 3 }, { 0, 0, 0 }, 0.0f },
	};
	for (const Case& c : cases)
	{
		const float angle = c.a.AngleTo(c.b);
		EXPECT_FALSE(std::isnan(angle));
		EXPECT_NEAR(angle, c.expected, 1e-3f);
	}
}

TEST(cVector3d, ArithmeticAndCross)
{
	const cVector3d a(1, 2, 3);
	const cVector3d b(4, 5, 6);
	ExpectVectorNear(b - a, { 3, 3, 3 });
	ExpectVectorNear(a + b, { 5, 7, 9 });
	ExpectVectorNear(a * 2.0f, { 2, 4, 6 });
	EXPECT_FLOAT_EQ(a.Dot(b), 32.0f);
	EXPECT_FLOAT_EQ(cVector3d(3, 0, 4).Length(), 5.0f);

	cVector3d out;
	EXPECT_EQ(&a.Cross(b, out), &out);
	ExpectVectorNear(out, { -3, 6, -3 });
	// x cross y is z; the output may be one of the inputs.
	cVector3d x(1, 0, 0);
	x.Cross(cVector3d(0, 1, 0), x);
	ExpectVectorNear(x, { 0, 0, 1 });
}
