#pragma once
// One level of a texture seen as a surface. It shares the texture's
// reference count, as the interface requires.

#include "platform/d3d9/cD3D9Surface.h"

class cD3D9Texture;

class cD3D9TextureSurface final : public cD3D9Surface
{
public:
	cD3D9TextureSurface(cD3D9Texture& texture, UINT level) : m_texture(texture), m_level(level) {}
	~cD3D9TextureSurface() override = default;

	ULONG AddRef() override;
	ULONG Release() override;
	HRESULT GetDevice(IDirect3DDevice9** device) override;
	D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
	HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
	HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
	HRESULT UnlockRect() override;

	const D3DSURFACE_DESC& Desc() const override;
	sAttachment PrepareAttachment() override;

private:
	cD3D9Texture& m_texture;
	UINT m_level;
};
