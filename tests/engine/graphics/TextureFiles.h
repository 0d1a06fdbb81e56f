#pragma once
// Small texture files made in memory for the texture tests: PVR files with
// any header values, DDS files of A8R8G8B8 pixels, and "aimg" pairs.

#include "engine/foundation/cMemoryStream.h"
#include "platform/d3dx9/D3DX9Image.h"

#include <cstdint>
#include <vector>

typedef std::vector<uint8_t> tBytes;

struct sPvrHeader
{
	uint32_t headerSize = 52;
	uint32_t width;
	uint32_t height;
	uint32_t flags; // pixel type in bits 0-7
	int32_t mipMapCount = 0;
	uint32_t surfaceCount = 1;
};

inline void PutLe32(tBytes& bytes, size_t offset, uint32_t value)
{
	for (int i = 0; i < 4; ++i)
		bytes[offset + i] = uint8_t(value >> (8 * i));
}

inline tBytes PvrFile(const sPvrHeader& header, const tBytes& data)
{
	tBytes file(header.headerSize, 0);
	PutLe32(file, 0, header.headerSize);
	PutLe32(file, 4, header.height);
	PutLe32(file, 8, header.width);
	PutLe32(file, 12, uint32_t(header.mipMapCount));
	PutLe32(file, 16, header.flags);
	PutLe32(file, 20, uint32_t(data.size()));
	if (header.headerSize >= 52)
	{
		PutLe32(file, 44, 0x21525650); // "PVR!"
		PutLe32(file, 48, header.surfaceCount);
	}
	file.insert(file.end(), data.begin(), data.end());
	return file;
}

// Bytes that look like compressed data: a fixed pseudo-random sequence.
inline tBytes NoiseBytes(size_t count, uint32_t seed = 7)
{
	tBytes bytes(count);
	for (uint8_t& byte : bytes)
	{
		seed = seed * 1664525u + 1013904223u;
		byte = uint8_t(seed >> 24);
	}
	return bytes;
}

// A DDS file of width by height A8R8G8B8 pixels, row by row (pixels past
// width by height are left out).
inline tBytes DdsFile(UINT width, UINT height, const std::vector<uint32_t>& argb)
{
	sD3DXDecodedImage image;
	image.width = image.imageWidth = width;
	image.height = image.imageHeight = height;
	image.format = D3DFMT_A8R8G8B8;
	image.pitch = width * 4;
	image.bits.resize(size_t(width) * height * 4);
	for (size_t i = 0; i < argb.size() && i < size_t(width) * height; ++i)
		for (int b = 0; b < 4; ++b)
			image.bits[i * 4 + b] = uint8_t(argb[i] >> (8 * b));
	tBytes file;
	D3DXEncodeDdsInMemory(image, file);
	return file;
}

// The "aimg" layout: the colour image's size, the image, the mask's size, the mask.
inline tBytes AlphaImageFile(const tBytes& colour, const tBytes& mask)
{
	tBytes file(4);
	PutLe32(file, 0, uint32_t(colour.size()));
	file.insert(file.end(), colour.begin(), colour.end());
	file.resize(file.size() + 4);
	PutLe32(file, file.size() - 4, uint32_t(mask.size()));
	file.insert(file.end(), mask.begin(), mask.end());
	return file;
}

inline void LoadStream(cMemoryStream& stream, const tBytes& bytes)
{
	stream.Write(bytes.data(), uint32_t(bytes.size()));
	stream.Seek(0, cStream::FromStart);
}
