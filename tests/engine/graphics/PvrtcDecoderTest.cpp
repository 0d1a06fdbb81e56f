#include "engine/graphics/PvrtcDecoder.h"

#include "PvrtcReferenceDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <vector>

namespace
{
typedef std::array<int, 4> tPixel;

// Colour fields as a PVRTC encoder stores them (bit 15 set: opaque).
uint16_t OpaqueColourA(int red5, int green5, int blue4)
{
	return static_cast<uint16_t>(0x8000 | (red5 << 10) | (green5 << 5) | (blue4 << 1));
}

uint16_t OpaqueColourB(int red5, int green5, int blue5)
{
	return static_cast<uint16_t>(0x8000 | (red5 << 10) | (green5 << 5) | blue5);
}

const uint16_t kWhiteA = OpaqueColourA(31, 31, 15);
const uint16_t kWhiteB = OpaqueColourB(31, 31, 31);
const uint16_t kBlackA = OpaqueColourA(0, 0, 0);
const uint16_t kBlackB = OpaqueColourB(0, 0, 0);
const uint16_t kRedA = OpaqueColourA(31, 0, 0);
const uint16_t kBlueB = OpaqueColourB(0, 0, 31);

sPvrtcBlock MakeBlock(uint16_t colourA, uint16_t colourB, int modeBit, uint32_t modulation)
{
	return {modulation, (static_cast<uint32_t>(colourB) << 16) | colourA | static_cast<uint32_t>(modeBit)};
}

// 4-bit mode: one 2-bit value per texel, row by row.
uint32_t FourBitModulation(const std::function<int(int i, int j)>& value)
{
	uint32_t m = 0;
	for (int j = 0; j < 4; ++j)
		for (int i = 0; i < 4; ++i)
			m |= static_cast<uint32_t>(value(i, j)) << (2 * (j * 4 + i));
	return m;
}

uint32_t UniformFourBitModulation(int value)
{
	return FourBitModulation([value](int, int) { return value; });
}

// 2-bit mode with mode bit 1: 2-bit values of the checkerboard texels only.
uint32_t TwoBitCheckerboardModulation(const std::function<int(int i, int j)>& value)
{
	uint32_t m = 0;
	int shift = 0;
	for (int j = 0; j < 4; ++j)
		for (int i = 0; i < 8; ++i)
			if (((i ^ j) & 1) == 0)
			{
				m |= static_cast<uint32_t>(value(i, j)) << shift;
				shift += 2;
			}
	return m;
}

// Lays blocks out in twiddled order, as a PVRTC encoder does.
std::vector<unsigned char> EncodeBlocks(unsigned blocksX, unsigned blocksY,
	const std::function<sPvrtcBlock(unsigned row, unsigned column)>& blockAt)
{
	std::vector<unsigned char> data(blocksX * blocksY * 8);
	for (unsigned row = 0; row < blocksY; ++row)
		for (unsigned column = 0; column < blocksX; ++column)
		{
			const sPvrtcBlock block = blockAt(row, column);
			unsigned char* bytes = &data[8 * TwiddlePvrtcBlock(blocksY, blocksX, row, column)];
			for (int i = 0; i < 4; ++i)
			{
				bytes[i] = static_cast<unsigned char>(block.modulation >> (8 * i));
				bytes[4 + i] = static_cast<unsigned char>(block.colour >> (8 * i));
			}
		}
	return data;
}

std::vector<unsigned char> EncodeUniform(unsigned blocksX, unsigned blocksY, const sPvrtcBlock& block)
{
	return EncodeBlocks(blocksX, blocksY, [&](unsigned, unsigned) { return block; });
}

struct sDecoded
{
	int width;
	std::vector<unsigned char> pixels;

	tPixel At(int x, int y) const
	{
		const unsigned char* p = &pixels[(x + y * width) * 4];
		return {p[0], p[1], p[2], p[3]};
	}
};

sDecoded Decode(const std::vector<unsigned char>& data, bool twoBitMode, int width, int height)
{
	sDecoded decoded{width, std::vector<unsigned char>(width * height * 4)};
	EXPECT_TRUE(DecompressPvrtc(data.data(), data.size(), twoBitMode, width, height, true, decoded.pixels.data()));
	return decoded;
}
}

TEST(PvrtcDecoder, TwiddlesBlockIndexes)
{
	struct sCase
	{
		unsigned rows, columns, row, column, index;
	};
	const sCase cases[] = {
		{4, 4, 1, 0, 1},
		{4, 4, 0, 1, 2},
		{4, 4, 3, 3, 15},
		{2, 8, 1, 5, 11}, // interleaves one bit, then the rest of the column
		{8, 2, 5, 1, 11}, // the same with the row as the longer side
		{2, 2, 1, 1, 3},
	};
	for (const sCase& c : cases)
		EXPECT_EQ(TwiddlePvrtcBlock(c.rows, c.columns, c.row, c.column), c.index)
			<< c.rows << "x" << c.columns << " (" << c.row << ", " << c.column << ")";
}

