#include "engine/foundation/cMatrix.h"

#include <cmath>
#include <cstdio>

cMatrix::cMatrix()
{
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			m[row][column] = row == column ? 1.0f : 0.0f;
}

const cMatrix& cMatrix::Identity()
{
	static const cMatrix identity;
	return identity;
}

cMatrix& cMatrix::Set(const cMatrix& other)
{
	return *this = other;
}

cMatrix& cMatrix::MakeTranslation(const cVector3d& position)
{
	*this = Identity();
	return SetTranslation(position);
}

cMatrix& cMatrix::SetTranslation(const cVector3d& position)
{
	_41 = position.x;
	_42 = position.y;
	_43 = position.z;
	return *this;
}

cMatrix& cMatrix::MakeTranslationScale(const cVector3d& position, const cVector3d& scale)
{
	MakeTranslation(position);
	_11 = scale.x;
	_22 = scale.y;
	_33 = scale.z;
	return *this;
}

cMatrix& cMatrix::MakeRotationZ(float angle)
{
	*this = Identity();
	const float c = std::cos(angle);
	const float s = std::sin(angle);
	_11 = c;
	_12 = s;
	_21 = -s;
	_22 = c;
	return *this;
}

cMatrix& cMatrix::MakeRotationAxis(const cVector3d& axis, float angle)
{
	D3DXMatrixRotationAxis(this, &axis, angle);
	return *this;
}

cMatrix& cMatrix::MakeRotation(const cQuaternion& rotation)
{
	D3DXMatrixRotationQuaternion(this, &rotation);
	return *this;
}

cMatrix& cMatrix::RotateZ(float angle)
{
	return *this *= cMatrix().MakeRotationZ(angle);
}

cMatrix& cMatrix::RotateAxis(const cVector3d& axis, float angle)
{
	return *this *= cMatrix().MakeRotationAxis(axis, angle);
}

cQuaternion& cMatrix::GetRotation(cQuaternion& out) const
{
	D3DXQuaternionRotationMatrix(&out, this);
	return out;
}

cMatrix& cMatrix::operator*=(const cMatrix& other)
{
	D3DXMatrixMultiply(this, this, &other);
	return *this;
}

cMatrix cMatrix::operator*(const cMatrix& other) const
{
	cMatrix product;
	D3DXMatrixMultiply(&product, this, &other);
	return product;
}

bool cMatrix::Invert()
{
	return D3DXMatrixInverse(this, nullptr, this) != nullptr;
}

cMatrix& cMatrix::Transpose()
{
	D3DXMatrixTranspose(this, this);
	return *this;
}

cMatrix& cMatrix::LookAt(const cVector3d& target)
{
	const cVector3d position(_41, _42, _43);
	*this = Identity();

	cVector3d direction = target - position;
	direction.Normalize();
	const cVector3d zAxis(0.0f, 0.0f, 1.0f);
	const float angle = zAxis.AngleTo(direction);
	// Turning z onto the direction is a rotation about z x direction; for a
	// direction along z (either way) any perpendicular axis serves.
	cVector3d axis;
	zAxis.Cross(direction, axis);
	if (axis.Length() == 0.0f)
		axis = cVector3d(0.0f, 1.0f, 0.0f);

	RotateAxis(axis, angle);
	_41 = position.x;
	_42 = position.y;
	_43 = position.z;
	return *this;
}

cVector3d TransformPoint(const cVector3d& point, const cMatrix& m)
{
	D3DXVECTOR4 result;
	D3DXVec3Transform(&result, &point, &m);
	return cVector3d(result.x, result.y, result.z);
}

int ParseMatrix(const std::string& text, cMatrix& out)
{
	const int count = std::sscanf(text.c_str(), "%f %f %f %f %f %f %f %f %f %f %f %f", &out._11, &out._12, &out._13,
		&out._21, &out._22, &out._23, &out._31, &out._32, &out._33, &out._41, &out._42, &out._43);
	out._14 = 0.0f;
	out._24 = 0.0f;
	out._34 = 0.0f;
	out._44 = 1.0f;
	// An empty text is no number read, not an error.
	return count < 0 ? 0 : count;
}
