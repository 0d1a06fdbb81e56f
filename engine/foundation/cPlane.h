#pragma once
// The points p with a·p.x + b·p.y + c·p.z + d = 0; (a, b, c) is the normal.
// Laid out like D3DXPLANE.

#include "engine/foundation/cVector3d.h"

class cPlane : public D3DXPLANE
{
public:
	cPlane() : cPlane(0.0f, 0.0f, 0.0f, 0.0f) {}
	cPlane(float pa, float pb, float pc, float pd)
	{
		a = pa;
		b = pb;
		c = pc;
		d = pd;
	}

	// The plane through the point with the normal, scaled to a unit normal
	// when the normal is longer than 0.00001.
	cPlane& FromPointNormal(const cVector3d& point, const cVector3d& normal);

	// a·p.x + b·p.y + c·p.z + d: positive on the side the normal points to.
	float DotCoord(const cVector3d& point) const;
};

static_assert(sizeof(cPlane) == 4 * sizeof(float));
