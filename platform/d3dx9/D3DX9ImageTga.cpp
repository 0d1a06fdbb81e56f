// TGA files: an 18-byte header, an identification field, an optional colour
// map and the pixels, plain or run-length encoded, rows bottom-up unless the
// descriptor says top-down.

#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
constexpr size_t kTgaHeaderSize = 18;

enum eTgaImageType : uint8_t
{
	kTgaColourMapped = 1,
	kTgaTrueColour = 2,
	kTgaGrey = 3,
	kTgaRunLength = 8, // added to the three kinds above
};

struct sTgaHeader
{
	UINT idLength;
	UINT colourMapType;
	UINT imageType; // without the run-length flag
	bool runLength;
	UINT mapFirst;
	UINT mapLength;
	UINT mapEntryBits;
	UINT width;
	UINT height;
	UINT pixelBits;
	UINT alphaBits;
	bool rightToLeft;
	bool topDown;
};

sTgaHeader ReadHeader(const uint8_t* data)
{
	sTgaHeader header;
	header.idLength = data[0];
	header.colourMapType = data[1];
	header.imageType = data[2] & ~kTgaRunLength;
	header.runLength = (data[2] & kTgaRunLength) != 0;
	header.mapFirst = ReadLe16(data + 3);
	header.mapLength = ReadLe16(data + 5);
	header.mapEntryBits = data[7];
	header.width = ReadLe16(data + 12);
	header.height = ReadLe16(data + 14);
	header.pixelBits = data[16];
	header.alphaBits = data[17] & 0x0F;
	header.rightToLeft = (data[17] & 0x10) != 0;
	header.topDown = (data[17] & 0x20) != 0;
	return header;
}

bool IsEntryBitsValid(UINT bits)
{
	return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// A header of one of the kinds the format defines.
bool IsHeaderPlausible(const sTgaHeader& header)
{
	return header.colourMapType <= 1 && header.imageType >= kTgaColourMapped && header.imageType <= kTgaGrey &&
		header.width > 0 && header.height > 0 && (header.pixelBits == 8 || IsEntryBitsValid(header.pixelBits));
}

// Colour-mapped pixels are 8- or 16-bit indices, grey pixels 8-bit grey or
// grey and alpha.
bool IsHeaderSupported(const sTgaHeader& header)
{
	if (header.imageType == kTgaTrueColour)
		return header.pixelBits != 8;
	return header.pixelBits == 8 || header.pixelBits == 16;
}

// The channel masks of a packed pixel (or colour-map entry) of the given bits.
sImageChannelMasks MasksFor(UINT bits, UINT alphaBits)
{
	switch (bits)
	{
	case 15:
	case 16: return {0x7C00, 0x03E0, 0x001F, alphaBits > 0 && bits == 16 ? 0x8000u : 0u};
	case 24: return {0xFF0000, 0x00FF00, 0x0000FF, 0};
	default: return {0xFF0000, 0x00FF00, 0x0000FF, alphaBits > 0 ? 0xFF000000u : 0u};
	}
}

// Expands run-length packets into plain pixels; false when the data ends
// early.
bool ExpandRunLength(const uint8_t* data, size_t size, UINT pixelBytes, uint64_t pixelCount,
	std::vector<uint8_t>& pixels)
{
	pixels.resize(pixelCount * pixelBytes);
	uint8_t* out = pixels.data();
	size_t position = 0;
	for (uint64_t done = 0; done < pixelCount;)
	{
		if (position >= size)
			return false;
		const uint8_t packet = data[position++];
		const uint64_t count = std::min<uint64_t>((packet & 0x7F) + 1, pixelCount - done);
		const size_t literalBytes = (packet & 0x80) ? pixelBytes : count * pixelBytes;
		if (literalBytes > size - position)
			return false;
		if (packet & 0x80)
		{
			for (uint64_t i = 0; i < count; ++i, out += pixelBytes)
				memcpy(out, data + position, pixelBytes);
		}
		else
		{
			memcpy(out, data + position, literalBytes);
			out += literalBytes;
		}
		position += literalBytes;
		done += count;
	}
	return true;
}

// Grey, or grey then alpha when pixelBytes is 2 (the alpha read only when
// the descriptor gives the pixels alpha bits).
void ConvertGreyPixels(const uint8_t* source, UINT pixelBytes, bool hasAlpha, UINT count, uint8_t* destination)
{
	for (UINT x = 0; x < count; ++x, source += pixelBytes, destination += 4)
	{
		destination[0] = destination[1] = destination[2] = source[0];
		destination[3] = pixelBytes == 2 && hasAlpha ? source[1] : 0xFF;
	}
}

// Indices of pixelBytes (1 or 2) bytes into the colour map, whose first entry
// has index mapFirst.
void ConvertMappedPixels(const uint8_t* source, UINT pixelBytes, UINT count, const std::vector<uint8_t>& colourMap,
	UINT mapFirst, uint8_t* destination)
{
	static const uint8_t kOutsideMap[4] = {0, 0, 0, 0xFF};
	const size_t mapEntries = colourMap.size() / 4;
	for (UINT x = 0; x < count; ++x, source += pixelBytes, destination += 4)
	{
		const UINT index = pixelBytes == 2 ? ReadLe16(source) : source[0];
		const size_t entry = index - static_cast<size_t>(mapFirst);
		memcpy(destination, index >= mapFirst && entry < mapEntries ? &colourMap[entry * 4] : kOutsideMap, 4);
	}
}

void MirrorRow(uint8_t* row, UINT count)
{
	for (UINT left = 0, right = count - 1; left < right; ++left, --right)
		std::swap_ranges(row + left * 4, row + left * 4 + 4, row + right * 4);
}
}

