// Loading a 2048 by 2048 PNG into a texture through the engine's texture
// loader (decoding, creating the texture, locking it and uploading it to the
// device) against decoding the same file with libpng and uploading it with
// plain OpenGL calls, in one run, on the same OpenGL context. Checks that
// both textures hold the same pixels, then closes with the median times,
// their ratio and the target (at most 1.3).
//
// Run under a display, e.g. xvfb-run -a -s "-screen 0 1920x1200x24".

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "platform/win32/Win32.h"

#include "benchmarks/cSummaryReporter.h"

#include <GL/gl.h>
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

// The plain libpng decode of the same file: RGBA rows into the buffer.
bool DecodeWithLibpng(const std::vector<uint8_t>& file, std::vector<uint8_t>& pixels)
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
	pixels.resize(rowBytes * height);
	std::vector<png_bytep> rows(height);
	for (png_uint_32 y = 0; y < height; ++y)
		rows[y] = pixels.data() + y * rowBytes;
	png_read_image(png, rows.data());
	png_destroy_read_struct(&png, &info, nullptr);
	return true;
}

// libpng's decode uploaded into a new OpenGL texture; glFinish waits for the upload.
bool LibpngIntoGlTexture(const std::vector<uint8_t>& file, std::vector<uint8_t>& pixels)
{
	if (!DecodeWithLibpng(file, pixels))
		return false;
	GLuint texture = 0;
	glGenTextures(1, &texture);
	glBindTexture(GL_TEXTURE_2D, texture);
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSide, kSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
	glFinish();
	glBindTexture(GL_TEXTURE_2D, 0);
	glDeleteTextures(1, &texture);
	return glGetError() == GL_NO_ERROR;
}

// The engine's texture loader on the file: a managed A8R8G8B8 texture.
std::unique_ptr<cTexture> EngineTexture(const std::vector<uint8_t>& file)
{
	cMemoryStream stream;
	stream.Write(file.data(), uint32_t(file.size()));
	stream.Seek(0, cStream::FromStart);
	auto texture = std::make_unique<cTexture>(stream, cTexture::FORMAT_A8R8G8B8, true);
	glFinish();
	return texture->GetTexture() ? std::move(texture) : nullptr;
}

bool StartGraphics()
{
	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	sStartupParams params {nullptr, SW_HIDE, nullptr, "", false};
	if (!application->CreateMainWindow(params, "PngLoadBenchmark", "PNG"))
		return false;
	sDisplaySettings settings;
	settings.width = 640;
	settings.height = 480;
	settings.windowed = true;
	return Singletone<cGraphics>::GetInstance()->CreateDevice(settings);
}

// Both sides hold the same pixels: the engine's texture as B, G, R, A.
bool SameTextures()
{
	std::vector<uint8_t> plain;
	std::unique_ptr<cTexture> texture = EngineTexture(PngFile());
	if (!texture || !DecodeWithLibpng(PngFile(), plain) || texture->GetDescription().Width != UINT(kSide))
		return false;
	cTexture::sLockedLevel level = texture->LockLevel0();
	bool same = level.bits != nullptr;
	for (int y = 0; same && y < kSide; ++y)
		for (int x = 0; same && x < kSide; ++x)
		{
			const uint8_t* mine = level.bits + size_t(y) * level.pitch + size_t(x) * 4;
			const uint8_t* theirs = &plain[(size_t(y) * kSide + x) * 4];
			same = mine[0] == theirs[2] && mine[1] == theirs[1] && mine[2] == theirs[0] && mine[3] == theirs[3];
		}
	texture->UnlockLevel0();
	return same;
}

void LibpngAndOpenGl(benchmark::State& state)
{
	const std::vector<uint8_t>& file = PngFile();
	std::vector<uint8_t> pixels;
	for (auto _ : state)
		if (!LibpngIntoGlTexture(file, pixels))
			state.SkipWithError("libpng or OpenGL failed");
	state.counters["file MB"] = double(file.size()) / 1e6;
}

void EngineTextureLoader(benchmark::State& state)
{
	const std::vector<uint8_t>& file = PngFile();
	for (auto _ : state)
		if (!EngineTexture(file))
			state.SkipWithError("the texture loader failed");
}
}

BENCHMARK(LibpngAndOpenGl)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineTextureLoader)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
	if (!StartGraphics())
	{
		printf("no graphics device: run under a display\n");
		return 1;
	}
	if (!SameOutput(SameTextures(), "PNG into a texture"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	printf("\n");
	reporter.PrintTimeRatio("A 2048 square PNG into a texture", "EngineTextureLoader", "LibpngAndOpenGl", 1.3);
	DestroyAllSingletons(); // the graphics device goes while the video system is up
	benchmark::Shutdown();
	return 0;
}
