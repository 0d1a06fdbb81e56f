#include "platform/d3dx9/D3DX9Image.h"

#include "ImageFixtures.h"

#include <gtest/gtest.h>
#include <png.h>
#include <squish.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
typedef std::array<uint8_t, 4> tBgra;

const tBgra kClear = {0, 0, 0, 0};

tBgra TexelAt(const sD3DXDecodedImage& image, UINT x, UINT y)
{
	const uint8_t* p = image.bits.data() + y * image.pitch + x * 4;
	return {p[0], p[1], p[2], p[3]};
}

sD3DXDecodedImage Decode(const tBytes& file, D3DFORMAT format = D3DFMT_A8R8G8B8, D3DXIMAGE_INFO* info = nullptr)
{
	sD3DXDecodedImage image;
	EXPECT_EQ(D3DXDecodeImageInMemory(file.data(), static_cast<UINT>(file.size()), format, image, info), S_OK);
	return image;
}

// Checks the image's texels row by row, then that the rest of the
// power-of-two canvas is transparent black.
void ExpectImage(const sD3DXDecodedImage& image, UINT width, UINT height, const std::vector<tBgra>& texels,
	const std::string& name)
{
	SCOPED_TRACE(name);
	ASSERT_EQ(image.format, D3DFMT_A8R8G8B8);
	ASSERT_EQ(image.imageWidth, width);
	ASSERT_EQ(image.imageHeight, height);
	ASSERT_EQ(image.pitch, image.width * 4);
	ASSERT_EQ(image.bits.size(), size_t(image.pitch) * image.height);
	for (UINT y = 0; y < image.height; ++y)
		for (UINT x = 0; x < image.width; ++x)
		{
			const tBgra expected = x < width && y < height ? texels[y * width + x] : kClear;
			ASSERT_EQ(TexelAt(image, x, y), expected) << "texel " << x << "," << y;
		}
}

tBytes Concat(std::initializer_list<tBytes> parts)
{
	tBytes out;
	for (const tBytes& part : parts)
		out.insert(out.end(), part.begin(), part.end());
	return out;
}

// The 3 by 2 image most BMP, TGA and DDS cases store, top row first.
const std::vector<tBgra> kSixTexels = {
	{10, 20, 30, 255}, {40, 50, 60, 255}, {70, 80, 90, 255},
	{15, 25, 35, 255}, {45, 55, 65, 255}, {75, 85, 95, 255}};
const tBytes kTopRowBgr = {10, 20, 30, 40, 50, 60, 70, 80, 90};
const tBytes kBottomRowBgr = {15, 25, 35, 45, 55, 65, 75, 85, 95};

// B, G, R, A bytes of kSixTexels with other alpha values.
tBytes SixTexelsBgra(const uint8_t (&alpha)[6])
{
	tBytes out;
	for (int i = 0; i < 6; ++i)
		out.insert(out.end(), {kSixTexels[i][0], kSixTexels[i][1], kSixTexels[i][2], alpha[i]});
	return out;
}

std::vector<tBgra> WithAlpha(const uint8_t (&alpha)[6])
{
	std::vector<tBgra> out = kSixTexels;
	for (int i = 0; i < 6; ++i)
		out[i][3] = alpha[i];
	return out;
}

const uint8_t kSixAlphas[6] = {0, 0x11, 0x80, 0xEE, 0xFF, 0x42};
}

