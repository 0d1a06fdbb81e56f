#include "platform/d3dx9/D3DX9Image.h"

#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <squish.h>

#include <new>

namespace
{
struct sImageFileType
{
	D3DXIMAGE_FILEFORMAT fileFormat;
	bool (*matches)(const uint8_t* data, size_t size);
	bool (*read)(const uint8_t* data, size_t size, sD3DXDecodedImage& image);
};

// TGA last: it has no signature, only a plausible header.
const sImageFileType kImageFileTypes[] = {
	{D3DXIFF_DDS, IsDdsImage, ReadDdsImage},
	{D3DXIFF_PNG, IsPngImage, ReadPngImage},
	{D3DXIFF_JPG, IsJpegImage, ReadJpegImage},
	{D3DXIFF_BMP, IsBmpImage, ReadBmpImage},
	{D3DXIFF_TGA, IsTgaImage, ReadTgaImage},
};

const sImageFileType* FindImageFileType(const uint8_t* data, size_t size)
{
	for (const sImageFileType& type : kImageFileTypes)
		if (type.matches(data, size))
			return &type;
	return nullptr;
}

void ConvertImage(sD3DXDecodedImage& image, D3DFORMAT format)
{
	if (image.format == format)
		return;
	if (format == D3DFMT_DXT3)
	{
		CompressCanvasToDxt3(image);
		return;
	}
	// DXT3 blocks, as a DDS file may hand them over.
	const sD3DXDecodedImage blocks = std::move(image);
	AllocateImageCanvas(blocks.width, blocks.height, image);
	DecompressDxtToCanvas(blocks.bits.data(), squish::kDxt3, blocks.width, blocks.height, image);
	image.imageWidth = blocks.imageWidth;
	image.imageHeight = blocks.imageHeight;
}
}

HRESULT D3DXDecodeImageInMemory(const void* data, UINT size, D3DFORMAT format, sD3DXDecodedImage& out,
	D3DXIMAGE_INFO* info)
{
	out = sD3DXDecodedImage();
	if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_DXT3)
		return E_INVALIDARG;
	const uint8_t* bytes = static_cast<const uint8_t*>(data);
	const sImageFileType* type = bytes ? FindImageFileType(bytes, size) : nullptr;
	if (!type)
		return D3DXERR_INVALIDDATA;

	sD3DXDecodedImage image;
	try
	{
		if (!type->read(bytes, size, image))
			return D3DXERR_INVALIDDATA;
		ConvertImage(image, format);
	}
	catch (const std::bad_alloc&)
	{
		ReportImageFailure("out of memory");
		return E_OUTOFMEMORY;
	}

	if (info)
	{
		info->Width = image.imageWidth;
		info->Height = image.imageHeight;
		info->Depth = 1;
		info->MipLevels = 1;
		info->Format = image.format;
		info->ImageFileFormat = type->fileFormat;
	}
	out = std::move(image);
	return S_OK;
}
