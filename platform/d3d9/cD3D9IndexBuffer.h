#pragma once
// An index buffer of 16-bit or 32-bit indices: its bytes and description.

#include "platform/d3d9/cD3D9BufferStore.h"
#include "platform/d3d9/cD3D9Object.h"

class cD3D9IndexBuffer final : public cD3D9Object<IDirect3DIndexBuffer9>
{
public:
	cD3D9IndexBuffer(cD3D9Device* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);

	D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
	HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
	HRESULT Unlock() override;
	HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

	cD3D9BufferStore& Store() { return m_store; }
	UINT IndexSize() const { return m_format == D3DFMT_INDEX32 ? 4 : 2; }

private:
	~cD3D9IndexBuffer() override;

	cD3D9BufferStore m_store;
	D3DFORMAT m_format;
	D3DPOOL m_pool;
};
