#pragma once
// Reader of PVR texture files (legacy version 1 and 2 headers of 44 or 52
// bytes, little-endian fields). It takes the top level of the first surface:
// PVRTC 2 and 4 bits per pixel are decoded to 8-bit R, G, B, A pixels, the
// plain pixel types (16 RGBA4444, 17 RGBA5551, 18 RGBA8888, 19 RGB565,
// 21 RGB888) are used in place.

#include <cstdint>

class cMemoryStream;

struct sPvrReadResult
{
	sPvrReadResult() = default;
	sPvrReadResult(const sPvrReadResult&) = delete;
	sPvrReadResult& operator=(const sPvrReadResult&) = delete;
	~sPvrReadResult();

	cMemoryStream* stream = nullptr; // set by the caller; read from its position
	bool decoded = false; // PVRTC decoded into R, G, B, A bytes
	unsigned width = 0;
	unsigned height = 0;
	int formatCode = 0; // engine pixel-format code of the texture to create
	int pixelType = 0; // the file's pixel type
	bool ownsPixels = false;
	const uint8_t* pixels = nullptr;
};

// Largest side accepted when the device names none.
constexpr unsigned kPvrMaxSide = 4096;

// False for anything but a readable top level: a header size other than 44
// or 52, a twiddled plain type, a pixel type not listed, a cube map, a
// negative mip-map count, a side of 0 or above maxSide, a PVRTC side that
// is not a power of two, or fewer pixel bytes than the top level needs.
bool LoadPvrTexture(sPvrReadResult& result, unsigned maxSide = kPvrMaxSide);
