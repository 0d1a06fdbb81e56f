#include "platform/d3dx9/D3DX9Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{
const float kPi = std::numbers::pi_v<float>;

D3DXMATRIX Rows(const float (&values)[16])
{
	D3DXMATRIX m;
	for (int i = 0; i < 16; ++i)
		m.m[i / 4][i % 4] = values[i];
	return m;
}

D3DXMATRIX Identity()
{
	return Rows({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 });
}

D3DXMATRIX Translation(float x, float y, float z)
{
	return Rows({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1 });
}

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected, float tolerance = 1e-5f)
{
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			EXPECT_NEAR(actual.m[row][column], expected.m[row][column], tolerance) << "element " << row << ", " << column;
}

void ExpectVectorNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected, float tolerance = 1e-4f)
{
	EXPECT_NEAR(actual.x, expected.x, tolerance);
	EXPECT_NEAR(actual.y, expected.y, tolerance);
	EXPECT_NEAR(actual.z, expected.z, tolerance);
}

D3DXVECTOR4 Transform(float x, float y, float z, const D3DXMATRIX& m)
{
	const D3DXVECTOR3 v(x, y, z);
	D3DXVECTOR4 out;
	D3DXVec3Transform(&out, &v, &m);
	return out;
}

D3DXMATRIX RotationAxis(float x, float y, float z, float angle)
{
	const D3DXVECTOR3 axis(x, y, z);
	D3DXMATRIX m;
	D3DXMatrixRotationAxis(&m, &axis, angle);
	return m;
}
}

TEST(D3DX9Math, MultiplyAppliesTheLeftMatrixFirstAndMayAlias)
{
	const D3DXMATRIX a = Rows({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 });
	const D3DXMATRIX b = Rows({ 2, 0, 0, 1, 0, 3, 1, 0, 1, 0, 1, 0, 0, 1, 0, 2 });
	const D3DXMATRIX expected =
		Rows({ 5, 10, 5, 9, 17, 26, 13, 21, 29, 42, 21, 33, 41, 58, 29, 45 });

	D3DXMATRIX out;
	EXPECT_EQ(D3DXMatrixMultiply(&out, &a, &b), &out);
	ExpectMatrixNear(out, expected, 0.0f);

	D3DXMATRIX left = a;
	D3DXMatrixMultiply(&left, &left, &b);
	ExpectMatrixNear(left, expected, 0.0f);

	D3DXMATRIX right = b;
	D3DXMatrixMultiply(&right, &a, &right);
	ExpectMatrixNear(right, expected, 0.0f);

	D3DXMATRIX square = b;
	D3DXMatrixMultiply(&square, &square, &square);
	D3DXMATRIX expectedSquare;
	D3DXMatrixMultiply(&expectedSquare, &b, &b);
	ExpectMatrixNear(square, expectedSquare, 0.0f);
}

TEST(D3DX9Math, InverseTable)
{
	const D3DXMATRIX cases[] = {
		Identity(),
		Translation(10, -20, 1800),
		Rows({ 2, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0.5f, 0, 1, 2, 3, 1 }),
		Rows({ 4, 7, 2, 3, 0, 5, 1, 9, 3, 3, 8, 1, 2, 0, 6, 5 }),
		Rows({ 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0 }),
		RotationAxis(1, 2, 3, 0.7f),
	};
	for (const D3DXMATRIX& m : cases)
	{
		D3DXMATRIX inverse;
		ASSERT_EQ(D3DXMatrixInverse(&inverse, nullptr, &m), &inverse);
		D3DXMATRIX product;
		ExpectMatrixNear(*D3DXMatrixMultiply(&product, &m, &inverse), Identity());
		ExpectMatrixNear(*D3DXMatrixMultiply(&product, &inverse, &m), Identity());

		D3DXMATRIX inPlace = m;
		float determinant = 0.0f;
		D3DXMatrixInverse(&inPlace, &determinant, &inPlace);
		ExpectMatrixNear(inPlace, inverse, 0.0f);
		EXPECT_NE(determinant, 0.0f);
	}

	float determinant = 0.0f;
	D3DXMATRIX inverse;
	const D3DXMATRIX scale = Rows({ 2, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0.5f, 0, 1, 2, 3, 1 });
	D3DXMatrixInverse(&inverse, &determinant, &scale);
	EXPECT_FLOAT_EQ(determinant, 4.0f);
}

