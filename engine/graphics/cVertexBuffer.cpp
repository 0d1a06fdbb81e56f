#include "engine/graphics/cVertexBuffer.h"

#include "engine/graphics/sGraphicsDeviceState.h"
#include "platform/d3dx9/D3DX9Math.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
// Size of a declaration element as the engine counts it for offsets.
int ElementOffsetSize(BYTE type)
{
	switch (type)
	{
	case D3DDECLTYPE_FLOAT2: return 8;
	case D3DDECLTYPE_FLOAT3: return 12;
	case D3DDECLTYPE_FLOAT4: return 16;
	case D3DDECLTYPE_UBYTE4: return 4;
	default: return 0;
	}
}

// Size of a declaration element as the engine counts it for the stride:
// only two- and three-float elements.
unsigned ElementStrideSize(BYTE type)
{
	switch (type)
	{
	case D3DDECLTYPE_FLOAT2: return 8;
	case D3DDECLTYPE_FLOAT3: return 12;
	default: return 0;
	}
}

unsigned GrownSize(unsigned n)
{
	return n + n / 10 + 2;
}
}

cVertexBuffer::cVertexBuffer(int format, const D3DVERTEXELEMENT9* elements, unsigned elementCount)
{
	SetFormat(format, elements, elementCount);
}

cVertexBuffer::~cVertexBuffer()
{
	if (m_dynamic)
		RemoveDeviceObject(this);
	if (m_declaration)
		m_declaration->Release();
	ReleaseBuffer();
}

void cVertexBuffer::SetFormat(int format, const D3DVERTEXELEMENT9* elements, unsigned elementCount)
{
	if (format == m_format)
		return;
	if (m_declaration)
	{
		m_declaration->Release();
		m_declaration = nullptr;
	}
	if (format == -1)
	{
		m_format = -1;
		m_stride = 0;
		if (IDirect3DDevice9* device = GraphicsDevice(); device && elements)
			device->CreateVertexDeclaration(elements, &m_declaration);
		for (unsigned index = 0; elements && index + 1 < elementCount; ++index)
			m_stride += ElementStrideSize(elements[index].Type);
	}
	else
	{
		m_stride = D3DXGetFVFVertexSize(static_cast<DWORD>(format));
		m_format = format;
	}
	SetCapacity(0);
}

void cVertexBuffer::SetDynamic(bool dynamic)
{
	if (dynamic == m_dynamic)
		return;
	m_dynamic = dynamic;
	if (dynamic)
		AddDeviceObject(this);
	else
		RemoveDeviceObject(this);
	SetCapacity(0);
}

void cVertexBuffer::SetCapacity(unsigned n)
{
	if (n == m_capacity)
		return;
	m_capacity = n;
	ReleaseBuffer();
	m_count = std::min(m_count, n);
	CreateBuffer();
}

void cVertexBuffer::SetCount(unsigned n)
{
	if (n == m_count)
		return;
	if (n > m_capacity)
		SetCapacity(GrownSize(n));
	m_count = n;
}

void* cVertexBuffer::Lock(unsigned first, unsigned n)
{
	if (first >= m_count || !m_buffer)
		return nullptr;
	n = n == 0 ? m_count - first : std::min(n, m_count - first);
	void* data = nullptr;
	if (FAILED(m_buffer->Lock(first * m_stride, n * m_stride, &data, 0)))
		return nullptr;
	return data;
}

void cVertexBuffer::Unlock()
{
	if (m_buffer)
		m_buffer->Unlock();
}

void cVertexBuffer::Append(const void* vertices, unsigned n)
{
	if (n == 0)
		return;
	const unsigned old = m_count;
	if (old + n > m_capacity)
	{
		// Growing re-creates the buffer: the vertices already in it are
		// carried over.
		std::vector<uint8_t> kept;
		if (const void* data = Lock(0, old))
		{
			kept.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size_t(old) * m_stride);
			Unlock();
		}
		SetCapacity(GrownSize(old + n));
		m_count = old;
		if (void* data = Lock(0, old))
		{
			memcpy(data, kept.data(), kept.size());
			Unlock();
		}
	}
	m_count = old + n;
	if (void* data = Lock(old, n))
	{
		memcpy(data, vertices, size_t(n) * m_stride);
		Unlock();
	}
}

void cVertexBuffer::SetData(const void* vertices, unsigned n)
{
	m_count = 0;
	Append(vertices, n);
}

