#include "platform/d3d9/cD3D9TextureSurface.h"

#include "platform/d3d9/cD3D9Texture.h"

ULONG cD3D9TextureSurface::AddRef()
{
	return m_texture.AddRef();
}

ULONG cD3D9TextureSurface::Release()
{
	return m_texture.Release();
}

HRESULT cD3D9TextureSurface::GetDevice(IDirect3DDevice9** device)
{
	return m_texture.GetDevice(device);
}

HRESULT cD3D9TextureSurface::GetDesc(D3DSURFACE_DESC* desc)
{
	return m_texture.GetLevelDesc(m_level, desc);
}

HRESULT cD3D9TextureSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
	return m_texture.LockRect(m_level, locked, rect, flags);
}

HRESULT cD3D9TextureSurface::UnlockRect()
{
	return m_texture.UnlockRect(m_level);
}

const D3DSURFACE_DESC& cD3D9TextureSurface::Desc() const
{
	return m_texture.LevelDesc(m_level);
}

cD3D9Surface::sAttachment cD3D9TextureSurface::PrepareAttachment()
{
	return { m_texture.BindForDraw(), static_cast<GLint>(m_level), false };
}
