#include "platform/d3d9/D3D9PixelFormat.h"

namespace
{
const sD3D9PixelFormat g_formats[] = {
	{ D3DFMT_A8R8G8B8, 4, false, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE },
	{ D3DFMT_X8R8G8B8, 4, false, GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE },
	{ D3DFMT_A8B8G8R8, 4, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE },
	{ D3DFMT_X8B8G8R8, 4, false, GL_RGB8, GL_RGBA, GL_UNSIGNED_BYTE },
	{ D3DFMT_R8G8B8, 3, false, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE },
	{ D3DFMT_R5G6B5, 2, false, GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5 },
	{ D3DFMT_X1R5G5B5, 2, false, GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV },
	{ D3DFMT_A1R5G5B5, 2, false, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV },
	{ D3DFMT_A4R4G4B4, 2, false, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV },
	{ D3DFMT_X4R4G4B4, 2, false, GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV },
	{ D3DFMT_A8, 1, false, GL_ALPHA8, GL_ALPHA, GL_UNSIGNED_BYTE },
	{ D3DFMT_L8, 1, false, GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE },
	{ D3DFMT_A8L8, 2, false, GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE },
	{ D3DFMT_DXT1, 8, true, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 0, 0 },
	{ D3DFMT_DXT2, 16, true, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0, 0 },
	{ D3DFMT_DXT3, 16, true, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0, 0 },
	{ D3DFMT_DXT4, 16, true, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0 },
	{ D3DFMT_DXT5, 16, true, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0 },
};
}

UINT sD3D9PixelFormat::Pitch(UINT width) const
{
	if (compressed)
		return ((width + 3) / 4) * blockBytes;
	return (width * blockBytes + 3) & ~3u;
}

UINT sD3D9PixelFormat::Rows(UINT height) const
{
	return compressed ? (height + 3) / 4 : height;
}

const sD3D9PixelFormat* FindD3D9PixelFormat(D3DFORMAT format)
{
	for (const sD3D9PixelFormat& entry : g_formats)
		if (entry.format == format)
			return &entry;
	return nullptr;
}
