#include "engine/graphics/cPvrtcImage.h"

#include "engine/graphics/PvrtcDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
constexpr int kBlockHeight = 4;
// A weight's flag for a punch-through texel (weights are 0 to 8).
constexpr uint8_t kPunchThrough = 16;

// The weights of a row of four 4-bit texels (or eight 2-bit texels of mode
// 0) for each byte of modulation data, for either mode bit.
struct sWeightTables
{
	uint8_t fourBit[2][256][4];
	uint8_t twoBit[256][8];
};

constexpr sWeightTables MakeWeightTables()
{
	sWeightTables made {};
	for (unsigned byte = 0; byte < 256; ++byte)
	{
		for (int i = 0; i < 4; ++i)
		{
			const unsigned value = (byte >> (2 * i)) & 3;
			made.fourBit[0][byte][i] = uint8_t(kPvrtcWeights[value]);
			made.fourBit[1][byte][i] = uint8_t(kPvrtcPunchThroughWeights[value] | (value == 2 ? kPunchThrough : 0));
		}
		for (int i = 0; i < 8; ++i)
			made.twoBit[byte][i] = uint8_t(kPvrtcWeights[(byte >> i) & 1 ? 3 : 0]);
	}
	return made;
}

constexpr sWeightTables kWeightTables = MakeWeightTables();

// Given the opacity bit (bit 15), each channel of a 16-bit colour takes its
// bits from one byte of it only. A colour is thus the sum of an entry for its
// upper byte and one for its lower byte, each holding the channels (alpha
// doubled) in the 16-bit lanes of a 64-bit word: no branch on the opacity
// bit, which the data makes unpredictable.
struct sColourTables
{
	uint64_t upper[256];
	uint64_t lower[2][2][256]; // for colour A or B, by the opacity bit

	sColourTables()
	{
		for (uint32_t byte = 0; byte < 256; ++byte)
		{
			upper[byte] = ChannelsOf(0, byte << 8);
			for (int colour = 0; colour < 2; ++colour)
				for (uint32_t opaque = 0; opaque < 2; ++opaque)
				{
					const uint32_t opacity = opaque << 15;
					lower[colour][opaque][byte] = ChannelsOf(colour, opacity | byte) - ChannelsOf(colour, opacity);
				}
		}
	}

	// Colour A (0) or B (1) given as 16 bits.
	static uint64_t ChannelsOf(int colour, uint32_t bits)
	{
		tPvrtcColours unpacked;
		UnpackPvrtcColours({0, colour == 0 ? bits : bits << 16}, unpacked);
		const int(&c)[4] = unpacked[colour];
		return uint64_t(c[0]) | uint64_t(c[1]) << 16 | uint64_t(c[2]) << 32 | uint64_t(c[3] * 2) << 48;
	}
};

const sColourTables kColourTables;

sPvrtcBlock ReadBlock(const unsigned char* data, size_t index)
{
	const unsigned char* bytes = data + 8 * index;
	sPvrtcBlock block;
	block.modulation = static_cast<uint32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16)) |
		(static_cast<uint32_t>(bytes[3]) << 24);
	block.colour = static_cast<uint32_t>(bytes[4] | (bytes[5] << 8) | (bytes[6] << 16)) |
		(static_cast<uint32_t>(bytes[7]) << 24);
	return block;
}

#if defined(__SSE2__)
// Two texels from their colours A and B (four channels each, before the
// shift) and their weights (0 to 8, each repeated over its four channels):
// each channel shifted right and rounded up to 8 bits, then A and B mixed by
// the weight.
template <int shift>
inline __m128i MixTexelPair(__m128i a, __m128i b, __m128i weights)
{
	// x + (x >> 5) for colour channels, x + (x >> 4) for alpha, as a high multiply.
	const __m128i roundUp = _mm_setr_epi16(1 << 11, 1 << 11, 1 << 11, 1 << 12, 1 << 11, 1 << 11, 1 << 11, 1 << 12);
	a = _mm_srli_epi16(a, shift);
	a = _mm_add_epi16(a, _mm_mulhi_epu16(a, roundUp));
	b = _mm_srli_epi16(b, shift);
	b = _mm_add_epi16(b, _mm_mulhi_epu16(b, roundUp));
	return _mm_srai_epi16(_mm_add_epi16(_mm_slli_epi16(a, 3), _mm_mullo_epi16(_mm_sub_epi16(b, a), weights)), 3);
}
#endif

