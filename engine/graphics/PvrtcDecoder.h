#pragma once
// Decoder of PVRTC texture data (PowerVR texture compression, 2 or 4 bits
// per pixel) into 8-bit R, G, B, A pixels, for devices without PVRTC support.
//
// The data is a grid of 64-bit blocks in twiddled (Morton) order, each block
// 8 by 4 texels (2-bit mode) or 4 by 4 texels (4-bit mode), with two colours
// and a 2-bit modulation value per texel. A texel blends the colours of the
// four blocks around it, so the grid is at least 2 by 2 blocks.

#include <cstddef>
#include <cstdint>

// One block as stored: the modulation data, then the colour data.
struct sPvrtcBlock
{
	uint32_t modulation;
	uint32_t colour;
};

// The colours A and B of a block, each R, G, B (0 to 31) and alpha (0 to 15).
typedef int tPvrtcColours[2][4];

// Modulation values and modes of the 2 by 2 blocks around the current texel:
// the first block fills rows 0-3 from column 0, the second rows 0-3 from
// the block width, the third rows 4-7 from column 0, the fourth rows 4-7
// from the block width.
struct sPvrtcModulation
{
	int values[8][16];
	int modes[8][16];
};

// Modulation weights of the 2-bit values: mode 0 and the 2-bit mode, and
// the 4-bit mode with mode bit 1 (where value 2 also means punch-through).
inline constexpr int kPvrtcWeights[4] = {0, 3, 5, 8};
inline constexpr int kPvrtcPunchThroughWeights[4] = {0, 4, 4, 8};

struct sPvrtcWeight
{
	int weight; // 0 (colour A) to 8 (colour B)
	bool punchThrough; // the texel is fully transparent
};

// Decodes a width by height image (powers of two) from dataSize bytes into
// width * height * 4 bytes at out, pixel (x, y) at (x + y * width) * 4.
// Addressing wraps around the image edges; wrap false (clamping) is not
// supported. Returns false, writing nothing, for a size that is not a power
// of two, data shorter than the block grid, or wrap false.
bool DecompressPvrtc(const void* data, size_t dataSize, bool twoBitMode, int width, int height, bool wrap,
	unsigned char* out);

// Index of block (row, column) in a grid of rows by columns blocks stored in
// twiddled order: the bits of row and column interleaved (row bits even)
// over the smaller side, the rest of the longer side's coordinate above them.
unsigned TwiddlePvrtcBlock(unsigned rows, unsigned columns, unsigned row, unsigned column);

void UnpackPvrtcColours(const sPvrtcBlock& block, tPvrtcColours& colours);

// Writes the block's modulation values and modes at rows firstRow to
// firstRow + 3 and columns firstColumn on.
void UnpackPvrtcModulation(const sPvrtcBlock& block, bool twoBitMode, sPvrtcModulation& modulation,
	int firstColumn, int firstRow);

// Bilinear blend of one colour of the four blocks P, Q (right of P), R (below
// P) and S at texel (x, y), with 8 bits per channel.
void InterpolatePvrtcColours(const int (&p)[4], const int (&q)[4], const int (&r)[4], const int (&s)[4],
	bool twoBitMode, int x, int y, int (&result)[4]);

sPvrtcWeight GetPvrtcModulation(int x, int y, bool twoBitMode, const sPvrtcModulation& modulation);