void cVertexBuffer::Write(const void* vertices, unsigned n)
{
	const unsigned m = std::min(m_count, n);
	if (void* data = Lock(0, m))
	{
		memcpy(data, vertices, size_t(m) * m_stride);
		Unlock();
	}
}

void cVertexBuffer::Bind()
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.boundVertexBuffer.load() == this || !state.device)
		return;
	state.boundVertexBuffer = this;
	state.device->SetStreamSource(0, m_buffer, 0, m_stride);
	if (m_format == -1)
		state.device->SetVertexDeclaration(m_declaration);
	else
		state.device->SetFVF(static_cast<DWORD>(m_format));
}

bool cVertexBuffer::FindDeclaredComponent(int component, int& offset) const
{
	offset = 0;
	UINT count = 0;
	if (!m_declaration || FAILED(m_declaration->GetDeclaration(nullptr, &count)))
		return false;
	std::vector<D3DVERTEXELEMENT9> elements(count);
	m_declaration->GetDeclaration(elements.data(), &count);
	const int textureSet = (component >> 8) & 15;
	for (const D3DVERTEXELEMENT9& element : elements)
	{
		const bool matches = (component == D3DFVF_XYZ && element.Usage == D3DDECLUSAGE_POSITION)
			|| (component == D3DFVF_NORMAL && element.Usage == D3DDECLUSAGE_NORMAL)
			|| (element.Usage == D3DDECLUSAGE_TEXCOORD && element.UsageIndex == textureSet);
		if (matches && element.Stream != 0xFF)
			return true;
		offset += ElementOffsetSize(element.Type);
	}
	return false;
}

bool cVertexBuffer::HasComponent(int component) const
{
	int offset;
	if (m_format == -1)
		return FindDeclaredComponent(component, offset);
	switch (component)
	{
	case D3DFVF_XYZ:
	case D3DFVF_NORMAL:
	case D3DFVF_DIFFUSE: return (m_format & component) != 0;
	default: break;
	}
	const int set = component >> 8;
	return set >= 1 && set <= ((m_format >> 8) & 15);
}

int cVertexBuffer::GetComponentOffset(int component) const
{
	if (m_format == -1)
	{
		int offset;
		FindDeclaredComponent(component, offset);
		return offset;
	}

	const int format = m_format;
	int offset = 0;
	int position = -1;
	int normal = -1;
	int diffuse = -1;
	if (format & D3DFVF_XYZ)
	{
		position = offset;
		offset += 12;
	}
	if (format & D3DFVF_NORMAL)
	{
		normal = offset;
		offset += 12;
	}
	if (format & D3DFVF_DIFFUSE)
	{
		diffuse = offset;
		offset += 4;
	}
	const int textureStart = offset;
	const int setCount = (format >> 8) & 15;
	switch (component)
	{
	case D3DFVF_XYZ: return position >= 0 ? position : textureStart;
	case D3DFVF_NORMAL: return normal >= 0 ? normal : textureStart;
	case D3DFVF_DIFFUSE: return diffuse >= 0 ? diffuse : textureStart;
	default: break;
	}
	const int set = component >> 8;
	if (set < 1)
		return textureStart;
	return textureStart + 8 * (std::min(set, setCount + 1) - 1);
}

void cVertexBuffer::OnLostDevice()
{
	ReleaseBuffer();
}

void cVertexBuffer::OnResetDevice()
{
	CreateBuffer();
}

void cVertexBuffer::CreateBuffer()
{
	IDirect3DDevice9* device = GraphicsDevice();
	const uint64_t bytes = uint64_t(m_capacity) * m_stride;
	if (m_buffer || !device || bytes == 0 || bytes > UINT32_MAX)
		return;
	const DWORD fvf = m_format == -1 ? 0 : static_cast<DWORD>(m_format);
	if (FAILED(device->CreateVertexBuffer(static_cast<UINT>(bytes), m_dynamic ? D3DUSAGE_DYNAMIC : D3DUSAGE_WRITEONLY,
			fvf, m_dynamic ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED, &m_buffer, nullptr)))
		m_buffer = nullptr;
}

void cVertexBuffer::ReleaseBuffer()
{
	ForgetBinding();
	if (m_buffer)
	{
		m_buffer->Release();
		m_buffer = nullptr;
	}
}

void cVertexBuffer::ForgetBinding()
{
	cVertexBuffer* self = this;
	GraphicsDeviceState().boundVertexBuffer.compare_exchange_strong(self, nullptr);
}
