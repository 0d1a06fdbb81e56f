#pragma once
// The plain data types of the Direct3D 9 stand-in that the math functions
// share with the device: row-major 4 by 4 matrices, vectors and viewports.

#include "platform/win32/Win32Types.h"

struct D3DVECTOR
{
	float x, y, z;
};

struct D3DMATRIX
{
	union {
		struct {
			float _11, _12, _13, _14;
			float _21, _22, _23, _24;
			float _31, _32, _33, _34;
			float _41, _42, _43, _44;
		};
		float m[4][4];
	};
};

struct D3DCOLORVALUE
{
	float r, g, b, a;
};

struct D3DVIEWPORT9
{
	DWORD X;
	DWORD Y;
	DWORD Width;
	DWORD Height;
	float MinZ;
	float MaxZ;
};

typedef DWORD D3DCOLOR;
