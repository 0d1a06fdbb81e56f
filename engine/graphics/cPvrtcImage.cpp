#include "engine/graphics/cPvrtcImage.h"

#include "engine/graphics/PvrtcDecoder.h"

#include <algorithm>

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

// One row of a tile: count texels (even) from the blend start, stepping by
// step, each channel shifted right by shift and rounded up to 8 bits, then
// colours A and B mixed by the texel's weight. The texels go to row + (x &
// mask) * 4 for x from firstX on.
void DecodeTileRow(const int16_t (&start)[8], const int16_t (&step)[8], int shift, const uint8_t* weights, int count,
	unsigned char* row, unsigned firstX, unsigned mask)
{
#if defined(__SSE2__)
	const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start));
	const __m128i delta = _mm_loadu_si128(reinterpret_cast<const __m128i*>(step));
	const __m128i second = _mm_add_epi16(first, delta);
	// Colours A of two texels side by side, and colours B.
	__m128i a = _mm_unpacklo_epi64(first, second);
	__m128i b = _mm_unpackhi_epi64(first, second);
	const __m128i twoSteps = _mm_add_epi16(delta, delta);
	const __m128i stepA = _mm_unpacklo_epi64(twoSteps, twoSteps);
	const __m128i stepB = _mm_unpackhi_epi64(twoSteps, twoSteps);
	const __m128i shiftCount = _mm_cvtsi32_si128(shift);
	// x + (x >> 5) for colour channels, x + (x >> 4) for alpha, as a high multiply.
	const __m128i roundUp = _mm_setr_epi16(1 << 11, 1 << 11, 1 << 11, 1 << 12, 1 << 11, 1 << 11, 1 << 11, 1 << 12);
	const __m128i alphaLanes = _mm_setr_epi16(0, 0, 0, -1, 0, 0, 0, -1);
	const __m128i weightMask = _mm_set1_epi16(15);
	const __m128i maxWeight = _mm_set1_epi16(8);
	for (int u = 0; u < count; u += 2)
	{
		__m128i ca = _mm_srl_epi16(a, shiftCount);
		ca = _mm_add_epi16(ca, _mm_mulhi_epu16(ca, roundUp));
		__m128i cb = _mm_srl_epi16(b, shiftCount);
		cb = _mm_add_epi16(cb, _mm_mulhi_epu16(cb, roundUp));
		// The two weights, each spread over its texel's four channels.
		__m128i w = _mm_cvtsi32_si128(weights[u] | (weights[u + 1] << 8));
		w = _mm_unpacklo_epi8(w, _mm_setzero_si128());
		w = _mm_unpacklo_epi16(w, w);
		w = _mm_unpacklo_epi32(w, w);
		__m128i mixed = _mm_add_epi16(_mm_slli_epi16(ca, 3), _mm_mullo_epi16(_mm_sub_epi16(cb, ca), _mm_and_si128(w, weightMask)));
		mixed = _mm_srai_epi16(mixed, 3);
		mixed = _mm_andnot_si128(_mm_and_si128(_mm_cmpgt_epi16(w, maxWeight), alphaLanes), mixed);
		_mm_storel_epi64(reinterpret_cast<__m128i*>(row + ((firstX + u) & mask) * 4), _mm_packus_epi16(mixed, mixed));
		a = _mm_add_epi16(a, stepA);
		b = _mm_add_epi16(b, stepB);
	}
#else
	for (int u = 0; u < count; ++u)
	{
		int colour[8];
		for (int k = 0; k < 8; ++k)
		{
			colour[k] = (start[k] + u * step[k]) >> shift;
			colour[k] += colour[k] >> ((k & 3) == 3 ? 4 : 5);
		}
		unsigned char* texel = row + ((firstX + u) & mask) * 4;
		const int weight = weights[u] & 15;
		for (int k = 0; k < 4; ++k)
			texel[k] = static_cast<unsigned char>((colour[k] * 8 + weight * (colour[k + 4] - colour[k])) >> 3);
		if (weights[u] & kPunchThrough)
			texel[3] = 0;
	}
#endif
}
}

cPvrtcImage::cPvrtcImage(const unsigned char* data, bool twoBitMode, unsigned blocksX, unsigned blocksY)
	: m_twoBitMode(twoBitMode), m_blockWidth(twoBitMode ? 8 : 4), m_blocksX(blocksX), m_blocksY(blocksY),
	  m_colours(size_t(blocksX) * blocksY), m_stride(size_t(blocksX) * m_blockWidth + m_blockWidth / 2),
	  m_weights(m_stride * (blocksY * kBlockHeight + kBlockHeight / 2))
{
	UnpackColours(data);
	UnpackWeights(data);
	if (twoBitMode)
		AverageUnstoredWeights(data);
	WrapWeightPlane();
}

