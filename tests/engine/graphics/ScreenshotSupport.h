#pragma once
// Pixels read back, written as PNG files into the folder "screenshots"
// beside the test program, for a reviewer to look at.

#include "GraphicsTestSupport.h"

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>

inline std::string BigEndian(uint32_t value)
{
	return { char(value >> 24), char(value >> 16), char(value >> 8), char(value) };
}

// The pixels as an opaque 8-bit RGBA PNG file.
inline std::string PngBytes(const sPixels& pixels)
{
	auto chunk = [](const std::string& type, const std::string& data) {
		const std::string body = type + data;
		return BigEndian(uint32_t(data.size())) + body +
			BigEndian(uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
	};
	std::string raw;
	for (UINT y = 0; y < pixels.height; ++y)
	{
		raw += '\0';
		for (UINT x = 0; x < pixels.width; ++x)
		{
			const D3DCOLOR c = pixels.At(x, y);
			raw += { char(c >> 16), char(c >> 8), char(c), char(0xFF) };
		}
	}
	uLongf size = compressBound(uLong(raw.size()));
	std::string packed(size, '\0');
	compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
		uLong(raw.size()), 6);
	packed.resize(size);
	const std::string header = BigEndian(pixels.width) + BigEndian(pixels.height) + std::string { 8, 6, 0, 0, 0 };
	return "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + chunk("IDAT", packed) + chunk("IEND", "");
}

// Writes "<name>.png" into the folder "screenshots" beside the test
// program; false when it cannot be written.
inline bool WriteScreenshot(const std::string& name, const sPixels& pixels)
{
	const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "screenshots";
	std::error_code error;
	std::filesystem::create_directories(folder, error);
	std::ofstream file((folder / (name + ".png")).string(), std::ios::binary);
	file << PngBytes(pixels);
	return bool(file.flush());
}