TEST(D3DXImage, PngColourTypesAndDepths)
{
	struct sCase
	{
		const char* name;
		sPngFixture png;
		std::vector<tBgra> texels; // 3 by 1
	};
	const sCase cases[] = {
		{"RGB 8", {3, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 40, 50, 60, 70, 80, 90}},
			{{30, 20, 10, 255}, {60, 50, 40, 255}, {90, 80, 70, 255}}},
		{"RGBA 8", {3, 1, PNG_COLOR_TYPE_RGBA, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
			{{3, 2, 1, 4}, {7, 6, 5, 8}, {11, 10, 9, 12}}},
		{"grey 8", {3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 128, 255}},
			{{0, 0, 0, 255}, {128, 128, 128, 255}, {255, 255, 255, 255}}},
		{"grey and alpha 8", {3, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {10, 20, 30, 40, 50, 60}},
			{{10, 10, 10, 20}, {30, 30, 30, 40}, {50, 50, 50, 60}}},
		{"grey 1", {3, 1, PNG_COLOR_TYPE_GRAY, 1, {0xA0}},
			{{255, 255, 255, 255}, {0, 0, 0, 255}, {255, 255, 255, 255}}},
		{"grey 2", {3, 1, PNG_COLOR_TYPE_GRAY, 2, {0xD8}},
			{{255, 255, 255, 255}, {85, 85, 85, 255}, {170, 170, 170, 255}}},
		{"grey 16", {3, 1, PNG_COLOR_TYPE_GRAY, 16, {0xAB, 0xCD, 0x12, 0x34, 0xFF, 0xFF}},
			{{0xAB, 0xAB, 0xAB, 255}, {0x12, 0x12, 0x12, 255}, {255, 255, 255, 255}}},
		{"RGBA 16",
			{3, 1, PNG_COLOR_TYPE_RGBA, 16,
				{0x10, 0, 0x20, 0, 0x30, 0, 0x40, 0, 0x50, 1, 0x60, 2, 0x70, 3, 0x80, 4, 0xF0, 0xFF, 0xE0, 0xFF,
					0xD0, 0xFF, 0xC0, 0xFF}},
			{{0x30, 0x20, 0x10, 0x40}, {0x70, 0x60, 0x50, 0x80}, {0xD0, 0xE0, 0xF0, 0xC0}}},
		{"palette 8 with transparency",
			{3, 1, PNG_COLOR_TYPE_PALETTE, 8, {2, 1, 0}, {255, 0, 0, 0, 255, 0, 0, 0, 255}, {0, 128}},
			{{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0}}},
		{"palette 4", {3, 1, PNG_COLOR_TYPE_PALETTE, 4, {0x10, 0x20}, {255, 0, 0, 0, 255, 0, 0, 0, 255}},
			{{0, 255, 0, 255}, {0, 0, 255, 255}, {255, 0, 0, 255}}},
		{"RGB 8 with a colour key", {3, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {}, {40, 50, 60}},
			{{30, 20, 10, 255}, {60, 50, 40, 0}, {90, 80, 70, 255}}},
		{"grey 8 with a colour key", {3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 128, 255}, {}, {128}},
			{{0, 0, 0, 255}, {128, 128, 128, 0}, {255, 255, 255, 255}}},
	};
	for (const sCase& c : cases)
	{
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WritePng(c.png), D3DFMT_A8R8G8B8, &info);
		EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG) << c.name;
		ExpectImage(image, 3, 1, c.texels, c.name);
		EXPECT_EQ(image.width, 4u);
	}
}

TEST(D3DXImage, SidesRoundUpToPowersOfTwoWithTheImageTopLeft)
{
	// 100 by 50 becomes 128 by 64; the same with Adam7 interlacing.
	std::vector<tBgra> texels;
	sPngFixture png = {100, 50, PNG_COLOR_TYPE_RGB, 8};
	for (int y = 0; y < 50; ++y)
		for (int x = 0; x < 100; ++x)
		{
			png.rows.insert(png.rows.end(), {uint8_t(x), uint8_t(y), uint8_t(x + y)});
			texels.push_back({uint8_t(x + y), uint8_t(y), uint8_t(x), 255});
		}
	for (bool interlaced : {false, true})
	{
		png.interlaced = interlaced;
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WritePng(png), D3DFMT_A8R8G8B8, &info);
		EXPECT_EQ(image.width, 128u);
		EXPECT_EQ(image.height, 64u);
		EXPECT_EQ(info.Width, 100u);
		EXPECT_EQ(info.Height, 50u);
		EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
		ExpectImage(image, 100, 50, texels, interlaced ? "interlaced" : "not interlaced");
	}
}

