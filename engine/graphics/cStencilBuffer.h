#pragma once
// A depth-stencil surface shaped like the device's own depth buffer, kept
// alive across device resets (released before a reset, re-created after it
// with the stored shape).

#include "engine/graphics/cDirectXGraphicsObject.h"
#include "platform/d3d9/D3D9.h"

class cStencilBuffer : public cDirectXGraphicsObject
{
public:
	// Copies the shape of the device's default depth-stencil surface,
	// creates its own and joins the device-object list.
	cStencilBuffer();
	~cStencilBuffer() override;

	// Makes the default depth-stencil surface current again and releases
	// its own surface.
	void OnLostDevice() override;
	void OnResetDevice() override;

	// Clears the device's current depth buffer to depth 1 and stencil 0.
	static void Clear();

	IDirect3DSurface9* GetSurface() const { return m_surface; }
	UINT GetWidth() const { return m_width; }
	UINT GetHeight() const { return m_height; }

private:
	void CreateSurface();
	void ReleaseSurface();

	IDirect3DSurface9* m_surface = nullptr;
	UINT m_width = 0;
	UINT m_height = 0;
	D3DFORMAT m_format = D3DFMT_UNKNOWN;
	D3DMULTISAMPLE_TYPE m_multiSampleType = D3DMULTISAMPLE_NONE;
	DWORD m_multiSampleQuality = 0;
};
