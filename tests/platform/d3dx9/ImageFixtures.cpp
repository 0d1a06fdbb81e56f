#include "ImageFixtures.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <stdexcept>

namespace
{
void Put16(tBytes& out, uint32_t value)
{
	out.push_back(static_cast<uint8_t>(value));
	out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(tBytes& out, uint32_t value)
{
	Put16(out, value & 0xFFFF);
	Put16(out, value >> 16);
}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t size)
{
	tBytes& out = *static_cast<tBytes*>(png_get_io_ptr(png));
	out.insert(out.end(), data, data + size);
}

void FlushPng(png_structp)
{
}
}

tBytes WritePng(const sPngFixture& fixture)
{
	tBytes out;
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png_create_info_struct(png);
	if (setjmp(png_jmpbuf(png)))
		throw std::runtime_error("libpng could not write the fixture");
	png_set_write_fn(png, &out, AppendPngBytes, FlushPng);
	png_set_IHDR(png, info, fixture.width, fixture.height, fixture.bitDepth, fixture.colourType,
		fixture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
		PNG_FILTER_TYPE_DEFAULT);
	if (!fixture.palette.empty())
		png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(fixture.palette.data()),
			static_cast<int>(fixture.palette.size() / 3));
	if (!fixture.transparency.empty())
	{
		if (fixture.colourType == PNG_COLOR_TYPE_PALETTE)
		{
			tBytes alpha(fixture.transparency.begin(), fixture.transparency.end());
			png_set_tRNS(png, info, alpha.data(), static_cast<int>(alpha.size()), nullptr);
		}
		else
		{
			png_color_16 key = {};
			key.gray = fixture.transparency[0];
			if (fixture.transparency.size() == 3)
			{
				key.red = fixture.transparency[0];
				key.green = fixture.transparency[1];
				key.blue = fixture.transparency[2];
			}
			png_set_tRNS(png, info, nullptr, 0, &key);
		}
	}
	png_write_info(png, info);
	const size_t rowBytes = fixture.rows.size() / fixture.height;
	std::vector<png_bytep> rows;
	for (int y = 0; y < fixture.height; ++y)
		rows.push_back(const_cast<png_bytep>(fixture.rows.data() + y * rowBytes));
	png_write_image(png, rows.data());
	png_write_end(png, nullptr);
	png_destroy_write_struct(&png, &info);
	return out;
}

namespace
{
tBytes EncodeJpeg(int width, int height, int components, J_COLOR_SPACE samples, J_COLOR_SPACE stored,
	const tBytes& data, bool progressive, bool adobeMarker, int quality)
{
	jpeg_compress_struct info;
	jpeg_error_mgr errors;
	info.err = jpeg_std_error(&errors);
	jpeg_create_compress(&info);
	unsigned char* buffer = nullptr;
	unsigned long size = 0;
	jpeg_mem_dest(&info, &buffer, &size);
	info.image_width = width;
	info.image_height = height;
	info.input_components = components;
	info.in_color_space = samples;
	jpeg_set_defaults(&info);
	jpeg_set_colorspace(&info, stored);
	info.write_Adobe_marker = adobeMarker;
	jpeg_set_quality(&info, quality, TRUE);
	if (progressive)
		jpeg_simple_progression(&info);
	jpeg_start_compress(&info, TRUE);
	while (info.next_scanline < info.image_height)
	{
		JSAMPROW row = const_cast<JSAMPROW>(data.data() + info.next_scanline * width * components);
		jpeg_write_scanlines(&info, &row, 1);
	}
	jpeg_finish_compress(&info);
	jpeg_destroy_compress(&info);
	tBytes out(buffer, buffer + size);
	free(buffer);
	return out;
}
}

tBytes WriteJpeg(int width, int height, int components, const tBytes& samples, bool progressive)
{
	const J_COLOR_SPACE space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
	return EncodeJpeg(width, height, components, space, components == 3 ? JCS_YCbCr : JCS_GRAYSCALE, samples,
		progressive, false, 95);
}