void cPvrtcImage::UnpackColours(const unsigned char* data)
{
	for (unsigned row = 0; row < m_blocksY; ++row)
		for (unsigned column = 0; column < m_blocksX; ++column)
		{
			tPvrtcColours colours;
			UnpackPvrtcColours(ReadBlock(data, TwiddlePvrtcBlock(m_blocksY, m_blocksX, row, column)), colours);
			int16_t* channels = m_colours[size_t(row) * m_blocksX + column].channels;
			for (int k = 0; k < 4; ++k)
			{
				const int scale = k == 3 ? 2 : 1;
				channels[k] = static_cast<int16_t>(colours[0][k] * scale);
				channels[k + 4] = static_cast<int16_t>(colours[1][k] * scale);
			}
		}
}

void cPvrtcImage::UnpackWeights(const unsigned char* data)
{
	sPvrtcModulation modulation;
	for (unsigned row = 0; row < m_blocksY; ++row)
		for (unsigned column = 0; column < m_blocksX; ++column)
		{
			const sPvrtcBlock block = ReadBlock(data, TwiddlePvrtcBlock(m_blocksY, m_blocksX, row, column));
			UnpackPvrtcModulation(block, m_twoBitMode, modulation, 0, 0);
			for (int j = 0; j < kBlockHeight; ++j)
			{
				uint8_t* weights = &Weight(column * m_blockWidth, row * kBlockHeight + j);
				for (int i = 0; i < m_blockWidth; ++i)
				{
					const int value = modulation.values[j][i];
					if (modulation.modes[j][i] == 0)
						weights[i] = kPvrtcWeights[value];
					else if (!m_twoBitMode)
						weights[i] = uint8_t(kPvrtcPunchThroughWeights[value] | (value == 2 ? kPunchThrough : 0));
					else if (((i ^ j) & 1) == 0)
						weights[i] = kPvrtcWeights[value];
				}
			}
		}
}

void cPvrtcImage::AverageUnstoredWeights(const unsigned char* data)
{
	const unsigned width = m_blocksX * m_blockWidth;
	const unsigned height = m_blocksY * kBlockHeight;
	for (unsigned row = 0; row < m_blocksY; ++row)
		for (unsigned column = 0; column < m_blocksX; ++column)
		{
			if ((ReadBlock(data, TwiddlePvrtcBlock(m_blocksY, m_blocksX, row, column)).colour & 1) == 0)
				continue;
			// The unstored texels' neighbours are all stored ones.
			for (unsigned j = 0; j < kBlockHeight; ++j)
				for (unsigned i = (j & 1) ^ 1; i < unsigned(m_blockWidth); i += 2)
				{
					const unsigned x = column * m_blockWidth + i;
					const unsigned y = row * kBlockHeight + j;
					const int sum = Weight(x, (y - 1) & (height - 1)) + Weight(x, (y + 1) & (height - 1)) +
						Weight((x - 1) & (width - 1), y) + Weight((x + 1) & (width - 1), y);
					Weight(x, y) = uint8_t((sum + 2) / 4);
				}
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
	const int shift = m_twoBitMode ? 2 : 1;
	const unsigned tilesX = unsigned(width / m_blockWidth);
	const unsigned tilesY = unsigned(height / kBlockHeight);
	for (unsigned by = 0; by < tilesY; ++by)
	{
		const unsigned by1 = (by + 1) & (m_blocksY - 1);
		for (unsigned bx = 0; bx < tilesX; ++bx)
		{
			// The tile's texels lie from the centre of block P towards those of
			// Q (right), R (below) and S.
			const unsigned bx1 = (bx + 1) & (m_blocksX - 1);
			const int16_t* p = m_colours[size_t(by) * m_blocksX + bx].channels;
			const int16_t* q = m_colours[size_t(by) * m_blocksX + bx1].channels;
			const int16_t* r = m_colours[size_t(by1) * m_blocksX + bx].channels;
			const int16_t* s = m_colours[size_t(by1) * m_blocksX + bx1].channels;
			const unsigned firstX = bx * m_blockWidth + m_blockWidth / 2;
			for (int v = 0; v < kBlockHeight; ++v)
			{
				int16_t start[8];
				int16_t step[8];
				for (int k = 0; k < 8; ++k)
				{
					start[k] = int16_t(((kBlockHeight - v) * p[k] + v * r[k]) * m_blockWidth);
					step[k] = int16_t((kBlockHeight - v) * (q[k] - p[k]) + v * (s[k] - r[k]));
				}
				const unsigned y = by * kBlockHeight + kBlockHeight / 2 + v;
				unsigned char* row = out + size_t(y & unsigned(height - 1)) * unsigned(width) * 4;
				DecodeTileRow(start, step, shift, &m_weights[size_t(y) * m_stride + firstX], m_blockWidth, row, firstX,
					unsigned(width - 1));
			}
		}
	}
}