TEST(D3DX9Math, InverseOfSingularMatrixFailsAndLeavesTheOutput)
{
	const D3DXMATRIX cases[] = {
		Rows({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }),
		Rows({ 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 5, 5, 5, 1 }),
		Rows({ 1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 1, 1, 0, 0, 1 }),
	};
	for (const D3DXMATRIX& m : cases)
	{
		D3DXMATRIX out = Translation(7, 8, 9);
		float determinant = 1.0f;
		EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &m), nullptr);
		EXPECT_EQ(determinant, 0.0f);
		ExpectMatrixNear(out, Translation(7, 8, 9), 0.0f);
	}
}

TEST(D3DX9Math, Transpose)
{
	D3DXMATRIX m = Rows({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 });
	D3DXMatrixTranspose(&m, &m);
	ExpectMatrixNear(m, Rows({ 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16 }), 0.0f);
}

TEST(D3DX9Math, RotationAxisTurnsLeftHanded)
{
	struct Case
	{
		D3DXVECTOR3 axis;
		D3DXVECTOR3 point;
		D3DXVECTOR3 expected;
	};
	// A quarter turn about each axis, looking down the axis towards the
	// origin: x to y about z, y to z about x, z to x about y.
	const Case cases[] = {
		{ { 0, 0, 1 }, { 1, 0, 0 }, { 0, 1, 0 } },
		{ { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } },
		{ { 0, 1, 0 }, { 0, 0, 1 }, { 1, 0, 0 } },
		{ { 0, 0, -3 }, { 1, 0, 0 }, { 0, -1, 0 } },
		// About the diagonal a third of a full turn cycles the axes.
		{ { 1, 1, 1 }, { 1, 0, 0 }, { 0, 0, 1 } },
	};
	for (const Case& c : cases)
	{
		const float angle = c.axis.x == 1 && c.axis.y == 1 ? -2 * kPi / 3 : kPi / 2;
		const D3DXVECTOR4 p =
			Transform(c.point.x, c.point.y, c.point.z, RotationAxis(c.axis.x, c.axis.y, c.axis.z, angle));
		ExpectVectorNear({ p.x, p.y, p.z }, c.expected, 1e-6f);
		EXPECT_FLOAT_EQ(p.w, 1.0f);
	}

	// The rotation about z has the documented rows, and a zero axis turns nothing.
	const float c = std::cos(0.4f), s = std::sin(0.4f);
	ExpectMatrixNear(RotationAxis(0, 0, 1, 0.4f), Rows({ c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 }));
	ExpectMatrixNear(RotationAxis(0, 0, 0, 0.4f), Identity(), 0.0f);
}

TEST(D3DX9Math, QuaternionAndMatrixConvertBothWays)
{
	struct Case
	{
		D3DXVECTOR3 axis;
		float angle;
	};
	// Angles near a half turn take the branches led by x, y and z.
	const Case cases[] = {
		{ { 0, 0, 1 }, 0.0f }, { { 0, 0, 1 }, 1.0f }, { { 1, 0, 0 }, 3.1f }, { { 0, 1, 0 }, 3.1f },
		{ { 0, 0, 1 }, 3.1f }, { { 1, -2, 0.5f }, 2.5f }, { { -1, 1, 1 }, -0.3f }, { { 0, 1, 0 }, kPi },
	};
	for (const Case& c : cases)
	{
		const D3DXMATRIX m = RotationAxis(c.axis.x, c.axis.y, c.axis.z, c.angle);
		const float length = std::sqrt(c.axis.x * c.axis.x + c.axis.y * c.axis.y + c.axis.z * c.axis.z);
		const float s = std::sin(c.angle / 2) / length;
		const D3DXQUATERNION expected = { c.axis.x * s, c.axis.y * s, c.axis.z * s, std::cos(c.angle / 2) };

		D3DXMATRIX fromQuaternion;
		D3DXMatrixRotationQuaternion(&fromQuaternion, &expected);
		ExpectMatrixNear(fromQuaternion, m);

		D3DXQUATERNION q;
		EXPECT_EQ(D3DXQuaternionRotationMatrix(&q, &m), &q);
		const float sign = q.w * expected.w + q.x * expected.x + q.y * expected.y + q.z * expected.z < 0 ? -1.0f : 1.0f;
		EXPECT_NEAR(q.x, sign * expected.x, 1e-5f);
		EXPECT_NEAR(q.y, sign * expected.y, 1e-5f);
		EXPECT_NEAR(q.z, sign * expected.z, 1e-5f);
		EXPECT_NEAR(q.w, sign * expected.w, 1e-5f);
	}
}

