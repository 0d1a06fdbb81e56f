// Data the image loader must refuse cleanly: other files, truncated and
// damaged images, and headers that claim far more pixels than are present.

#include "platform/d3dx9/D3DX9Image.h"

#include "ImageFixtures.h"

#include <gtest/gtest.h>
#include <png.h>
#include <squish.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;

HRESULT DecodeResult(const tBytes& file, D3DFORMAT format = D3DFMT_A8R8G8B8)
{
	sD3DXDecodedImage image;
	image.bits.assign(4, 1);
	const HRESULT hr = D3DXDecodeImageInMemory(file.data(), static_cast<UINT>(file.size()), format, image, nullptr);
	if (hr != S_OK)
	{
		EXPECT_TRUE(image.bits.empty());
		EXPECT_EQ(image.format, D3DFMT_UNKNOWN);
	}
	return hr;
}

tBytes Pattern(size_t size, uint32_t seed)
{
	tBytes out(size);
	for (uint8_t& byte : out)
	{
		seed = seed * 1664525u + 1013904223u;
		byte = static_cast<uint8_t>(seed >> 24);
	}
	return out;
}

void PutBe32(uint8_t* p, uint32_t value)
{
	for (int i = 0; i < 4; ++i)
		p[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

void PutLe32(tBytes& file, size_t offset, uint32_t value)
{
	for (int i = 0; i < 4; ++i)
		file[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
	uint32_t crc = 0xFFFFFFFF;
	for (size_t i = 0; i < size; ++i)
	{
		crc ^= data[i];
		for (int bit = 0; bit < 8; ++bit)
			crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
	}
	return ~crc;
}

// A PNG whose header claims another size (the chunk's CRC kept valid).
tBytes PngClaiming(tBytes png, uint32_t width, uint32_t height)
{
	uint8_t* ihdr = png.data() + 8; // length, "IHDR", 13 bytes, CRC
	PutBe32(ihdr + 8, width);
	PutBe32(ihdr + 12, height);
	PutBe32(ihdr + 8 + 13, Crc32(ihdr + 4, 4 + 13));
	return png;
}

// A JPEG whose frame header claims another size.
tBytes JpegClaiming(tBytes jpeg, uint16_t width, uint16_t height)
{
	for (size_t i = 0; i + 9 < jpeg.size(); ++i)
		if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
		{
			jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
			jpeg[i + 6] = static_cast<uint8_t>(height);
			jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
			jpeg[i + 8] = static_cast<uint8_t>(width);
			break;
		}
	return jpeg;
}

tBytes RgbaSamples(int width, int height)
{
	return Pattern(size_t(width) * height * 4, 7);
}

tBytes SmallPng()
{
	sPngFixture png = {16, 16, PNG_COLOR_TYPE_RGBA, 8};
	png.rows = RgbaSamples(16, 16);
	return WritePng(png);
}

tBytes SmallJpeg(bool progressive)
{
	tBytes rgb;
	for (int i = 0; i < 16 * 16; ++i)
		rgb.insert(rgb.end(), {uint8_t(i), uint8_t(i * 3), uint8_t(255 - i)});
	return WriteJpeg(16, 16, 3, rgb, progressive);
}

tBytes SmallBmp()
{
	sBmpFixture bmp = {40, 16, 16, 8};
	bmp.palette = Pattern(256 * 4, 3);
	for (int y = 0; y < 16; ++y)
		bmp.storedRows.push_back(Pattern(16, y));
	return WriteBmp(bmp);
}

// RLE8 rows of a run and eight stored indices each.
tBytes SmallRunLengthBmp()
{
	tBytes stream;
	for (uint8_t y = 0; y < 16; ++y)
	{
		const tBytes stored = Pattern(8, y);
		stream.insert(stream.end(), {8, y, 0, 8});
		stream.insert(stream.end(), stored.begin(), stored.end());
		stream.insert(stream.end(), {0, 0});
	}
	stream.insert(stream.end(), {0, 1});
	return WriteBmp({40, 16, 16, 8, 1, {}, Pattern(256 * 4, 3), {stream}});
}

tBytes SmallGreyAlphaTga()
{
	return WriteTga({3, 16, 0x08, 16, 16, 0, 0, {}, Pattern(16 * 16 * 2, 5)});
}

tBytes SmallCmykJpeg()
{
	return WriteCmykJpeg(16, 16, Pattern(16 * 16 * 4, 11), eJpegInk::kCmykWithAdobeMarker);
}

tBytes SmallRunLengthTga()
{
	sTgaFixture tga = {10, 24, 0x20, 16, 16};
	for (int i = 0; i < 16; ++i)
		tga.pixels.insert(tga.pixels.end(), {0x8F, uint8_t(i), 2, 3}); // 16 pixels a packet
	return WriteTga(tga);
}

tBytes SmallDds(bool compressed)
{
	const tBytes rgba = RgbaSamples(16, 16);
	if (!compressed)
		return WriteDds({16, 16, DDPF_RGB, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, rgba});
	tBytes blocks(squish::GetStorageRequirements(16, 16, squish::kDxt5));
	squish::CompressImage(rgba.data(), 16, 16, blocks.data(), squish::kDxt5 | squish::kColourRangeFit);
	return WriteDds({16, 16, DDPF_FOURCC, D3DFMT_DXT5, 0, {}, blocks});
}

std::vector<std::pair<std::string, tBytes>> ValidFixtures()
{
	return {{"PNG", SmallPng()}, {"JPEG", SmallJpeg(false)}, {"progressive JPEG", SmallJpeg(true)},
		{"CMYK JPEG", SmallCmykJpeg()}, {"BMP", SmallBmp()}, {"RLE8 BMP", SmallRunLengthBmp()},
		{"TGA", SmallRunLengthTga()}, {"grey and alpha TGA", SmallGreyAlphaTga()}, {"DDS", SmallDds(false)},
		{"DXT5 DDS", SmallDds(true)}};
}

tBytes Truncated(const tBytes& file, size_t size)
{
	return tBytes(file.begin(), file.begin() + size);
}

// PVR textures: a 44-byte (version 1) or 52-byte (version 2) header, then
// the pixels; the engine reads these itself once the loader refuses them.
tBytes PvrFile(uint32_t headerSize)
{
	tBytes file(headerSize + 8 * 8 * 4, 0);
	PutLe32(file, 0, headerSize);
	PutLe32(file, 4, 8); // height
	PutLe32(file, 8, 8); // width
	PutLe32(file, 16, 0x12); // 8-bit R, G, B, A
	PutLe32(file, 20, 8 * 8 * 4);
	PutLe32(file, 24, 32);
	if (headerSize == 52)
		memcpy(&file[44], "PVR!", 4);
	return file;
}

// Tiny files whose headers claim huge images.
std::vector<std::pair<std::string, tBytes>> HugeClaims()
{
	tBytes hugeBmp = SmallBmp();
	PutLe32(hugeBmp, 18, 100000);
	tBytes bigBmp = SmallBmp();
	PutLe32(bigBmp, 18, 8000);
	PutLe32(bigBmp, 22, 8000);
	tBytes lowestHeightBmp = SmallBmp();
	PutLe32(lowestHeightBmp, 22, 0x80000000);
	tBytes bigTga = SmallRunLengthTga();
	bigTga[12] = bigTga[13] = bigTga[14] = bigTga[15] = 0xFF;
	tBytes plainTga = bigTga;
	plainTga[2] = 2; // the same without run-length packets
	return {
		{"PNG 65536 by 65536", PngClaiming(SmallPng(), 65536, 65536)},
		{"PNG 8192 by 8192", PngClaiming(SmallPng(), 8192, 8192)},
		{"PNG 0 by 16", PngClaiming(SmallPng(), 0, 16)},
		{"JPEG 60000 by 60000", JpegClaiming(SmallJpeg(false), 60000, 60000)},
		{"JPEG 8000 by 8000", JpegClaiming(SmallJpeg(false), 8000, 8000)},
		{"progressive JPEG 8000 by 8000", JpegClaiming(SmallJpeg(true), 8000, 8000)},
		{"DDS 65536 by 65536", WriteDds({65536, 65536, DDPF_RGB, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, tBytes(64)})},
		{"DDS 8192 by 8192", WriteDds({8192, 8192, DDPF_RGB, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, tBytes(64)})},
		{"DXT1 DDS 8192 by 8192", WriteDds({8192, 8192, DDPF_FOURCC, D3DFMT_DXT1, 0, {}, tBytes(64)})},
		{"DDS 0xFFFFFFFF wide", WriteDds({0xFFFFFFFF, 4, DDPF_FOURCC, D3DFMT_DXT3, 0, {}, tBytes(64)})},
		{"BMP 100000 wide", hugeBmp},
		{"BMP 8000 by 8000", bigBmp},
		{"BMP lowest height", lowestHeightBmp},
		{"TGA 65535 by 65535 run-length", bigTga},
		{"TGA 65535 by 65535", plainTga},
	};
}
}

TEST(D3DXImageHostile, RefusesDataThatIsNoImage)
{
	const std::pair<const char*, tBytes> cases[] = {
		{"empty", {}},
		{"text", tBytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!', '!', '!', '!', '!', '!'}},
		{"PVR version 1", PvrFile(44)},
		{"PVR version 2", PvrFile(52)},
		{"noise", Pattern(4096, 99)},
		{"DDS with another header size", [] { tBytes dds = SmallDds(false); dds[4] = 100; return dds; }()},
		{"DDS compressed as ATI2", WriteDds({16, 16, DDPF_FOURCC, MAKEFOURCC('A', 'T', 'I', '2'), 0, {}, tBytes(512)})},
		{"DDS of 8-bit pixels", WriteDds({16, 16, DDPF_RGB, 0, 8, {0xE0, 0x1C, 0x03, 0}, tBytes(256)})},
	};
	for (const auto& [name, file] : cases)
		EXPECT_EQ(DecodeResult(file), D3DXERR_INVALIDDATA) << name;

	sD3DXDecodedImage image;
	EXPECT_EQ(D3DXDecodeImageInMemory(nullptr, 100, D3DFMT_A8R8G8B8, image, nullptr), D3DXERR_INVALIDDATA);
}

TEST(D3DXImageHostile, RefusesOtherTargetFormats)
{
	for (D3DFORMAT format : {D3DFMT_R5G6B5, D3DFMT_X8R8G8B8, D3DFMT_DXT1, D3DFMT_UNKNOWN})
		EXPECT_EQ(DecodeResult(SmallPng(), format), E_INVALIDARG) << format;
}

TEST(D3DXImageHostile, RefusesHugeClaims)
{
	for (const auto& [name, file] : HugeClaims())
		EXPECT_EQ(DecodeResult(file), D3DXERR_INVALIDDATA) << name;
}

TEST(D3DXImageHostile, HugeClaimsAllocateNoPixelMemory)
{
#if defined(__SANITIZE_ADDRESS__)
	GTEST_SKIP() << "an address space limit does not work with the address sanitizer";
#else
	// In a child process whose address space may grow by 64 MB only, an
	// 8192 by 8192 canvas (256 MB) cannot be allocated: each claim must be
	// refused as invalid before any pixel memory is requested.
	const auto claims = HugeClaims();
	EXPECT_EXIT(
		{
			rlimit limit = {};
			FILE* status = fopen("/proc/self/statm", "r");
			unsigned long pages = 0;
			if (!status || fscanf(status, "%lu", &pages) != 1)
				_exit(2);
			fclose(status);
			limit.rlim_cur = limit.rlim_max = pages * sysconf(_SC_PAGESIZE) + (64ul << 20);
			setrlimit(RLIMIT_AS, &limit);
			for (const auto& claim : claims)
			{
				sD3DXDecodedImage image;
				const tBytes& file = claim.second;
				if (D3DXDecodeImageInMemory(file.data(), UINT(file.size()), D3DFMT_A8R8G8B8, image, nullptr) !=
					D3DXERR_INVALIDDATA)
				{
					fprintf(stderr, "not refused as invalid: %s\n", claim.first.c_str());
					_exit(1);
				}
			}
			_exit(0);
		},
		testing::ExitedWithCode(0), "");
#endif
}

TEST(D3DXImageHostile, RefusesTruncatedImages)
{
	for (const auto& [name, file] : ValidFixtures())
	{
		SCOPED_TRACE(name);
		ASSERT_EQ(DecodeResult(file), S_OK);
		// Cut inside the header, and inside the pixel data.
		EXPECT_EQ(DecodeResult(Truncated(file, 12)), D3DXERR_INVALIDDATA);
		EXPECT_EQ(DecodeResult(Truncated(file, file.size() / 2)), D3DXERR_INVALIDDATA);
		EXPECT_EQ(DecodeResult(Truncated(file, file.size() - 40)), D3DXERR_INVALIDDATA);
		// Every other cut fails or, where only trailing data is lost, gives
		// the whole image.
		for (size_t size = 0; size < file.size(); ++size)
		{
			sD3DXDecodedImage image;
			if (D3DXDecodeImageInMemory(file.data(), UINT(size), D3DFMT_A8R8G8B8, image, nullptr) == S_OK)
			{
				ASSERT_EQ(image.imageWidth, 16u) << "cut at " << size;
			}
		}
	}
}

TEST(D3DXImageHostile, SurvivesDamagedBytes)
{
	// Each variant overwrites a few bytes at pseudo-random places; the result
	// may be an image or a refusal, but never a crash (checked the hard way
	// under the sanitizers).
	for (const auto& [name, file] : ValidFixtures())
		for (uint32_t variant = 0; variant < 150; ++variant)
		{
			tBytes damaged = file;
			const tBytes noise = Pattern(8, variant * 31 + 1);
			for (int i = 0; i < 4; ++i)
			{
				const size_t limit = variant % 2 ? 160 : damaged.size(); // headers, or anywhere
				damaged[(noise[2 * i] * 257u + noise[2 * i + 1] * 7u + variant) % std::min(limit, damaged.size())] =
					noise[2 * i + 1];
			}
			for (D3DFORMAT format : {D3DFMT_A8R8G8B8, D3DFMT_DXT3})
			{
				sD3DXDecodedImage image;
				if (D3DXDecodeImageInMemory(damaged.data(), UINT(damaged.size()), format, image, nullptr) == S_OK)
				{
					ASSERT_FALSE(image.bits.empty()) << name << " variant " << variant;
				}
			}
		}
}

namespace
{
// The lines the loader writes while it decodes file.
std::string FailureLines(const tBytes& file)
{
	testing::internal::CaptureStderr();
	EXPECT_EQ(DecodeResult(file), D3DXERR_INVALIDDATA);
	return testing::internal::GetCapturedStderr();
}

tBytes WithField(tBytes file, size_t offset, uint32_t value)
{
	PutLe32(file, offset, value);
	return file;
}
}

TEST(D3DXImageHostile, RefusalsNameWhatTheFileIs)
{
	tBytes greyTga24 = SmallRunLengthTga();
	greyTga24[2] = 3;
	tBytes twoBitBmp = SmallBmp();
	twoBitBmp[28] = 2;
	const std::pair<tBytes, const char*> cases[] = {
		{WithField(SmallBmp(), 30, 4), "BMP compression 4 is not supported"},
		{WithField(SmallBmp(), 30, 2), "BMP compression 2 is not supported at 8 bits per pixel"},
		{twoBitBmp, "BMP of 2 bits per pixel is not supported"},
		{WithField(SmallBmp(), 14, 20), "BMP header size 20 is not supported"},
		{greyTga24, "TGA type 3 at 24 bits per pixel is not supported"},
		{WithField(SmallDds(false), 4, 100), "DDS header size 100 is not supported"},
		{WriteDds({16, 16, DDPF_FOURCC, MAKEFOURCC('D', 'X', '1', '0'), 0, {}, tBytes(1024)}),
			"DDS compression DX10 (30315844) is not supported"},
	};
	for (const auto& [file, line] : cases)
	{
		const std::string lines = FailureLines(file);
		EXPECT_NE(lines.find(std::string("D3DX: image not loaded: ") + line), std::string::npos) << lines;
		EXPECT_EQ(lines.find("damaged"), std::string::npos) << lines;
	}
}

TEST(D3DXImageHostile, RunLengthStreamsThatLeaveTheImage)
{
	// A 4 by 2 image, bottom-up; each stream stops with a log line and the
	// file is refused without a write outside the canvas (checked under the
	// address sanitizer).
	struct sCase
	{
		const char* name;
		uint16_t bitCount;
		tBytes stream;
		const char* failure;
	};
	const sCase cases[] = {
		{"run past the row's end", 8, {5, 1}, "a run leaves the image at texel 0 of row 0"},
		{"RLE4 run past the row's end", 4, {2, 0x11, 3, 0x11}, "a run leaves the image at texel 2 of row 0"},
		{"run past the last row", 8, {4, 1, 0, 0, 4, 1, 0, 0, 1, 1}, "a run leaves the image at texel 0 of row 2"},
		{"stored texels past the row's end", 8, {1, 1, 0, 4, 1, 2, 3, 4}, "stored texels leave the image"},
		{"RLE4 stored texels past the row's end", 4, {0, 5, 0x12, 0x34, 0x50, 0}, "stored texels leave the image"},
		{"move off the right", 8, {2, 1, 0, 2, 3, 0}, "a move leaves the image at texel 2 of row 0"},
		{"move off the bottom", 8, {0, 2, 0, 2}, "a move leaves the image at texel 0 of row 0"},
		{"move after the last row", 8, {0, 0, 0, 0, 0, 2, 0, 0}, "a move leaves the image at texel 0 of row 2"},
		{"stream ends within the image", 8, {4, 1}, "truncated at texel 0 of row 1"},
		{"stored texels cut short", 8, {0, 4, 1, 2}, "truncated at texel 0 of row 0"},
		{"move cut short", 8, {0, 0, 0, 2}, "truncated at texel 0 of row 1"},
	};
	for (const sCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		const tBytes palette(16 * 4, 0x40);
		const std::string lines =
			FailureLines(WriteBmp({40, 4, 2, c.bitCount, c.bitCount == 8 ? 1u : 2u, {}, palette, {c.stream}}));
		EXPECT_NE(lines.find(std::string("BMP run-length data: ") + c.failure), std::string::npos) << lines;
	}
}
