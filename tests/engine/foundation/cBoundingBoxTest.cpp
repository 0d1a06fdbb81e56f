#include "engine/foundation/cBoundingBox.h"
#include "MathTestHelpers.h"

#include <cfloat>
#include <cmath>

namespace
{
cBoundingBox UnitBox()
{
	return cBoundingBox().SetFromPoints({ 1, 1, 1 }, { -1, -1, -1 });
}
}

TEST(cBoundingBox, EmptyBoxTakesItsFirstPoint)
{
	cBoundingBox box;
	EXPECT_TRUE(box.IsEmpty());
	ExpectVectorNear(box.min, { FLT_MAX, FLT_MAX, FLT_MAX }, 0.0f);
	ExpectVectorNear(box.max, { -FLT_MAX, -FLT_MAX, -FLT_MAX }, 0.0f);

	box.AddPoint({ 1, 2, 3 });
	EXPECT_FALSE(box.IsEmpty());
	ExpectVectorNear(box.min, { 1, 2, 3 }, 0.0f);
	ExpectVectorNear(box.max, { 1, 2, 3 }, 0.0f);

	box.AddPoint({ -1, 5, 3 });
	ExpectVectorNear(box.min, { -1, 2, 3 }, 0.0f);
	ExpectVectorNear(box.max, { 1, 5, 3 }, 0.0f);
	ExpectVectorNear(box.GetCenter(), { 0, 3.5f, 3 });
	ExpectVectorNear(box.GetSize(), { 2, 3, 0 });
}

TEST(cBoundingBox, SetFromPointsSortsEachComponent)
{
	cBoundingBox box;
	box.SetFromPoints({ 4, -1, 0 }, { 2, 3, -5 });
	ExpectVectorNear(box.min, { 2, -1, -5 }, 0.0f);
	ExpectVectorNear(box.max, { 4, 3, 0 }, 0.0f);
}

TEST(cBoundingBox, CornerTable)
{
	cBoundingBox box;
	box.SetFromPoints({ 1, 2, 3 }, { 4, 5, 6 });
	const cVector3d expected[] = { { 1, 2, 3 }, { 1, 2, 6 }, { 4, 2, 3 }, { 1, 5, 3 }, { 4, 5, 3 }, { 4, 2, 6 },
		{ 1, 5, 6 }, { 4, 5, 6 }, { 4, 5, 6 }, { 4, 5, 6 } };
	const int indices[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, -1 };
	for (int i = 0; i < 10; ++i)
	{
		cVector3d corner;
		EXPECT_EQ(&box.GetCorner(corner, indices[i]), &corner);
		ExpectVectorNear(corner, expected[i], 0.0f);
	}
}

TEST(cBoundingBox, TransformBoundsTheTurnedCorners)
{
	cBoundingBox box;
	box.SetFromPoints({ 0, 0, 0 }, { 2, 1, 1 });
	cMatrix m;
	m.MakeRotationZ(3.14159265f / 2).RotateZ(0.0f);
	m._41 = 10.0f;
	box.Transform(m);
	// (x, y) turns to (-y, x), then moves by 10 in x.
	ExpectVectorNear(box.min, { 9, 0, 0 });
	ExpectVectorNear(box.max, { 10, 2, 1 });
}

TEST(cBoundingBox, IntersectsSegmentTable)
{
	struct Case
	{
		cVector3d origin;
		cVector3d direction;
		bool expected;
	};
	const Case cases[] = {
		// Stops 0.5 short of the box, less than half of its 1.5 length.
		{ { 0, 0, -3 }, { 0, 0, 1.5f }, true },
		{ { 0, 0, -4 }, { 0, 0, 1 }, false },
		{ { 0, 0, -5 }, { 0, 0, 10 }, true },
		{ { 0, 0, -0.5f }, { 0, 0, 0.2f }, true },
		{ { 0, 0, 0 }, { 0, 0, 0 }, true },
		{ { 5, 5, 5 }, { 0, 0, 0 }, false },
		// Passes the box by, beside it.
		{ { 3, 0, -5 }, { 0, 0, 10 }, false },
		{ { -5, 2.5f, 0 }, { 10, 0, 0 }, false },
		{ { 2.5f, 0, -5 }, { 0, 5, 10 }, false },
		// Cuts past the corner (-1, 1): only a cross-product axis separates.
		{ { -3, 0, 0 }, { 6, 6, 0 }, false },
		{ { -3, -3, 0 }, { 6, 6, 0 }, true },
		// Touching the face exactly does not separate.
		{ { 1, 0, -5 }, { 0, 0, 10 }, true },
	};
	const cBoundingBox box = UnitBox();
	for (const Case& c : cases)
		EXPECT_EQ(box.IntersectsSegment({ c.origin, c.direction }), c.expected)
			<< c.origin.x << " " << c.origin.y << " " << c.origin.z;
}

TEST(cBoundingBox, IntersectRayTable)
{
	struct Case
	{
		cVector3d origin;
		cVector3d direction;
		bool hit;
		float distance;
	};
	const Case cases[] = {
		{ { 0, 0, -5 }, { 0, 0, 1 }, true, 4.0f },
		{ { 0, 0, 0 }, { 0, 0, 1 }, true, 1.0f },
		// Wholly behind the origin: reported, with a negative distance.
		{ { 0, 0, 5 }, { 0, 0, 1 }, true, -4.0f },
		{ { 0, 0, 5 }, { 0, 0, -2 }, true, 2.0f },
		// Distances count in lengths of the direction.
		{ { 0, 0, -5 }, { 0, 0, 2 }, true, 2.0f },
		{ { -5, -5, 0 }, { 1, 1, 0 }, true, 4.0f },
		{ { 0, 3, -5 }, { 0, 0, 1 }, false, 0.0f },
		{ { 3, 0, -5 }, { 0, 0, 1 }, false, 0.0f },
		{ { -5, 0, -5 }, { 1, 0, 0 }, false, 0.0f },
		// An origin on a face with the direction along it: inside the slab.
		{ { 1, 0, -5 }, { 0, 0, 1 }, true, 4.0f },
		{ { -1, 1, -5 }, { 0, 0, 1 }, true, 4.0f },
		// A negative zero direction component is still parallel to the slab.
		{ { 0, 0, -5 }, { -0.0f, -0.0f, 1 }, true, 4.0f },
	};
	const cBoundingBox box = UnitBox();
	for (const Case& c : cases)
	{
		float distance = 123.0f;
		EXPECT_EQ(box.IntersectRay({ c.origin, c.direction }, distance), c.hit)
			<< c.origin.x << " " << c.origin.y << " " << c.origin.z;
		if (c.hit)
			EXPECT_FLOAT_EQ(distance, c.distance);
		else
			EXPECT_EQ(distance, 123.0f);
	}
}

TEST(cBoundingBox, IntersectRayOnAFlatBox)
{
	// A box flattened to z = 0, met straight on by a pick ray whose x lies
	// exactly on the box's edge.
	cBoundingBox box;
	box.SetFromPoints({ 100, 200, 0 }, { 300, 400, 0 });
	float distance = 0.0f;
	EXPECT_TRUE(box.IntersectRay({ { 100, 250, -1799 }, { 0, 0, 1999 } }, distance));
	EXPECT_NEAR(distance, 1799.0f / 1999.0f, 1e-6f);
	EXPECT_FALSE(box.IntersectRay({ { 99, 250, -1799 }, { 0, 0, 1999 } }, distance));
}
