// PNG files through libpng, converted by libpng's own transformations to
// B, G, R, A bytes written straight into the canvas rows.

#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
// Deflate stores at most 1032 bytes per byte of compressed data; a file whose
// header claims more pixels than its size can hold is refused before any
// pixel memory is allocated.
constexpr uint64_t kMaxInflateRatio = 1032;

// What the libpng callbacks touch. It lives outside the function that calls
// setjmp, so nothing it holds is lost when libpng jumps back on an error.
struct sPngDecoding
{
	const uint8_t* data;
	size_t size;
	size_t position;
	char failure[128];
	sD3DXDecodedImage* image;
	std::vector<png_bytep> rows;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t count)
{
	sPngDecoding& decoding = *static_cast<sPngDecoding*>(png_get_io_ptr(png));
	if (count > decoding.size - decoding.position)
		png_error(png, "data truncated");
	memcpy(out, decoding.data + decoding.position, count);
	decoding.position += count;
}

void OnPngError(png_structp png, png_const_charp message)
{
	sPngDecoding& decoding = *static_cast<sPngDecoding*>(png_get_error_ptr(png));
	snprintf(decoding.failure, sizeof(decoding.failure), "%s", message);
	png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp)
{
}

// Owns the libpng read structures, also when an allocation of ours throws.
struct sPngReadStructs
{
	png_structp png = nullptr;
	png_infop info = nullptr;

	~sPngReadStructs() { png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr); }
};

// Requests 8-bit B, G, R, A output whatever the colour type and depth.
void RequestBgraOutput(png_structp png, png_infop info)
{
	const int colourType = png_get_color_type(png, info);
	const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
	png_set_expand(png); // palettes, grey below 8 bits and tRNS chunks
	png_set_strip_16(png);
	if (!(colourType & PNG_COLOR_MASK_COLOR))
		png_set_gray_to_rgb(png);
	if (!(colourType & PNG_COLOR_MASK_ALPHA) && !hasTransparency)
		png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
	png_set_bgr(png);
	png_set_interlace_handling(png);
	png_read_update_info(png, info);
}

bool DecodePng(png_structp png, png_infop info, sPngDecoding& decoding)
{
	if (setjmp(png_jmpbuf(png)))
		return false;
	png_set_user_limits(png, kD3DXMaxImageSide, kD3DXMaxImageSide);
	png_read_info(png, info);
	const png_uint_32 width = png_get_image_width(png, info);
	const png_uint_32 height = png_get_image_height(png, info);
	const uint64_t pixelBits = uint64_t(png_get_bit_depth(png, info)) * png_get_channels(png, info);
	if (uint64_t(width) * height * pixelBits / 8 > kMaxInflateRatio * decoding.size)
	{
		snprintf(decoding.failure, sizeof(decoding.failure), "%u by %u pixels cannot fit in %zu bytes", width,
			height, decoding.size);
		return false;
	}
	RequestBgraOutput(png, info);
	if (png_get_rowbytes(png, info) != uint64_t(width) * 4 || !AllocateImageCanvas(width, height, *decoding.image))
	{
		snprintf(decoding.failure, sizeof(decoding.failure), "unexpected pixel layout");
		return false;
	}
	decoding.rows.resize(height);
	for (png_uint_32 y = 0; y < height; ++y)
		decoding.rows[y] = ImageCanvasRow(*decoding.image, y);
	png_read_image(png, decoding.rows.data());
	return true;
}
}

bool IsPngImage(const uint8_t* data, size_t size)
{
	return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool ReadPngImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image)
{
	sPngDecoding decoding{data, size, 0, "out of memory", &image, {}};
	sPngReadStructs structs;
	structs.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &decoding, OnPngError, OnPngWarning);
	structs.info = structs.png ? png_create_info_struct(structs.png) : nullptr;
	bool decoded = false;
	if (structs.info)
	{
		png_set_read_fn(structs.png, &decoding, ReadPngBytes);
		decoded = DecodePng(structs.png, structs.info, decoding);
	}
	if (!decoded)
	{
		ReportImageFailure("PNG: %s", decoding.failure);
		image = sD3DXDecodedImage();
	}
	return decoded;
}
