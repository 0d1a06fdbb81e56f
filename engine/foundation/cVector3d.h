#pragma once
// Three-component float vector, laid out like D3DXVECTOR3 so that it passes
// to the platform's math and device calls unchanged.

#include "platform/d3dx9/D3DX9Math.h"

class cVector3d : public D3DXVECTOR3
{
public:
	cVector3d() : D3DXVECTOR3(0.0f, 0.0f, 0.0f) {}
	cVector3d(float vx, float vy, float vz) : D3DXVECTOR3(vx, vy, vz) {}

	float Length() const;
	float Dot(const cVector3d& other) const;

	// out := this x other; returns out.
	cVector3d& Cross(const cVector3d& other, cVector3d& out) const;

	// Divides by the length when it is greater than 0.00001; a shorter
	// vector is left unchanged.
	cVector3d& Normalize();

	// The angle between the two vectors in radians, 0 to pi. A zero vector
	// on either side gives 0.
	float AngleTo(const cVector3d& other) const;

	cVector3d operator+(const cVector3d& v) const { return cVector3d(x + v.x, y + v.y, z + v.z); }
	cVector3d operator-(const cVector3d& v) const { return cVector3d(x - v.x, y - v.y, z - v.z); }
	cVector3d operator-() const { return cVector3d(-x, -y, -z); }
	cVector3d operator*(float s) const { return cVector3d(x * s, y * s, z * s); }
	cVector3d& operator+=(const cVector3d& v) { return *this = *this + v; }
	cVector3d& operator-=(const cVector3d& v) { return *this = *this - v; }
	cVector3d& operator*=(float s) { return *this = *this * s; }
};

static_assert(sizeof(cVector3d) == 3 * sizeof(float));
