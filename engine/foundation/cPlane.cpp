#include "engine/foundation/cPlane.h"

namespace
{
const float kMinNormalLength = 0.00001f;
}

cPlane& cPlane::FromPointNormal(const cVector3d& point, const cVector3d& normal)
{
	*this = cPlane(normal.x, normal.y, normal.z, -point.Dot(normal));
	const float length = normal.Length();
	if (length > kMinNormalLength)
		*this = cPlane(a / length, b / length, c / length, d / length);
	return *this;
}

float cPlane::DotCoord(const cVector3d& point) const
{
	return a * point.x + b * point.y + c * point.z + d;
}
