// The PVR reader on valid, damaged and hostile headers, without a device.

#include "engine/graphics/PvrTextureReader.h"
#include "engine/graphics/PvrtcDecoder.h"

#include "TextureFiles.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint32_t kMipMaps = 0x100;
constexpr uint32_t kTwiddled = 0x200;
constexpr uint32_t kCubeMap = 0x1000;

bool Read(const tBytes& file, sPvrReadResult& result, unsigned maxSide = kPvrMaxSide)
{
	cMemoryStream stream;
	LoadStream(stream, file);
	result.stream = &stream;
	bool read = LoadPvrTexture(result, maxSide);
	result.stream = nullptr;
	return read;
}

bool Accepts(const tBytes& file)
{
	sPvrReadResult result;
	return Read(file, result);
}
}

TEST(PvrTextureReader, ReadsPlainPixelsInPlace)
{
	const tBytes pixels = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 };
	cMemoryStream stream;
	const tBytes file = PvrFile({ 52, 2, 2, 18 }, pixels);
	stream.Write("junk", 4);
	stream.Write(file.data(), uint32_t(file.size()));
	stream.Seek(4, cStream::FromStart); // read from the stream's position
	sPvrReadResult result;
	result.stream = &stream;
	ASSERT_TRUE(LoadPvrTexture(result));
	EXPECT_EQ(result.width, 2u);
	EXPECT_EQ(result.height, 2u);
	EXPECT_EQ(result.formatCode, 2);
	EXPECT_FALSE(result.decoded);
	EXPECT_FALSE(result.ownsPixels);
	EXPECT_EQ(result.pixels, stream.GetData() + 4 + 52);

	struct sType
	{
		uint32_t type;
		int code;
		unsigned bytes;
	};
	for (sType type : { sType { 16, 6, 2 }, sType { 17, 5, 2 }, sType { 19, 4, 2 }, sType { 21, 1, 3 } })
	{
		sPvrReadResult plain;
		ASSERT_TRUE(Read(PvrFile({ 44, 4, 2, type.type }, tBytes(8 * type.bytes)), plain)) << type.type;
		EXPECT_EQ(plain.formatCode, type.code);
	}
}

TEST(PvrTextureReader, DecodesPvrtcWithOrWithoutTheTwiddledFlag)
{
	const tBytes blocks = NoiseBytes(32); // 2 by 2 blocks of an 8 by 8 image at 4 bits per pixel
	std::vector<uint8_t> expected(8 * 8 * 4);
	ASSERT_TRUE(DecompressPvrtc(blocks.data(), blocks.size(), false, 8, 8, true, expected.data()));
	for (uint32_t flags : { 25u, 25u | kTwiddled })
	{
		sPvrReadResult result;
		ASSERT_TRUE(Read(PvrFile({ 52, 8, 8, flags }, blocks), result));
		EXPECT_TRUE(result.decoded);
		EXPECT_TRUE(result.ownsPixels);
		EXPECT_EQ(result.formatCode, 2);
		EXPECT_EQ(std::vector<uint8_t>(result.pixels, result.pixels + expected.size()), expected);
	}
	// 2 bits per pixel: 8 by 4 texel blocks, 16 by 16 needs 2 by 4 blocks.
	sPvrReadResult twoBit;
	EXPECT_TRUE(Read(PvrFile({ 52, 16, 16, 24 | kTwiddled }, NoiseBytes(64)), twoBit));
	EXPECT_FALSE(Read(PvrFile({ 52, 16, 16, 24 }, NoiseBytes(63)), twoBit));
}

TEST(PvrTextureReader, RefusesDamagedAndHostileHeaders)
{
	struct sCase
	{
		const char* what;
		tBytes file;
		bool accepted;
	};
	sPvrHeader mipMaps { 52, 4, 4, 18 | kMipMaps, 3 };
	sPvrHeader negativeMipMaps { 52, 4, 4, 18 | kMipMaps, -1 };
	sPvrHeader noSurfaceCount { 52, 4, 4, 18, 0, 0 };
	sPvrHeader cube { 52, 4, 4, 18 | kCubeMap, 0, 0 };
	const tBytes shortHeader = PvrFile({ 52, 4, 4, 18 }, {});
	const sCase cases[] = {
		{ "version 1 header", PvrFile({ 44, 4, 4, 18 }, tBytes(64)), true },
		{ "version 2 without a surface count", PvrFile(noSurfaceCount, tBytes(64)), true },
		{ "mip maps below the top level", PvrFile(mipMaps, tBytes(64)), true },
		{ "other header size", PvrFile({ 48, 4, 4, 18 }, tBytes(64)), false },
		{ "header cut short", tBytes(shortHeader.begin(), shortHeader.begin() + 30), false },
		{ "twiddled plain pixels", PvrFile({ 52, 4, 4, 18 | kTwiddled }, tBytes(64)), false },
		{ "pixel type 20", PvrFile({ 52, 4, 4, 20 }, tBytes(64)), false },
		{ "pixel type 23", PvrFile({ 52, 4, 4, 23 }, tBytes(64)), false },
		{ "cube map", PvrFile(cube, tBytes(64 * 6)), false },
		{ "negative mip-map count", PvrFile(negativeMipMaps, tBytes(64)), false },
		{ "zero width", PvrFile({ 52, 0, 4, 18 }, tBytes(64)), false },
		{ "zero height", PvrFile({ 52, 4, 0, 18 }, tBytes(64)), false },
		{ "65536 by 65536 PVRTC on 1 KB", PvrFile({ 52, 65536, 65536, 25 | kTwiddled }, NoiseBytes(1024 - 52)), false },
		{ "65536 by 65536 plain on 1 KB", PvrFile({ 52, 65536, 65536, 18 }, tBytes(1024 - 52)), false },
		{ "side above the largest texture", PvrFile({ 52, 8192, 1, 18 }, tBytes(8192 * 4)), false },
		{ "pixels cut short", PvrFile({ 52, 64, 64, 18 }, tBytes(100)), false },
		{ "one byte short", PvrFile({ 52, 4, 4, 21 }, tBytes(47)), false },
		{ "PVRTC side not a power of two", PvrFile({ 52, 12, 12, 25 }, NoiseBytes(4096)), false },
		{ "PVRTC blocks cut short", PvrFile({ 52, 8, 8, 25 }, NoiseBytes(31)), false },
	};
	for (const sCase& c : cases)
		EXPECT_EQ(Accepts(c.file), c.accepted) << c.what;

	// The device's own limit applies when it is smaller.
	sPvrReadResult result;
	EXPECT_FALSE(Read(PvrFile({ 52, 64, 64, 18 }, tBytes(64 * 64 * 4)), result, 32));
	EXPECT_TRUE(Read(PvrFile({ 52, 32, 32, 18 }, tBytes(32 * 32 * 4)), result, 32));
}
