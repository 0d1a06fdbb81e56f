#pragma once
// PVRTC data decoded a block-sized tile at a time: each tile lies between the
// centres of four blocks, so along each of its rows the colours change by a
// fixed step. The blocks are read once each, a row of blocks at a time: both
// colours of every block of the row, and the modulation weights of its texels
// as four rows of a plane. Only the rows that the current tiles and the 2-bit
// mode's averaging need are kept: the first and last block rows (the tiles
// wrap around the image) and three more.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct sPvrtcBlock;

class cPvrtcImage
{
public:
	// blocksX by blocksY blocks (powers of two, at least 2) in twiddled order.
	cPvrtcImage(const unsigned char* data, bool twoBitMode, unsigned blocksX, unsigned blocksY);

	// Writes width by height R, G, B, A pixels; width is at least the block
	// width, height at least 4, and neither more than the block grid covers.
	void Decode(int width, int height, unsigned char* out);

private:
	// Both colours of a block as eight channels A.r, A.g, A.b, A.a, B.r, ...,
	// the alphas doubled so that every channel of a blend takes one shift.
	struct sColours
	{
		int16_t channels[8];
	};

	// One row of blocks unpacked.
	struct sBlockRow
	{
		std::vector<sColours> colours;
		std::vector<uint8_t> modeBits;
		// Four texel rows of weights, each followed by copies of its first
		// half block, so that a tile reads its weights without wrapping.
		std::vector<uint8_t> weights;
	};

	template <int blockWidth>
	void DecodeTiles(int width, int height, unsigned char* out);
	sBlockRow& RowOf(unsigned blockRow);
	// Reads the blocks of a row: their colours and the weights they store.
	void UnpackRow(unsigned blockRow);
	// Completes the weights of a row whose neighbour rows are unpacked: the
	// averaged ones of the 2-bit mode, and the copies past the row's end.
	void FinishRow(unsigned blockRow);
	static void UnpackColours(const sPvrtcBlock& block, sColours& colours);
	// The weights of the block's texels, from weights on, rows m_stride apart.
	void UnpackWeights(const sPvrtcBlock& block, uint8_t* weights) const;
	// The 2-bit texels of a block of mode 1 whose value is not stored take
	// their neighbours' average; texelRows are texel rows -1 to 4 of the
	// block's row.
	void AverageUnstoredWeights(uint8_t* const (&texelRows)[6], unsigned column) const;
	// Texel row j (-1 to 4, reaching into the rows above and below) of a
	// block row.
	uint8_t* TexelRow(unsigned blockRow, int j);

	const unsigned char* m_data;
	bool m_twoBitMode;
	int m_blockWidth;
	unsigned m_blocksX;
	unsigned m_blocksY;
	size_t m_stride; // of the weight rows
	// Twiddled block index = the bits of the row ORed with those of the column.
	std::vector<unsigned> m_rowBits;
	std::vector<unsigned> m_columnBits;
	std::array<sBlockRow, 5> m_rows; // the first, the last, and three in turn
};
