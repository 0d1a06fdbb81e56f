#include "platform/d3dx9/D3DX9ImagePixels.h"

#include "platform/win32/Win32Debug.h"

#include <bit>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

bool AllocateImageCanvas(UINT imageWidth, UINT imageHeight, sD3DXDecodedImage& image)
{
	if (imageWidth == 0 || imageHeight == 0 || imageWidth > kD3DXMaxImageSide || imageHeight > kD3DXMaxImageSide)
	{
		ReportImageFailure("image size %u by %u is not supported", imageWidth, imageHeight);
		return false;
	}
	image.imageWidth = imageWidth;
	image.imageHeight = imageHeight;
	image.width = std::bit_ceil(imageWidth);
	image.height = std::bit_ceil(imageHeight);
	image.format = D3DFMT_A8R8G8B8;
	image.pitch = image.width * 4;
	image.bits.assign(static_cast<size_t>(image.pitch) * image.height, 0);
	return true;
}

namespace
{
// One channel of a packed pixel: its position and how to widen it to 8 bits.
struct sMaskedChannel
{
	uint32_t mask;
	int shift;
	uint32_t maximum; // the largest value of the channel's bits
	uint8_t missing; // the value of a channel without bits

	sMaskedChannel(uint32_t channelMask, uint8_t missingValue)
		: mask(channelMask), shift(channelMask ? std::countr_zero(channelMask) : 0),
		  maximum(channelMask >> shift), missing(missingValue)
	{
	}

	uint8_t Read(uint32_t pixel) const
	{
		if (mask == 0)
			return missing;
		uint32_t value = (pixel & mask) >> shift;
		if (maximum >= 255)
			return static_cast<uint8_t>(value >> (std::bit_width(maximum) - 8));
		return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
	}
};
}

void ConvertMaskedPixels(const uint8_t* source, UINT bytesPerPixel, const sImageChannelMasks& masks, UINT count,
	uint8_t* destination)
{
	const sMaskedChannel blue(masks.blue, 0), green(masks.green, 0), red(masks.red, 0), alpha(masks.alpha, 0xFF);
	for (UINT i = 0; i < count; ++i, source += bytesPerPixel, destination += 4)
	{
		uint32_t pixel = 0;
		for (UINT b = 0; b < bytesPerPixel; ++b)
			pixel |= static_cast<uint32_t>(source[b]) << (8 * b);
		destination[0] = blue.Read(pixel);
		destination[1] = green.Read(pixel);
		destination[2] = red.Read(pixel);
		destination[3] = alpha.Read(pixel);
	}
}

void SwapRedAndBlue(uint8_t* pixels, size_t count)
{
	for (size_t i = 0; i < count; ++i, pixels += 4)
		std::swap(pixels[0], pixels[2]);
}

void ReportImageFailure(const char* format, ...)
{
	char text[256];
	va_list arguments;
	va_start(arguments, format);
	vsnprintf(text, sizeof(text), format, arguments);
	va_end(arguments);
	OutputDebugStringA(("D3DX: image not loaded: " + std::string(text) + "\n").c_str());
}
