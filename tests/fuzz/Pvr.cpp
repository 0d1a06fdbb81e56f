// The PVR texture reader.

#include "support/FuzzTarget.h"

#include "engine/graphics/PvrTextureReader.h"
#include "graphics/TextureFiles.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
	sPvrReadResult result;
	result.stream = &stream;
	LoadPvrTexture(result, 256);
}

std::string Text(const tBytes& bytes)
{
	return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Seeds()
{
	// PVRTC 4 and 2 bits per pixel (the second twiddled), then the plain types.
	std::vector<std::string> seeds = {Text(PvrFile({52, 8, 8, 25}, NoiseBytes(32))),
		Text(PvrFile({44, 16, 16, 24 | 0x200}, NoiseBytes(64)))};
	for (uint32_t type : {16u, 17u, 18u, 19u, 21u})
	{
		const size_t bytesPerPixel = type == 18 ? 4 : type == 21 ? 3 : 2;
		seeds.push_back(Text(PvrFile({52, 4, 2, type}, NoiseBytes(8 * bytesPerPixel))));
	}
	return seeds;
}
}

ZV2_FUZZ_TARGET(Pvr, Run, Seeds)
