#pragma once
// The texture half of the D3DX9 stand-in: textures created from image files
// in memory (BMP, PNG, JPEG, TGA, DDS) and textures saved as DDS files in
// memory, over the image decoder of D3DX9Image.h and the device.

#include "platform/d3d9/D3D9.h"
#include "platform/d3dx9/D3DX9Image.h"

struct PALETTEENTRY
{
	BYTE peRed;
	BYTE peGreen;
	BYTE peBlue;
	BYTE peFlags;
};

// A block of bytes handed out by the library, reference counted.
class ID3DXBuffer
{
public:
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;
	virtual void* GetBufferPointer() = 0;
	virtual DWORD GetBufferSize() = 0;

protected:
	virtual ~ID3DXBuffer() = default;
};

// A new buffer of size zeroed bytes.
HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);

// Decodes the image and creates a texture of its power-of-two size (each
// side rounded up on its own), the image unscaled in the top-left corner,
// the rest transparent black. Width, height and mip levels must be
// D3DX_DEFAULT (or 0). The texture has the top level only: the device
// samples nothing else while the mip filter is none, as it stays. Format is
// D3DFMT_A8R8G8B8 or D3DFMT_DXT3 (D3DFMT_UNKNOWN: A8R8G8B8); filters,
// colour key and palette are not supported beyond filter NONE, no key and
// no palette. info gets the source image's size. Any thread.
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT width,
	UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipFilter,
	D3DCOLOR colorKey, D3DXIMAGE_INFO* info, PALETTEENTRY* palette, IDirect3DTexture9** texture);

// Writes level 0 of an A8R8G8B8 texture as a DDS file into a new buffer.
// Only D3DXIFF_DDS is supported; the texture must be lockable (managed or
// system memory).
HRESULT D3DXSaveTextureToFileInMemory(ID3DXBuffer** buffer, D3DXIMAGE_FILEFORMAT fileFormat,
	IDirect3DBaseTexture9* texture, const PALETTEENTRY* palette);