TEST(D3DXImage, JpegBaselineProgressiveAndGrey)
{
	// Four flat quadrants; JPEG is lossy, so the quadrant centres are compared
	// with a tolerance.
	const int width = 24, height = 16;
	const uint8_t quadrants[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}; // R, G, B
	tBytes rgb, grey;
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x)
		{
			const uint8_t* colour = quadrants[(y >= 8) * 2 + (x >= 12)];
			rgb.insert(rgb.end(), colour, colour + 3);
			grey.push_back(static_cast<uint8_t>(x * 10));
		}
	for (bool progressive : {false, true})
	{
		SCOPED_TRACE(progressive ? "progressive" : "baseline");
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WriteJpeg(width, height, 3, rgb, progressive), D3DFMT_A8R8G8B8, &info);
		ASSERT_EQ(image.width, 32u);
		ASSERT_EQ(image.height, 16u);
		EXPECT_EQ(info.Width, 24u);
		EXPECT_EQ(info.ImageFileFormat, D3DXIFF_JPG);
		const int centres[4][2] = {{6, 4}, {18, 4}, {6, 12}, {18, 12}};
		for (int q = 0; q < 4; ++q)
		{
			const tBgra texel = TexelAt(image, centres[q][0], centres[q][1]);
			EXPECT_NEAR(texel[0], quadrants[q][2], 12) << "quadrant " << q;
			EXPECT_NEAR(texel[1], quadrants[q][1], 12) << "quadrant " << q;
			EXPECT_NEAR(texel[2], quadrants[q][0], 12) << "quadrant " << q;
		}
		for (UINT y = 0; y < image.height; ++y)
			for (UINT x = 0; x < image.width; ++x)
			{
				if (x < 24)
					ASSERT_EQ(TexelAt(image, x, y)[3], 255);
				else
					ASSERT_EQ(TexelAt(image, x, y), kClear);
			}
	}
	const sD3DXDecodedImage image = Decode(WriteJpeg(width, height, 1, grey, false));
	const tBgra texel = TexelAt(image, 10, 5);
	EXPECT_NEAR(texel[0], 100, 6);
	EXPECT_EQ(texel[0], texel[1]);
	EXPECT_EQ(texel[1], texel[2]);
	EXPECT_EQ(texel[3], 255);
}

TEST(D3DXImage, BmpLayouts)
{
	const tBytes topBgrx = {10, 20, 30, 7, 40, 50, 60, 7, 70, 80, 90, 7};
	const tBytes bottomBgrx = {15, 25, 35, 7, 45, 55, 65, 7, 75, 85, 95, 7};
	const tBytes withAlpha = SixTexelsBgra(kSixAlphas);
	// Palette B, G, R, 0 entries; indices 0..2 make the first row, 3..5 the second.
	const tBytes palette = Concat({{10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}, {15, 25, 35, 0, 45, 55, 65, 0},
		{75, 85, 95, 0}, tBytes(10 * 4, 0)});
	const tBytes corePalette = {10, 20, 30, 40, 50, 60, 70, 80, 90, 15, 25, 35, 45, 55, 65, 75, 85, 95};
	// 16-bit: 5-bit channels 31, 10, 0 (8-bit 255, 82, 0); 6-bit green 63, 32, 0 (255, 130, 0).
	const std::vector<tBgra> sixteenBit = {{0, 82, 255, 255}, {255, 0, 82, 255}, {82, 255, 0, 255},
		{0, 0, 0, 255}, {255, 255, 255, 255}, {82, 82, 82, 255}};
	const std::vector<tBgra> sixteenBit565 = {{0, 130, 255, 255}, {255, 0, 82, 255}, {82, 255, 0, 255},
		{0, 0, 0, 255}, {255, 255, 255, 255}, {82, 130, 82, 255}};
	auto rows16 = [](uint16_t a, uint16_t b, uint16_t c) {
		return tBytes{uint8_t(a), uint8_t(a >> 8), uint8_t(b), uint8_t(b >> 8), uint8_t(c), uint8_t(c >> 8)};
	};

	struct sCase
	{
		const char* name;
		sBmpFixture bmp;
		std::vector<tBgra> texels;
	};
	const sCase cases[] = {
		{"24-bit bottom-up", {40, 3, 2, 24, 0, {}, {}, {kBottomRowBgr, kTopRowBgr}}, kSixTexels},
		{"24-bit top-down", {40, 3, -2, 24, 0, {}, {}, {kTopRowBgr, kBottomRowBgr}}, kSixTexels},
		{"24-bit OS/2 header", {12, 3, 2, 24, 0, {}, {}, {kBottomRowBgr, kTopRowBgr}}, kSixTexels},
		{"32-bit without alpha", {40, 3, 2, 32, 0, {}, {}, {bottomBgrx, topBgrx}}, kSixTexels},
		{"32-bit with an alpha mask", {124, 3, -2, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {},
			{tBytes(withAlpha.begin(), withAlpha.begin() + 12), tBytes(withAlpha.begin() + 12, withAlpha.end())}},
			WithAlpha(kSixAlphas)},
		{"16-bit 555", {40, 3, -2, 16, 0, {}, {},
			{rows16(31 << 10 | 10 << 5, 10 << 10 | 31, 31 << 5 | 10), rows16(0, 0x7FFF, 10 << 10 | 10 << 5 | 10)}},
			sixteenBit},
		{"16-bit 565 bit fields", {40, 3, -2, 16, 3, {0xF800, 0x07E0, 0x001F}, {},
			{rows16(31 << 11 | 32 << 5, 10 << 11 | 31, 63 << 5 | 10), rows16(0, 0xFFFF, 10 << 11 | 32 << 5 | 10)}},
			sixteenBit565},
		{"8-bit palette", {40, 3, 2, 8, 0, {}, palette, {{3, 4, 5}, {0, 1, 2}}}, kSixTexels},
		{"4-bit palette", {40, 3, 2, 4, 0, {}, palette, {{0x34, 0x50}, {0x01, 0x20}}}, kSixTexels},
		{"1-bit palette", {40, 3, 2, 1, 0, {}, tBytes(palette.begin(), palette.begin() + 8), {{0xA0}, {0x40}}},
			{{10, 20, 30, 255}, {40, 50, 60, 255}, {10, 20, 30, 255}, {40, 50, 60, 255}, {10, 20, 30, 255},
				{40, 50, 60, 255}}},
		{"8-bit palette, OS/2 header", {12, 3, 2, 8, 0, {}, corePalette, {{3, 4, 5}, {0, 1, 2}}}, kSixTexels},
	};
	for (const sCase& c : cases)
	{
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WriteBmp(c.bmp), D3DFMT_A8R8G8B8, &info);
		EXPECT_EQ(info.ImageFileFormat, D3DXIFF_BMP) << c.name;
		ExpectImage(image, 3, 2, c.texels, c.name);
	}
}

