#pragma once
// The math part of the D3DX9 stand-in: vectors, quaternions, planes and
// 4 by 4 matrices as 32-bit floats, with row vectors multiplied on the left
// of row-major matrices (a point p becomes (p, 1) x M; A x B applies A
// first) and left-handed projections.
//
// Every function writes its result through the output pointer and returns
// it; the output may be the same object as any input.

#include "platform/d3d9/D3D9Types.h"

struct D3DXVECTOR3 : D3DVECTOR
{
	D3DXVECTOR3() = default;
	D3DXVECTOR3(float vx, float vy, float vz)
	{
		x = vx;
		y = vy;
		z = vz;
	}
};

struct D3DXVECTOR4
{
	float x, y, z, w;
};

struct D3DXQUATERNION
{
	float x, y, z, w;
};

// The points p with a·p.x + b·p.y + c·p.z + d = 0.
struct D3DXPLANE
{
	float a, b, c, d;
};

struct D3DXMATRIX : D3DMATRIX
{
};

// out = a x b.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);

// General inverse. The determinant is stored when asked for. A singular
// matrix (determinant 0 or not finite) gives null and leaves out unchanged.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m);

// Rotation by angle radians about the axis, which is normalised here; a
// zero axis gives the identity.
D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle);

// Rotation matrix of a unit quaternion, without translation.
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);

// The rotation held in the upper 3 by 3 part of m, as a quaternion.
D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m);

// Spherical interpolation, q0 at t = 0 and q1 at t = 1, along the shorter
// arc: q1 is negated when the two point into opposite hemispheres. Nearly
// equal rotations are blended linearly and renormalised.
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* q0, const D3DXQUATERNION* q1, float t);

// (v, 1) x m with all four components kept.
D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);

// Maps a point given in viewport pixels (x, y from the back buffer's top
// left corner) and viewport depth back through world x view x projection.
// Null matrices count as the identity. A degenerate viewport or a combined
// matrix without inverse gives null and leaves out unchanged.
D3DXVECTOR3* D3DXVec3Unproject(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DVIEWPORT9* viewport,
	const D3DXMATRIX* projection, const D3DXMATRIX* view, const D3DXMATRIX* world);

// Left-handed perspective projection, depth 0 at zn and 1 at zf.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf);

// Left-handed orthographic projection of the box l..r, b..t, zn..zf onto
// x -1..1, y -1..1 (y up) and depth 0..1.
D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t, float zn, float zf);

// Plane through three points with the normal (p2 - p1) x (p3 - p1)
// normalised; collinear points give the zero plane.
D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2, const D3DXVECTOR3* p3);

// Bytes per vertex of a flexible vertex format code: position (3 floats,
// 4 with rhw or w, plus one per blend weight), normal, point size, diffuse,
// specular, then each texture set by its coordinate-size bits (2 floats by
// default). An unknown position code or more than 8 texture sets gives 0.
UINT D3DXGetFVFVertexSize(DWORD fvf);
