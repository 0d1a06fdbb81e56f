#pragma once
// PVRTC data unpacked once for decoding: both colours of every block, and
// the modulation weight of every texel as a plane. The image is then decoded
// a block-sized tile at a time: each tile lies between the centres of four
// blocks, so along each of its rows the colours change by a fixed step.

#include <cstddef>
#include <cstdint>
#include <memory>

struct sPvrtcBlock;

class cPvrtcImage
{
public:
	// blocksX by blocksY blocks (powers of two, at least 2) in twiddled order.
	cPvrtcImage(const unsigned char* data, bool twoBitMode, unsigned blocksX, unsigned blocksY);

	// Writes width by height R, G, B, A pixels; width is at least the block
	// width, height at least 4, and neither more than the block grid covers.
	void Decode(int width, int height, unsigned char* out) const;

private:
	// Both colours of a block as eight channels A.r, A.g, A.b, A.a, B.r, ...,
	// the alphas doubled so that every channel of a blend takes one shift.
	struct sColours
	{
		int16_t channels[8];
	};

	template <int blockWidth>
	void DecodeTiles(int width, int height, unsigned char* out) const;
	static void UnpackColours(const sPvrtcBlock& block, sColours& colours);
	// The weights of the block's texels, from texel (x, y) of the plane on.
	void UnpackWeights(const sPvrtcBlock& block, unsigned x, unsigned y);
	// The 2-bit texels of a block of mode 1 whose value is not stored take
	// their neighbours' average.
	void AverageUnstoredWeights(unsigned x, unsigned y);
	// Copies the first columns and rows past the plane's end, so that a tile
	// reads its weights without wrapping.
	void WrapWeightPlane();
	uint8_t& Weight(unsigned x, unsigned y) { return m_weights[size_t(y) * m_stride + x]; }

	bool m_twoBitMode;
	int m_blockWidth;
	unsigned m_blocksX;
	unsigned m_blocksY;
	std::unique_ptr<sColours[]> m_colours; // row by row, not twiddled
	size_t m_stride; // of the weight plane
	std::unique_ptr<uint8_t[]> m_weights;
};
