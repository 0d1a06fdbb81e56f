#include "platform/d3dx9/D3DX9ImagePixels.h"
#include "platform/d3dx9/D3DX9ImageReaders.h"

#include <squish.h>

#include <vector>

uint64_t DxtStorageSize(uint64_t width, uint64_t height, int squishFormat)
{
	const uint64_t blockBytes = (squishFormat & squish::kDxt1) ? 8 : 16;
	return ((width + 3) / 4) * ((height + 3) / 4) * blockBytes;
}

void DecompressDxtToCanvas(const uint8_t* blocks, int squishFormat, UINT width, UINT height,
	sD3DXDecodedImage& canvas)
{
	squish::DecompressImage(canvas.bits.data(), static_cast<int>(width), static_cast<int>(height),
		static_cast<int>(canvas.pitch), blocks, squishFormat);
	// squish writes R, G, B, A bytes.
	for (UINT y = 0; y < height; ++y)
		SwapRedAndBlue(ImageCanvasRow(canvas, y), width);
}

void CompressCanvasToDxt3(sD3DXDecodedImage& image)
{
	// squish reads R, G, B, A bytes.
	std::vector<uint8_t> rgba(image.bits);
	SwapRedAndBlue(rgba.data(), rgba.size() / 4);
	// Range fit: a 1024 by 1024 image compresses in tens of milliseconds on
	// a loader thread, where cluster fit takes about ten times as long. The
	// alpha of DXT3 is stored exactly (4 bits) whatever the fit.
	std::vector<uint8_t> blocks(DxtStorageSize(image.width, image.height, squish::kDxt3));
	squish::CompressImage(rgba.data(), static_cast<int>(image.width), static_cast<int>(image.height),
		static_cast<int>(image.pitch), blocks.data(), squish::kDxt3 | squish::kColourRangeFit);
	image.bits.swap(blocks);
	image.format = D3DFMT_DXT3;
	image.pitch = static_cast<UINT>(DxtStorageSize(image.width, 1, squish::kDxt3));
}