namespace
{
// Eight palette entries B, G, R, 0: entry i is (i, 10 i, 20 i).
tBytes EightColourPalette()
{
	tBytes palette;
	for (uint8_t i = 0; i < 8; ++i)
		palette.insert(palette.end(), {i, uint8_t(10 * i), uint8_t(20 * i), 0});
	return palette;
}

// The texels of palette indices from EightColourPalette, -1 for a texel the
// stream skips.
std::vector<tBgra> IndexedTexels(const std::vector<int>& indices)
{
	std::vector<tBgra> texels;
	for (int i : indices)
		texels.push_back(i < 0 ? kClear : tBgra{uint8_t(i), uint8_t(10 * i), uint8_t(20 * i), 255});
	return texels;
}
}

TEST(D3DXImage, BmpRunLengthStreams)
{
	struct sCase
	{
		const char* name;
		uint16_t bitCount;
		int32_t height; // negative: rows stored top-down
		tBytes stream; // pairs and escapes, rows in file order
		std::vector<int> indices; // 6 wide, top row first
	};
	const sCase cases[] = {
		{"RLE8, every escape", 8, 4,
			{3, 1, 0, 3, 2, 3, 4, 0, 0, 0, // a run, three stored indices padded to four bytes, end of line
				2, 5, 0, 2, 1, 1, 2, 6, 0, 0, // a run, a move right 1 and on 1 row, a run, end of line
				0, 4, 7, 0, 1, 2, 0, 1}, // four stored indices, end of bitmap
			{7, 0, 1, 2, -1, -1, -1, -1, -1, 6, 6, -1, 5, 5, -1, -1, -1, -1, 1, 1, 1, 2, 3, 4}},
		{"RLE4, every escape", 4, 4,
			{3, 0x12, 0, 3, 0x34, 0x50, 0, 0, // alternating run, three stored indices in two bytes
				0, 5, 0x67, 0x01, 0x20, 0, 0, 0, // five stored indices in three bytes, padded
				0, 2, 4, 1, 2, 0x77, 0, 1}, // a move right 4 and on 1 row, a run, end of bitmap
			{-1, -1, -1, -1, 7, 7, -1, -1, -1, -1, -1, -1, 6, 7, 0, 1, 2, -1, 1, 2, 1, 3, 4, 5}},
		{"RLE8 top-down, ended by its last line", 8, -2, {6, 3, 0, 0, 2, 4, 4, 5, 0, 0},
			{3, 3, 3, 3, 3, 3, 4, 4, 5, 5, 5, 5}},
	};
	for (const sCase& c : cases)
	{
		const sBmpFixture bmp{40, 6, c.height, c.bitCount, c.bitCount == 8 ? 1u : 2u, {}, EightColourPalette(),
			{c.stream}};
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WriteBmp(bmp), D3DFMT_A8R8G8B8, &info);
		EXPECT_EQ(info.ImageFileFormat, D3DXIFF_BMP) << c.name;
		ExpectImage(image, 6, std::abs(c.height), IndexedTexels(c.indices), c.name);
	}
}

