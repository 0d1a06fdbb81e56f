#include "engine/foundation/cPlane.h"

#include <gtest/gtest.h>

TEST(cPlane, FromPointNormalTable)
{
	struct Case
	{
		cVector3d point;
		cVector3d normal;
		cPlane expected;
	};
	const Case cases[] = {
		{ { 0, 5, 0 }, { 0, 2, 0 }, { 0, 1, 0, -5 } },
		{ { 1, 1, 1 }, { 3, 0, 4 }, { 0.6f, 0, 0.8f, -1.4f } },
		// A normal this short is kept as given.
		{ { 1, 0, 0 }, { 0.000001f, 0, 0 }, { 0.000001f, 0, 0, -0.000001f } },
		{ { 1, 2, 3 }, { 0, 0, 0 }, { 0, 0, 0, 0 } },
	};
	for (const Case& c : cases)
	{
		cPlane plane(9, 9, 9, 9);
		EXPECT_EQ(&plane.FromPointNormal(c.point, c.normal), &plane);
		EXPECT_NEAR(plane.a, c.expected.a, 1e-6f);
		EXPECT_NEAR(plane.b, c.expected.b, 1e-6f);
		EXPECT_NEAR(plane.c, c.expected.c, 1e-6f);
		EXPECT_NEAR(plane.d, c.expected.d, 1e-6f);
		EXPECT_NEAR(plane.DotCoord(c.point), 0.0f, 1e-6f);
	}
}

TEST(cPlane, DotCoordIsPositiveOnTheNormalsSide)
{
	cPlane plane;
	plane.FromPointNormal({ 0, 5, 0 }, { 0, 1, 0 });
	EXPECT_FLOAT_EQ(plane.DotCoord({ 3, 8, -2 }), 3.0f);
	EXPECT_FLOAT_EQ(plane.DotCoord({ 0, 1, 0 }), -4.0f);
}
