#pragma once
// Screenshots of drawn tests, written as PNG files for a look by eye.

#include "../../engine/graphics/GraphicsTestSupport.h"

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

// Writes the pixels as an RGB PNG file.
inline bool WritePngShot(const std::string& path, const sPixels& pixels)
{
	FILE* file = std::fopen(path.c_str(), "wb");
	if (!file)
		return false;
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png ? png_create_info_struct(png) : nullptr;
	bool written = false;
	if (info && !setjmp(png_jmpbuf(png)))
	{
		png_init_io(png, file);
		png_set_IHDR(png, info, pixels.width, pixels.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
			PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
		png_write_info(png, info);
		std::vector<png_byte> row(size_t(pixels.width) * 3);
		for (UINT y = 0; y < pixels.height; ++y)
		{
			for (UINT x = 0; x < pixels.width; ++x)
			{
				const D3DCOLOR colour = pixels.At(x, y);
				row[x * 3] = png_byte(colour >> 16);
				row[x * 3 + 1] = png_byte(colour >> 8);
				row[x * 3 + 2] = png_byte(colour);
			}
			png_write_row(png, row.data());
		}
		png_write_end(png, nullptr);
		written = true;
	}
	png_destroy_write_struct(&png, info ? &info : nullptr);
	std::fclose(file);
	return written;
}
