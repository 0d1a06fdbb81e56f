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
	// Run-length bitmaps with a run, stored indices, a move, line and bitmap ends.
	const sBmpFixture rle8{40, 6, 4, 8, 1, {}, Ramp(32), {{3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 2, 6, 0, 1}}};
	const sBmpFixture rle4{40, 6, 4, 4, 2, {}, Ramp(64), {{3, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 4, 1, 0, 1}}};
	sTgaFixture tga{2, 32, 8, 3, 2};
	tga.pixels = Ramp(24);
	const sTgaFixture greyAlpha{3, 16, 8, 3, 2, 0, 0, {}, Ramp(12)};
	const sTgaFixture runLengthGreyAlpha{11, 16, 0x28, 3, 2, 0, 0, {}, {0x02, 1, 2, 3, 4, 5, 6, 0x82, 7, 8}};
	return {Text(dds), Text(WritePng({5, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8, Ramp(60)})),
		Text(WritePng({4, 4, PNG_COLOR_TYPE_GRAY, 8, Ramp(16), {}, {}, true})),
		Text(WriteJpeg(8, 8, 3, Ramp(192), false)), Text(WriteJpeg(8, 8, 1, Ramp(64), true)),
		Text(WriteCmykJpeg(8, 8, Ramp(256), eJpegInk::kCmyk)), Text(WriteCmykJpeg(8, 8, Ramp(256), eJpegInk::kYcck)),
		Text(WriteBmp(bmp)), Text(WriteBmp(rle8)), Text(WriteBmp(rle4)), Text(WriteTga(tga)), Text(WriteTga(greyAlpha)),
		Text(WriteTga(runLengthGreyAlpha))};
}
}

ZV2_FUZZ_TARGET(Image, Run, Seeds)
