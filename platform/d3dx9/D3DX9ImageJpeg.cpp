// JPEG files (baseline and progressive) through libjpeg, which writes
// B, G, R, A bytes (alpha 0xFF) straight into the canvas rows, or C, M, Y, K
// bytes that are then converted in place.

#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <cstdio>
// clang-format off: jpeglib.h needs stdio's FILE first.
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <vector>

namespace
{
// Every Huffman-coded block takes at least one bit of the file, and a block
// is 8 by 8 pixels: a header that claims more pixels than that is refused
// before any pixel memory is allocated.
constexpr uint64_t kMaxPixelsPerByte = 8 * 64;

// Progressive files are decoded scan by scan; an endless list of scans would
// keep the loader busy for ever.
constexpr int kMaxScans = 1000;

// What the libjpeg callbacks touch. It lives outside the function that calls
// setjmp, so nothing it holds is lost when an error jumps back.
struct sJpegDecoding
{
	jpeg_error_mgr errors;
	jpeg_progress_mgr progress;
	jmp_buf jump;
	char failure[JMSG_LENGTH_MAX];
	sD3DXDecodedImage* image;
	std::vector<JSAMPROW> rows;
};

sJpegDecoding& DecodingOf(j_common_ptr info)
{
	return *static_cast<sJpegDecoding*>(info->client_data);
}

[[noreturn]] void OnJpegError(j_common_ptr info)
{
	sJpegDecoding& decoding = DecodingOf(info);
	info->err->format_message(info, decoding.failure);
	longjmp(decoding.jump, 1);
}

// Warnings are ignored, except the end of the data before the end of the
// image: a truncated file is refused rather than shown half grey.
void OnJpegMessage(j_common_ptr info, int level)
{
	if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
		OnJpegError(info);
}

void OnJpegProgress(j_common_ptr info)
{
	const j_decompress_ptr decompress = reinterpret_cast<j_decompress_ptr>(info);
	if (decompress->input_scan_number > kMaxScans)
	{
		snprintf(DecodingOf(info).failure, JMSG_LENGTH_MAX, "more than %d scans", kMaxScans);
		longjmp(DecodingOf(info).jump, 1);
	}
}

// CMYK texels to B, G, R, A without colour management: each of red, green
// and blue is the ink's complement times black's, over 255, rounded. Files
// with an Adobe marker store the complements themselves (inverted CMYK, as
// Photoshop writes it; YCCK files decode to the same).
void ConvertCmykRow(uint8_t* texels, JDIMENSION count, bool inverted)
{
	const auto complement = [inverted](uint8_t ink) { return inverted ? ink : 255 - ink; };
	for (JDIMENSION x = 0; x < count; ++x, texels += 4)
	{
		const int red = complement(texels[0]);
		const int green = complement(texels[1]);
		const int blue = complement(texels[2]);
		const int black = complement(texels[3]);
		texels[0] = static_cast<uint8_t>((blue * black + 127) / 255);
		texels[1] = static_cast<uint8_t>((green * black + 127) / 255);
		texels[2] = static_cast<uint8_t>((red * black + 127) / 255);
		texels[3] = 0xFF;
	}
}

bool Fail(sJpegDecoding& decoding, const char* reason)
{
	snprintf(decoding.failure, sizeof(decoding.failure), "%s", reason);
	return false;
}

bool DecodeJpeg(jpeg_decompress_struct& info, const uint8_t* data, size_t size, sJpegDecoding& decoding)
{
	if (setjmp(decoding.jump))
		return false;
	jpeg_create_decompress(&info); // keeps the error manager and client data set by the caller
	info.progress = &decoding.progress;
	jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
	jpeg_read_header(&info, TRUE);
	if (info.image_width > kD3DXMaxImageSide || info.image_height > kD3DXMaxImageSide)
		return Fail(decoding, "image too large");
	if (uint64_t(info.image_width) * info.image_height > kMaxPixelsPerByte * size)
		return Fail(decoding, "more pixels claimed than the data can hold");
	if (info.arith_code)
		return Fail(decoding, "arithmetic coding is not supported");
	const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
	info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
	jpeg_start_decompress(&info);
	if (!AllocateImageCanvas(info.output_width, info.output_height, *decoding.image))
		return Fail(decoding, "image size not supported");
	decoding.rows.resize(info.output_height);
	for (JDIMENSION y = 0; y < info.output_height; ++y)
		decoding.rows[y] = ImageCanvasRow(*decoding.image, y);
	while (info.output_scanline < info.output_height)
		jpeg_read_scanlines(&info, decoding.rows.data() + info.output_scanline,
			info.output_height - info.output_scanline);
	if (cmyk)
		for (JSAMPROW row : decoding.rows)
			ConvertCmykRow(row, info.output_width, info.saw_Adobe_marker);
	return true;
}

// Releases libjpeg's memory, also when an allocation of ours throws.
struct sJpegDecompressor
{
	jpeg_decompress_struct info = {};

	~sJpegDecompressor() { jpeg_destroy_decompress(&info); }
};
}

bool IsJpegImage(const uint8_t* data, size_t size)
{
	return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool ReadJpegImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image)
{
	sJpegDecoding decoding = {};
	decoding.image = &image;
	sJpegDecompressor decompressor;
	decompressor.info.err = jpeg_std_error(&decoding.errors);
	decoding.errors.error_exit = OnJpegError;
	decoding.errors.emit_message = OnJpegMessage;
	decoding.progress.progress_monitor = OnJpegProgress;
	decompressor.info.client_data = &decoding;
	if (!DecodeJpeg(decompressor.info, data, size, decoding))
	{
		ReportImageFailure("JPEG: %s", decoding.failure);
		image = sD3DXDecodedImage();
		return false;
	}
	return true;
}