TEST(D3DXImage, JpegCmykConvertsToRgb)
{
	// Flat 8 by 8 blocks come through a quality 100 JPEG unchanged. Stored
	// C, M, Y, K values; without an Adobe marker they are inks, with one their
	// complements.
	const uint8_t stored[4][4] = {{0, 0, 0, 0}, {255, 0, 0, 128}, {40, 100, 200, 30}, {200, 10, 60, 255}};
	const std::vector<tBgra> inks = {{255, 255, 255, 255}, {127, 127, 0, 255}, {49, 137, 190, 255}, {0, 0, 0, 255}};
	const std::vector<tBgra> complements = {{0, 0, 0, 255}, {0, 0, 128, 255}, {24, 12, 5, 255}, {60, 10, 200, 255}};
	tBytes samples;
	for (int y = 0; y < 8; ++y)
		for (int x = 0; x < 32; ++x)
			samples.insert(samples.end(), stored[x / 8], stored[x / 8] + 4);
	const auto texelsOf = [](const std::vector<tBgra>& blocks) {
		std::vector<tBgra> texels;
		for (int i = 0; i < 8 * 32; ++i)
			texels.push_back(blocks[i % 32 / 8]);
		return texels;
	};
	ExpectImage(Decode(WriteCmykJpeg(32, 8, samples, eJpegInk::kCmyk)), 32, 8, texelsOf(inks), "CMYK");
	ExpectImage(Decode(WriteCmykJpeg(32, 8, samples, eJpegInk::kCmykWithAdobeMarker)), 32, 8, texelsOf(complements),
		"CMYK with an Adobe marker");

	// YCCK goes through a lossy colour conversion on the way in.
	const sD3DXDecodedImage ycck = Decode(WriteCmykJpeg(32, 8, samples, eJpegInk::kYcck));
	ASSERT_EQ(ycck.imageWidth, 32u);
	for (int block = 0; block < 4; ++block)
		for (int k = 0; k < 4; ++k)
			EXPECT_NEAR(TexelAt(ycck, block * 8 + 3, 4)[k], complements[block][k], 2) << "block " << block;
}

