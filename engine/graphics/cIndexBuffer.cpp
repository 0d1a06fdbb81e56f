#include "engine/graphics/cIndexBuffer.h"

#include "engine/graphics/sGraphicsDeviceState.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
constexpr unsigned kIndexSize = 2;
}

cIndexBuffer::~cIndexBuffer()
{
	ReleaseBuffer();
}

void cIndexBuffer::SetCapacity(unsigned n)
{
	if (n == m_capacity)
		return;
	m_capacity = n;
	ReleaseBuffer();
	m_count = std::min(m_count, n);
	IDirect3DDevice9* device = GraphicsDevice();
	if (n == 0 || !device || uint64_t(n) * kIndexSize > UINT32_MAX)
		return;
	if (FAILED(device->CreateIndexBuffer(n * kIndexSize, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
			&m_buffer, nullptr)))
		m_buffer = nullptr;
}

void cIndexBuffer::SetCount(unsigned n)
{
	if (n == m_count)
		return;
	if (n > m_capacity)
		SetCapacity(n + n / 10 + 2);
	m_count = n;
}

void* cIndexBuffer::Lock(unsigned first, unsigned n)
{
	if (first >= m_count || !m_buffer)
		return nullptr;
	n = n == 0 ? m_count - first : std::min(n, m_count - first);
	void* data = nullptr;
	if (FAILED(m_buffer->Lock(first * kIndexSize, n * kIndexSize, &data, 0)))
		return nullptr;
	return data;
}

void cIndexBuffer::Unlock()
{
	if (m_buffer)
		m_buffer->Unlock();
}

void cIndexBuffer::Append(const void* indices, unsigned n)
{
	if (n == 0)
		return;
	const unsigned old = m_count;
	if (old + n > m_capacity)
	{
		// Growing re-creates the buffer: the indices already in it are
		// carried over.
		std::vector<uint16_t> kept(old);
		if (const void* data = Lock(0, old))
		{
			memcpy(kept.data(), data, size_t(old) * kIndexSize);
			Unlock();
		}
		SetCapacity(old + n + (old + n) / 10 + 2);
		m_count = old;
		if (void* data = Lock(0, old))
		{
			memcpy(data, kept.data(), size_t(old) * kIndexSize);
			Unlock();
		}
	}
	m_count = old + n;
	if (void* data = Lock(old, n))
	{
		memcpy(data, indices, size_t(n) * kIndexSize);
		Unlock();
	}
}

void cIndexBuffer::SetData(const void* indices, unsigned n)
{
	m_count = 0;
	if (n != m_capacity)
		SetCapacity(n);
	Append(indices, n);
}

void cIndexBuffer::Bind()
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.boundIndexBuffer.load() == this || !state.device)
		return;
	state.boundIndexBuffer = this;
	state.device->SetIndices(m_buffer);
}

void cIndexBuffer::ReleaseBuffer()
{
	cIndexBuffer* self = this;
	GraphicsDeviceState().boundIndexBuffer.compare_exchange_strong(self, nullptr);
	if (m_buffer)
	{
		m_buffer->Release();
		m_buffer = nullptr;
	}
}
