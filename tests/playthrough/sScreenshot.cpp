#include "sScreenshot.h"

#include "platform/d3dx9/D3DX9ImageReaders.h"
#include "tools/content/PngFile.h"

std::string EncodeScreenshot(const sScreenshot& shot)
{
	cImage image(shot.width, shot.height);
	for (int y = 0; y < shot.height; ++y)
		for (int x = 0; x < shot.width; ++x)
		{
			const unsigned c = shot.At(x, y);
			image.Blend(x, y, {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
		}
	return EncodePng(image);
}

sScreenshot DecodeScreenshot(const std::string& bytes)
{
	sScreenshot shot;
	const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
	sD3DXDecodedImage image;
	if (!IsPngImage(data, bytes.size()) || !ReadPngImage(data, bytes.size(), image))
		return shot;
	shot.width = int(image.imageWidth);
	shot.height = int(image.imageHeight);
	shot.pixels.reserve(size_t(shot.width) * size_t(shot.height));
	for (UINT y = 0; y < image.imageHeight; ++y)
		for (UINT x = 0; x < image.imageWidth; ++x)
		{
			const uint8_t* p = &image.bits[size_t(y) * image.pitch + size_t(x) * 4];
			shot.pixels.push_back(unsigned(p[2]) << 16 | unsigned(p[1]) << 8 | p[0]);
		}
	return shot;
}
