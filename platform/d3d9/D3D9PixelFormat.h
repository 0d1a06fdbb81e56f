#pragma once
// Memory layout of the texture and surface formats, and how each is handed
// to OpenGL. The memory layout is Direct3D's: A8R8G8B8 is the bytes B, G, R,
// A; 16-bit formats are little-endian words with red in the high bits; DXT
// formats are rows of 4 by 4 blocks.

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/GlHeaders.h"

struct sD3D9PixelFormat
{
	D3DFORMAT format;
	UINT blockBytes;        // bytes of one pixel, or of one 4 by 4 block when compressed
	bool compressed;
	GLenum internalFormat;
	GLenum uploadFormat;    // unused for compressed formats
	GLenum uploadType;

	// Bytes of one row of pixels (or of blocks), rounded up to 4 bytes.
	UINT Pitch(UINT width) const;
	// Rows of pixels (or of blocks) in a level of the given height.
	UINT Rows(UINT height) const;
};

// Null for formats that cannot be textures.
const sD3D9PixelFormat* FindD3D9PixelFormat(D3DFORMAT format);
