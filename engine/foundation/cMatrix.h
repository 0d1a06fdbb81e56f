#pragma once
// 4 by 4 float matrix m[row][column], laid out like D3DXMATRIX. Points are
// row vectors multiplied on the left: (p, 1) x M. A x B applies A first.
// Rows 0 to 2 hold rotation and scale, row 3 the translation.

#include "engine/foundation/cQuaternion.h"
#include "engine/foundation/cVector3d.h"

#include <string>

class cMatrix : public D3DXMATRIX
{
public:
	// The identity.
	cMatrix();

	static const cMatrix& Identity();

	cMatrix& Set(const cMatrix& other);

	// Identity with the position in row 3.
	cMatrix& MakeTranslation(const cVector3d& position);
	// The position in row 3, read or replaced; the rest stays.
	cVector3d GetTranslation() const { return cVector3d(_41, _42, _43); }
	cMatrix& SetTranslation(const cVector3d& position);
	// Identity with the scale on the diagonal and the position in row 3.
	cMatrix& MakeTranslationScale(const cVector3d& position, const cVector3d& scale);
	cMatrix& MakeRotationZ(float angle);
	cMatrix& MakeRotationAxis(const cVector3d& axis, float angle);
	cMatrix& MakeRotation(const cQuaternion& rotation);

	// this := this x the rotation.
	cMatrix& RotateZ(float angle);
	cMatrix& RotateAxis(const cVector3d& axis, float angle);

	// Writes the rotation part as a quaternion; returns out.
	cQuaternion& GetRotation(cQuaternion& out) const;

	cMatrix& operator*=(const cMatrix& other);
	cMatrix operator*(const cMatrix& other) const;

	// Inverts in place. A matrix without inverse is left unchanged and
	// false is returned.
	bool Invert();
	cMatrix& Transpose();

	// Keeps the translation and turns rows 0 to 2 so that the z axis (row 2)
	// points from the translation to the target; a target at the
	// translation itself leaves the rotation the identity.
	cMatrix& LookAt(const cVector3d& target);
};

static_assert(sizeof(cMatrix) == 16 * sizeof(float));

// x, y and z of (point, 1) x m; w is dropped, never divided by.
cVector3d TransformPoint(const cVector3d& point, const cMatrix& m);

// Reads up to 12 blank-separated numbers into columns 0 to 2 of rows 0 to 3,
// row by row, and sets column 3 to 0, 0, 0, 1. Values not read keep their
// old contents. Returns the count of numbers read.
int ParseMatrix(const std::string& text, cMatrix& out);