bool IsTgaImage(const uint8_t* data, size_t size)
{
	return size >= kTgaHeaderSize && IsHeaderPlausible(ReadHeader(data));
}

bool ReadTgaImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image)
{
	const sTgaHeader header = ReadHeader(data);
	if (header.imageType == kTgaColourMapped && (header.colourMapType == 0 || !IsEntryBitsValid(header.mapEntryBits)))
	{
		ReportImageFailure("TGA colour map missing or of %u bits per entry", header.mapEntryBits);
		return false;
	}
	if (!IsHeaderSupported(header))
	{
		ReportImageFailure("TGA type %u at %u bits per pixel is not supported", data[2], header.pixelBits);
		return false;
	}
	const UINT pixelBytes = (header.pixelBits + 7) / 8;
	const UINT entryBytes = (header.mapEntryBits + 7) / 8;
	const uint64_t mapOffset = kTgaHeaderSize + header.idLength;
	const uint64_t pixelOffset = mapOffset + (header.colourMapType ? uint64_t(header.mapLength) * entryBytes : 0);
	const uint64_t pixelCount = uint64_t(header.width) * header.height;
	if (pixelOffset > size)
	{
		ReportImageFailure("TGA header truncated");
		return false;
	}
	// A run-length packet of 1 + pixelBytes bytes stands for at most 128 pixels.
	const uint64_t available = size - pixelOffset;
	const uint64_t mostPixels = header.runLength ? available / (1 + pixelBytes) * 128 : available / pixelBytes;
	if (pixelCount > mostPixels)
	{
		ReportImageFailure("TGA data truncated: %u by %u pixels", header.width, header.height);
		return false;
	}
	if (!AllocateImageCanvas(header.width, header.height, image))
		return false;

	std::vector<uint8_t> colourMap;
	if (header.imageType == kTgaColourMapped)
	{
		colourMap.resize(header.mapLength * 4);
		ConvertMaskedPixels(data + mapOffset, entryBytes, MasksFor(header.mapEntryBits, header.alphaBits),
			header.mapLength, colourMap.data());
	}
	std::vector<uint8_t> expanded;
	const uint8_t* pixels = data + pixelOffset;
	if (header.runLength)
	{
		if (!ExpandRunLength(pixels, available, pixelBytes, pixelCount, expanded))
		{
			ReportImageFailure("TGA run-length data truncated");
			return false;
		}
		pixels = expanded.data();
	}

	const sImageChannelMasks masks = MasksFor(header.pixelBits, header.alphaBits);
	for (UINT row = 0; row < header.height; ++row)
	{
		const uint8_t* source = pixels + uint64_t(row) * header.width * pixelBytes;
		uint8_t* destination = ImageCanvasRow(image, header.topDown ? row : header.height - 1 - row);
		if (header.imageType == kTgaColourMapped)
			ConvertMappedPixels(source, pixelBytes, header.width, colourMap, header.mapFirst, destination);
		else if (header.imageType == kTgaGrey)
			ConvertGreyPixels(source, pixelBytes, header.alphaBits > 0, header.width, destination);
		else
			ConvertMaskedPixels(source, pixelBytes, masks, header.width, destination);
		if (header.rightToLeft)
			MirrorRow(destination, header.width);
	}
	return true;
}