TEST(D3DXImage, TgaLayouts)
{
	const tBytes bottomUp = Concat({kBottomRowBgr, kTopRowBgr});
	const tBytes topDown = Concat({kTopRowBgr, kBottomRowBgr});
	const tBytes mirrored = {70, 80, 90, 40, 50, 60, 10, 20, 30, 75, 85, 95, 45, 55, 65, 15, 25, 35};
	const tBytes colourMap = topDown; // six 24-bit entries, in image order
	// Top row A A B, bottom row B C C, packed in runs that cross the row end.
	const tBytes a = {1, 2, 3}, b = {4, 5, 6}, c = {7, 8, 9};
	const std::vector<tBgra> runs = {{1, 2, 3, 255}, {1, 2, 3, 255}, {4, 5, 6, 255}, {4, 5, 6, 255},
		{7, 8, 9, 255}, {7, 8, 9, 255}};
	const tBytes runPackets = Concat({{0x81}, a, {0x81}, b, {0x81}, c});
	const tBytes literalPackets = Concat({{0x02}, a, a, b, {0x02}, b, c, c});
	// A1R5G5B5 with the alpha bit set on the first texel only.
	const tBytes sixteenBit = {0x00, 0xFC, 0x1F, 0x00, 0xE0, 0x03, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00};
	const std::vector<tBgra> sixteenBitTexels = {{0, 0, 255, 255}, {255, 0, 0, 0}, {0, 255, 0, 0},
		{0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 0, 0}};
	const std::vector<tBgra> grey = {{0, 0, 0, 255}, {9, 9, 9, 255}, {99, 99, 99, 255}, {100, 100, 100, 255},
		{200, 200, 200, 255}, {255, 255, 255, 255}};
	// Grey then alpha bytes, rows either way round.
	const tBytes greyAlphaTopDown = {0, 0x10, 9, 0x20, 99, 0x30, 100, 0x40, 200, 0x50, 255, 0x60};
	const tBytes greyAlphaBottomUp = {100, 0x40, 200, 0x50, 255, 0x60, 0, 0x10, 9, 0x20, 99, 0x30};
	std::vector<tBgra> greyAlpha = grey;
	for (int i = 0; i < 6; ++i)
		greyAlpha[i][3] = uint8_t(0x10 * (i + 1));

	struct sCase
	{
		const char* name;
		sTgaFixture tga;
		std::vector<tBgra> texels;
	};
	const sCase cases[] = {
		{"24-bit bottom-up", {2, 24, 0x00, 3, 2, 0, 0, {}, bottomUp}, kSixTexels},
		{"24-bit top-down", {2, 24, 0x20, 3, 2, 0, 0, {}, topDown}, kSixTexels},
		{"24-bit right to left", {2, 24, 0x30, 3, 2, 0, 0, {}, mirrored}, kSixTexels},
		{"32-bit with alpha", {2, 32, 0x28, 3, 2, 0, 0, {}, SixTexelsBgra(kSixAlphas)}, WithAlpha(kSixAlphas)},
		{"32-bit without alpha bits", {2, 32, 0x20, 3, 2, 0, 0, {}, SixTexelsBgra(kSixAlphas)}, kSixTexels},
		{"16-bit with an alpha bit", {2, 16, 0x21, 3, 2, 0, 0, {}, sixteenBit}, sixteenBitTexels},
		{"colour-mapped", {1, 8, 0x20, 3, 2, 24, 0, colourMap, {0, 1, 2, 3, 4, 5}}, kSixTexels},
		{"colour-mapped from entry 10", {1, 8, 0x20, 3, 2, 24, 10, colourMap, {10, 11, 12, 13, 14, 15}}, kSixTexels},
		{"grey", {3, 8, 0x20, 3, 2, 0, 0, {}, {0, 9, 99, 100, 200, 255}}, grey},
		{"grey and alpha top-down", {3, 16, 0x28, 3, 2, 0, 0, {}, greyAlphaTopDown}, greyAlpha},
		{"grey and alpha bottom-up", {3, 16, 0x08, 3, 2, 0, 0, {}, greyAlphaBottomUp}, greyAlpha},
		{"grey and alpha without alpha bits", {3, 16, 0x20, 3, 2, 0, 0, {}, greyAlphaTopDown}, grey},
		{"run-length grey and alpha", {11, 16, 0x08, 3, 2, 0, 0, {},
			{0x02, 100, 0x11, 200, 0x22, 255, 0x33, 0x82, 0, 0x44}},
			{{0, 0, 0, 0x44}, {0, 0, 0, 0x44}, {0, 0, 0, 0x44}, {100, 100, 100, 0x11}, {200, 200, 200, 0x22},
				{255, 255, 255, 0x33}}},
		{"colour-mapped, 16-bit indices", {1, 16, 0x20, 3, 2, 24, 300, colourMap,
			{0x2C, 1, 0x2D, 1, 0x2E, 1, 0x2F, 1, 0x30, 1, 0x31, 1}}, kSixTexels},
		{"run-length, repeated", {10, 24, 0x20, 3, 2, 0, 0, {}, runPackets}, runs},
		{"run-length, literal", {10, 24, 0x20, 3, 2, 0, 0, {}, literalPackets}, runs},
		{"run-length colour-mapped", {9, 8, 0x20, 3, 2, 24, 0, colourMap, {0x02, 0, 1, 2, 0x82, 5}},
			{kSixTexels[0], kSixTexels[1], kSixTexels[2], kSixTexels[5], kSixTexels[5], kSixTexels[5]}},
	};
	for (const sCase& c : cases)
	{
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WriteTga(c.tga), D3DFMT_A8R8G8B8, &info);
		EXPECT_EQ(info.ImageFileFormat, D3DXIFF_TGA) << c.name;
		ExpectImage(image, 3, 2, c.texels, c.name);
	}
}

namespace
{
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;

// Squish-compressed blocks of an R, G, B, A image.
tBytes CompressBlocks(const tBytes& rgba, int width, int height, int squishFormat)
{
	tBytes blocks(squish::GetStorageRequirements(width, height, squishFormat));
	squish::CompressImage(rgba.data(), width, height, blocks.data(), squishFormat);
	return blocks;
}

// Flat 4 by 4 blocks whose colours DXT keeps exactly (565 values, alpha
// multiples of 17), given as B, G, R, A.
const tBgra kBlockColours[3] = {{0, 0, 255, 0xFF}, {255, 0, 0, 0x88}, {0, 255, 255, 0x11}};

tBytes FlatBlocksRgba(int blocks)
{
	tBytes rgba;
	for (int y = 0; y < 4; ++y)
		for (int x = 0; x < 4 * blocks; ++x)
		{
			const tBgra& c = kBlockColours[x / 4];
			rgba.insert(rgba.end(), {c[2], c[1], c[0], c[3]});
		}
	return rgba;
}

std::vector<tBgra> FlatBlocksTexels(int blocks, bool keepAlpha)
{
	std::vector<tBgra> texels;
	for (int y = 0; y < 4; ++y)
		for (int x = 0; x < 4 * blocks; ++x)
		{
			tBgra c = kBlockColours[x / 4];
			if (!keepAlpha)
				c[3] = 255;
			texels.push_back(c);
		}
	return texels;
}
}

