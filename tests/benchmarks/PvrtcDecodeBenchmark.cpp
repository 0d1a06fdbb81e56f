// Decoding a 2048 by 2048 PVRTC texture, 4 and 2 bits per pixel, with the
// engine's decoder and with the texel-by-texel decoder it replaced, on the
// same random blocks; prints the median rates and the engine's rate against
// its target (at least 450 megapixels per second at 4 bits per pixel).

#include "engine/graphics/PvrtcDecoder.h"

#include "PvrtcReferenceDecoder.h"
#include "benchmarks/cSummaryReporter.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace
{
constexpr int kSide = 2048;
constexpr double kMegapixels = double(kSide) * kSide / 1e6;

const std::vector<unsigned char>& NoiseBlocks(bool twoBitMode)
{
	static std::vector<unsigned char> data[2];
	std::vector<unsigned char>& blocks = data[twoBitMode];
	if (blocks.empty())
	{
		blocks.resize(size_t(kSide) * kSide / (twoBitMode ? 4 : 2));
		uint32_t seed = 12345;
		for (unsigned char& byte : blocks)
		{
			seed = seed * 1664525u + 1013904223u;
			byte = static_cast<unsigned char>(seed >> 24);
		}
	}
	return blocks;
}

template <bool (*Decode)(const std::vector<unsigned char>&, bool, unsigned char*)>
void DecodePvrtc(benchmark::State& state)
{
	const bool twoBitMode = state.range(0) == 2;
	const std::vector<unsigned char>& data = NoiseBlocks(twoBitMode);
	std::vector<unsigned char> pixels(size_t(kSide) * kSide * 4);
	for (auto _ : state)
	{
		if (!Decode(data, twoBitMode, pixels.data()))
			state.SkipWithError("the decoder refused the data");
		benchmark::DoNotOptimize(pixels.data());
		benchmark::ClobberMemory();
	}
	state.counters["megapixels/s"] = benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
}

bool Engine(const std::vector<unsigned char>& data, bool twoBitMode, unsigned char* out)
{
	return DecompressPvrtc(data.data(), data.size(), twoBitMode, kSide, kSide, true, out);
}

bool TexelByTexel(const std::vector<unsigned char>& data, bool twoBitMode, unsigned char* out)
{
	return DecompressPvrtcTexelByTexel(data.data(), data.size(), twoBitMode, kSide, kSide, out);
}

void EnginePvrtc(benchmark::State& state)
{
	DecodePvrtc<Engine>(state);
}

void TexelByTexelPvrtc(benchmark::State& state)
{
	DecodePvrtc<TexelByTexel>(state);
}

BENCHMARK(EnginePvrtc)->Arg(4)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(TexelByTexelPvrtc)->Arg(4)->Arg(2)->Unit(benchmark::kMillisecond);

bool SameOutputs(bool twoBitMode)
{
	const std::vector<unsigned char>& data = NoiseBlocks(twoBitMode);
	std::vector<unsigned char> engine(size_t(kSide) * kSide * 4);
	std::vector<unsigned char> reference(engine.size(), 1);
	return Engine(data, twoBitMode, engine.data()) && TexelByTexel(data, twoBitMode, reference.data()) &&
		engine == reference;
}
}

int main(int argc, char** argv)
{
	if (!SameOutputs(false) || !SameOutputs(true))
		return SameOutput(false, "PVRTC decoders") ? 0 : 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	printf("\n");
	for (const char* bits : {"4", "2"})
	{
		const std::string engine = std::string("EnginePvrtc/") + bits;
		const std::string peer = std::string("TexelByTexelPvrtc/") + bits;
		const std::string what = std::string("PVRTC ") + bits + " bits per pixel, " + std::to_string(kSide) + " square";
		reporter.PrintTimeRatio(what.c_str(), engine, peer, 1.0);
		const double seconds = reporter.Median(engine);
		if (seconds > 0)
			printf("  engine decoder: median %.0f megapixels/s%s\n", kMegapixels / seconds,
				bits[0] == '4' ? (kMegapixels / seconds >= 450 ? " (target at least 450) ok" : " (target at least 450) UNDER")
							   : "");
	}
#if !defined(__OPTIMIZE__)
	printf("This build is not optimised: build with CMAKE_BUILD_TYPE Release or RelWithDebInfo to measure.\n");
#endif
	benchmark::Shutdown();
	return 0;
}
