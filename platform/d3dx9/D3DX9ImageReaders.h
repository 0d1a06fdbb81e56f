#pragma once
// The per-format halves of the image loader. Each Is...Image looks at the
// first bytes only; each Read...Image decodes a whole file into image and
// returns false (with a log line) on data it cannot read.
//
// Readers produce an A8R8G8B8 canvas (see AllocateImageCanvas), except the
// DDS reader, which hands DXT3 files with power-of-two sides over as blocks.

#include "platform/d3dx9/D3DX9Image.h"

#include <cstddef>
#include <cstdint>

bool IsBmpImage(const uint8_t* data, size_t size);
bool ReadBmpImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image);

bool IsPngImage(const uint8_t* data, size_t size);
bool ReadPngImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image);

bool IsJpegImage(const uint8_t* data, size_t size);
bool ReadJpegImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image);

// TGA files carry no signature: this checks that the header is consistent.
bool IsTgaImage(const uint8_t* data, size_t size);
bool ReadTgaImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image);

bool IsDdsImage(const uint8_t* data, size_t size);
bool ReadDdsImage(const uint8_t* data, size_t size, sD3DXDecodedImage& image);

// DXT blocks (squish flags kDxt1, kDxt3 or kDxt5) of a width by height image
// decompressed into the top-left corner of an A8R8G8B8 canvas.
void DecompressDxtToCanvas(const uint8_t* blocks, int squishFormat, UINT width, UINT height,
	sD3DXDecodedImage& canvas);

// An A8R8G8B8 image compressed to DXT3 in place.
void CompressCanvasToDxt3(sD3DXDecodedImage& image);

// Bytes of the DXT blocks that cover a width by height image (64-bit, so
// that hostile sizes cannot wrap).
uint64_t DxtStorageSize(uint64_t width, uint64_t height, int squishFormat);
