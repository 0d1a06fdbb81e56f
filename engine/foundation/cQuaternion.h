#pragma once
// Rotation quaternion x, y, z, w, laid out like D3DXQUATERNION.

#include "platform/d3dx9/D3DX9Math.h"

class cQuaternion : public D3DXQUATERNION
{
public:
	// The identity rotation.
	cQuaternion() : cQuaternion(0.0f, 0.0f, 0.0f, 1.0f) {}
	cQuaternion(float qx, float qy, float qz, float qw)
	{
		x = qx;
		y = qy;
		z = qz;
		w = qw;
	}

	// Spherical interpolation from this rotation (t = 0) to the other
	// (t = 1) along the shorter arc; returns out.
	cQuaternion& Slerp(cQuaternion& out, const cQuaternion& other, float t) const;
};

static_assert(sizeof(cQuaternion) == 4 * sizeof(float));
