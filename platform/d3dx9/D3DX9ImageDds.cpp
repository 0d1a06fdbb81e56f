// DDS files: a "DDS " magic, a 124-byte header, then the top level.

#include "platform/d3dx9/D3DX9Image.h"
#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <squish.h>

#include <bit>
#include <cctype>
#include <cstring>

namespace
{
constexpr size_t kDdsHeaderSize = 124;
constexpr size_t kDdsDataOffset = 4 + kDdsHeaderSize;

// Header field offsets, counted from the start of the file.
constexpr size_t kDdsSizeField = 4;
constexpr size_t kDdsFlagsField = 8;
constexpr size_t kDdsHeightField = 12;
constexpr size_t kDdsWidthField = 16;
constexpr size_t kDdsPitchField = 20;
constexpr size_t kDdsPixelFormat = 76; // 32 bytes: size, flags, FourCC, bit count, four masks
constexpr size_t kDdsCapsField = 108;

constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;

constexpr sImageChannelMasks kA8R8G8B8Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};

void WriteLe32(uint8_t* p, uint32_t value)
{
	for (int i = 0; i < 4; ++i)
		p[i] = static_cast<uint8_t>(value >> (8 * i));
}

int SquishFormatOf(uint32_t fourCC)
{
	switch (fourCC)
	{
	case D3DFMT_DXT1: return squish::kDxt1;
	case D3DFMT_DXT3: return squish::kDxt3;
	case D3DFMT_DXT5: return squish::kDxt5;
	default: return 0;
	}
}

bool ReadDxtLevel(const uint8_t* pixels, uint64_t available, uint32_t fourCC, UINT width, UINT height,
	sD3DXDecodedImage& image)
{
	const int squishFormat = SquishFormatOf(fourCC);
	if (squishFormat == 0)
	{
		// The FourCC is four characters ("DX10", "ATI2"), least significant first.
		char name[5] = {};
		for (int i = 0; i < 4; ++i)
		{
			const char c = static_cast<char>(fourCC >> (8 * i));
			name[i] = isprint(static_cast<unsigned char>(c)) ? c : '?';
		}
		ReportImageFailure("DDS compression %s (%08X) is not supported", name, fourCC);
		return false;
	}
	const uint64_t needed = DxtStorageSize(width, height, squishFormat);
	if (needed > available)
	{
		ReportImageFailure("DDS data truncated: %llu bytes for %u by %u, %llu present",
			static_cast<unsigned long long>(needed), width, height, static_cast<unsigned long long>(available));
		return false;
	}
	// DXT3 blocks that already fill a power-of-two texture are kept as they are.
	if (fourCC == D3DFMT_DXT3 && std::has_single_bit(width) && std::has_single_bit(height))
	{
		image.width = image.imageWidth = width;
		image.height = image.imageHeight = height;
		image.format = D3DFMT_DXT3;
		image.pitch = static_cast<UINT>(DxtStorageSize(width, 1, squishFormat));
		image.bits.assign(pixels, pixels + needed);
		return true;
	}
	if (!AllocateImageCanvas(width, height, image))
		return false;
	DecompressDxtToCanvas(pixels, squishFormat, width, height, image);
	return true;
}

bool ReadMaskedLevel(const uint8_t* header, const uint8_t* pixels, uint64_t available, UINT width, UINT height,
	sD3DXDecodedImage& image)
{
	const uint32_t flags = ReadLe32(header + kDdsPixelFormat + 4);
	const uint32_t bitCount = ReadLe32(header + kDdsPixelFormat + 12);
	if (bitCount != 16 && bitCount != 24 && bitCount != 32)
	{
		ReportImageFailure("DDS pixels of %u bits are not supported", bitCount);
		return false;
	}
	const sImageChannelMasks masks = {ReadLe32(header + kDdsPixelFormat + 16),
		ReadLe32(header + kDdsPixelFormat + 20), ReadLe32(header + kDdsPixelFormat + 24),
		(flags & DDPF_ALPHAPIXELS) ? ReadLe32(header + kDdsPixelFormat + 28) : 0};
	const UINT bytesPerPixel = bitCount / 8;
	const uint64_t rowBytes = static_cast<uint64_t>(width) * bytesPerPixel;
	if (rowBytes * height > available)
	{
		ReportImageFailure("DDS data truncated: %u by %u pixels of %u bits", width, height, bitCount);
		return false;
	}
	if (!AllocateImageCanvas(width, height, image))
		return false;
	for (UINT y = 0; y < height; ++y)
		ConvertMaskedPixels(pixels + y * rowBytes, bytesPerPixel, masks, width, ImageCanvasRow(image, y));
	return true;
}
}