TEST(D3DX9Math, SlerpFollowsTheShorterArc)
{
	const auto aboutY = [](float angle) { return D3DXQUATERNION { 0, std::sin(angle / 2), 0, std::cos(angle / 2) }; };
	struct Case
	{
		D3DXQUATERNION q0;
		D3DXQUATERNION q1;
		float t;
		D3DXQUATERNION expected;
	};
	const D3DXQUATERNION turned = aboutY(1.0f);
	const D3DXQUATERNION negated = { -turned.x, -turned.y, -turned.z, -turned.w };
	const Case cases[] = {
		{ aboutY(0.0f), aboutY(1.0f), 0.0f, aboutY(0.0f) },
		{ aboutY(0.0f), aboutY(1.0f), 1.0f, aboutY(1.0f) },
		{ aboutY(0.0f), aboutY(1.0f), 0.3f, aboutY(0.3f) },
		{ aboutY(0.0f), aboutY(3.0f), 0.5f, aboutY(1.5f) },
		// 4 radians one way is 2.28 the other: the interpolation goes that way.
		{ aboutY(0.0f), aboutY(4.0f), 0.5f, aboutY(2.0f - kPi) },
		{ aboutY(0.0f), negated, 0.5f, aboutY(0.5f) },
		// Near-parallel: blended linearly and kept at unit length.
		{ aboutY(1.0f), aboutY(1.0004f), 0.5f, aboutY(1.0002f) },
		{ turned, negated, 0.7f, turned },
	};
	for (const Case& c : cases)
	{
		D3DXQUATERNION out;
		EXPECT_EQ(D3DXQuaternionSlerp(&out, &c.q0, &c.q1, c.t), &out);
		const float sign = out.w * c.expected.w + out.y * c.expected.y < 0 ? -1.0f : 1.0f;
		EXPECT_NEAR(out.x, sign * c.expected.x, 1e-5f);
		EXPECT_NEAR(out.y, sign * c.expected.y, 1e-5f);
		EXPECT_NEAR(out.z, sign * c.expected.z, 1e-5f);
		EXPECT_NEAR(out.w, sign * c.expected.w, 1e-5f);
	}

	// The output may be an input.
	D3DXQUATERNION q = aboutY(0.0f);
	const D3DXQUATERNION target = aboutY(2.0f);
	D3DXQuaternionSlerp(&q, &q, &target, 0.5f);
	EXPECT_NEAR(q.y, std::sin(0.5f), 1e-6f);
}

TEST(D3DX9Math, Vec3TransformKeepsW)
{
	const D3DXMATRIX m = Rows({ 1, 0, 0, 1, 0, 2, 0, 0, 0, 0, 3, 0, 10, 20, 30, 2 });
	const D3DXVECTOR4 p = Transform(1, 1, 1, m);
	EXPECT_FLOAT_EQ(p.x, 11.0f);
	EXPECT_FLOAT_EQ(p.y, 22.0f);
	EXPECT_FLOAT_EQ(p.z, 33.0f);
	EXPECT_FLOAT_EQ(p.w, 3.0f);
}

TEST(D3DX9Math, PerspectiveFovLH)
{
	D3DXMATRIX m;
	EXPECT_EQ(D3DXMatrixPerspectiveFovLH(&m, kPi / 2, 2.0f, 1.0f, 101.0f), &m);
	ExpectMatrixNear(m, Rows({ 0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 101.0f / 100, 1, 0, 0, -101.0f / 100, 0 }));

	// Depth runs 0 at the near plane to 1 at the far one.
	const D3DXVECTOR4 nearPoint = Transform(0, 0, 1, m);
	const D3DXVECTOR4 farPoint = Transform(0, 0, 101, m);
	EXPECT_NEAR(nearPoint.z / nearPoint.w, 0.0f, 1e-6f);
	EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, 1e-6f);
}

