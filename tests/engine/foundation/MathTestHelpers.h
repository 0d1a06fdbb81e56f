#pragma once
// Comparisons shared by the math tests.

#include "engine/foundation/cMatrix.h"

#include <gtest/gtest.h>

inline void ExpectVectorNear(const cVector3d& actual, const cVector3d& expected, float tolerance = 1e-5f)
{
	EXPECT_NEAR(actual.x, expected.x, tolerance);
	EXPECT_NEAR(actual.y, expected.y, tolerance);
	EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void ExpectMatrixNear(const cMatrix& actual, const cMatrix& expected, float tolerance = 1e-5f)
{
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			EXPECT_NEAR(actual.m[row][column], expected.m[row][column], tolerance) << "element " << row << ", " << column;
}

inline cMatrix MatrixFromRows(const float (&values)[16])
{
	cMatrix m;
	for (int i = 0; i < 16; ++i)
		m.m[i / 4][i % 4] = values[i];
	return m;
}
