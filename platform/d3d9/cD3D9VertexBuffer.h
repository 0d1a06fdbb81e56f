#pragma once
// A vertex buffer: its bytes and description.

#include "platform/d3d9/cD3D9BufferStore.h"
#include "platform/d3d9/cD3D9Object.h"

class cD3D9VertexBuffer final : public cD3D9Object<IDirect3DVertexBuffer9>
{
public:
	cD3D9VertexBuffer(cD3D9Device* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

	D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
	HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
	HRESULT Unlock() override;
	HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

	cD3D9BufferStore& Store() { return m_store; }

private:
	~cD3D9VertexBuffer() override;

	cD3D9BufferStore m_store;
	DWORD m_fvf;
	D3DPOOL m_pool;
};
