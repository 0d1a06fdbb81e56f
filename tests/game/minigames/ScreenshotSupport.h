#pragma once
// Writes pixels read back from the device as an RGB PNG file, so that a
// test's picture can be looked at after the run.

#include "../../engine/graphics/GraphicsTestSupport.h"

#include <zlib.h>

#include <cstdio>
#include <string>

namespace screenshot_detail
{
inline std::string BigEndian(uint32_t value)
{
	return { char(value >> 24), char(value >> 16), char(value >> 8), char(value) };
}

inline std::string PngChunk(const char* type, const std::string& data)
{
	const std::string typed = type + data;
	const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()));
	return BigEndian(uint32_t(data.size())) + typed + BigEndian(uint32_t(crc));
}
}

// False when the file cannot be written.
inline bool WriteScreenshot(const std::string& path, const sPixels& pixels)
{
	using namespace screenshot_detail;
	std::string rows;
	for (UINT y = 0; y < pixels.height; ++y)
	{
		rows += char(0);
		for (UINT x = 0; x < pixels.width; ++x)
		{
			const D3DCOLOR colour = pixels.At(x, y);
			rows += { char(colour >> 16), char(colour >> 8), char(colour) };
		}
	}
	uLongf packedSize = compressBound(uLong(rows.size()));
	std::string packed(packedSize, '\0');
	if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
			uLong(rows.size())) != Z_OK)
		return false;
	packed.resize(packedSize);
	// 8 bits per sample, colour type 2 (RGB).
	const std::string header = BigEndian(pixels.width) + BigEndian(pixels.height) + std::string("\x08\x02\x00\x00\x00", 5);
	const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", packed) +
		PngChunk("IEND", "");
	FILE* file = std::fopen(path.c_str(), "wb");
	if (!file)
		return false;
	const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
	return std::fclose(file) == 0 && written;
}