TEST(PvrtcDecoder, UnpacksOpaqueAndTranslucentColours)
{
	struct sCase
	{
		uint32_t colourData;
		tPixel a, b;
	};
	const sCase cases[] = {
		// Opaque: 5-bit channels, colour A's 4 blue bits widened by their top bit.
		{(static_cast<uint32_t>(OpaqueColourB(3, 9, 30)) << 16) | OpaqueColourA(5, 17, 11), {5, 17, 23, 15},
			{3, 9, 30, 15}},
		// Translucent: 4-bit red and green, 3 alpha bits (B 4 and A 3 blue bits).
		{(0x3456u << 16) | 0x7FFE, {31, 31, 31, 14}, {8, 10, 12, 6}},
		// The mode bit (bit 0) never reaches colour A.
		{(0x7FFFu << 16) | 0x7FFF, {31, 31, 31, 14}, {31, 31, 31, 14}},
	};
	for (const sCase& c : cases)
	{
		tPvrtcColours colours;
		UnpackPvrtcColours({0, c.colourData}, colours);
		EXPECT_EQ((tPixel{colours[0][0], colours[0][1], colours[0][2], colours[0][3]}), c.a) << std::hex << c.colourData;
		EXPECT_EQ((tPixel{colours[1][0], colours[1][1], colours[1][2], colours[1][3]}), c.b) << std::hex << c.colourData;
	}
}

TEST(PvrtcDecoder, OpaqueWhiteDecodesToFullWhiteInBothModes)
{
	for (bool twoBitMode : {false, true})
	{
		const sDecoded decoded =
			Decode(EncodeUniform(2, 2, MakeBlock(kWhiteA, kWhiteB, 0, 0)), twoBitMode, twoBitMode ? 16 : 8, 8);
		for (int y = 0; y < 8; ++y)
			for (int x = 0; x < decoded.width; ++x)
				ASSERT_EQ(decoded.At(x, y), (tPixel{255, 255, 255, 255})) << twoBitMode << " " << x << "," << y;
	}
}

TEST(PvrtcDecoder, FourBitModulationBlendsColourAToColourB)
{
	// Colour A red, colour B blue; the weights 0, 3, 5 and 8 eighths of B.
	const tPixel expected[4] = {{255, 0, 0, 255}, {159, 0, 95, 255}, {95, 0, 159, 255}, {0, 0, 255, 255}};
	for (int value = 0; value < 4; ++value)
	{
		const sDecoded decoded =
			Decode(EncodeUniform(4, 2, MakeBlock(kRedA, kBlueB, 0, UniformFourBitModulation(value))), false, 16, 8);
		for (int y = 0; y < 8; ++y)
			for (int x = 0; x < 16; ++x)
				ASSERT_EQ(decoded.At(x, y), expected[value]) << "value " << value << " at " << x << "," << y;
	}
}

TEST(PvrtcDecoder, PunchThroughMakesValueTwoTransparent)
{
	// Mode bit 1 in 4-bit mode: values 1 and 2 both weigh one half; 2 also
	// clears the alpha whatever the colours.
	const uint32_t modulation = FourBitModulation([](int i, int) { return i % 4; });
	const sDecoded decoded = Decode(EncodeUniform(2, 2, MakeBlock(kRedA, kBlueB, 1, modulation)), false, 8, 8);
	for (int y = 0; y < 8; ++y)
	{
		EXPECT_EQ(decoded.At(0, y), (tPixel{255, 0, 0, 255}));
		EXPECT_EQ(decoded.At(1, y), (tPixel{127, 0, 127, 255}));
		EXPECT_EQ(decoded.At(2, y)[3], 0);
		EXPECT_EQ(decoded.At(3, y), (tPixel{0, 0, 255, 255}));
	}
}

TEST(PvrtcDecoder, TwoBitModeZeroUsesOneBitPerTexel)
{
	// Bit set: colour B; clear: colour A. Columns alternate, 8 texels a row.
	const sDecoded decoded = Decode(EncodeUniform(2, 2, MakeBlock(kRedA, kBlueB, 0, 0xAAAAAAAA)), true, 16, 8);
	for (int y = 0; y < 8; ++y)
		for (int x = 0; x < 16; ++x)
			ASSERT_EQ(decoded.At(x, y), (x % 2 ? tPixel{0, 0, 255, 255} : tPixel{255, 0, 0, 255})) << x << "," << y;
}

TEST(PvrtcDecoder, TwoBitModeOneAveragesTheUnstoredTexels)
{
	// Stored texels: value 3 (colour B) on even rows, 0 (colour A) on odd
	// rows. Every other texel averages two of each: weight (8 + 8 + 2) / 4 = 4.
	const uint32_t modulation = TwoBitCheckerboardModulation([](int, int j) { return j % 2 ? 0 : 3; });
	const sDecoded decoded = Decode(EncodeUniform(2, 2, MakeBlock(kRedA, kBlueB, 1, modulation)), true, 16, 8);
	for (int y = 0; y < 8; ++y)
		for (int x = 0; x < 16; ++x)
		{
			const bool stored = ((x ^ y) & 1) == 0;
			const tPixel expected = !stored ? tPixel{127, 0, 127, 255}
				: y % 2 ? tPixel{255, 0, 0, 255}
						: tPixel{0, 0, 255, 255};
			ASSERT_EQ(decoded.At(x, y), expected) << x << "," << y;
		}
}

