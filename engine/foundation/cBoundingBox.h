#pragma once
// Axis-aligned box from min to max. An empty box has min at +FLT_MAX and
// max at -FLT_MAX, so that the first point added sets both.

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/sRay.h"

class cBoundingBox
{
public:
	cVector3d min;
	cVector3d max;

	// An empty box.
	cBoundingBox();

	// True while some min component is greater than its max.
	bool IsEmpty() const;

	// The smallest box holding both points.
	cBoundingBox& SetFromPoints(const cVector3d& p, const cVector3d& q);
	void AddPoint(const cVector3d& p);

	cVector3d GetCenter() const;
	cVector3d GetSize() const;

	// Corner 0 is min, 7 (and any index outside 0..6) is max; 1 to 6 are
	// (min, min, max), (max, min, min), (min, max, min), (max, max, min),
	// (max, min, max) and (min, max, max).
	cVector3d& GetCorner(cVector3d& out, int index) const;

	// Replaces the box by the bounds of its eight corners transformed by m.
	cBoundingBox& Transform(const cMatrix& m);

	// Separating-axis test of the segment from origin to origin + direction.
	// It is deliberately generous along the segment: a box within half the
	// segment's length beyond either end still counts as touched, so it
	// serves as a quick pre-test before exact picking.
	bool IntersectsSegment(const sRay& ray) const;

	// Slab test of the infinite line through the ray. On a hit, distance is
	// the entry distance in units of the direction's length, or the exit
	// distance when the origin lies inside. A box wholly behind the origin
	// is reported with a negative distance.
	bool IntersectRay(const sRay& ray, float& distance) const;
};
