#include "platform/d3d9/cD3D9DrawBatch.h"

#include <algorithm>
#include <cstring>

namespace
{
UINT IndexAt(const BYTE* indices, UINT indexSize, UINT element)
{
	if (indexSize == 4)
	{
		uint32_t index;
		std::memcpy(&index, indices + size_t(element) * 4, 4);
		return index;
	}
	uint16_t index;
	std::memcpy(&index, indices + size_t(element) * 2, 2);
	return index;
}
}

bool cD3D9DrawBatch::Accepts(const sD3D9VertexLayout& layout, UINT stride, const D3DMATRIX& world)
{
	return layout.positionSize == 3 && layout.positionOffset >= 0 && layout.size <= int(stride)
		&& world._14 == 0.0f && world._24 == 0.0f && world._34 == 0.0f && world._44 == 1.0f;
}

bool cD3D9DrawBatch::Add(const sD3D9VertexLayout& layout, const sSource& source, const D3DMATRIX& world,
	D3DCOLOR color)
{
	if (source.vertexCount > kMaxDrawVertices || m_vertexCount + source.vertexCount > kMaxVertices)
		return false;
	if (source.indices)
		for (UINT element = 0; element < source.elementCount; ++element)
		{
			const UINT index = IndexAt(source.indices, source.indexSize, element);
			if (index < source.firstIndex || index - source.firstIndex >= source.vertexCount)
				return false;
		}

	if (m_draws == 0)
	{
		m_stride = source.stride;
		m_positionOffset = layout.positionOffset;
		m_hasDiffuse = layout.diffuseOffset >= 0;
		m_firstWorld = world;
	}
	const UINT first = m_vertexCount;
	const size_t end = size_t(first + source.vertexCount);
	if (m_vertices.size() < end * m_stride)
		m_vertices.resize(end * m_stride);
	std::memcpy(&m_vertices[size_t(first) * m_stride], source.vertices, size_t(source.vertexCount) * m_stride);
	if (!m_hasDiffuse)
	{
		if (m_colors.size() < end)
			m_colors.resize(end);
		std::fill(m_colors.begin() + first, m_colors.begin() + std::ptrdiff_t(end), color);
	}
	for (UINT element = 0; element < source.elementCount; ++element)
	{
		const UINT index = source.indices ? IndexAt(source.indices, source.indexSize, element) - source.firstIndex
										  : element;
		m_indices.push_back(static_cast<uint16_t>(first + index));
	}
	m_vertexCount += source.vertexCount;

	if (++m_draws == 2)
		ToWorldSpace(0, first, m_firstWorld);
	if (m_draws >= 2)
		ToWorldSpace(first, source.vertexCount, world);
	return true;
}

void cD3D9DrawBatch::Clear()
{
	m_indices.clear();
	m_vertexCount = 0;
	m_draws = 0;
}

void cD3D9DrawBatch::ToWorldSpace(UINT first, UINT count, const D3DMATRIX& w)
{
	for (UINT vertex = first; vertex < first + count; ++vertex)
	{
		BYTE* position = &m_vertices[size_t(vertex) * m_stride + m_positionOffset];
		float p[3];
		std::memcpy(p, position, sizeof p);
		const float moved[3] = { p[0] * w._11 + p[1] * w._21 + p[2] * w._31 + w._41,
			p[0] * w._12 + p[1] * w._22 + p[2] * w._32 + w._42, p[0] * w._13 + p[1] * w._23 + p[2] * w._33 + w._43 };
		std::memcpy(position, moved, sizeof moved);
	}
}
