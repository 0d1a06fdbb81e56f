#pragma once
// What the device needs of any surface: its description and the GL object
// that holds its pixels when it is a render target or a depth buffer.

#include "platform/d3d9/D3D9.h"
#include "platform/d3d9/GlHeaders.h"

class cD3D9Surface : public IDirect3DSurface9
{
public:
	struct sAttachment
	{
		GLuint name = 0;
		GLint level = 0;
		bool renderbuffer = false; // else a texture
	};

	virtual const D3DSURFACE_DESC& Desc() const = 0;

	// Drawing thread: creates and fills the GL object as needed. May bind a
	// texture to the active texture unit.
	virtual sAttachment PrepareAttachment() = 0;

	bool IsRenderTarget() const { return (Desc().Usage & D3DUSAGE_RENDERTARGET) != 0; }
	bool IsDepthStencil() const { return (Desc().Usage & D3DUSAGE_DEPTHSTENCIL) != 0; }
};