TEST(D3DX9Math, OrthoOffCenterMapsTheScreenCamera)
{
	// The 1024 by 768 screen, depth 1 to 2000, seen from (0, 0, -1800).
	D3DXMATRIX projection;
	EXPECT_EQ(D3DXMatrixOrthoOffCenterLH(&projection, 0, 1024, 0, 768, 1, 2000), &projection);
	ExpectMatrixNear(projection, Rows({ 2.0f / 1024, 0, 0, 0, 0, 2.0f / 768, 0, 0, 0, 0, 1.0f / 1999, 0, -1, -1,
										 1.0f / -1999, 1 }));

	D3DXMATRIX view;
	const D3DXMATRIX placement = Translation(0, 0, -1800);
	D3DXMatrixInverse(&view, nullptr, &placement);
	D3DXMATRIX viewProjection;
	D3DXMatrixMultiply(&viewProjection, &view, &projection);

	const D3DXVECTOR4 bottomLeft = Transform(0, 0, 0, viewProjection);
	const D3DXVECTOR4 topRight = Transform(1024, 768, 0, viewProjection);
	EXPECT_NEAR(bottomLeft.x, -1.0f, 1e-6f);
	EXPECT_NEAR(bottomLeft.y, -1.0f, 1e-6f);
	EXPECT_NEAR(topRight.x, 1.0f, 1e-6f);
	EXPECT_NEAR(topRight.y, 1.0f, 1e-6f);
	EXPECT_NEAR(bottomLeft.z, (1800.0f - 1) / (2000.0f - 1), 1e-6f);
	EXPECT_FLOAT_EQ(bottomLeft.w, 1.0f);
}

TEST(D3DX9Math, UnprojectTable)
{
	D3DXMATRIX projection;
	D3DXMatrixOrthoOffCenterLH(&projection, 0, 1024, 0, 768, 1, 2000);
	D3DXMATRIX view;
	const D3DXMATRIX placement = Translation(0, 0, -1800);
	D3DXMatrixInverse(&view, nullptr, &placement);
	const D3DXMATRIX world = Identity();

	// A 1920 by 1080 back buffer shows the 4:3 screen in a strip from x 240.
	const D3DVIEWPORT9 full = { 0, 0, 1024, 768, 0, 1 };
	const D3DVIEWPORT9 strip = { 240, 0, 1440, 1080, 0, 1 };
	struct Case
	{
		const D3DVIEWPORT9* viewport;
		D3DXVECTOR3 screen;
		D3DXVECTOR3 expected;
	};
	const Case cases[] = {
		{ &full, { 0, 768, 0 }, { 0, 0, -1799 } },
		{ &full, { 1024, 0, 0 }, { 1024, 768, -1799 } },
		{ &full, { 512, 384, 1 }, { 512, 384, 200 } },
		{ &full, { 0, 768, (1800.0f - 1) / (2000.0f - 1) }, { 0, 0, 0 } },
		{ &strip, { 960, 540, 0 }, { 512, 384, -1799 } },
		{ &strip, { 240, 1080, 0 }, { 0, 0, -1799 } },
		{ &strip, { 1680, 0, 1 }, { 1024, 768, 200 } },
	};
	for (const Case& c : cases)
	{
		D3DXVECTOR3 out;
		ASSERT_EQ(D3DXVec3Unproject(&out, &c.screen, c.viewport, &projection, &view, &world), &out);
		ExpectVectorNear(out, c.expected, 2e-3f);
	}
}

TEST(D3DX9Math, UnprojectThroughPerspectiveAndWorld)
{
	D3DXMATRIX projection;
	D3DXMatrixPerspectiveFovLH(&projection, kPi / 2, 1.0f, 1.0f, 100.0f);
	const D3DXMATRIX world = Translation(5, 0, 0);
	const D3DVIEWPORT9 viewport = { 0, 0, 200, 200, 0, 1 };

	// The viewport's right edge at the far plane: x = z = 100 in view
	// space, 95 in the model's own space. Null view counts as identity.
	const D3DXVECTOR3 screen(200, 100, 1);
	D3DXVECTOR3 out;
	ASSERT_NE(D3DXVec3Unproject(&out, &screen, &viewport, &projection, nullptr, &world), nullptr);
	ExpectVectorNear(out, { 95, 0, 100 }, 1e-2f);
}

