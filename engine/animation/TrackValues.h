#pragma once
// What the tracks need of their three value types: the zero value, the
// blend of two values, and the key layout in stored form (the time first,
// then the value's floats; a colour stored alpha first).

#include "engine/animation/sTrackKey.h"
#include "engine/foundation/cVector3d.h"
#include "engine/foundation/sColor.h"

#include <cstdint>

// a x (1 - x) + b x x, per component.
inline float Blend(float a, float b, float x)
{
	return a * (1.0f - x) + b * x;
}

inline cVector3d Blend(const cVector3d& a, const cVector3d& b, float x)
{
	return cVector3d(Blend(a.x, b.x, x), Blend(a.y, b.y, x), Blend(a.z, b.z, x));
}

// Each channel a + (b - a) x x, then packed to 32-bit ARGB and unpacked
// again, so blended colours fall on steps of 1/255.
sColor Blend(const sColor& a, const sColor& b, float x);

// The floats of one stored key after its time, and their conversion.
template <class T>
struct sKeyLayout;

template <>
struct sKeyLayout<float>
{
	static constexpr uint32_t Floats = 1;
	static void Get(const float* in, float& value) { value = in[0]; }
	static void Put(const float& value, float* out) { out[0] = value; }
};

template <>
struct sKeyLayout<cVector3d>
{
	static constexpr uint32_t Floats = 3;
	static void Get(const float* in, cVector3d& value) { value = cVector3d(in[0], in[1], in[2]); }
	static void Put(const cVector3d& value, float* out)
	{
		out[0] = value.x;
		out[1] = value.y;
		out[2] = value.z;
	}
};

template <>
struct sKeyLayout<sColor>
{
	static constexpr uint32_t Floats = 4;
	static void Get(const float* in, sColor& value) { value = sColor(in[1], in[2], in[3], in[0]); }
	static void Put(const sColor& value, float* out)
	{
		out[0] = value.a;
		out[1] = value.r;
		out[2] = value.g;
		out[3] = value.b;
	}
};

// Bytes of one stored key of the value type.
template <class T>
constexpr uint32_t KeySize()
{
	return 4 * (1 + sKeyLayout<T>::Floats);
}