bool IsDdsImage(const uint8_t* data, size_t size)
{
	return size >= 4 && memcmp(data, "DDS ", 4) == 0;
}

bool ReadDdsImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image)
{
	if (size < kDdsDataOffset)
	{
		ReportImageFailure("DDS header truncated");
		return false;
	}
	if (ReadLe32(data + kDdsSizeField) != kDdsHeaderSize)
	{
		ReportImageFailure("DDS header size %u is not supported", ReadLe32(data + kDdsSizeField));
		return false;
	}
	const UINT width = ReadLe32(data + kDdsWidthField);
	const UINT height = ReadLe32(data + kDdsHeightField);
	if (width == 0 || height == 0 || width > kD3DXMaxImageSide || height > kD3DXMaxImageSide)
	{
		ReportImageFailure("DDS size %u by %u is not supported", width, height);
		return false;
	}
	const uint32_t formatFlags = ReadLe32(data + kDdsPixelFormat + 4);
	const uint8_t* pixels = data + kDdsDataOffset;
	const uint64_t available = size - kDdsDataOffset;
	if (formatFlags & DDPF_FOURCC)
		return ReadDxtLevel(pixels, available, ReadLe32(data + kDdsPixelFormat + 8), width, height, image);
	if (formatFlags & DDPF_RGB)
		return ReadMaskedLevel(data, pixels, available, width, height, image);
	ReportImageFailure("DDS pixel format %08X is not supported", formatFlags);
	return false;
}

HRESULT D3DXEncodeDdsInMemory(const sD3DXDecodedImage& image, std::vector<uint8_t>& out)
{
	const uint64_t rowBytes = static_cast<uint64_t>(image.width) * 4;
	if (image.format != D3DFMT_A8R8G8B8 || image.width == 0 || image.height == 0 || image.pitch < rowBytes ||
		image.bits.size() < static_cast<uint64_t>(image.pitch) * image.height)
		return E_INVALIDARG;

	out.assign(kDdsDataOffset + rowBytes * image.height, 0);
	uint8_t* file = out.data();
	memcpy(file, "DDS ", 4);
	WriteLe32(file + kDdsSizeField, kDdsHeaderSize);
	WriteLe32(file + kDdsFlagsField, DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT);
	WriteLe32(file + kDdsHeightField, image.height);
	WriteLe32(file + kDdsWidthField, image.width);
	WriteLe32(file + kDdsPitchField, static_cast<uint32_t>(rowBytes));
	WriteLe32(file + kDdsPixelFormat, 32);
	WriteLe32(file + kDdsPixelFormat + 4, DDPF_RGB | DDPF_ALPHAPIXELS);
	WriteLe32(file + kDdsPixelFormat + 12, 32);
	WriteLe32(file + kDdsPixelFormat + 16, kA8R8G8B8Masks.red);
	WriteLe32(file + kDdsPixelFormat + 20, kA8R8G8B8Masks.green);
	WriteLe32(file + kDdsPixelFormat + 24, kA8R8G8B8Masks.blue);
	WriteLe32(file + kDdsPixelFormat + 28, kA8R8G8B8Masks.alpha);
	WriteLe32(file + kDdsCapsField, DDSCAPS_TEXTURE);

	uint8_t* row = file + kDdsDataOffset;
	for (UINT y = 0; y < image.height; ++y, row += rowBytes)
		memcpy(row, image.bits.data() + static_cast<size_t>(y) * image.pitch, rowBytes);
	return S_OK;
}
