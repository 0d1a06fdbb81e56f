#include "engine/graphics/cPvrtcImage.h"

#include "engine/graphics/PvrtcDecoder.h"

#include <algorithm>
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

// One tile: the texels from the centre of block P towards those of Q (to the
// right), R (below) and S, blockWidth by 4 of them. Along a row the blend of
// the four blocks' colours changes by a fixed step; each channel is shifted
// right by the mode's shift and rounded up to 8 bits, then colours A and B
// are mixed by the texel's weight. Row v goes to rows[v] + (x & mask) * 4
// for x from firstX on.
template <int blockWidth>
inline void DecodeTile(const int16_t* p, const int16_t* q, const int16_t* r, const int16_t* s,
	const uint8_t* weights, size_t weightStride, unsigned char* const (&rows)[kBlockHeight], unsigned firstX,
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
	// x + (x >> 5) for colour channels, x + (x >> 4) for alpha, as a high multiply.
	const __m128i roundUp = _mm_setr_epi16(1 << 11, 1 << 11, 1 << 11, 1 << 12, 1 << 11, 1 << 11, 1 << 11, 1 << 12);
	const __m128i alphaLanes = _mm_setr_epi16(0, 0, 0, -1, 0, 0, 0, -1);
	for (int v = 0; v < kBlockHeight; ++v)
	{
		// Colours A of two neighbouring texels side by side, and colours B.
		const __m128i second = _mm_add_epi16(start, step);
		__m128i a = _mm_unpacklo_epi64(start, second);
		__m128i b = _mm_unpackhi_epi64(start, second);
		const __m128i twoSteps = _mm_add_epi16(step, step);
		const __m128i stepA = _mm_unpacklo_epi64(twoSteps, twoSteps);
		const __m128i stepB = _mm_unpackhi_epi64(twoSteps, twoSteps);
		const uint8_t* rowWeights = weights + v * weightStride;
		for (int u = 0; u < blockWidth; u += 2)
		{
			__m128i ca = _mm_srli_epi16(a, shift);
			ca = _mm_add_epi16(ca, _mm_mulhi_epu16(ca, roundUp));
			__m128i cb = _mm_srli_epi16(b, shift);
			cb = _mm_add_epi16(cb, _mm_mulhi_epu16(cb, roundUp));
			// The two weights, each spread over its texel's four channels.
			__m128i w = _mm_cvtsi32_si128(rowWeights[u] | (rowWeights[u + 1] << 8));
			w = _mm_unpacklo_epi8(w, _mm_setzero_si128());
			w = _mm_unpacklo_epi16(w, w);
			w = _mm_unpacklo_epi32(w, w);
			const __m128i weight = _mm_and_si128(w, _mm_set1_epi16(15));
			__m128i mixed = _mm_add_epi16(_mm_slli_epi16(ca, 3), _mm_mullo_epi16(_mm_sub_epi16(cb, ca), weight));
			mixed = _mm_srai_epi16(mixed, 3);
			const __m128i punchThrough = _mm_and_si128(_mm_cmpgt_epi16(w, _mm_set1_epi16(8)), alphaLanes);
			mixed = _mm_andnot_si128(punchThrough, mixed);
			_mm_storel_epi64(reinterpret_cast<__m128i*>(rows[v] + ((firstX + u) & mask) * 4),
				_mm_packus_epi16(mixed, mixed));
			a = _mm_add_epi16(a, stepA);
			b = _mm_add_epi16(b, stepB);
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
			const uint8_t weight = weights[v * weightStride + u];
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
	: m_twoBitMode(twoBitMode), m_blockWidth(twoBitMode ? 8 : 4), m_blocksX(blocksX), m_blocksY(blocksY),
	  m_colours(new sColours[size_t(blocksX) * blocksY]),
	  m_stride(size_t(blocksX) * m_blockWidth + m_blockWidth / 2),
	  m_weights(new uint8_t[m_stride * (blocksY * kBlockHeight + kBlockHeight / 2)])
{
	// The twiddled index is the bits of the row ORed with those of the column.
	std::vector<unsigned> rowBits(blocksY);
	std::vector<unsigned> columnBits(blocksX);
	for (unsigned row = 0; row < blocksY; ++row)
		rowBits[row] = TwiddlePvrtcBlock(blocksY, blocksX, row, 0);
	for (unsigned column = 0; column < blocksX; ++column)
		columnBits[column] = TwiddlePvrtcBlock(blocksY, blocksX, 0, column);
	for (unsigned row = 0; row < blocksY; ++row)
		for (unsigned column = 0; column < blocksX; ++column)
		{
			const sPvrtcBlock block = ReadBlock(data, rowBits[row] | columnBits[column]);
			UnpackColours(block, m_colours[size_t(row) * blocksX + column]);
			UnpackWeights(block, column * m_blockWidth, row * kBlockHeight);
		}
	if (twoBitMode)
		for (unsigned row = 0; row < blocksY; ++row)
			for (unsigned column = 0; column < blocksX; ++column)
				if (ReadBlock(data, rowBits[row] | columnBits[column]).colour & 1)
					AverageUnstoredWeights(column * m_blockWidth, row * kBlockHeight);
	WrapWeightPlane();
}

void cPvrtcImage::UnpackColours(const sPvrtcBlock& block, sColours& colours)
{
	tPvrtcColours unpacked;
	UnpackPvrtcColours(block, unpacked);
	for (int k = 0; k < 4; ++k)
	{
		const int scale = k == 3 ? 2 : 1;
		colours.channels[k] = static_cast<int16_t>(unpacked[0][k] * scale);
		colours.channels[k + 4] = static_cast<int16_t>(unpacked[1][k] * scale);
	}
}

void cPvrtcImage::UnpackWeights(const sPvrtcBlock& block, unsigned x, unsigned y)
{
	// The weights of a row of four 4-bit texels (or eight 2-bit texels of mode
	// 0) for each byte of modulation data, for either mode bit.
	struct sRowTables
	{
		uint8_t fourBit[2][256][4];
		uint8_t twoBit[256][8];
	};
	static const sRowTables tables = [] {
		sRowTables made {};
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
	}();
	uint32_t m = block.modulation;
	const bool modeBit = block.colour & 1;
	for (int j = 0; j < kBlockHeight; ++j, m >>= 8)
	{
		uint8_t* weights = &Weight(x, y + j);
		if (!m_twoBitMode)
			std::memcpy(weights, tables.fourBit[modeBit][m & 0xFF], 4);
		else if (!modeBit)
			std::memcpy(weights, tables.twoBit[m & 0xFF], 8);
		else
			// Only every other texel is stored; the rest are averaged later.
			for (int i = j & 1; i < 8; i += 2)
				weights[i] = uint8_t(kPvrtcWeights[(m >> (i & ~1)) & 3]);
	}
}

void cPvrtcImage::AverageUnstoredWeights(unsigned x, unsigned y)
{
	// The unstored texels' neighbours are all stored ones.
	const unsigned width = m_blocksX * m_blockWidth;
	const unsigned height = m_blocksY * kBlockHeight;
	for (unsigned j = 0; j < kBlockHeight; ++j)
		for (unsigned i = (j & 1) ^ 1; i < unsigned(m_blockWidth); i += 2)
		{
			const unsigned tx = x + i;
			const unsigned ty = y + j;
			const int sum = Weight(tx, (ty - 1) & (height - 1)) + Weight(tx, (ty + 1) & (height - 1)) +
				Weight((tx - 1) & (width - 1), ty) + Weight((tx + 1) & (width - 1), ty);
			Weight(tx, ty) = uint8_t((sum + 2) / 4);
		}
}

void cPvrtcImage::WrapWeightPlane()
{
	const unsigned width = m_blocksX * m_blockWidth;
	const unsigned height = m_blocksY * kBlockHeight;
	for (unsigned y = 0; y < height; ++y)
		for (int x = 0; x < m_blockWidth / 2; ++x)
			Weight(width + x, y) = Weight(x, y);
	for (unsigned y = 0; y < kBlockHeight / 2; ++y)
		std::copy_n(&Weight(0, y), m_stride, &Weight(0, height + y));
}

void cPvrtcImage::Decode(int width, int height, unsigned char* out) const
{
	if (m_twoBitMode)
		DecodeTiles<8>(width, height, out);
	else
		DecodeTiles<4>(width, height, out);
}

template <int blockWidth>
void cPvrtcImage::DecodeTiles(int width, int height, unsigned char* out) const
{
	const unsigned tilesX = unsigned(width / blockWidth);
	const unsigned tilesY = unsigned(height / kBlockHeight);
	const size_t rowBytes = size_t(width) * 4;
	for (unsigned by = 0; by < tilesY; ++by)
	{
		const unsigned by1 = (by + 1) & (m_blocksY - 1);
		const unsigned firstY = by * kBlockHeight + kBlockHeight / 2;
		unsigned char* const rows[kBlockHeight] = {out + ((firstY) & unsigned(height - 1)) * rowBytes,
			out + ((firstY + 1) & unsigned(height - 1)) * rowBytes, out + ((firstY + 2) & unsigned(height - 1)) * rowBytes,
			out + ((firstY + 3) & unsigned(height - 1)) * rowBytes};
		const sColours* top = &m_colours[size_t(by) * m_blocksX];
		const sColours* bottom = &m_colours[size_t(by1) * m_blocksX];
		for (unsigned bx = 0; bx < tilesX; ++bx)
		{
			const unsigned bx1 = (bx + 1) & (m_blocksX - 1);
			const unsigned firstX = bx * blockWidth + blockWidth / 2;
			DecodeTile<blockWidth>(top[bx].channels, top[bx1].channels, bottom[bx].channels, bottom[bx1].channels,
				&m_weights[size_t(firstY) * m_stride + firstX], m_stride, rows, firstX, unsigned(width - 1));
		}
	}
}
