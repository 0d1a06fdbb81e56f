#include "engine/foundation/cFrustum.h"

namespace
{
cPlane Column(const cMatrix& m, int k)
{
	return cPlane(m.m[0][k], m.m[1][k], m.m[2][k], m.m[3][k]);
}

cPlane Sum(const cPlane& p, const cPlane& q, float sign)
{
	return cPlane(p.a + sign * q.a, p.b + sign * q.b, p.c + sign * q.c, p.d + sign * q.d);
}
}

void cFrustum::SetFromMatrix(const cMatrix& viewProjection)
{
	// Clip space keeps -w <= x <= w, -w <= y <= w and 0 <= z <= w.
	const cPlane x = Column(viewProjection, 0);
	const cPlane y = Column(viewProjection, 1);
	const cPlane z = Column(viewProjection, 2);
	const cPlane w = Column(viewProjection, 3);
	m_planes[PLANE_LEFT] = Sum(w, x, 1.0f);
	m_planes[PLANE_RIGHT] = Sum(w, x, -1.0f);
	m_planes[PLANE_TOP] = Sum(w, y, -1.0f);
	m_planes[PLANE_BOTTOM] = Sum(w, y, 1.0f);
	m_planes[PLANE_FAR] = Sum(w, z, -1.0f);
	m_planes[PLANE_NEAR] = z;
}
