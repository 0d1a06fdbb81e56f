#include "engine/foundation/cOrientedBox.h"

#include <gtest/gtest.h>

namespace
{
cBoundingBox Cube(float half)
{
	return cBoundingBox().SetFromPoints({ -half, -half, -half }, { half, half, half });
}

cOrientedBox Place(const cBoundingBox& local, const cVector3d& position, float angleZ = 0.0f)
{
	cMatrix m;
	m.MakeRotationZ(angleZ);
	m._41 = position.x;
	m._42 = position.y;
	m._43 = position.z;
	return cOrientedBox(local, m);
}
}

TEST(cOrientedBox, IntersectsTable)
{
	const float quarterTurn = 3.14159265f / 4;
	struct Case
	{
		const char* name;
		cOrientedBox a;
		cOrientedBox b;
		bool expected;
	};
	const Case cases[] = {
		{ "same place", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 0, 0, 0 }), true },
		{ "overlapping", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 1.5f, 0.5f, 0 }), true },
		{ "sharing a face", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 2, 0, 0 }), true },
		{ "sharing an edge", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 2, 2, 0 }), true },
		{ "apart in x", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 2.01f, 0, 0 }), false },
		{ "apart in z", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 0, 0, -3 }), false },
		{ "small inside large", Place(Cube(5), { 0, 0, 0 }), Place(Cube(0.1f), { 1, 1, 1 }), true },
		// A diamond's tip reaches 1.414 from its centre.
		{ "turned, tip inside", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 2.3f, 0, 0 }, quarterTurn), true },
		{ "turned, tip outside", Place(Cube(1), { 0, 0, 0 }), Place(Cube(1), { 2.5f, 0, 0 }, quarterTurn), false },
		// Beside the diamond's slanted face: only the turned box's axis separates.
		{ "turned, diagonal gap", Place(Cube(1), { 2, 2, 0 }), Place(Cube(1), { 0, 0, 0 }, quarterTurn), false },
		{ "empty box", cOrientedBox(), Place(Cube(1), { 0, 0, 0 }), false },
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(c.a.Intersects(c.b), c.expected) << c.name;
		EXPECT_EQ(c.b.Intersects(c.a), c.expected) << c.name;
	}
}

TEST(cOrientedBox, SetMatrixRebuildsTheCache)
{
	cOrientedBox a;
	a.InitFromBox(Cube(1));
	cOrientedBox b = Place(Cube(1), { 0, 0, 0 });
	EXPECT_TRUE(a.Intersects(b));

	cMatrix far;
	far.MakeTranslation({ 10, 0, 0 });
	a.SetMatrix(far);
	EXPECT_FALSE(a.Intersects(b));

	// Scale in the matrix grows the box.
	cMatrix scaled;
	scaled.MakeTranslationScale({ 10, 0, 0 }, { 9, 1, 1 });
	a.SetMatrix(scaled);
	EXPECT_TRUE(a.Intersects(b));

	a.InitFromBox(Cube(1));
	EXPECT_TRUE(a.Intersects(b));
}