// One tile: the texels from the centre of block P towards those of Q (to the
// right), R (below) and S, blockWidth by 4 of them. Along a row the blend of
// the four blocks' colours changes by a fixed step; each channel is shifted
// right by the mode's shift and rounded up to 8 bits, then colours A and B
// are mixed by the texel's weight. Row v takes its weights from
// weightRows[v] + x and goes to rows[v] + (x & mask) * 4, for x from firstX on.
template <int blockWidth>
inline void DecodeTile(const int16_t* p, const int16_t* q, const int16_t* r, const int16_t* s,
	const uint8_t* const (&weightRows)[kBlockHeight], unsigned char* const (&rows)[kBlockHeight], unsigned firstX,
	unsigned mask)
{
	constexpr int shift = blockWidth == 8 ? 2 : 1;
#if defined(__SSE2__)
	const __m128i vp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
	const __m128i vq = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
	const __m128i vr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r));
	const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
	// Row v starts at ((4 - v) P + v R) blockWidth and steps by (4 - v)(Q - P) + v (S - R).
	__m128i start = _mm_mullo_epi16(vp, _mm_set1_epi16(4 * blockWidth));
	const __m128i startDown = _mm_mullo_epi16(_mm_sub_epi16(vr, vp), _mm_set1_epi16(blockWidth));
	__m128i step = _mm_slli_epi16(_mm_sub_epi16(vq, vp), 2);
	const __m128i stepDown = _mm_sub_epi16(_mm_sub_epi16(vs, vr), _mm_sub_epi16(vq, vp));
	// Bytes of weights above 8 are punch-through texels: their alpha byte is 0.
	const __m128i alphaBytes = _mm_set1_epi32(int(0xFF000000));
	for (int v = 0; v < kBlockHeight; ++v)
	{
		const __m128i twoSteps = _mm_add_epi16(step, step);
		const uint8_t* rowWeights = weightRows[v] + firstX;
		__m128i groupStart = start;
		for (int u = 0; u < blockWidth; u += 4)
		{
			// Colours A of texels u and u + 1 side by side, and of u + 2 and
			// u + 3; colours B the same.
			const __m128i second = _mm_add_epi16(groupStart, step);
			const __m128i third = _mm_add_epi16(groupStart, twoSteps);
			const __m128i fourth = _mm_add_epi16(second, twoSteps);
			// The four weights, each repeated over its texel's four bytes.
			uint32_t fourWeights;
			std::memcpy(&fourWeights, rowWeights + u, 4);
			__m128i w = _mm_cvtsi32_si128(int(fourWeights));
			w = _mm_unpacklo_epi8(w, w);
			w = _mm_unpacklo_epi16(w, w);
			const __m128i weights = _mm_and_si128(w, _mm_set1_epi8(15));
			const __m128i low = MixTexelPair<shift>(_mm_unpacklo_epi64(groupStart, second),
				_mm_unpackhi_epi64(groupStart, second), _mm_unpacklo_epi8(weights, _mm_setzero_si128()));
			const __m128i high = MixTexelPair<shift>(_mm_unpacklo_epi64(third, fourth),
				_mm_unpackhi_epi64(third, fourth), _mm_unpackhi_epi8(weights, _mm_setzero_si128()));
			const __m128i punchThrough = _mm_and_si128(_mm_cmpgt_epi8(w, _mm_set1_epi8(8)), alphaBytes);
			const __m128i texels = _mm_andnot_si128(punchThrough, _mm_packus_epi16(low, high));
			const unsigned x = (firstX + u) & mask;
			if (x + 3 <= mask)
				_mm_storeu_si128(reinterpret_cast<__m128i*>(rows[v] + x * 4), texels);
			else
			{
				// The last two texels wrap around to the row's start.
				_mm_storel_epi64(reinterpret_cast<__m128i*>(rows[v] + x * 4), texels);
				_mm_storel_epi64(reinterpret_cast<__m128i*>(rows[v]), _mm_unpackhi_epi64(texels, texels));
			}
			if (u + 4 < blockWidth)
				groupStart = _mm_add_epi16(third, twoSteps);
		}
		start = _mm_add_epi16(start, startDown);
		step = _mm_add_epi16(step, stepDown);
	}
