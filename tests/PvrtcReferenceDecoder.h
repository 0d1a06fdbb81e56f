#pragma once
// The PVRTC decoder as first written, texel by texel from the decoder's step
// functions: the peer the fast decoder must match byte for byte.

#include "engine/graphics/PvrtcDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

inline bool DecompressPvrtcTexelByTexel(const void* data, size_t dataSize, bool twoBitMode, int width, int height,
	unsigned char* out)
{
	if (width <= 0 || height <= 0 || !std::has_single_bit(unsigned(width)) || !std::has_single_bit(unsigned(height)))
		return false;
	const int blockWidth = twoBitMode ? 8 : 4;
	const unsigned blocksX = std::max(2, width / blockWidth);
	const unsigned blocksY = std::max(2, height / 4);
	if (uint64_t(blocksX) * blocksY * 8 > dataSize)
		return false;
	const unsigned char* bytes = static_cast<const unsigned char*>(data);
	sPvrtcModulation modulation;
	memset(&modulation, 0, sizeof(modulation));
	tPvrtcColours colours[4]; // P, Q, R, S
	unsigned current[4] = {~0u, ~0u, ~0u, ~0u};
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x, out += 4)
		{
			const unsigned bx = unsigned((x - blockWidth / 2) & (width - 1)) / blockWidth;
			const unsigned by = unsigned((y - 2) & (height - 1)) / 4;
			const unsigned bx1 = (bx + 1) & (blocksX - 1);
			const unsigned by1 = (by + 1) & (blocksY - 1);
			const unsigned words[4] = {TwiddlePvrtcBlock(blocksY, blocksX, by, bx),
				TwiddlePvrtcBlock(blocksY, blocksX, by, bx1), TwiddlePvrtcBlock(blocksY, blocksX, by1, bx),
				TwiddlePvrtcBlock(blocksY, blocksX, by1, bx1)};
			if (!std::equal(words, words + 4, current))
			{
				std::copy(words, words + 4, current);
				for (int i = 0; i < 4; ++i)
				{
					const unsigned char* word = bytes + 8 * size_t(words[i]);
					sPvrtcBlock block;
					memcpy(&block.modulation, word, 4);
					memcpy(&block.colour, word + 4, 4);
					UnpackPvrtcColours(block, colours[i]);
					UnpackPvrtcModulation(block, twoBitMode, modulation, (i & 1) * blockWidth, (i >> 1) * 4);
				}
			}
			int a[4];
			int b[4];
			InterpolatePvrtcColours(colours[0][0], colours[1][0], colours[2][0], colours[3][0], twoBitMode, x, y, a);
			InterpolatePvrtcColours(colours[0][1], colours[1][1], colours[2][1], colours[3][1], twoBitMode, x, y, b);
			const sPvrtcWeight weight = GetPvrtcModulation(x, y, twoBitMode, modulation);
			for (int k = 0; k < 4; ++k)
				out[k] = static_cast<unsigned char>((a[k] * 8 + weight.weight * (b[k] - a[k])) >> 3);
			if (weight.punchThrough)
				out[3] = 0;
		}
	return true;
}