tBytes WriteCmykJpeg(int width, int height, const tBytes& samples, eJpegInk ink)
{
	return EncodeJpeg(width, height, 4, JCS_CMYK, ink == eJpegInk::kYcck ? JCS_YCCK : JCS_CMYK, samples, false,
		ink != eJpegInk::kCmyk, 100);
}

tBytes WriteBmp(const sBmpFixture& fixture)
{
	const bool masksAfterHeader = fixture.headerSize == 40 && fixture.compression == 3;
	const uint32_t pixelOffset =
		14 + fixture.headerSize + (masksAfterHeader ? 12 : 0) + static_cast<uint32_t>(fixture.palette.size());
	tBytes out = {'B', 'M'};
	Put32(out, 0); // file size, not read
	Put32(out, 0);
	Put32(out, pixelOffset);
	Put32(out, fixture.headerSize);
	if (fixture.headerSize == 12)
	{
		Put16(out, static_cast<uint16_t>(fixture.width));
		Put16(out, static_cast<uint16_t>(fixture.height));
		Put16(out, 1);
		Put16(out, fixture.bitCount);
	}
	else
	{
		Put32(out, static_cast<uint32_t>(fixture.width));
		Put32(out, static_cast<uint32_t>(fixture.height));
		Put16(out, 1);
		Put16(out, fixture.bitCount);
		Put32(out, fixture.compression);
		Put32(out, 0); // image size
		Put32(out, 2835);
		Put32(out, 2835);
		Put32(out, static_cast<uint32_t>(fixture.palette.size() / 4)); // colours used
		Put32(out, 0);
		const int masksInside = fixture.headerSize >= 56 ? 4 : fixture.headerSize >= 52 ? 3 : 0;
		for (int i = 0; i < (masksAfterHeader ? 3 : masksInside); ++i)
			Put32(out, fixture.masks[i]);
		while (out.size() < 14 + fixture.headerSize + (masksAfterHeader ? 12 : 0))
			out.push_back(0);
	}
	out.insert(out.end(), fixture.palette.begin(), fixture.palette.end());
	for (const tBytes& row : fixture.storedRows)
	{
		out.insert(out.end(), row.begin(), row.end());
		out.resize(out.size() + (4 - row.size() % 4) % 4, 0);
	}
	return out;
}

tBytes WriteTga(const sTgaFixture& fixture)
{
	const bool mapped = !fixture.colourMap.empty();
	const uint16_t mapLength =
		mapped ? static_cast<uint16_t>(fixture.colourMap.size() / ((fixture.mapEntryBits + 7) / 8)) : 0;
	tBytes out = {2, static_cast<uint8_t>(mapped ? 1 : 0), fixture.imageType};
	Put16(out, fixture.mapFirst);
	Put16(out, mapLength);
	out.push_back(fixture.mapEntryBits);
	Put16(out, 0);
	Put16(out, 0);
	Put16(out, fixture.width);
	Put16(out, fixture.height);
	out.push_back(fixture.pixelBits);
	out.push_back(fixture.descriptor);
	out.push_back('i'); // a two-byte identification field
	out.push_back('d');
	out.insert(out.end(), fixture.colourMap.begin(), fixture.colourMap.end());
	out.insert(out.end(), fixture.pixels.begin(), fixture.pixels.end());
	return out;
}

tBytes WriteDds(const sDdsFixture& fixture)
{
	tBytes out = {'D', 'D', 'S', ' '};
	Put32(out, 124);
	Put32(out, 0x1007); // caps, height, width, pixel format
	Put32(out, fixture.height);
	Put32(out, fixture.width);
	Put32(out, 0);
	Put32(out, 0);
	Put32(out, 1);
	out.resize(out.size() + 11 * 4, 0);
	Put32(out, 32);
	Put32(out, fixture.formatFlags);
	Put32(out, fixture.fourCC);
	Put32(out, fixture.bitCount);
	for (uint32_t mask : fixture.masks)
		Put32(out, mask);
	Put32(out, 0x1000);
	out.resize(128, 0);
	out.insert(out.end(), fixture.pixels.begin(), fixture.pixels.end());
	return out;
}