#else
	for (int v = 0; v < kBlockHeight; ++v)
		for (int u = 0; u < blockWidth; ++u)
		{
			int colour[8];
			for (int k = 0; k < 8; ++k)
			{
				const int top = p[k] * blockWidth + u * (q[k] - p[k]);
				const int bottom = r[k] * blockWidth + u * (s[k] - r[k]);
				colour[k] = (top * 4 + v * (bottom - top)) >> shift;
				colour[k] += colour[k] >> ((k & 3) == 3 ? 4 : 5);
			}
			const uint8_t weight = weightRows[v][firstX + u];
			unsigned char* texel = rows[v] + ((firstX + u) & mask) * 4;
			for (int k = 0; k < 4; ++k)
				texel[k] = static_cast<unsigned char>((colour[k] * 8 + (weight & 15) * (colour[k + 4] - colour[k])) >> 3);
			if (weight & kPunchThrough)
				texel[3] = 0;
		}
#endif
}
}

cPvrtcImage::cPvrtcImage(const unsigned char* data, bool twoBitMode, unsigned blocksX, unsigned blocksY)
	: m_data(data), m_twoBitMode(twoBitMode), m_blockWidth(twoBitMode ? 8 : 4), m_blocksX(blocksX),
	  m_blocksY(blocksY), m_stride(size_t(blocksX) * m_blockWidth + m_blockWidth / 2), m_rowBits(blocksY),
	  m_columnBits(blocksX)
{
	for (unsigned row = 0; row < blocksY; ++row)
		m_rowBits[row] = TwiddlePvrtcBlock(blocksY, blocksX, row, 0);
	for (unsigned column = 0; column < blocksX; ++column)
		m_columnBits[column] = TwiddlePvrtcBlock(blocksY, blocksX, 0, column);
	for (sBlockRow& row : m_rows)
	{
		row.colours.resize(blocksX);
		row.modeBits.resize(blocksX);
		row.weights.resize(kBlockHeight * m_stride);
	}
}

cPvrtcImage::sBlockRow& cPvrtcImage::RowOf(unsigned blockRow)
{
	if (blockRow == 0)
		return m_rows[0];
	if (blockRow == m_blocksY - 1)
		return m_rows[1];
	return m_rows[2 + blockRow % 3];
}

void cPvrtcImage::UnpackRow(unsigned blockRow)
{
	sBlockRow& row = RowOf(blockRow);
	for (unsigned column = 0; column < m_blocksX; ++column)
	{
		const sPvrtcBlock block = ReadBlock(m_data, m_rowBits[blockRow] | m_columnBits[column]);
		UnpackColours(block, row.colours[column]);
		UnpackWeights(block, &row.weights[column * m_blockWidth]);
		row.modeBits[column] = block.colour & 1;
	}
}

void cPvrtcImage::FinishRow(unsigned blockRow)
{
	// The row's texel rows with the last of the row above and the first of the
	// row below.
	uint8_t* texelRows[kBlockHeight + 2];
	for (int j = -1; j <= kBlockHeight; ++j)
		texelRows[j + 1] = TexelRow(blockRow, j);
	if (m_twoBitMode)
		for (unsigned column = 0; column < m_blocksX; ++column)
			if (RowOf(blockRow).modeBits[column])
				AverageUnstoredWeights(texelRows, column);
	const size_t width = size_t(m_blocksX) * m_blockWidth;
	for (int j = 1; j <= kBlockHeight; ++j)
		std::copy_n(texelRows[j], m_blockWidth / 2, texelRows[j] + width);
}

uint8_t* cPvrtcImage::TexelRow(unsigned blockRow, int j)
{
	const unsigned last = m_blocksY - 1;
	if (j < 0)
		return &RowOf((blockRow - 1) & last).weights[(kBlockHeight - 1) * m_stride];
	if (j >= kBlockHeight)
		return &RowOf((blockRow + 1) & last).weights[0];
	return &RowOf(blockRow).weights[j * m_stride];
}

