#pragma once
// Where the fixed-function inputs sit in a vertex, read from an FVF code or
// from the elements of a vertex declaration (stream 0 only).

#include "platform/d3d9/D3D9Types.h"

#include <array>

struct sD3D9VertexLayout
{
	static constexpr int kMaxTexSets = 8;

	int positionOffset = -1;
	int positionSize = 0; // floats: 3, or 4 with w
	int normalOffset = -1;
	int diffuseOffset = -1; // a D3DCOLOR: bytes B, G, R, A
	std::array<int, kMaxTexSets> texOffset = { -1, -1, -1, -1, -1, -1, -1, -1 };
	std::array<int, kMaxTexSets> texSize = {}; // floats per set
	int size = 0; // bytes the components take

	static sD3D9VertexLayout FromFvf(DWORD fvf);
	static sD3D9VertexLayout FromElements(const D3DVERTEXELEMENT9* elements);

	bool operator==(const sD3D9VertexLayout&) const = default;
};
