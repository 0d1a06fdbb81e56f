// BMP files: a 14-byte file header, an info header (12 bytes for the OS/2
// form, 40 to 124 bytes for the Windows forms), an optional palette and the
// rows, bottom-up unless the height is negative, each padded to 4 bytes.

#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

struct sBmpLayout
{
	int64_t width = 0;
	int64_t height = 0; // negative: rows stored top-down
	UINT bitCount = 0;
	uint32_t compression = BI_RGB;
	sImageChannelMasks masks = {};
	UINT paletteEntrySize = 4;
	size_t paletteOffset = 0;
	uint64_t paletteCount = 0;
};

bool ReadLayout(const uint8_t* data, size_t size, sBmpLayout& layout)
{
	const uint32_t headerSize = ReadLe32(data + kFileHeaderSize);
	if (headerSize > size - kFileHeaderSize)
		return false;
	if (headerSize == kCoreHeaderSize)
	{
		layout.width = ReadLe16(data + 18);
		layout.height = ReadLe16(data + 20);
		layout.bitCount = ReadLe16(data + 24);
		layout.paletteEntrySize = 3;
	}
	else if (headerSize >= kInfoHeaderSize)
	{
		layout.width = static_cast<int32_t>(ReadLe32(data + 18));
		layout.height = static_cast<int32_t>(ReadLe32(data + 22));
		layout.bitCount = ReadLe16(data + 28);
		layout.compression = ReadLe32(data + 30);
		layout.paletteCount = ReadLe32(data + 46);
		// Masks sit inside the larger headers, or right after the 40-byte one.
		const size_t maskCount = headerSize >= 56 ? 4
			: headerSize >= 52 ? 3
			: layout.compression == BI_BITFIELDS ? 3
			: layout.compression == BI_ALPHABITFIELDS ? 4 : 0;
		const size_t maskOffset = kFileHeaderSize + kInfoHeaderSize;
		if (maskOffset + maskCount * 4 > size)
			return false;
		const uint8_t* masks = data + maskOffset;
		if (layout.compression == BI_BITFIELDS || layout.compression == BI_ALPHABITFIELDS)
		{
			layout.masks.red = ReadLe32(masks);
			layout.masks.green = ReadLe32(masks + 4);
			layout.masks.blue = ReadLe32(masks + 8);
			if (maskCount >= 4)
				layout.masks.alpha = ReadLe32(masks + 12);
		}
	}
	else
		return false;
	layout.paletteOffset = kFileHeaderSize + headerSize;
	return true;
}

// Fills in the masks of the uncompressed forms and checks the combination.
bool CheckPixelFormat(sBmpLayout& layout)
{
	switch (layout.bitCount)
	{
	case 1:
	case 4:
	case 8:
		if (layout.compression != BI_RGB)
			return false;
		if (layout.paletteCount == 0 || layout.paletteCount > (1u << layout.bitCount))
			layout.paletteCount = 1u << layout.bitCount;
		return true;
	case 16:
		if (layout.compression == BI_RGB)
			layout.masks = {0x7C00, 0x03E0, 0x001F, 0};
		break;
	case 24:
		if (layout.compression != BI_RGB)
			return false;
		layout.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};
		break;
	case 32:
		if (layout.compression == BI_RGB)
			layout.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};
		break;
	default:
		return false;
	}
	if (layout.compression == BI_RGB)
		return true;
	const bool hasMasks = (layout.masks.red | layout.masks.green | layout.masks.blue) != 0;
	return hasMasks && (layout.compression == BI_BITFIELDS || layout.compression == BI_ALPHABITFIELDS);
}

void ReadPalette(const uint8_t* entries, const sBmpLayout& layout, uint8_t (&palette)[256][4])
{
	memset(palette, 0, sizeof(palette));
	for (uint64_t i = 0; i < layout.paletteCount; ++i)
	{
		const uint8_t* entry = entries + i * layout.paletteEntrySize;
		palette[i][0] = entry[0];
		palette[i][1] = entry[1];
		palette[i][2] = entry[2];
		palette[i][3] = 0xFF;
	}
}

// Palette indices, packed from the top bit of each byte.
void ConvertIndexedRow(const uint8_t* row, UINT bitCount, UINT count, const uint8_t (&palette)[256][4],
	uint8_t* destination)
{
	const UINT perByte = 8 / bitCount;
	const UINT indexMask = (1u << bitCount) - 1;
	for (UINT x = 0; x < count; ++x, destination += 4)
	{
		const UINT shift = 8 - bitCount * (x % perByte + 1);
		memcpy(destination, palette[(row[x / perByte] >> shift) & indexMask], 4);
	}
}
}

bool IsBmpImage(const uint8_t* data, size_t size)
{
	return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool ReadBmpImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image)
{
	sBmpLayout layout;
	if (size < kFileHeaderSize + 4 || !ReadLayout(data, size, layout) || !CheckPixelFormat(layout))
	{
		ReportImageFailure("BMP header damaged or of an unsupported kind");
		return false;
	}
	const uint64_t width = layout.width > 0 ? layout.width : 0;
	const uint64_t height = std::llabs(layout.height);
	if (width == 0 || height == 0 || width > kD3DXMaxImageSide || height > kD3DXMaxImageSide)
	{
		ReportImageFailure("BMP size %lld by %lld is not supported", static_cast<long long>(layout.width),
			static_cast<long long>(layout.height));
		return false;
	}
	const uint64_t pixelOffset = ReadLe32(data + 10);
	// Palettes often hold fewer entries than the header implies: the pixel
	// data starts right after the last one.
	if (pixelOffset > layout.paletteOffset)
		layout.paletteCount = std::min<uint64_t>(layout.paletteCount,
			(pixelOffset - layout.paletteOffset) / layout.paletteEntrySize);
	const uint64_t rowBytes = (width * layout.bitCount + 31) / 32 * 4;
	const uint64_t paletteBytes = layout.bitCount <= 8 ? layout.paletteCount * layout.paletteEntrySize : 0;
	if (pixelOffset + rowBytes * height > size || layout.paletteOffset + paletteBytes > size)
	{
		ReportImageFailure("BMP data truncated");
		return false;
	}
	if (!AllocateImageCanvas(static_cast<UINT>(width), static_cast<UINT>(height), image))
		return false;

	uint8_t palette[256][4];
	if (layout.bitCount <= 8)
		ReadPalette(data + layout.paletteOffset, layout, palette);
	for (UINT y = 0; y < height; ++y)
	{
		const UINT storedRow = layout.height < 0 ? y : static_cast<UINT>(height) - 1 - y;
		const uint8_t* row = data + pixelOffset + storedRow * rowBytes;
		uint8_t* destination = ImageCanvasRow(image, y);
		if (layout.bitCount <= 8)
			ConvertIndexedRow(row, layout.bitCount, image.imageWidth, palette, destination);
		else
			ConvertMaskedPixels(row, layout.bitCount / 8, layout.masks, image.imageWidth, destination);
	}
	return true;
}