void cPvrtcImage::UnpackColours(const sPvrtcBlock& block, sColours& colours)
{
	static_assert(std::endian::native == std::endian::little, "channels are copied from 64-bit words");
	// Bit 0 of the colour data is the block's modulation mode, not colour.
	const uint32_t c = block.colour;
	const uint64_t a = kColourTables.upper[(c >> 8) & 0xFF] + kColourTables.lower[0][(c >> 15) & 1][c & 0xFE];
	const uint64_t b = kColourTables.upper[c >> 24] + kColourTables.lower[1][c >> 31][(c >> 16) & 0xFF];
	std::memcpy(colours.channels, &a, 8);
	std::memcpy(colours.channels + 4, &b, 8);
}

void cPvrtcImage::UnpackWeights(const sPvrtcBlock& block, uint8_t* weights) const
{
	uint32_t m = block.modulation;
	const bool modeBit = block.colour & 1;
	for (int j = 0; j < kBlockHeight; ++j, m >>= 8, weights += m_stride)
	{
		if (!m_twoBitMode)
			std::memcpy(weights, kWeightTables.fourBit[modeBit][m & 0xFF], 4);
		else if (!modeBit)
			std::memcpy(weights, kWeightTables.twoBit[m & 0xFF], 8);
		else
			// Only every other texel is stored; the rest are averaged later.
			for (int i = j & 1; i < 8; i += 2)
				weights[i] = uint8_t(kPvrtcWeights[(m >> (i & ~1)) & 3]);
	}
}

void cPvrtcImage::AverageUnstoredWeights(uint8_t* const (&texelRows)[kBlockHeight + 2], unsigned column) const
{
	// The unstored texels' neighbours are all stored ones.
	const unsigned widthMask = m_blocksX * m_blockWidth - 1;
	for (int j = 1; j <= kBlockHeight; ++j)
	{
		const uint8_t* above = texelRows[j - 1];
		uint8_t* weights = texelRows[j];
		const uint8_t* below = texelRows[j + 1];
		for (unsigned i = j & 1; i < unsigned(m_blockWidth); i += 2)
		{
			const unsigned x = column * m_blockWidth + i;
			const int sum = above[x] + below[x] + weights[(x - 1) & widthMask] + weights[(x + 1) & widthMask];
			weights[x] = uint8_t((sum + 2) / 4);
		}
	}
}

void cPvrtcImage::Decode(int width, int height, unsigned char* out)
{
	// Tile row by needs block rows by and by + 1 finished, and finishing a row
	// needs the rows on either side unpacked.
	const unsigned last = m_blocksY - 1;
	UnpackRow(0);
	UnpackRow(last);
	if (last > 1)
		UnpackRow(1);
	FinishRow(0);
	if (m_twoBitMode)
		DecodeTiles<8>(width, height, out);
	else
		DecodeTiles<4>(width, height, out);
}

template <int blockWidth>
void cPvrtcImage::DecodeTiles(int width, int height, unsigned char* out)
{
	const unsigned last = m_blocksY - 1;
	const unsigned tilesX = unsigned(width / blockWidth);
	const unsigned tilesY = unsigned(height / kBlockHeight);
	const size_t rowBytes = size_t(width) * 4;
	for (unsigned by = 0; by < tilesY; ++by)
	{
		const unsigned by1 = (by + 1) & last;
		if (by1 != 0)
		{
			if (by + 2 < last)
				UnpackRow(by + 2);
			FinishRow(by1);
		}
		const unsigned firstY = by * kBlockHeight + kBlockHeight / 2;
		unsigned char* const rows[kBlockHeight] = {out + ((firstY) & unsigned(height - 1)) * rowBytes,
			out + ((firstY + 1) & unsigned(height - 1)) * rowBytes, out + ((firstY + 2) & unsigned(height - 1)) * rowBytes,
			out + ((firstY + 3) & unsigned(height - 1)) * rowBytes};
		const uint8_t* const weightRows[kBlockHeight] = {TexelRow(by, 2), TexelRow(by, 3), TexelRow(by1, 0),
			TexelRow(by1, 1)};
		const sColours* top = RowOf(by).colours.data();
		const sColours* bottom = RowOf(by1).colours.data();
		for (unsigned bx = 0; bx < tilesX; ++bx)
		{
			const unsigned bx1 = (bx + 1) & (m_blocksX - 1);
			const unsigned firstX = bx * blockWidth + blockWidth / 2;
			DecodeTile<blockWidth>(top[bx].channels, top[bx1].channels, bottom[bx].channels, bottom[bx1].channels,
				weightRows, rows, firstX, unsigned(width - 1));
		}
	}
}
