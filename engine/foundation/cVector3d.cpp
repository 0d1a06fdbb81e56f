#include "engine/foundation/cVector3d.h"

#include <algorithm>
#include <cmath>

namespace
{
const float kMinNormalizeLength = 0.00001f;
}

float cVector3d::Length() const
{
	return std::sqrt(x * x + y * y + z * z);
}

float cVector3d::Dot(const cVector3d& other) const
{
	return x * other.x + y * other.y + z * other.z;
}

cVector3d& cVector3d::Cross(const cVector3d& other, cVector3d& out) const
{
	out = cVector3d(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
	return out;
}

cVector3d& cVector3d::Normalize()
{
	const float length = Length();
	if (length > kMinNormalizeLength)
	{
		x /= length;
		y /= length;
		z /= length;
	}
	return *this;
}

float cVector3d::AngleTo(const cVector3d& other) const
{
	const float lengths = Length() * other.Length();
	if (lengths == 0.0f)
		return 0.0f;
	// Rounding can carry the cosine of (nearly) parallel vectors just past
	// +-1, where acos has no value.
	return std::acos(std::clamp(Dot(other) / lengths, -1.0f, 1.0f));
}