TEST(D3DX9Math, UnprojectRefusesDegenerateInput)
{
	const D3DXMATRIX flat = Rows({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1 });
	const D3DVIEWPORT9 viewport = { 0, 0, 100, 100, 0, 1 };
	const D3DVIEWPORT9 empty = { 0, 0, 0, 100, 0, 1 };
	const D3DVIEWPORT9 noDepth = { 0, 0, 100, 100, 0.5f, 0.5f };
	const D3DXVECTOR3 screen(50, 50, 0);
	D3DXVECTOR3 out(7, 8, 9);
	EXPECT_EQ(D3DXVec3Unproject(&out, &screen, &viewport, &flat, nullptr, nullptr), nullptr);
	EXPECT_EQ(D3DXVec3Unproject(&out, &screen, &empty, nullptr, nullptr, nullptr), nullptr);
	EXPECT_EQ(D3DXVec3Unproject(&out, &screen, &noDepth, nullptr, nullptr, nullptr), nullptr);
	ExpectVectorNear(out, { 7, 8, 9 }, 0.0f);
}

TEST(D3DX9Math, PlaneFromPointsKeepsTheClipBoxInside)
{
	// The four side planes of the box (100, 200, 0)-(300, 400, 1), each
	// through three corners in the order the graphics device passes them.
	const float x0 = 100, y0 = 200, z0 = 0, x1 = 300, y1 = 400, z1 = 1;
	struct Case
	{
		D3DXVECTOR3 p1, p2, p3;
		D3DXPLANE expected;
	};
	const Case cases[] = {
		{ { x1, y0, z0 }, { x0, y0, z0 }, { x0, y0, z1 }, { 0, 1, 0, -y0 } },
		{ { x1, y1, z0 }, { x1, y0, z0 }, { x1, y1, z1 }, { -1, 0, 0, x1 } },
		{ { x0, y1, z0 }, { x1, y1, z0 }, { x1, y1, z1 }, { 0, -1, 0, y1 } },
		{ { x0, y0, z0 }, { x0, y1, z0 }, { x0, y0, z1 }, { 1, 0, 0, -x0 } },
		// Collinear points span no plane.
		{ { 0, 0, 0 }, { 1, 1, 1 }, { 2, 2, 2 }, { 0, 0, 0, 0 } },
	};
	for (const Case& c : cases)
	{
		D3DXPLANE plane;
		EXPECT_EQ(D3DXPlaneFromPoints(&plane, &c.p1, &c.p2, &c.p3), &plane);
		EXPECT_NEAR(plane.a, c.expected.a, 1e-6f);
		EXPECT_NEAR(plane.b, c.expected.b, 1e-6f);
		EXPECT_NEAR(plane.c, c.expected.c, 1e-6f);
		EXPECT_NEAR(plane.d, c.expected.d, 1e-3f);
	}
}

TEST(D3DX9Math, FVFVertexSizeTable)
{
	struct Case
	{
		DWORD fvf;
		UINT size;
	};
	const Case cases[] = {
		{ 258, 20 },
		{ 322, 24 },
		{ D3DFVF_XYZ, 12 },
		{ D3DFVF_XYZRHW | D3DFVF_DIFFUSE, 20 },
		{ D3DFVF_XYZW, 16 },
		{ D3DFVF_XYZB1, 16 },
		{ D3DFVF_XYZB3 | D3DFVF_LASTBETA_UBYTE4, 24 },
		{ D3DFVF_XYZB5, 32 },
		{ D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, 32 },
		{ D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE | D3DFVF_SPECULAR, 36 },
		{ D3DFVF_XYZ | D3DFVF_TEX2, 28 },
		{ D3DFVF_XYZ | D3DFVF_TEX3 | D3DFVF_TEXCOORDSIZE1(0) | D3DFVF_TEXCOORDSIZE3(1) | D3DFVF_TEXCOORDSIZE4(2), 44 },
		{ D3DFVF_XYZ | D3DFVF_TEX8, 76 },
		// Size bits of sets beyond the count do not count.
		{ D3DFVF_XYZ | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE4(1), 20 },
		{ 0, 0 },
		{ D3DFVF_DIFFUSE, 4 },
		// Not a vertex format: an unknown position code, more than 8 sets.
		{ 0x4000, 0 },
		{ D3DFVF_XYZ | 0x900, 0 },
	};
	for (const Case& c : cases)
		EXPECT_EQ(D3DXGetFVFVertexSize(c.fvf), c.size) << std::hex << c.fvf;
}
