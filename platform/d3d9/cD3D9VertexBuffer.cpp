#include "platform/d3d9/cD3D9VertexBuffer.h"

#include <mutex>

cD3D9VertexBuffer::cD3D9VertexBuffer(cD3D9Device* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
	: cD3D9Object(device), m_store(length, usage), m_fvf(fvf), m_pool(pool)
{
	if (m_pool == D3DPOOL_DEFAULT)
		Device()->CountDefaultPoolResource(+1);
}

cD3D9VertexBuffer::~cD3D9VertexBuffer()
{
	if (m_pool == D3DPOOL_DEFAULT)
		Device()->CountDefaultPoolResource(-1);
	Device()->DeleteGlBuffer(m_store.TakeGlBuffer());
}

HRESULT cD3D9VertexBuffer::Lock(UINT offset, UINT size, void** data, DWORD)
{
	std::lock_guard lock(Device()->Mutex());
	return m_store.Lock(offset, size, data);
}

HRESULT cD3D9VertexBuffer::Unlock()
{
	std::lock_guard lock(Device()->Mutex());
	return m_store.Unlock();
}

HRESULT cD3D9VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc)
{
	if (!desc)
		return D3DERR_INVALIDCALL;
	*desc = { D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, m_store.Usage(), m_pool, m_store.Size(), m_fvf };
	return D3D_OK;
}
