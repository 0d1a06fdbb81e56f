#pragma once
// Small triangle-list draws gathered into one vertex array so that the GL
// draws them with one call. Each draw's vertices are copied (so later writes
// to its buffer cannot reach them) with a colour after each vertex: its own
// diffuse colour, or the colour the draw was made with. A draw alone keeps
// its model-space positions and is drawn with its own world matrix; once a
// second draw joins, every position is moved to world space on the CPU and
// the gathered draws go through the view matrix alone.

#include "platform/d3d9/D3D9VertexLayout.h"

#include <cstdint>
#include <vector>

class cD3D9DrawBatch
{
public:
	// Largest draw worth gathering, and the most vertices one batch holds
	// (its indices are 16 bits).
	static constexpr UINT kMaxDrawVertices = 256;
	static constexpr UINT kMaxVertices = 65536;

	// One draw's input: vertexCount vertices a stride apart from the first
	// vertex the draw reads; indices (indexSize bytes each, relative to that
	// first vertex once firstIndex is taken off) or null for a plain list of
	// elementCount vertices.
	struct sSource
	{
		const BYTE* vertices;
		UINT stride;
		UINT vertexCount;
		const BYTE* indices;
		UINT indexSize;
		UINT firstIndex;
		UINT elementCount;
	};

	// Whether a draw with this layout, stride and world matrix can be
	// gathered at all: positions of three floats inside the stride and a
	// world matrix without projection.
	static bool Accepts(const sD3D9VertexLayout& layout, UINT stride, const D3DMATRIX& world);

	// Starts a batch (empty, the layout and stride accepted) or adds to it
	// (same layout and stride). False, with nothing changed, when the draw is
	// too large, the batch is full or an index lies outside the vertices.
	bool Add(const sD3D9VertexLayout& layout, const sSource& source, const D3DMATRIX& world, D3DCOLOR color);
	void Clear();

	bool Empty() const { return m_draws == 0; }
	// More than one draw: positions are in world space and colours must be read per vertex.
	bool Joined() const { return m_draws > 1; }
	const BYTE* Vertices() const { return m_vertices.data(); }
	UINT VertexCount() const { return m_vertexCount; }
	// The source layout's stride followed by the colour.
	UINT Stride() const { return m_stride + 4; }
	int ColorOffset() const { return int(m_stride); }
	const std::vector<uint16_t>& Indices() const { return m_indices; }

private:
	void ToWorldSpace(UINT first, UINT count, const D3DMATRIX& world);

	std::vector<BYTE> m_vertices;
	std::vector<uint16_t> m_indices;
	UINT m_vertexCount = 0;
	UINT m_stride = 0;
	int m_positionOffset = 0;
	int m_diffuseOffset = -1;
	int m_draws = 0;
	D3DMATRIX m_firstWorld {}; // kept until a second draw moves the first one's positions
};
