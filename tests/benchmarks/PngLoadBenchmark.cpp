// Loading a 2048 by 2048 PNG through the image loader (to a power-of-two
// A8R8G8B8 image) against decoding the same file with libpng alone, in one
// run; prints both times and their ratio (target: at most 1.3).

#include "platform/d3dx9/D3DX9Image.h"

#include "benchmarks/cSummaryReporter.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kSide = 2048;

// A photo-like RGBA image: smooth gradients with a little noise, so that
// the file is neither trivial nor incompressible.
const std::vector<uint8_t>& PngFile()
{
	static const std::vector<uint8_t> file = [] {
		std::vector<uint8_t> pixels(size_t(kSide) * kSide * 4);
		uint32_t seed = 1;
		for (int y = 0; y < kSide; ++y)
			for (int x = 0; x < kSide; ++x)
			{
				seed = seed * 1664525u + 1013904223u;
				const int noise = (seed >> 29) - 4;
				uint8_t* p = &pixels[(size_t(y) * kSide + x) * 4];
				p[0] = uint8_t((x >> 3) + noise);
				p[1] = uint8_t((y >> 3) - noise);
				p[2] = uint8_t(((x + y) >> 4) + noise);
				p[3] = uint8_t(255 - (x >> 4));
			}
		png_image image = {};
		image.version = PNG_IMAGE_VERSION;
		image.width = kSide;
		image.height = kSide;
		image.format = PNG_FORMAT_RGBA;
		png_alloc_size_t size = 0;
		png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
		std::vector<uint8_t> out(size);
		if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
			out.clear();
		out.resize(size);
		return out;
	}();
	return file;
}

struct sMemoryReader
{
	const uint8_t* data;
	size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
	sMemoryReader& reader = *static_cast<sMemoryReader*>(png_get_io_ptr(png));
	memcpy(out, reader.data + reader.position, count);
	reader.position += count;
}

// The plain libpng decode of the same file: RGBA rows into a fresh buffer.
bool DecodeWithLibpng(const std::vector<uint8_t>& file)
{
	sMemoryReader reader = {file.data(), 0};
	png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png_create_info_struct(png);
	if (setjmp(png_jmpbuf(png)))
	{
		png_destroy_read_struct(&png, &info, nullptr);
		return false;
	}
	png_set_read_fn(png, &reader, ReadFromMemory);
	png_read_info(png, info);
	const png_uint_32 height = png_get_image_height(png, info);
	const size_t rowBytes = png_get_rowbytes(png, info);
	std::unique_ptr<uint8_t[]> pixels(new uint8_t[rowBytes * height]);
	std::vector<png_bytep> rows(height);
	for (png_uint_32 y = 0; y < height; ++y)
		rows[y] = pixels.get() + y * rowBytes;
	png_read_image(png, rows.data());
	benchmark::DoNotOptimize(pixels.get());
	png_destroy_read_struct(&png, &info, nullptr);
	return true;
}

void BM_PngLibpngAlone(benchmark::State& state)
{
	const std::vector<uint8_t>& file = PngFile();
	for (auto _ : state)
		if (!DecodeWithLibpng(file))
			state.SkipWithError("libpng failed");
	state.counters["file MB"] = double(file.size()) / 1e6;
}

void BM_PngThroughImageLoader(benchmark::State& state)
{
	const std::vector<uint8_t>& file = PngFile();
	for (auto _ : state)
	{
		sD3DXDecodedImage image;
		if (D3DXDecodeImageInMemory(file.data(), UINT(file.size()), D3DFMT_A8R8G8B8, image, nullptr) != S_OK)
			state.SkipWithError("the image loader failed");
		benchmark::DoNotOptimize(image.bits.data());
	}
}

}

BENCHMARK(BM_PngLibpngAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngThroughImageLoader)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	cSummaryReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	const double alone = reporter.Seconds("BM_PngLibpngAlone");
	const double loader = reporter.Seconds("BM_PngThroughImageLoader");
	if (alone > 0 && loader > 0)
		printf("libpng alone: %.1f ms, image loader: %.1f ms, ratio %.2f (target at most 1.3)\n", alone * 1e3,
			loader * 1e3, loader / alone);
	benchmark::Shutdown();
	return 0;
}
