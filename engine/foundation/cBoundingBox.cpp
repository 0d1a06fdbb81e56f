#include "engine/foundation/cBoundingBox.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace
{
cVector3d ComponentMin(const cVector3d& p, const cVector3d& q)
{
	return cVector3d(std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z));
}

cVector3d ComponentMax(const cVector3d& p, const cVector3d& q)
{
	return cVector3d(std::max(p.x, q.x), std::max(p.y, q.y), std::max(p.z, q.z));
}

// The entry and exit distances of one slab along the direction.
void SlabDistances(float boxMin, float boxMax, float origin, float direction, float& near, float& far)
{
	if (direction == 0.0f)
	{
		// Parallel to the slab: the line lies wholly inside it (-inf to
		// +inf) or wholly beside it (both bounds the same infinity). Dividing
		// by zero gives the same except for an origin on a face (0 / 0) and
		// a negative zero, which flips the signs.
		const float infinity = std::numeric_limits<float>::infinity();
		near = origin < boxMin ? infinity : -infinity;
		far = origin > boxMax ? -infinity : infinity;
	}
	else if (direction > 0.0f)
	{
		near = (boxMin - origin) / direction;
		far = (boxMax - origin) / direction;
	}
	else
	{
		near = (boxMax - origin) / direction;
		far = (boxMin - origin) / direction;
	}
}
}

cBoundingBox::cBoundingBox() : min(FLT_MAX, FLT_MAX, FLT_MAX), max(-FLT_MAX, -FLT_MAX, -FLT_MAX)
{
}

bool cBoundingBox::IsEmpty() const
{
	return min.x > max.x || min.y > max.y || min.z > max.z;
}

cBoundingBox& cBoundingBox::SetFromPoints(const cVector3d& p, const cVector3d& q)
{
	min = ComponentMin(p, q);
	max = ComponentMax(p, q);
	return *this;
}

void cBoundingBox::AddPoint(const cVector3d& p)
{
	min = ComponentMin(min, p);
	max = ComponentMax(max, p);
}

cVector3d cBoundingBox::GetCenter() const
{
	return (min + max) * 0.5f;
}

cVector3d cBoundingBox::GetSize() const
{
	return max - min;
}

cVector3d& cBoundingBox::GetCorner(cVector3d& out, int index) const
{
	switch (index)
	{
	case 0: out = cVector3d(min.x, min.y, min.z); break;
	case 1: out = cVector3d(min.x, min.y, max.z); break;
	case 2: out = cVector3d(max.x, min.y, min.z); break;
	case 3: out = cVector3d(min.x, max.y, min.z); break;
	case 4: out = cVector3d(max.x, max.y, min.z); break;
	case 5: out = cVector3d(max.x, min.y, max.z); break;
	case 6: out = cVector3d(min.x, max.y, max.z); break;
	default: out = cVector3d(max.x, max.y, max.z); break;
	}
	return out;
}

cBoundingBox& cBoundingBox::Transform(const cMatrix& m)
{
	cBoundingBox bounds;
	cVector3d corner;
	for (int index = 0; index < 8; ++index)
		bounds.AddPoint(TransformPoint(GetCorner(corner, index), m));
	return *this = bounds;
}

bool cBoundingBox::IntersectsSegment(const sRay& ray) const
{
	const cVector3d middle = ray.origin + ray.direction * 0.5f;
	const float length = ray.direction.Length();
	cVector3d u = ray.direction;
	u.Normalize();

	const cVector3d extent = (max - min) * 0.5f;
	const cVector3d t = GetCenter() - middle;

	// The box's own axes. The segment's term is its full direction
	// component rather than half of it, which is what widens the test.
	if (std::fabs(t.x) > extent.x + length * std::fabs(u.x) ||
		std::fabs(t.y) > extent.y + length * std::fabs(u.y) ||
		std::fabs(t.z) > extent.z + length * std::fabs(u.z))
		return false;

	// The cross products of the segment with the box's axes.
	if (std::fabs(u.z * t.y - u.y * t.z) > extent.y * std::fabs(u.z) + extent.z * std::fabs(u.y) ||
		std::fabs(u.x * t.z - u.z * t.x) > extent.z * std::fabs(u.x) + extent.x * std::fabs(u.z) ||
		std::fabs(u.y * t.x - u.x * t.y) > extent.y * std::fabs(u.x) + extent.x * std::fabs(u.y))
		return false;
	return true;
}

bool cBoundingBox::IntersectRay(const sRay& ray, float& distance) const
{
	const cVector3d& o = ray.origin;
	const cVector3d& v = ray.direction;
	float tmin, tmax, tymin, tymax, tzmin, tzmax;
	SlabDistances(min.x, max.x, o.x, v.x, tmin, tmax);
	SlabDistances(min.y, max.y, o.y, v.y, tymin, tymax);
	if (tymax < tmin || tmax < tymin)
		return false;
	tmin = std::max(tmin, tymin);
	tmax = std::min(tmax, tymax);

	SlabDistances(min.z, max.z, o.z, v.z, tzmin, tzmax);
	if (tzmax < tmin || tzmin > tmax)
		return false;
	tmin = std::max(tmin, tzmin);
	tmax = std::min(tmax, tzmax);

	distance = tmin >= 0.0f ? tmin : tmax;
	return true;
}
