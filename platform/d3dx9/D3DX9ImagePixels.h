#pragma once
// Helpers shared by the image readers: the power-of-two canvas they decode
// into, little-endian fields, and pixels whose channels are given by masks.

#include "platform/d3dx9/D3DX9Image.h"

#include <cstddef>
#include <cstdint>

inline uint16_t ReadLe16(const uint8_t* p)
{
	return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadLe32(const uint8_t* p)
{
	return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
		(static_cast<uint32_t>(p[3]) << 24);
}

// Makes image an A8R8G8B8 canvas of transparent black, each side the source
// side rounded up to a power of two. False (with a log line) when a side is 0
// or above kD3DXMaxImageSide.
bool AllocateImageCanvas(UINT imageWidth, UINT imageHeight, sD3DXDecodedImage& image);

inline uint8_t* ImageCanvasRow(sD3DXDecodedImage& image, UINT y)
{
	return image.bits.data() + static_cast<size_t>(y) * image.pitch;
}

// Where each channel lies in a packed little-endian pixel. A channel whose
// mask is 0 reads as 0, except alpha, which then reads as 0xFF.
struct sImageChannelMasks
{
	uint32_t red;
	uint32_t green;
	uint32_t blue;
	uint32_t alpha;
};

// Converts count packed pixels of bytesPerPixel (1 to 4) bytes into B, G, R, A
// bytes, widening each channel to 8 bits.
void ConvertMaskedPixels(const uint8_t* source, UINT bytesPerPixel, const sImageChannelMasks& masks, UINT count,
	uint8_t* destination);

// Swaps the red and blue bytes of count 4-byte pixels.
void SwapRedAndBlue(uint8_t* pixels, size_t count);

// Writes a line about an image that could not be read to the debugger output.
void ReportImageFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));
