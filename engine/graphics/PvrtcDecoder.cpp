#include "engine/graphics/PvrtcDecoder.h"

#include "engine/graphics/cPvrtcImage.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace
{
constexpr int kBlockHeight = 4;

int BlockWidth(bool twoBitMode)
{
	return twoBitMode ? 8 : 4;
}

// The position of texel coordinate t within the 2 by 2 blocks around it:
// from blockSize / 2 to blockSize / 2 * 3 - 1.
int PositionInBlocks(int t, int blockSize)
{
	const int half = blockSize / 2;
	return (t & (blockSize - 1)) | ((~t & half) << 1);
}
}

unsigned TwiddlePvrtcBlock(unsigned rows, unsigned columns, unsigned row, unsigned column)
{
	const unsigned smaller = rows < columns ? rows : columns;
	const unsigned leftover = rows < columns ? column : row;
	unsigned result = 0;
	unsigned k = 0;
	for (; (1u << k) < smaller; ++k)
		result |= (((row >> k) & 1) << (2 * k)) | (((column >> k) & 1) << (2 * k + 1));
	return result | ((leftover >> k) << (2 * k));
}

void UnpackPvrtcColours(const sPvrtcBlock& block, tPvrtcColours& colours)
{
	// Bit 0 of the colour data is the block's modulation mode, not colour.
	const uint32_t raw[2] = {block.colour & 0xFFFE, block.colour >> 16};
	for (int i = 0; i < 2; ++i)
	{
		const uint32_t v = raw[i];
		int* colour = colours[i];
		if (v & 0x8000)
		{
			colour[0] = (v >> 10) & 31;
			colour[1] = (v >> 5) & 31;
			colour[2] = v & 31;
			colour[3] = 15;
			if (i == 0)
				colour[2] |= colour[2] >> 4; // colour A keeps 4 blue bits
		}
		else
		{
			colour[0] = (v >> 7) & 0x1E;
			colour[0] |= colour[0] >> 4;
			colour[1] = (v >> 3) & 0x1E;
			colour[1] |= colour[1] >> 4;
			colour[2] = (v & 0xF) << 1;
			colour[2] |= colour[2] >> (i == 0 ? 3 : 4); // colour A keeps 3 blue bits, B 4
			colour[3] = (v >> 11) & 0xE;
		}
	}
}

void UnpackPvrtcModulation(const sPvrtcBlock& block, bool twoBitMode, sPvrtcModulation& modulation,
	int firstColumn, int firstRow)
{
	uint32_t m = block.modulation;
	const int modeBit = block.colour & 1;
	const int width = BlockWidth(twoBitMode);
	for (int j = 0; j < kBlockHeight; ++j)
	{
		int* values = modulation.values[firstRow + j] + firstColumn;
		int* modes = modulation.modes[firstRow + j] + firstColumn;
		for (int i = 0; i < width; ++i)
		{
			modes[i] = modeBit;
			if (!twoBitMode)
			{
				values[i] = m & 3;
				m >>= 2;
			}
			else if (modeBit == 0)
			{
				values[i] = (m & 1) ? 3 : 0;
				m >>= 1;
			}
			else if (((i ^ j) & 1) == 0)
			{
				// Only every other texel is stored; the rest are averaged.
				values[i] = m & 3;
				m >>= 2;
			}
		}
	}
}

void InterpolatePvrtcColours(const int (&p)[4], const int (&q)[4], const int (&r)[4], const int (&s)[4],
	bool twoBitMode, int x, int y, int (&result)[4])
{
	const int blockWidth = BlockWidth(twoBitMode);
	const int u = PositionInBlocks(x, blockWidth) - blockWidth / 2;
	const int v = PositionInBlocks(y, kBlockHeight) - kBlockHeight / 2;
	for (int k = 0; k < 4; ++k)
	{
		const int top = p[k] * blockWidth + u * (q[k] - p[k]);
		const int bottom = r[k] * blockWidth + u * (s[k] - r[k]);
		result[k] = top * 4 + v * (bottom - top);
	}
	const int colourShift = twoBitMode ? 2 : 1;
	const int alphaShift = twoBitMode ? 1 : 0;
	for (int k = 0; k < 3; ++k)
	{
		result[k] >>= colourShift;
		result[k] += result[k] >> 5;
	}
	result[3] >>= alphaShift;
	result[3] += result[3] >> 4;
}

sPvrtcWeight GetPvrtcModulation(int x, int y, bool twoBitMode, const sPvrtcModulation& modulation)
{
	const int yy = PositionInBlocks(y, kBlockHeight);
	const int xx = PositionInBlocks(x, BlockWidth(twoBitMode));
	const int value = modulation.values[yy][xx];
	if (modulation.modes[yy][xx] == 0)
		return {kPvrtcWeights[value], false};
	if (!twoBitMode)
		return {kPvrtcPunchThroughWeights[value], value == 2};
	if (((xx ^ yy) & 1) == 0)
		return {kPvrtcWeights[value], false};
	const int sum = kPvrtcWeights[modulation.values[yy - 1][xx]] + kPvrtcWeights[modulation.values[yy + 1][xx]] +
		kPvrtcWeights[modulation.values[yy][xx - 1]] + kPvrtcWeights[modulation.values[yy][xx + 1]];
	return {(sum + 2) / 4, false};
}

bool DecompressPvrtc(const void* data, size_t dataSize, bool twoBitMode, int width, int height, bool wrap,
	unsigned char* out)
{
	if (!wrap || width <= 0 || height <= 0 || !std::has_single_bit(static_cast<unsigned>(width)) ||
		!std::has_single_bit(static_cast<unsigned>(height)))
		return false;
	const int blockWidth = BlockWidth(twoBitMode);
	const unsigned blocksX = std::max(2, width / blockWidth);
	const unsigned blocksY = std::max(2, height / kBlockHeight);
	if (static_cast<uint64_t>(blocksX) * blocksY * 8 > dataSize)
		return false;
	cPvrtcImage image(static_cast<const unsigned char*>(data), twoBitMode, blocksX, blocksY);
	// An image narrower than a block or lower than four rows repeats itself
	// within one: it is decoded at that size and its first texels kept.
	const int decodedWidth = std::max(width, blockWidth);
	const int decodedHeight = std::max(height, kBlockHeight);
	if (decodedWidth == width && decodedHeight == height)
	{
		image.Decode(width, height, out);
		return true;
	}
	std::vector<unsigned char> whole(static_cast<size_t>(decodedWidth) * decodedHeight * 4);
	image.Decode(decodedWidth, decodedHeight, whole.data());
	for (int y = 0; y < height; ++y)
		memcpy(out + static_cast<size_t>(y) * width * 4, &whole[static_cast<size_t>(y) * decodedWidth * 4],
			static_cast<size_t>(width) * 4);
	return true;
}
