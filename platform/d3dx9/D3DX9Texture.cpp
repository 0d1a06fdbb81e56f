#include "platform/d3dx9/D3DX9Texture.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <vector>

namespace
{
class cD3DXBuffer final : public ID3DXBuffer
{
public:
	explicit cD3DXBuffer(std::vector<uint8_t>&& bytes) : m_bytes(std::move(bytes)) {}

	ULONG AddRef() override { return ++m_refs; }
	ULONG Release() override
	{
		ULONG left = --m_refs;
		if (left == 0)
			delete this;
		return left;
	}
	void* GetBufferPointer() override { return m_bytes.data(); }
	DWORD GetBufferSize() override { return static_cast<DWORD>(m_bytes.size()); }

private:
	std::atomic<ULONG> m_refs { 1 };
	std::vector<uint8_t> m_bytes;
};

bool IsDefaultSize(UINT value)
{
	return value == D3DX_DEFAULT || value == 0;
}

// Copies the decoded rows (of pixels or of 4 by 4 blocks) into level 0.
HRESULT FillTopLevel(IDirect3DTexture9* texture, const sD3DXDecodedImage& image)
{
	D3DLOCKED_RECT locked;
	HRESULT result = texture->LockRect(0, &locked, nullptr, 0);
	if (FAILED(result))
		return result;
	const UINT rows = image.format == D3DFMT_DXT3 ? (image.height + 3) / 4 : image.height;
	const size_t rowBytes = std::min<size_t>(image.pitch, static_cast<size_t>(locked.Pitch));
	for (UINT row = 0; row < rows; ++row)
		memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(row) * locked.Pitch,
			image.bits.data() + static_cast<size_t>(row) * image.pitch, rowBytes);
	return texture->UnlockRect(0);
}
}

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer)
{
	if (!buffer)
		return D3DERR_INVALIDCALL;
	*buffer = nullptr;
	try
	{
		*buffer = new cD3DXBuffer(std::vector<uint8_t>(size));
	}
	catch (const std::bad_alloc&)
	{
		return E_OUTOFMEMORY;
	}
	return S_OK;
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT width,
	UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipFilter,
	D3DCOLOR colorKey, D3DXIMAGE_INFO* info, PALETTEENTRY* palette, IDirect3DTexture9** texture)
{
	if (!texture)
		return D3DERR_INVALIDCALL;
	*texture = nullptr;
	const bool unscaled = (filter == D3DX_FILTER_NONE || filter == D3DX_DEFAULT)
		&& (mipFilter == D3DX_FILTER_NONE || mipFilter == D3DX_DEFAULT);
	if (!device || !data || !IsDefaultSize(width) || !IsDefaultSize(height) || !IsDefaultSize(mipLevels)
		|| !unscaled || colorKey != 0 || palette)
		return D3DERR_INVALIDCALL;
	if (format == D3DFMT_UNKNOWN)
		format = D3DFMT_A8R8G8B8;

	sD3DXDecodedImage image;
	HRESULT result = D3DXDecodeImageInMemory(data, size, format, image, info);
	if (FAILED(result))
		return result;
	IDirect3DTexture9* created = nullptr;
	result = device->CreateTexture(image.width, image.height, 1, usage, image.format, pool, &created, nullptr);
	if (FAILED(result))
		return result;
	result = FillTopLevel(created, image);
	if (FAILED(result))
	{
		created->Release();
		return result;
	}
	*texture = created;
	return S_OK;
}

HRESULT D3DXSaveTextureToFileInMemory(ID3DXBuffer** buffer, D3DXIMAGE_FILEFORMAT fileFormat,
	IDirect3DBaseTexture9* texture, const PALETTEENTRY*)
{
	if (!buffer || !texture || texture->GetType() != D3DRTYPE_TEXTURE)
		return D3DERR_INVALIDCALL;
	*buffer = nullptr;
	if (fileFormat != D3DXIFF_DDS)
		return D3DERR_INVALIDCALL;
	auto* texture2d = static_cast<IDirect3DTexture9*>(texture);
	D3DSURFACE_DESC desc;
	HRESULT result = texture2d->GetLevelDesc(0, &desc);
	if (FAILED(result))
		return result;
	if (desc.Format != D3DFMT_A8R8G8B8)
		return D3DERR_INVALIDCALL;

	D3DLOCKED_RECT locked;
	result = texture2d->LockRect(0, &locked, nullptr, D3DLOCK_READONLY);
	if (FAILED(result))
		return result;
	try
	{
		sD3DXDecodedImage image;
		image.width = image.imageWidth = desc.Width;
		image.height = image.imageHeight = desc.Height;
		image.format = D3DFMT_A8R8G8B8;
		image.pitch = static_cast<UINT>(locked.Pitch);
		const uint8_t* bits = static_cast<const uint8_t*>(locked.pBits);
		image.bits.assign(bits, bits + static_cast<size_t>(locked.Pitch) * desc.Height);
		texture2d->UnlockRect(0);
		std::vector<uint8_t> file;
		result = D3DXEncodeDdsInMemory(image, file);
		if (SUCCEEDED(result))
			*buffer = new cD3DXBuffer(std::move(file));
	}
	catch (const std::bad_alloc&)
	{
		texture2d->UnlockRect(0);
		return E_OUTOFMEMORY;
	}
	return result;
}