TEST(D3DXImage, DdsUncompressedFormats)
{
	auto pixels16 = [](std::initializer_list<uint16_t> values) {
		tBytes out;
		for (uint16_t v : values)
			out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
		return out;
	};
	struct sCase
	{
		const char* name;
		sDdsFixture dds;
		std::vector<tBgra> texels;
	};
	const sCase cases[] = {
		{"A8R8G8B8",
			{3, 2, DDPF_RGB | DDPF_ALPHAPIXELS, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, SixTexelsBgra(kSixAlphas)},
			WithAlpha(kSixAlphas)},
		{"X8R8G8B8", {3, 2, DDPF_RGB, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, SixTexelsBgra(kSixAlphas)}, kSixTexels},
		{"R8G8B8", {3, 2, DDPF_RGB, 0, 24, {0xFF0000, 0xFF00, 0xFF, 0}, Concat({kTopRowBgr, kBottomRowBgr})},
			kSixTexels},
		{"R5G6B5",
			{3, 2, DDPF_RGB, 0, 16, {0xF800, 0x07E0, 0x001F, 0},
				pixels16({0xF800, 0x07E0, 0x001F, 0x0000, 0xFFFF, 32 << 5})},
			{{0, 0, 255, 255}, {0, 255, 0, 255}, {255, 0, 0, 255}, {0, 0, 0, 255}, {255, 255, 255, 255},
				{0, 130, 0, 255}}},
		{"A1R5G5B5",
			{3, 2, DDPF_RGB | DDPF_ALPHAPIXELS, 0, 16, {0x7C00, 0x03E0, 0x001F, 0x8000},
				pixels16({0xFC00, 0x03E0, 0x801F, 0x0000, 0xFFFF, 10 << 10})},
			{{0, 0, 255, 255}, {0, 255, 0, 0}, {255, 0, 0, 255}, {0, 0, 0, 0}, {255, 255, 255, 255},
				{0, 0, 82, 0}}},
		{"A4R4G4B4",
			{3, 2, DDPF_RGB | DDPF_ALPHAPIXELS, 0, 16, {0x0F00, 0x00F0, 0x000F, 0xF000},
				pixels16({0xF800, 0x80F0, 0x000F, 0x1234, 0xFFFF, 0x0000})},
			{{0, 0, 0x88, 255}, {0, 255, 0, 0x88}, {255, 0, 0, 0}, {0x44, 0x33, 0x22, 0x11}, {255, 255, 255, 255},
				{0, 0, 0, 0}}},
	};
	for (const sCase& c : cases)
	{
		D3DXIMAGE_INFO info = {};
		const sD3DXDecodedImage image = Decode(WriteDds(c.dds), D3DFMT_A8R8G8B8, &info);
		EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS) << c.name;
		ExpectImage(image, 3, 2, c.texels, c.name);
	}
}

TEST(D3DXImage, DdsCompressedFormatsDecompress)
{
	struct sCase
	{
		const char* name;
		uint32_t fourCC;
		int squishFormat;
		int blocks; // a row of flat blocks: 8 by 4 (a power of two) or 12 by 4
	};
	const sCase cases[] = {
		{"DXT1", D3DFMT_DXT1, squish::kDxt1, 2}, // alpha below 128 would be a transparent block
		{"DXT3", D3DFMT_DXT3, squish::kDxt3, 2},
		{"DXT3 not a power of two", D3DFMT_DXT3, squish::kDxt3, 3},
		{"DXT5", D3DFMT_DXT5, squish::kDxt5, 3},
	};
	for (const sCase& c : cases)
	{
		const tBytes blocks = CompressBlocks(FlatBlocksRgba(c.blocks), 4 * c.blocks, 4, c.squishFormat);
		const tBytes file = WriteDds({UINT(4 * c.blocks), 4, DDPF_FOURCC, c.fourCC, 0, {}, blocks});
		const bool keepsAlpha = c.squishFormat != squish::kDxt1;
		ExpectImage(Decode(file), 4 * c.blocks, 4, FlatBlocksTexels(c.blocks, keepsAlpha), c.name);
	}
}

