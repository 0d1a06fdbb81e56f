// The image loader (BMP, PNG, JPEG, TGA and DDS) into both formats it
// converts to.

#include "support/FuzzTarget.h"

#include "platform/d3dx9/D3DX9Image.h"
#include "platform/d3dx9/ImageFixtures.h"

#include <png.h>

namespace
{
void Run(const uint8_t* data, size_t size)
{
	for (D3DFORMAT format : {D3DFMT_A8R8G8B8, D3DFMT_DXT3})
	{
		sD3DXDecodedImage image;
		D3DXIMAGE_INFO info;
		D3DXDecodeImageInMemory(data, static_cast<UINT>(size), format, image, &info);
	}
}

std::string Text(const tBytes& bytes)
{
	return std::string(bytes.begin(), bytes.end());
}

// Pixels that vary, so that the encoders have something to encode.
tBytes Ramp(size_t count)
{
	tBytes bytes(count);
	for (size_t i = 0; i < count; ++i)
		bytes[i] = static_cast<uint8_t>(i * 37 + (i >> 3));
	return bytes;
}

std::vector<std::string> Seeds()
{
	sD3DXDecodedImage argb;
	argb.width = argb.imageWidth = 4;
	argb.height = argb.imageHeight = 4;
	argb.format = D3DFMT_A8R8G8B8;
	argb.pitch = 16;
	argb.bits = Ramp(64);
	std::vector<uint8_t> dds;
	D3DXEncodeDdsInMemory(argb, dds);

	sBmpFixture bmp{40, 3, 2, 24};
	bmp.storedRows = {Ramp(12), Ramp(12)};
	sTgaFixture tga{2, 32, 8, 3, 2};
	tga.pixels = Ramp(24);
	return {Text(dds), Text(WritePng({5, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8, Ramp(60)})),
		Text(WritePng({4, 4, PNG_COLOR_TYPE_GRAY, 8, Ramp(16), {}, {}, true})),
		Text(WriteJpeg(8, 8, 3, Ramp(192), false)), Text(WriteJpeg(8, 8, 1, Ramp(64), true)), Text(WriteBmp(bmp)),
		Text(WriteTga(tga))};
}
}

ZV2_FUZZ_TARGET(Image, Run, Seeds)
