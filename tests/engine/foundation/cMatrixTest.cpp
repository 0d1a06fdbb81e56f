#include "engine/foundation/cMatrix.h"
#include "MathTestHelpers.h"

#include <cmath>
#include <numbers>

namespace
{
const float kPi = std::numbers::pi_v<float>;
}

TEST(cMatrix, ConstructionAndMakers)
{
	ExpectMatrixNear(cMatrix(), MatrixFromRows({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 }), 0.0f);
	ExpectMatrixNear(cMatrix::Identity(), cMatrix(), 0.0f);

	cMatrix m;
	m.MakeRotationZ(1.0f);
	EXPECT_EQ(&m.MakeTranslation({ 1, 2, 3 }), &m);
	ExpectMatrixNear(m, MatrixFromRows({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1 }), 0.0f);

	m.MakeTranslationScale({ 4, 5, 6 }, { 2, 3, 0.5f });
	ExpectMatrixNear(m, MatrixFromRows({ 2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0.5f, 0, 4, 5, 6, 1 }), 0.0f);

	const float c = std::cos(0.3f), s = std::sin(0.3f);
	m.MakeRotationZ(0.3f);
	ExpectMatrixNear(m, MatrixFromRows({ c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 }));

	cMatrix copy;
	copy.Set(m);
	ExpectMatrixNear(copy, m, 0.0f);
}

TEST(cMatrix, ProductAppliesLeftOperandFirst)
{
	// Rotate (1, 0, 0) a quarter turn to (0, 1, 0), then move by (10, 0, 0).
	cMatrix rotation, translation;
	rotation.MakeRotationZ(kPi / 2);
	translation.MakeTranslation({ 10, 0, 0 });
	ExpectVectorNear(TransformPoint({ 1, 0, 0 }, rotation * translation), { 10, 1, 0 });
	ExpectVectorNear(TransformPoint({ 1, 0, 0 }, translation * rotation), { 0, 11, 0 });

	cMatrix m = rotation;
	m *= translation;
	ExpectMatrixNear(m, rotation * translation);

	m = translation;
	m.RotateZ(kPi / 2);
	ExpectMatrixNear(m, translation * rotation);
}

TEST(cMatrix, RotationAxisAgreesWithRotationZAndQuaternion)
{
	cMatrix aboutZ, aboutAxis;
	aboutZ.MakeRotationZ(0.7f);
	// The axis needs no normalising by the caller.
	aboutAxis.MakeRotationAxis({ 0, 0, 5 }, 0.7f);
	ExpectMatrixNear(aboutAxis, aboutZ);

	cMatrix m;
	m.MakeTranslation({ 1, 2, 3 }).RotateAxis({ 0, 0, 1 }, 0.7f);
	ExpectMatrixNear(m, cMatrix().MakeTranslation({ 1, 2, 3 }) * aboutZ);

	// Half-angle quaternion of the same rotation.
	const cQuaternion q(0.0f, 0.0f, std::sin(0.35f), std::cos(0.35f));
	ExpectMatrixNear(cMatrix().MakeRotation(q), aboutZ);
}

TEST(cMatrix, GetRotationReturnsTheQuaternionOfTheMatrix)
{
	const cVector3d axes[] = { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 }, { 1, 2, -3 } };
	const float angles[] = { 0.0f, 0.4f, 2.0f, 3.1f, -1.2f };
	for (const cVector3d& axis : axes)
		for (float angle : angles)
		{
			cMatrix m;
			m.MakeRotationAxis(axis, angle);
			m._41 = 7.0f; // the translation takes no part
			cQuaternion q;
			EXPECT_EQ(&m.GetRotation(q), &q);
			cMatrix rebuilt;
			rebuilt.MakeRotation(q);
			rebuilt._41 = 7.0f;
			ExpectMatrixNear(rebuilt, m);
		}
}

TEST(cMatrix, InvertAndTranspose)
{
	cMatrix m;
	m.MakeTranslationScale({ 4, -5, 6 }, { 2, 3, 4 }).RotateAxis({ 1, 1, 0 }, 0.8f);
	cMatrix inverse = m;
	EXPECT_TRUE(inverse.Invert());
	ExpectMatrixNear(m * inverse, cMatrix());
	ExpectMatrixNear(inverse * m, cMatrix());

	cMatrix t = MatrixFromRows({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 });
	EXPECT_EQ(&t.Transpose(), &t);
	ExpectMatrixNear(t, MatrixFromRows({ 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16 }), 0.0f);
}

