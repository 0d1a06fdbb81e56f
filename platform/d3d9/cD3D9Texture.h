#pragma once
// A 2D texture with its levels. Lockable textures keep every level in memory
// (in Direct3D's layout) and upload the levels changed since the last draw,
// on the drawing thread. Render-target textures live in GL only; locking
// them reads the pixels back.

#include "platform/d3d9/D3D9PixelFormat.h"
#include "platform/d3d9/cD3D9Object.h"

#include <memory>
#include <vector>

class cD3D9TextureSurface;

class cD3D9Texture final : public cD3D9Object<IDirect3DTexture9>
{
public:
	cD3D9Texture(cD3D9Device* device, UINT width, UINT height, UINT levels, DWORD usage,
		const sD3D9PixelFormat& format, D3DPOOL pool);

	D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
	DWORD GetLevelCount() override { return static_cast<DWORD>(m_levels.size()); }
	HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
	HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
	HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
	HRESULT UnlockRect(UINT level) override;

	bool IsRenderTarget() const { return (m_usage & D3DUSAGE_RENDERTARGET) != 0; }
	const D3DSURFACE_DESC& LevelDesc(UINT level) const { return m_levels[level].desc; }

	// Whether BindForDraw has work to do when GL holds bound on the unit.
	bool NeedsBind(GLuint bound) const { return m_anyDirty || m_glTexture == 0 || m_glTexture != bound; }

	// Drawing thread: binds the GL texture to the active unit, creating it and
	// uploading changed levels first.
	GLuint BindForDraw();

private:
	struct sLevel
	{
		D3DSURFACE_DESC desc;
		UINT pitch;
		std::vector<BYTE> bytes; // empty for render targets until read back
		bool dirty = true;
		bool locked = false;
		bool lockedReadOnly = false;
	};

	~cD3D9Texture() override;
	void Upload(UINT level);

	DWORD m_usage;
	const sD3D9PixelFormat& m_format;
	std::vector<sLevel> m_levels;
	std::vector<std::unique_ptr<cD3D9TextureSurface>> m_surfaces;
	GLuint m_glTexture = 0;
	bool m_anyDirty = true;
};
