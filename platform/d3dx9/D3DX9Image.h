#pragma once
// The image half of the D3DX9 texture loader and saver: BMP, PNG, JPEG, TGA
// and DDS files decoded from memory into a CPU image that a texture can be
// filled from, and A8R8G8B8 images written as DDS files.
//
// Decoded images always have power-of-two sides (each side rounded up on its
// own: 100 by 50 becomes 128 by 64). The source image sits unscaled in the
// top-left corner; the rest is transparent black.

#include "platform/d3d9/D3D9Types.h"

#include <cstdint>
#include <vector>

#define D3DX_DEFAULT ((UINT)-1)
#define D3DX_FILTER_NONE (1 << 0)

// The loader's own failure: the data is no image it can read.
#define D3DXERR_INVALIDDATA ((HRESULT)0x88760B59L)

enum D3DXIMAGE_FILEFORMAT : DWORD
{
	D3DXIFF_BMP = 0,
	D3DXIFF_JPG = 1,
	D3DXIFF_TGA = 2,
	D3DXIFF_PNG = 3,
	D3DXIFF_DDS = 4,
};

struct D3DXIMAGE_INFO
{
	UINT Width; // the source image's size, before rounding up
	UINT Height;
	UINT Depth; // 1
	UINT MipLevels; // 1: only the top level is read
	D3DFORMAT Format; // the format the image was converted to
	D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

// Largest side, in pixels, of an image the loader accepts.
constexpr UINT kD3DXMaxImageSide = 8192;

struct sD3DXDecodedImage
{
	UINT width = 0; // power-of-two size of the whole image
	UINT height = 0;
	UINT imageWidth = 0; // the source image in the top-left corner
	UINT imageHeight = 0;
	D3DFORMAT format = D3DFMT_UNKNOWN; // D3DFMT_A8R8G8B8 or D3DFMT_DXT3
	// Bytes from one row to the next: of pixels for A8R8G8B8 (B, G, R, A
	// bytes each), of 4 by 4 blocks for DXT3.
	UINT pitch = 0;
	std::vector<uint8_t> bits; // the top level, rows of pitch bytes
};

// Decodes a BMP, PNG, JPEG, TGA or DDS file and converts it to format
// (D3DFMT_A8R8G8B8, alpha 0xFF where the file has none, or D3DFMT_DXT3).
// Returns S_OK, or D3DXERR_INVALIDDATA for data it cannot read (a PVR file,
// truncated or damaged data, a side above kD3DXMaxImageSide) and
// E_INVALIDARG for another format; out is then left empty. info may be null.
HRESULT D3DXDecodeImageInMemory(const void* data, UINT size, D3DFORMAT format, sD3DXDecodedImage& out,
	D3DXIMAGE_INFO* info);

// Writes an A8R8G8B8 image as a DDS file of one level (out is replaced).
// E_INVALIDARG for other formats or inconsistent sizes.
HRESULT D3DXEncodeDdsInMemory(const sD3DXDecodedImage& image, std::vector<uint8_t>& out);
