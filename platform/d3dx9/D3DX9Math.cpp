#include "platform/d3dx9/D3DX9Math.h"

#include <cmath>
#include <initializer_list>

namespace
{
void SetIdentity(D3DXMATRIX& m)
{
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			m.m[row][column] = row == column ? 1.0f : 0.0f;
}

void SetZero(D3DXMATRIX& m)
{
	for (auto& row : m.m)
		for (float& value : row)
			value = 0.0f;
}

D3DXVECTOR3 Cross(const D3DVECTOR& a, const D3DVECTOR& b)
{
	return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// The vector divided by its length; a zero vector stays zero.
D3DXVECTOR3 Normalized(const D3DVECTOR& v)
{
	const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
	if (length == 0.0f)
		return D3DXVECTOR3(0.0f, 0.0f, 0.0f);
	return D3DXVECTOR3(v.x / length, v.y / length, v.z / length);
}

// Quaternions this close in direction are blended linearly: the sine of
// their angle is too small to divide by.
const float kLinearSlerpCosine = 0.9995f;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b)
{
	D3DXMATRIX product;
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			product.m[row][column] = a->m[row][0] * b->m[0][column] + a->m[row][1] * b->m[1][column] +
				a->m[row][2] * b->m[2][column] + a->m[row][3] * b->m[3][column];
	*out = product;
	return out;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m)
{
	// Cofactors from the 2 by 2 minors of the upper and lower row pairs,
	// in double precision so that near-singular placements stay usable.
	double a[4][4];
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			a[row][column] = m->m[row][column];

	const double s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
	const double s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
	const double s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
	const double s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
	const double s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
	const double s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
	const double c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
	const double c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
	const double c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
	const double c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
	const double c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
	const double c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];

	const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
	if (determinant)
		*determinant = static_cast<float>(det);
	const double inv = 1.0 / det;
	if (det == 0.0 || !std::isfinite(inv) || !std::isfinite(det))
		return nullptr;

	const double r[4][4] = {
		{ (a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3), (-a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3),
			(a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3), (-a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3) },
		{ (-a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1), (a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1),
			(-a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1), (a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1) },
		{ (a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0), (-a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0),
			(a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0), (-a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0) },
		{ (-a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0), (a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0),
			(-a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0), (a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0) },
	};
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			out->m[row][column] = static_cast<float>(r[row][column] * inv);
	return out;
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m)
{
	D3DXMATRIX transposed;
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 4; ++column)
			transposed.m[row][column] = m->m[column][row];
	*out = transposed;
	return out;
}

D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle)
{
	const D3DXVECTOR3 n = Normalized(*axis);
	SetIdentity(*out);
	if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f)
		return out;

	const float c = std::cos(angle);
	const float s = std::sin(angle);
	const float t = 1.0f - c;
	out->_11 = t * n.x * n.x + c;
	out->_12 = t * n.x * n.y + s * n.z;
	out->_13 = t * n.x * n.z - s * n.y;
	out->_21 = t * n.x * n.y - s * n.z;
	out->_22 = t * n.y * n.y + c;
	out->_23 = t * n.y * n.z + s * n.x;
	out->_31 = t * n.x * n.z + s * n.y;
	out->_32 = t * n.y * n.z - s * n.x;
	out->_33 = t * n.z * n.z + c;
	return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q)
{
	const float x = q->x, y = q->y, z = q->z, w = q->w;
	SetIdentity(*out);
	out->_11 = 1.0f - 2.0f * (y * y + z * z);
	out->_12 = 2.0f * (x * y + z * w);
	out->_13 = 2.0f * (x * z - y * w);
	out->_21 = 2.0f * (x * y - z * w);
	out->_22 = 1.0f - 2.0f * (x * x + z * z);
	out->_23 = 2.0f * (y * z + x * w);
	out->_31 = 2.0f * (x * z + y * w);
	out->_32 = 2.0f * (y * z - x * w);
	out->_33 = 1.0f - 2.0f * (x * x + y * y);
	return out;
}

D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m)
{
	// Start from the largest of w, x, y and z so that the square root and
	// the division stay well away from zero.
	const float trace = m->_11 + m->_22 + m->_33;
	D3DXQUATERNION q;
	if (trace > 0.0f)
	{
		const float s = 2.0f * std::sqrt(trace + 1.0f);
		q = { (m->_23 - m->_32) / s, (m->_31 - m->_13) / s, (m->_12 - m->_21) / s, 0.25f * s };
	}
	else if (m->_11 >= m->_22 && m->_11 >= m->_33)
	{
		const float s = 2.0f * std::sqrt(1.0f + m->_11 - m->_22 - m->_33);
		q = { 0.25f * s, (m->_12 + m->_21) / s, (m->_13 + m->_31) / s, (m->_23 - m->_32) / s };
	}
	else if (m->_22 >= m->_33)
	{
		const float s = 2.0f * std::sqrt(1.0f + m->_22 - m->_11 - m->_33);
		q = { (m->_12 + m->_21) / s, 0.25f * s, (m->_23 + m->_32) / s, (m->_31 - m->_13) / s };
	}
	else
	{
		const float s = 2.0f * std::sqrt(1.0f + m->_33 - m->_11 - m->_22);
		q = { (m->_13 + m->_31) / s, (m->_23 + m->_32) / s, 0.25f * s, (m->_12 - m->_21) / s };
	}
	*out = q;
	return out;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* q0, const D3DXQUATERNION* q1, float t)
{
	float cosine = q0->x * q1->x + q0->y * q1->y + q0->z * q1->z + q0->w * q1->w;
	// q and -q are the same rotation: turn q1 into q0's hemisphere.
	float sign = 1.0f;
	if (cosine < 0.0f)
	{
		cosine = -cosine;
		sign = -1.0f;
	}

	const bool linear = cosine > kLinearSlerpCosine;
	float w0 = 1.0f - t;
	float w1 = t;
	if (!linear)
	{
		const float angle = std::acos(cosine);
		const float sine = std::sin(angle);
		w0 = std::sin(w0 * angle) / sine;
		w1 = std::sin(w1 * angle) / sine;
	}
	w1 *= sign;

	D3DXQUATERNION q = { w0 * q0->x + w1 * q1->x, w0 * q0->y + w1 * q1->y, w0 * q0->z + w1 * q1->z,
		w0 * q0->w + w1 * q1->w };
	if (linear)
	{
		const float length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
		if (length > 0.0f)
			q = { q.x / length, q.y / length, q.z / length, q.w / length };
	}
	*out = q;
	return out;
}

