#include "engine/foundation/cFrustum.h"

#include <gtest/gtest.h>

namespace
{
// The planes that keep the point, in plane order left, right, top, bottom,
// far, near, as a string of 1 (inside) and 0 (outside).
std::string InsideMask(const cFrustum& frustum, const cVector3d& p)
{
	std::string mask;
	for (int plane = 0; plane < cFrustum::PLANE_COUNT; ++plane)
		mask += frustum.GetPlane(static_cast<cFrustum::ePlane>(plane)).DotCoord(p) >= 0.0f ? '1' : '0';
	return mask;
}
}

TEST(cFrustum, PlanesOfTheScreenCamera)
{
	// The 1024 by 768 screen seen from (0, 0, -1800), depth 1 to 2000.
	cMatrix view;
	view.MakeTranslation({ 0, 0, 1800 });
	cMatrix projection;
	D3DXMatrixOrthoOffCenterLH(&projection, 0, 1024, 0, 768, 1, 2000);
	cFrustum frustum;
	frustum.SetFromMatrix(view * projection);

	struct Case
	{
		cVector3d point;
		const char* mask;
	};
	const Case cases[] = {
		{ { 512, 384, 0 }, "111111" },
		{ { 0, 0, 0 }, "111111" },
		{ { 1024, 768, 0 }, "111111" },
		{ { -1, 384, 0 }, "011111" },
		{ { 1025, 384, 0 }, "101111" },
		{ { 512, 769, 0 }, "110111" },
		{ { 512, -1, 0 }, "111011" },
		{ { 512, 384, 201 }, "111101" },
		{ { 512, 384, -1800 }, "111110" },
	};
	for (const Case& c : cases)
		EXPECT_EQ(InsideMask(frustum, c.point), c.mask) << c.point.x << " " << c.point.y << " " << c.point.z;
}

TEST(cFrustum, PlanesOfAPerspectiveCamera)
{
	// A 90 degree square view from the origin along z, depth 1 to 100.
	cMatrix projection;
	D3DXMatrixPerspectiveFovLH(&projection, 3.14159265f / 2, 1.0f, 1.0f, 100.0f);
	cFrustum frustum;
	frustum.SetFromMatrix(projection);
	EXPECT_EQ(InsideMask(frustum, { 0, 0, 50 }), "111111");
	EXPECT_EQ(InsideMask(frustum, { 9, 9, 10 }), "111111");
	EXPECT_EQ(InsideMask(frustum, { -11, 0, 10 }), "011111");
	EXPECT_EQ(InsideMask(frustum, { 0, 11, 10 }), "110111");
	EXPECT_EQ(InsideMask(frustum, { 0, 0, 101 }), "111101");
	EXPECT_EQ(InsideMask(frustum, { 0, 0, 0.5f }), "111110");
}
