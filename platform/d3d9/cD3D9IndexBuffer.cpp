#include "platform/d3d9/cD3D9IndexBuffer.h"

#include <mutex>

cD3D9IndexBuffer::cD3D9IndexBuffer(cD3D9Device* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
	: cD3D9Object(device), m_store(length, usage), m_format(format), m_pool(pool)
{
	if (m_pool == D3DPOOL_DEFAULT)
		Device()->CountDefaultPoolResource(+1);
}

cD3D9IndexBuffer::~cD3D9IndexBuffer()
{
	if (m_pool == D3DPOOL_DEFAULT)
		Device()->CountDefaultPoolResource(-1);
	Device()->DeleteGlBuffer(m_store.TakeGlBuffer());
}

HRESULT cD3D9IndexBuffer::Lock(UINT offset, UINT size, void** data, DWORD)
{
	std::lock_guard lock(Device()->Mutex());
	return m_store.Lock(offset, size, data);
}

HRESULT cD3D9IndexBuffer::Unlock()
{
	std::lock_guard lock(Device()->Mutex());
	return m_store.Unlock();
}

HRESULT cD3D9IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc)
{
	if (!desc)
		return D3DERR_INVALIDCALL;
	*desc = { m_format, D3DRTYPE_INDEXBUFFER, m_store.Usage(), m_pool, m_store.Size() };
	return D3D_OK;
}