TEST(D3DXImage, ConvertsToDxt3)
{
	// A 6 by 3 PNG of flat colours becomes 8 by 4 texels of DXT3: two blocks.
	sPngFixture png = {6, 3, PNG_COLOR_TYPE_RGBA, 8};
	for (int i = 0; i < 6 * 3; ++i)
		png.rows.insert(png.rows.end(), {255, 0, 0, 0x88});
	D3DXIMAGE_INFO info = {};
	const sD3DXDecodedImage image = Decode(WritePng(png), D3DFMT_DXT3, &info);
	EXPECT_EQ(info.Width, 6u);
	EXPECT_EQ(info.Height, 3u);
	EXPECT_EQ(info.Format, D3DFMT_DXT3);
	ASSERT_EQ(image.format, D3DFMT_DXT3);
	EXPECT_EQ(image.width, 8u);
	EXPECT_EQ(image.height, 4u);
	EXPECT_EQ(image.pitch, 32u);
	ASSERT_EQ(image.bits.size(), 32u);

	tBytes rgba(8 * 4 * 4);
	squish::DecompressImage(rgba.data(), 8, 4, image.bits.data(), squish::kDxt3);
	for (int y = 0; y < 4; ++y)
		for (int x = 0; x < 8; ++x)
		{
			const uint8_t* p = &rgba[(y * 8 + x) * 4];
			const bool inside = x < 6 && y < 3;
			EXPECT_EQ(p[3], inside ? 0x88 : 0) << x << "," << y;
			if (inside)
			{
				EXPECT_EQ((tBgra{p[0], p[1], p[2], p[3]}), (tBgra{255, 0, 0, 0x88})) << x << "," << y;
			}
		}
}

TEST(D3DXImage, Dxt3DdsWithPowerOfTwoSidesKeepsItsBlocks)
{
	const tBytes blocks = CompressBlocks(FlatBlocksRgba(2), 8, 4, squish::kDxt3);
	const sD3DXDecodedImage image = Decode(WriteDds({8, 4, DDPF_FOURCC, D3DFMT_DXT3, 0, {}, blocks}), D3DFMT_DXT3);
	EXPECT_EQ(image.format, D3DFMT_DXT3);
	EXPECT_EQ(image.pitch, 32u);
	EXPECT_EQ(image.bits, blocks);
}

TEST(D3DXImage, DdsSaveAndReloadRoundTrip)
{
	// An 8 by 4 A8R8G8B8 image of two flat blocks, as the alpha-texture
	// composition leaves it.
	sD3DXDecodedImage image;
	image.width = image.imageWidth = 8;
	image.height = image.imageHeight = 4;
	image.format = D3DFMT_A8R8G8B8;
	image.pitch = 32;
	for (const tBgra& texel : FlatBlocksTexels(2, true))
		image.bits.insert(image.bits.end(), texel.begin(), texel.end());

	tBytes file;
	ASSERT_EQ(D3DXEncodeDdsInMemory(image, file), S_OK);
	EXPECT_EQ(file.size(), 128u + 8 * 4 * 4);

	EXPECT_EQ(Decode(file).bits, image.bits);

	D3DXIMAGE_INFO info = {};
	const sD3DXDecodedImage reloaded = Decode(file, D3DFMT_DXT3, &info);
	EXPECT_EQ(info.Width, 8u);
	EXPECT_EQ(info.Height, 4u);
	EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS);
	ASSERT_EQ(reloaded.format, D3DFMT_DXT3);
	tBytes rgba(8 * 4 * 4);
	squish::DecompressImage(rgba.data(), 8, 4, reloaded.bits.data(), squish::kDxt3);
	EXPECT_EQ(rgba, FlatBlocksRgba(2));
}

TEST(D3DXImage, EncoderRefusesOtherFormats)
{
	sD3DXDecodedImage image;
	image.width = image.height = 4;
	image.format = D3DFMT_DXT3;
	image.pitch = 16;
	image.bits.resize(16);
	tBytes file;
	EXPECT_EQ(D3DXEncodeDdsInMemory(image, file), E_INVALIDARG);
	image.format = D3DFMT_A8R8G8B8; // bits too short for 4 by 4 texels
	EXPECT_EQ(D3DXEncodeDdsInMemory(image, file), E_INVALIDARG);
}
