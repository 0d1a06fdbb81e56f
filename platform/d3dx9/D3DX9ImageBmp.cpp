// BMP files: a 14-byte file header, an info header (12 bytes for the OS/2
// form, 40 to 124 bytes for the Windows forms), an optional palette and the
// pixels: rows, bottom-up unless the height is negative, each padded to 4
// bytes, or a run-length stream of palette indices (RLE8 and RLE4).

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
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
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

	bool IsRunLength() const { return compression == BI_RLE8 || compression == BI_RLE4; }
};

bool ReadLayout(const uint8_t* data, size_t size, sBmpLayout& layout)
{
	if (size < kFileHeaderSize + 4)
	{
		ReportImageFailure("BMP header truncated");
		return false;
	}
	const uint32_t headerSize = ReadLe32(data + kFileHeaderSize);
	if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)
	{
		ReportImageFailure("BMP header size %u is not supported", headerSize);
		return false;
	}
	if (headerSize > size - kFileHeaderSize)
	{
		ReportImageFailure("BMP header truncated");
		return false;
	}
	if (headerSize == kCoreHeaderSize)
	{
		layout.width = ReadLe16(data + 18);
		layout.height = ReadLe16(data + 20);
		layout.bitCount = ReadLe16(data + 24);
		layout.paletteEntrySize = 3;
	}
	else
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
		{
			ReportImageFailure("BMP header truncated");
			return false;
		}
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
	layout.paletteOffset = kFileHeaderSize + headerSize;
	return true;
}

// Whether the compression can go with the bit count.
bool IsCompressionValid(const sBmpLayout& layout)
{
	switch (layout.compression)
	{
	case BI_RGB: return true;
	case BI_RLE8: return layout.bitCount == 8;
	case BI_RLE4: return layout.bitCount == 4;
	case BI_BITFIELDS:
	case BI_ALPHABITFIELDS: return layout.bitCount == 16 || layout.bitCount == 32;
	default: return false;
	}
}

// Fills in the palette size and the masks of the uncompressed forms; false
// (with a log line) for a combination the loader does not read.
bool CheckPixelFormat(sBmpLayout& layout)
{
	switch (layout.bitCount)
	{
	case 1:
	case 4:
	case 8:
		if (layout.paletteCount == 0 || layout.paletteCount > (1u << layout.bitCount))
			layout.paletteCount = 1u << layout.bitCount;
		break;
	case 16:
	case 24:
	case 32:
		if (layout.compression == BI_RGB)
			layout.masks = layout.bitCount == 16 ? sImageChannelMasks{0x7C00, 0x03E0, 0x001F, 0}
												 : sImageChannelMasks{0xFF0000, 0x00FF00, 0x0000FF, 0};
		break;
	default:
		ReportImageFailure("BMP of %u bits per pixel is not supported", layout.bitCount);
		return false;
	}
	if (!IsCompressionValid(layout))
	{
		if (layout.compression <= BI_BITFIELDS || layout.compression == BI_ALPHABITFIELDS)
			ReportImageFailure("BMP compression %u is not supported at %u bits per pixel", layout.compression,
				layout.bitCount);
		else
			ReportImageFailure("BMP compression %u is not supported", layout.compression);
		return false;
	}
	if (layout.bitCount > 8 && (layout.masks.red | layout.masks.green | layout.masks.blue) == 0)
	{
		ReportImageFailure("BMP bit fields without colour masks");
		return false;
	}
	return true;
}

typedef uint8_t tPalette[256][4];

void ReadPalette(const uint8_t* entries, const sBmpLayout& layout, tPalette& palette)
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
void ConvertIndexedRow(const uint8_t* row, UINT bitCount, UINT count, const tPalette& palette, uint8_t* destination)
{
	const UINT perByte = 8 / bitCount;
	const UINT indexMask = (1u << bitCount) - 1;
	for (UINT x = 0; x < count; ++x, destination += 4)
	{
		const UINT shift = 8 - bitCount * (x % perByte + 1);
		memcpy(destination, palette[(row[x / perByte] >> shift) & indexMask], 4);
	}
}

// The canvas row of row y as the file stores it.
UINT CanvasRow(const sBmpLayout& layout, UINT height, UINT y)
{
	return layout.height < 0 ? y : height - 1 - y;
}