TEST(PvrtcDecoder, ColoursBlendBetweenBlockCentres)
{
	// 4 by 2 blocks, block (row 1, column 2) white and the others black. At a
	// block's centre only that block counts; texel (8, 4) lies between four
	// blocks and (10, 4) halfway between two.
	const std::vector<unsigned char> data = EncodeBlocks(4, 2, [](unsigned row, unsigned column) {
		return row == 1 && column == 2 ? MakeBlock(kWhiteA, kWhiteB, 0, 0) : MakeBlock(kBlackA, kBlackB, 0, 0);
	});
	const sDecoded decoded = Decode(data, false, 16, 8);
	EXPECT_EQ(decoded.At(10, 6), (tPixel{255, 255, 255, 255}));
	EXPECT_EQ(decoded.At(6, 6), (tPixel{0, 0, 0, 255}));
	EXPECT_EQ(decoded.At(10, 2), (tPixel{0, 0, 0, 255}));
	EXPECT_EQ(decoded.At(8, 4), (tPixel{63, 63, 63, 255}));
	EXPECT_EQ(decoded.At(10, 4), (tPixel{127, 127, 127, 255}));
}

TEST(PvrtcDecoder, SmallImagesStillUseTwoByTwoBlocks)
{
	// An 8 by 8 image in 2-bit mode is one block wide but reads 2 by 2.
	const std::vector<unsigned char> data = EncodeUniform(2, 2, MakeBlock(kWhiteA, kWhiteB, 0, 0));
	std::vector<unsigned char> pixels(8 * 8 * 4);
	EXPECT_TRUE(DecompressPvrtc(data.data(), 32, true, 8, 8, true, pixels.data()));
	EXPECT_FALSE(DecompressPvrtc(data.data(), 31, true, 8, 8, true, pixels.data()));
	EXPECT_TRUE(DecompressPvrtc(data.data(), 32, false, 4, 4, true, pixels.data()));
}

TEST(PvrtcDecoder, RefusesBadSizesAndShortData)
{
	const std::vector<unsigned char> data(64 * 64 / 2, 0xFF); // 4-bit 64 by 64
	std::vector<unsigned char> pixels(128 * 64 * 4, 0xAB);
	struct sCase
	{
		size_t size;
		bool twoBitMode;
		int width, height;
		bool wrap;
	};
	const sCase cases[] = {
		{data.size(), false, 96, 64, true}, // not a power of two
		{data.size(), false, 64, 48, true},
		{data.size(), false, 0, 64, true},
		{data.size(), false, -64, 64, true},
		{data.size() - 1, false, 64, 64, true}, // one byte short
		{data.size(), false, 128, 64, true}, // claims more blocks than present
		{data.size(), false, 64, 64, false}, // clamping is not supported
	};
	for (const sCase& c : cases)
	{
		EXPECT_FALSE(DecompressPvrtc(data.data(), c.size, c.twoBitMode, c.width, c.height, c.wrap, pixels.data()))
			<< c.width << "x" << c.height << " " << c.size;
		EXPECT_EQ(pixels[0], 0xAB);
	}
	EXPECT_TRUE(DecompressPvrtc(data.data(), data.size(), false, 64, 64, true, pixels.data()));
	EXPECT_TRUE(DecompressPvrtc(data.data(), data.size(), true, 128, 64, true, pixels.data()));
}

TEST(PvrtcDecoder, MatchesTheTexelByTexelDecoderOnRandomBlocksAndSizes)
{
	std::mt19937 random(20240617);
	const int sides[] = {1, 2, 4, 8, 16, 32, 64, 256};
	for (int round = 0; round < 400; ++round)
	{
		const bool twoBitMode = round & 1;
		const int width = sides[random() % 8];
		const int height = sides[random() % 8];
		const size_t blocks = size_t(std::max(2, width / (twoBitMode ? 8 : 4))) * std::max(2, height / 4);
		std::vector<unsigned char> data(blocks * 8);
		// Some images have every block in one modulation mode, so that both
		// modes meet their own kind at every edge.
		const int modes = round % 6;
		for (size_t i = 0; i < data.size(); ++i)
		{
			data[i] = static_cast<unsigned char>(random());
			if (i % 8 == 4 && modes < 2)
				data[i] = static_cast<unsigned char>((data[i] & ~1) | modes);
		}
		std::vector<unsigned char> expected(size_t(width) * height * 4);
		std::vector<unsigned char> actual(expected.size());
		ASSERT_TRUE(DecompressPvrtcTexelByTexel(data.data(), data.size(), twoBitMode, width, height, expected.data()));
		ASSERT_TRUE(DecompressPvrtc(data.data(), data.size(), twoBitMode, width, height, true, actual.data()));
		ASSERT_EQ(actual, expected) << (twoBitMode ? "2" : "4") << "-bit " << width << " by " << height << ", round "
									<< round;
	}
}