D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m)
{
	const float x = v->x, y = v->y, z = v->z;
	*out = { x * m->_11 + y * m->_21 + z * m->_31 + m->_41, x * m->_12 + y * m->_22 + z * m->_32 + m->_42,
		x * m->_13 + y * m->_23 + z * m->_33 + m->_43, x * m->_14 + y * m->_24 + z * m->_34 + m->_44 };
	return out;
}

D3DXVECTOR3* D3DXVec3Unproject(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DVIEWPORT9* viewport,
	const D3DXMATRIX* projection, const D3DXMATRIX* view, const D3DXMATRIX* world)
{
	const float depthRange = viewport->MaxZ - viewport->MinZ;
	if (viewport->Width == 0 || viewport->Height == 0 || depthRange == 0.0f)
		return nullptr;

	D3DXMATRIX combined;
	SetIdentity(combined);
	for (const D3DXMATRIX* m : { world, view, projection })
		if (m)
			D3DXMatrixMultiply(&combined, &combined, m);
	if (!D3DXMatrixInverse(&combined, nullptr, &combined))
		return nullptr;

	// Viewport pixels to clip space: x -1..1 left to right, y 1..-1 top to
	// bottom, depth 0..1.
	const D3DXVECTOR3 clip((v->x - static_cast<float>(viewport->X)) * 2.0f / static_cast<float>(viewport->Width) - 1.0f,
		1.0f - (v->y - static_cast<float>(viewport->Y)) * 2.0f / static_cast<float>(viewport->Height),
		(v->z - viewport->MinZ) / depthRange);
	D3DXVECTOR4 p;
	D3DXVec3Transform(&p, &clip, &combined);
	if (p.w == 0.0f)
		return nullptr;
	*out = D3DXVECTOR3(p.x / p.w, p.y / p.w, p.z / p.w);
	return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf)
{
	const float yScale = 1.0f / std::tan(fovy * 0.5f);
	SetZero(*out);
	out->_11 = yScale / aspect;
	out->_22 = yScale;
	out->_33 = zf / (zf - zn);
	out->_34 = 1.0f;
	out->_43 = -zn * zf / (zf - zn);
	return out;
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t, float zn, float zf)
{
	SetIdentity(*out);
	out->_11 = 2.0f / (r - l);
	out->_22 = 2.0f / (t - b);
	out->_33 = 1.0f / (zf - zn);
	out->_41 = (l + r) / (l - r);
	out->_42 = (t + b) / (b - t);
	out->_43 = zn / (zn - zf);
	return out;
}

D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2, const D3DXVECTOR3* p3)
{
	const D3DXVECTOR3 edge1(p2->x - p1->x, p2->y - p1->y, p2->z - p1->z);
	const D3DXVECTOR3 edge2(p3->x - p1->x, p3->y - p1->y, p3->z - p1->z);
	const D3DXVECTOR3 n = Normalized(Cross(edge1, edge2));
	*out = { n.x, n.y, n.z, -(n.x * p1->x + n.y * p1->y + n.z * p1->z) };
	return out;
}

UINT D3DXGetFVFVertexSize(DWORD fvf)
{
	const UINT floatSize = 4;
	UINT size = 0;
	switch (fvf & D3DFVF_POSITION_MASK)
	{
	case 0: break;
	case D3DFVF_XYZ: size = 3 * floatSize; break;
	case D3DFVF_XYZRHW:
	case D3DFVF_XYZW: size = 4 * floatSize; break;
	case D3DFVF_XYZB1:
	case D3DFVF_XYZB2:
	case D3DFVF_XYZB3:
	case D3DFVF_XYZB4:
	case D3DFVF_XYZB5: size = (3 + ((fvf & D3DFVF_POSITION_MASK) - D3DFVF_XYZRHW) / 2) * floatSize; break;
	default: return 0;
	}
	if (fvf & D3DFVF_NORMAL)
		size += 3 * floatSize;
	if (fvf & D3DFVF_PSIZE)
		size += floatSize;
	if (fvf & D3DFVF_DIFFUSE)
		size += sizeof(D3DCOLOR);
	if (fvf & D3DFVF_SPECULAR)
		size += sizeof(D3DCOLOR);

	const UINT maxTextureSets = 8;
	const UINT textureSets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
	if (textureSets > maxTextureSets)
		return 0;
	for (UINT set = 0; set < textureSets; ++set)
	{
		switch ((fvf >> (16 + 2 * set)) & 3)
		{
		case D3DFVF_TEXTUREFORMAT1: size += floatSize; break;
		case D3DFVF_TEXTUREFORMAT2: size += 2 * floatSize; break;
		case D3DFVF_TEXTUREFORMAT3: size += 3 * floatSize; break;
		case D3DFVF_TEXTUREFORMAT4: size += 4 * floatSize; break;
		}
	}
	return size;
}
