#pragma once
// The two ray-triangle tests of model picking. Rays are not normalised.

#include "engine/foundation/sRay.h"

// A plane test with tolerance 0.0001: the ray's point on the triangle's
// plane (strictly in front of the origin) checked in the projection that
// drops the normal's largest axis.
bool RayTouchesTriangle(const sRay& ray, const cVector3d& a, const cVector3d& b, const cVector3d& c);

// Möller and Trumbore's test without back-face culling and without a sign
// test on the distance, which may come out negative. A ray parallel to the
// triangle's plane is tested against the three edges in the xy plane, the
// distance being the nearest edge crossing's.
bool RayMeetsTriangle(const sRay& ray, const cVector3d& a, const cVector3d& b, const cVector3d& c, float& distance);
