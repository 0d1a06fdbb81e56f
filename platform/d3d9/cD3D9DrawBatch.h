#pragma once
// Small triangle-list draws gathered into one vertex array so that the GL
// draws them with one call. Each draw's vertices are copied, so that later
// writes to its buffer cannot reach them; vertices without a colour of their
// own get the colour the draw was made with in a colour array beside them. A
// draw alone keeps its model-space positions and is drawn with its own world
// matrix; once a second draw joins, every position is moved to world space
// on the CPU and the gathered draws go through the view matrix alone.

#include "platform/d3d9/D3D9VertexLayout.h"

#include <cstdint>
#include <vector>

class cD3D9DrawBatch
{
public:
	// Largest draw worth gathering, and the most vertices one batch holds.
	// A batch is kept short enough that a threaded rasterizer can start on
	// one while the next is gathered.
	static constexpr UINT kMaxDrawVertices = 256;
	static constexpr UINT kMaxVertices = 8192;

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
	// The vertices, in the layout and stride of the draws.
	const BYTE* Vertices() const { return m_vertices.data(); }
	UINT VertexCount() const { return m_vertexCount; }
	// One colour per vertex; null when the layout has vertex colours.
	const D3DCOLOR* Colors() const { return m_hasDiffuse ? nullptr : m_colors.data(); }
	const std::vector<uint16_t>& Indices() const { return m_indices; }

private:
	void ToWorldSpace(UINT first, UINT count, const D3DMATRIX& world);

	// Grown, never shrunk: the first m_vertexCount entries are in use.
	std::vector<BYTE> m_vertices;
	std::vector<D3DCOLOR> m_colors;
	std::vector<uint16_t> m_indices;
	UINT m_vertexCount = 0;
	UINT m_stride = 0;
	int m_positionOffset = 0;
	bool m_hasDiffuse = false;
	int m_draws = 0;
	D3DMATRIX m_firstWorld {}; // kept until a second draw moves the first one's positions
};
