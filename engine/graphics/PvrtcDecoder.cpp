#include "engine/graphics/PvrtcDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace
{
const int kWeights[4] = {0, 3, 5, 8}; // modulation mode 0, and 2-bit mode
const int kPunchThroughWeights[4] = {0, 4, 4, 8}; // 4-bit mode with mode bit 1

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

// Blocks Q and S become P and R: their colours and the right half of the
// modulation arrays move to the left.
void MoveRightBlocksLeft(tPvrtcColours (&colours)[4], sPvrtcModulation& modulation, int blockWidth)
{
	memcpy(colours[0], colours[1], sizeof(colours[0]));
	memcpy(colours[2], colours[3], sizeof(colours[2]));
	for (int row = 0; row < 2 * kBlockHeight; ++row)
	{
		memcpy(modulation.values[row], modulation.values[row] + blockWidth, blockWidth * sizeof(int));
		memcpy(modulation.modes[row], modulation.modes[row] + blockWidth, blockWidth * sizeof(int));
	}
}

// The blend of InterpolatePvrtcColours for a texel at u, v from the centre
// of block P (the decoder works these out once for both colours).
inline void BlendBlockColours(const int (&p)[4], const int (&q)[4], const int (&r)[4], const int (&s)[4],
	bool twoBitMode, int u, int v, int (&result)[4])
{
	const int blockWidth = BlockWidth(twoBitMode);
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

sPvrtcBlock ReadBlock(const unsigned char* data, unsigned index)
{
	const unsigned char* bytes = data + 8 * static_cast<size_t>(index);
	sPvrtcBlock block;
	block.modulation = static_cast<uint32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16)) |
		(static_cast<uint32_t>(bytes[3]) << 24);
	block.colour = static_cast<uint32_t>(bytes[4] | (bytes[5] << 8) | (bytes[6] << 16)) |
		(static_cast<uint32_t>(bytes[7]) << 24);
	return block;
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
	BlendBlockColours(p, q, r, s, twoBitMode, PositionInBlocks(x, blockWidth) - blockWidth / 2,
		PositionInBlocks(y, kBlockHeight) - kBlockHeight / 2, result);
}

sPvrtcWeight GetPvrtcModulation(int x, int y, bool twoBitMode, const sPvrtcModulation& modulation)
{
	const int yy = PositionInBlocks(y, kBlockHeight);
	const int xx = PositionInBlocks(x, BlockWidth(twoBitMode));
	const int value = modulation.values[yy][xx];
	if (modulation.modes[yy][xx] == 0)
		return {kWeights[value], false};
	if (!twoBitMode)
		return {kPunchThroughWeights[value], value == 2};
	if (((xx ^ yy) & 1) == 0)
		return {kWeights[value], false};
	const int sum = kWeights[modulation.values[yy - 1][xx]] + kWeights[modulation.values[yy + 1][xx]] +
		kWeights[modulation.values[yy][xx - 1]] + kWeights[modulation.values[yy][xx + 1]];
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

	const unsigned char* bytes = static_cast<const unsigned char*>(data);
	sPvrtcModulation modulation;
	memset(&modulation, 0, sizeof(modulation));
	tPvrtcColours colours[4]; // blocks P, Q, R, S
	unsigned currentX = ~0u;
	unsigned currentY = ~0u;
	for (int y = 0; y < height; ++y)
	{
		const unsigned by = static_cast<unsigned>((y - kBlockHeight / 2) & (height - 1)) / kBlockHeight;
		const int v = PositionInBlocks(y, kBlockHeight) - kBlockHeight / 2;
		for (int x = 0; x < width; ++x, out += 4)
		{
			const unsigned bx = static_cast<unsigned>((x - blockWidth / 2) & (width - 1)) / blockWidth;
			if (bx != currentX || by != currentY)
			{
				// The neighbourhood changes once per block step, not per texel.
				// A step to the right keeps the right-hand blocks as the new
				// left-hand ones; only the new right-hand pair is unpacked.
				const bool stepRight = by == currentY && bx == ((currentX + 1) & (blocksX - 1));
				currentX = bx;
				currentY = by;
				const unsigned bx1 = (bx + 1) & (blocksX - 1);
				const unsigned by1 = (by + 1) & (blocksY - 1);
				const unsigned rows[4] = {by, by, by1, by1};
				const unsigned columns[4] = {bx, bx1, bx, bx1};
				if (stepRight)
					MoveRightBlocksLeft(colours, modulation, blockWidth);
				for (int i = stepRight ? 1 : 0; i < 4; i += stepRight ? 2 : 1)
				{
					const sPvrtcBlock block = ReadBlock(bytes, TwiddlePvrtcBlock(blocksY, blocksX, rows[i], columns[i]));
					UnpackPvrtcColours(block, colours[i]);
					UnpackPvrtcModulation(block, twoBitMode, modulation, (i & 1) * blockWidth, (i >> 1) * kBlockHeight);
				}
			}
			const int u = PositionInBlocks(x, blockWidth) - blockWidth / 2;
			int a[4];
			int b[4];
			BlendBlockColours(colours[0][0], colours[1][0], colours[2][0], colours[3][0], twoBitMode, u, v, a);
			BlendBlockColours(colours[0][1], colours[1][1], colours[2][1], colours[3][1], twoBitMode, u, v, b);
			const sPvrtcWeight weight = GetPvrtcModulation(x, y, twoBitMode, modulation);
			for (int k = 0; k < 4; ++k)
				out[k] = static_cast<unsigned char>((a[k] * 8 + weight.weight * (b[k] - a[k])) >> 3);
			if (weight.punchThrough)
				out[3] = 0;
		}
	}
	return true;
}
