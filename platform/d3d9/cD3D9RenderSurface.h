#pragma once
// A surface of its own: the device's back buffer (a GL colour texture) or a
// depth-stencil surface (a GL renderbuffer). Locking the back buffer reads
// its pixels back.

#include "platform/d3d9/cD3D9Object.h"
#include "platform/d3d9/cD3D9Surface.h"

#include <vector>

class cD3D9RenderSurface final : public cD3D9Object<cD3D9Surface>
{
public:
	// usage is D3DUSAGE_RENDERTARGET or D3DUSAGE_DEPTHSTENCIL.
	cD3D9RenderSurface(cD3D9Device* device, UINT width, UINT height, D3DFORMAT format, DWORD usage,
		bool countsAsDefaultPool);

	D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
	HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
	HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
	HRESULT UnlockRect() override;

	const D3DSURFACE_DESC& Desc() const override { return m_desc; }
	sAttachment PrepareAttachment() override;

	// The reference count, read by Reset to find references the caller kept.
	ULONG RefCount()
	{
		AddRef();
		return Release();
	}

private:
	~cD3D9RenderSurface() override;

	D3DSURFACE_DESC m_desc;
	bool m_countsAsDefaultPool;
	GLuint m_name = 0;
	std::vector<BYTE> m_lockBytes;
	bool m_locked = false;
	bool m_lockedReadOnly = false;
};
