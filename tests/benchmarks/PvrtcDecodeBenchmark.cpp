// Decoding a 2048 by 2048 PVRTC texture, 4 and 2 bits per pixel, in
// megapixels per second.

#include "engine/graphics/PvrtcDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace
{
constexpr int kSide = 2048;

std::vector<unsigned char> NoiseBlocks(size_t size)
{
	std::vector<unsigned char> data(size);
	uint32_t seed = 12345;
	for (unsigned char& byte : data)
	{
		seed = seed * 1664525u + 1013904223u;
		byte = static_cast<unsigned char>(seed >> 24);
	}
	return data;
}

void DecodePvrtc(benchmark::State& state, bool twoBitMode)
{
	const std::vector<unsigned char> data = NoiseBlocks(size_t(kSide) * kSide / (twoBitMode ? 4 : 2));
	std::vector<unsigned char> pixels(size_t(kSide) * kSide * 4);
	for (auto _ : state)
	{
		if (!DecompressPvrtc(data.data(), data.size(), twoBitMode, kSide, kSide, true, pixels.data()))
			state.SkipWithError("the decoder refused the data");
		benchmark::DoNotOptimize(pixels.data());
		benchmark::ClobberMemory();
	}
	state.counters["megapixels/s"] =
		benchmark::Counter(double(kSide) * kSide / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PvrtcDecode4Bit2048(benchmark::State& state)
{
	DecodePvrtc(state, false);
}

void BM_PvrtcDecode2Bit2048(benchmark::State& state)
{
	DecodePvrtc(state, true);
}
}

BENCHMARK(BM_PvrtcDecode4Bit2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PvrtcDecode2Bit2048)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
