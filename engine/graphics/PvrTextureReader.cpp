#include "engine/graphics/PvrTextureReader.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/PvrtcDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace
{
constexpr uint32_t kHeaderSizeVersion1 = 44;
constexpr uint32_t kHeaderSizeVersion2 = 52;
constexpr uint32_t kFlagMipMaps = 0x100;
constexpr uint32_t kFlagTwiddled = 0x200;
constexpr uint32_t kFlagCubeMap = 0x1000;
constexpr int kPvrtc2 = 24;
constexpr int kPvrtc4 = 25;

struct sPixelType
{
	int type;
	int formatCode;
	unsigned bytesPerPixel; // 0: PVRTC
};

const sPixelType kPixelTypes[] = {
	{ 16, 6, 2 },
	{ 17, 5, 2 },
	{ 18, 2, 4 },
	{ 19, 4, 2 },
	{ 21, 1, 3 },
	{ kPvrtc2, 2, 0 },
	{ kPvrtc4, 2, 0 },
};

uint32_t Field(const uint8_t* header, unsigned offset)
{
	return uint32_t(header[offset]) | (uint32_t(header[offset + 1]) << 8) | (uint32_t(header[offset + 2]) << 16)
		| (uint32_t(header[offset + 3]) << 24);
}

const sPixelType* FindPixelType(int type)
{
	for (const sPixelType& entry : kPixelTypes)
		if (entry.type == type)
			return &entry;
	return nullptr;
}

// Bytes of the top level: the block grid (at least 2 by 2 blocks of 8 bytes)
// for PVRTC, the pixels otherwise.
uint64_t TopLevelBytes(const sPixelType& type, unsigned width, unsigned height)
{
	if (type.bytesPerPixel != 0)
		return uint64_t(width) * height * type.bytesPerPixel;
	const unsigned blockWidth = type.type == kPvrtc2 ? 8 : 4;
	return uint64_t(std::max(2u, width / blockWidth)) * std::max(2u, height / 4) * 8;
}
}

sPvrReadResult::~sPvrReadResult()
{
	if (ownsPixels)
		delete[] pixels;
}

bool LoadPvrTexture(sPvrReadResult& result, unsigned maxSide)
{
	cMemoryStream* stream = result.stream;
	if (!stream || stream->GetPosition() > stream->GetSize())
		return false;
	const uint8_t* header = stream->GetData() + stream->GetPosition();
	const uint64_t available = stream->GetSize() - stream->GetPosition();
	if (available < kHeaderSizeVersion1)
		return false;
	const uint32_t headerSize = Field(header, 0);
	if ((headerSize != kHeaderSizeVersion1 && headerSize != kHeaderSizeVersion2) || available < headerSize)
		return false;

	const uint32_t flags = Field(header, 16);
	const int pixelType = int(flags & 0xFF);
	const bool cubeMap = (flags & kFlagCubeMap) != 0;
	// Only the first surface is read, so a version 2 header's surface count
	// does not matter; cube maps are refused below.
	if ((flags & kFlagTwiddled) && pixelType != kPvrtc2 && pixelType != kPvrtc4)
		return false;
	const sPixelType* type = FindPixelType(pixelType);
	if (!type || cubeMap)
		return false;
	if ((flags & kFlagMipMaps) && int32_t(Field(header, 12)) < 0)
		return false;

	const unsigned height = Field(header, 4);
	const unsigned width = Field(header, 8);
	if (width == 0 || height == 0 || width > maxSide || height > maxSide)
		return false;
	const bool compressed = type->bytesPerPixel == 0;
	if (compressed && (!std::has_single_bit(width) || !std::has_single_bit(height)))
		return false;
	const uint64_t dataBytes = TopLevelBytes(*type, width, height);
	if (uint64_t(headerSize) + dataBytes > available)
		return false;

	const uint8_t* data = header + headerSize;
	result.width = width;
	result.height = height;
	result.formatCode = type->formatCode;
	result.pixelType = pixelType;
	if (!compressed)
	{
		result.pixels = data;
		result.ownsPixels = false;
		result.decoded = false;
		return true;
	}
	uint8_t* decoded = new (std::nothrow) uint8_t[size_t(width) * height * 4];
	if (!decoded)
		return false;
	memset(decoded, 0, size_t(width) * height * 4);
	if (!DecompressPvrtc(data, size_t(dataBytes), pixelType == kPvrtc2, int(width), int(height), true, decoded))
	{
		delete[] decoded;
		return false;
	}
	result.pixels = decoded;
	result.ownsPixels = true;
	result.decoded = true;
	return true;
}