void ConvertRows(const uint8_t* pixels, const sBmpLayout& layout, const tPalette& palette, sD3DXDecodedImage& image)
{
	const uint64_t rowBytes = (uint64_t(image.imageWidth) * layout.bitCount + 31) / 32 * 4;
	for (UINT y = 0; y < image.imageHeight; ++y)
	{
		const uint8_t* row = pixels + y * rowBytes;
		uint8_t* destination = ImageCanvasRow(image, CanvasRow(layout, image.imageHeight, y));
		if (layout.bitCount <= 8)
			ConvertIndexedRow(row, layout.bitCount, image.imageWidth, palette, destination);
		else
			ConvertMaskedPixels(row, layout.bitCount / 8, layout.masks, image.imageWidth, destination);
	}
}

// A run-length stream of palette indices: pairs of a count and an index (RLE8)
// or two indices that alternate, high nibble first (RLE4). A count of 0
// starts an escape instead: 0 ends the line, 1 ends the bitmap, 2 moves right
// and on by the rows of the next two bytes, and 3 or more is that many
// indices stored as they are, padded to an even number of bytes. Texels the
// stream skips stay transparent black.
class cBmpRunLengthDecoder
{
public:
	cBmpRunLengthDecoder(const sBmpLayout& layout, const tPalette& palette, sD3DXDecodedImage& image)
		: m_layout(layout), m_palette(palette), m_image(image), m_width(image.imageWidth),
		  m_height(image.imageHeight)
	{
	}

	// False (with a log line) when the stream ends before the image or would
	// write outside it.
	bool Decode(const uint8_t* stream, size_t size)
	{
		for (size_t position = 0;;)
		{
			if (size - position < 2)
				return m_y >= m_height || Fail("truncated");
			const UINT count = stream[position];
			const UINT value = stream[position + 1];
			position += 2;
			if (count > 0)
			{
				if (!Fits(count))
					return Fail("a run leaves the image");
				for (UINT i = 0; i < count; ++i)
					Put(m_layout.bitCount == 8 ? value : (i & 1 ? value & 15 : value >> 4));
			}
			else if (value == 0)
			{
				m_x = 0;
				++m_y;
			}
			else if (value == 1)
				return true;
			else if (value == 2)
			{
				if (size - position < 2)
					return Fail("truncated");
				const UINT right = stream[position];
				const UINT down = stream[position + 1];
				position += 2;
				if (m_y >= m_height || right > m_width - m_x || down >= m_height - m_y)
					return Fail("a move leaves the image");
				m_x += right;
				m_y += down;
			}
			else
			{
				const size_t bytes = m_layout.bitCount == 8 ? value : (value + 1) / 2;
				if (size - position < bytes)
					return Fail("truncated");
				if (!Fits(value))
					return Fail("stored texels leave the image");
				const uint8_t* indices = stream + position;
				for (UINT i = 0; i < value; ++i)
					Put(m_layout.bitCount == 8 ? indices[i] : (i & 1 ? indices[i / 2] & 15 : indices[i / 2] >> 4));
				position += std::min(bytes + (bytes & 1), size - position);
			}
		}
	}

private:
	bool Fits(UINT count) const { return m_y < m_height && count <= m_width - m_x; }

	void Put(UINT index)
	{
		memcpy(ImageCanvasRow(m_image, CanvasRow(m_layout, m_height, m_y)) + m_x * 4, m_palette[index], 4);
		++m_x;
	}

	bool Fail(const char* what) const
	{
		ReportImageFailure("BMP run-length data: %s at texel %u of row %u", what, m_x, m_y);
		return false;
	}

	const sBmpLayout& m_layout;
	const tPalette& m_palette;
	sD3DXDecodedImage& m_image;
	const UINT m_width;
	const UINT m_height;
	UINT m_x = 0;
	UINT m_y = 0; // in the file's row order
};
}

bool IsBmpImage(const uint8_t* data, size_t size)
{
	return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool ReadBmpImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image)
{
	sBmpLayout layout;
	if (!ReadLayout(data, size, layout) || !CheckPixelFormat(layout))
		return false;
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
	const uint64_t pixelBytes = layout.IsRunLength() ? 0 : rowBytes * height;
	const uint64_t paletteBytes = layout.bitCount <= 8 ? layout.paletteCount * layout.paletteEntrySize : 0;
	if (pixelOffset + pixelBytes > size || layout.paletteOffset + paletteBytes > size)
	{
		ReportImageFailure("BMP data truncated");
		return false;
	}
	if (!AllocateImageCanvas(static_cast<UINT>(width), static_cast<UINT>(height), image))
		return false;

	tPalette palette;
	if (layout.bitCount <= 8)
		ReadPalette(data + layout.paletteOffset, layout, palette);
	if (!layout.IsRunLength())
	{
		ConvertRows(data + pixelOffset, layout, palette, image);
		return true;
	}
	return cBmpRunLengthDecoder(layout, palette, image).Decode(data + pixelOffset, size - pixelOffset);
}
