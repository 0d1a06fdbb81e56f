#include "PngFile.h"

#include <png.h>

namespace
{
void AppendBytes(png_structp png, png_bytep data, png_size_t length)
{
	static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
}

std::string EncodePng(const cImage& image)
{
	std::string bytes;
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png ? png_create_info_struct(png) : nullptr;
	if (!info)
	{
		png_destroy_write_struct(&png, nullptr);
		return std::string();
	}
	// libpng reports its failures by jumping back here.
	if (setjmp(png_jmpbuf(png)))
	{
		png_destroy_write_struct(&png, &info);
		return std::string();
	}
	png_set_write_fn(png, &bytes, AppendBytes, nullptr);
	png_set_IHDR(png, info, png_uint_32(image.GetWidth()), png_uint_32(image.GetHeight()), 8,
		PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
	png_write_info(png, info);
	const png_size_t pitch = png_size_t(image.GetWidth()) * 4;
	const png_byte* pixels = image.GetPixels().data();
	for (int row = 0; row < image.GetHeight(); ++row)
		png_write_row(png, pixels + pitch * row);
	png_write_end(png, nullptr);
	png_destroy_write_struct(&png, &info);
	return bytes;
}