TEST(cMatrix, InvertOfSingularMatrixLeavesItUnchanged)
{
	cMatrix flat;
	flat.MakeTranslationScale({ 1, 2, 3 }, { 1, 0, 1 });
	cMatrix m = flat;
	EXPECT_FALSE(m.Invert());
	ExpectMatrixNear(m, flat, 0.0f);
}

TEST(cMatrix, LookAtTurnsZTowardsTheTarget)
{
	struct Case
	{
		cVector3d position;
		cVector3d target;
	};
	const Case cases[] = {
		{ { 0, 0, -1500 }, { 0, 0, 0 } },
		{ { 0, 0, -1800 }, { 0, 0, 0 } },
		{ { 0, 0, 0 }, { 1, 0, 0 } },
		{ { 0, 0, 0 }, { 0, 1, 0 } },
		{ { 5, 5, 5 }, { 5, 5, -5 } },
		{ { 1, 2, 3 }, { -4, 8, 1 } },
		{ { 0, 0, -1000 }, { 0.001f, 0.0f, 0.0f } },
	};
	for (const Case& c : cases)
	{
		cMatrix m;
		m.MakeTranslation(c.position).LookAt(c.target);
		cVector3d direction = c.target - c.position;
		direction.Normalize();
		ExpectVectorNear(cVector3d(m._31, m._32, m._33), direction);
		// Still a rotation: unit rows, right-angled, no stray column 3.
		const cVector3d x(m._11, m._12, m._13), y(m._21, m._22, m._23), z(m._31, m._32, m._33);
		EXPECT_NEAR(x.Length(), 1.0f, 1e-5f);
		EXPECT_NEAR(y.Length(), 1.0f, 1e-5f);
		EXPECT_NEAR(x.Dot(y), 0.0f, 1e-5f);
		EXPECT_NEAR(y.Dot(z), 0.0f, 1e-5f);
		ExpectVectorNear(cVector3d(m._41, m._42, m._43), c.position, 0.0f);
		EXPECT_EQ(m._14, 0.0f);
		EXPECT_EQ(m._44, 1.0f);
	}
}

TEST(cMatrix, LookAtAlongZKeepsTheIdentityRotation)
{
	cMatrix m;
	m.MakeRotationZ(1.0f);
	m._43 = -1500.0f;
	m.LookAt({ 0, 0, 0 });
	ExpectMatrixNear(m, cMatrix().MakeTranslation({ 0, 0, -1500 }), 0.0f);

	// A target at the position itself has no direction: no NaN, no turn.
	m.MakeTranslation({ 3, 4, 5 }).LookAt({ 3, 4, 5 });
	ExpectMatrixNear(m, cMatrix().MakeTranslation({ 3, 4, 5 }), 0.0f);
}

TEST(cMatrix, TransformPointDropsW)
{
	cMatrix m = MatrixFromRows({ 1, 0, 0, 2, 0, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 5 });
	ExpectVectorNear(TransformPoint({ 1, 2, 3 }, m), { 11, 22, 33 });
}

TEST(cMatrix, ParseMatrixTable)
{
	struct Case
	{
		const char* text;
		int count;
		float expected[16];
	};
	// Elements not read keep the old value 9.
	const Case cases[] = {
		{ "1 2 3 4 5 6 7 8 9 10 11 12", 12, { 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1 } },
		{ "1.5 -2 3e1", 3, { 1.5f, -2, 30, 0, 9, 9, 9, 0, 9, 9, 9, 0, 9, 9, 9, 1 } },
		{ "", 0, { 9, 9, 9, 0, 9, 9, 9, 0, 9, 9, 9, 0, 9, 9, 9, 1 } },
		{ "1 x 3", 1, { 1, 9, 9, 0, 9, 9, 9, 0, 9, 9, 9, 0, 9, 9, 9, 1 } },
		{ "1 2 3 4 5 6 7 8 9 10 11 12 13", 12, { 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1 } },
	};
	for (const Case& c : cases)
	{
		cMatrix m;
		for (auto& row : m.m)
			for (float& value : row)
				value = 9.0f;
		EXPECT_EQ(ParseMatrix(c.text, m), c.count) << c.text;
		ExpectMatrixNear(m, MatrixFromRows(c.expected), 0.0f);
	}
}
