#pragma once
// Small image files built in memory for the image loader tests: PNG and JPEG
// through libpng and libjpeg, BMP, TGA and DDS byte by byte.

#include <cstdint>
#include <vector>

typedef std::vector<uint8_t> tBytes;

// PNG: rows of packed samples as the PNG format stores them (16-bit samples
// big-endian). palette holds R, G, B triples; transparency is the tRNS chunk
// (alpha per palette entry, or a 16-bit grey or R, G, B key).
struct sPngFixture
{
	int width;
	int height;
	int colourType; // PNG_COLOR_TYPE_...
	int bitDepth;
	tBytes rows = {};
	tBytes palette = {};
	std::vector<uint16_t> transparency = {};
	bool interlaced = false;
};
tBytes WritePng(const sPngFixture& fixture);

// JPEG from 8-bit R, G, B (or grey) samples.
tBytes WriteJpeg(int width, int height, int components, const tBytes& samples, bool progressive);

// JPEG at quality 100 from C, M, Y, K samples, stored as they are without or
// with an Adobe marker, or converted to YCCK (which always has the marker).
enum class eJpegInk
{
	kCmyk,
	kCmykWithAdobeMarker,
	kYcck,
};
tBytes WriteCmykJpeg(int width, int height, const tBytes& samples, eJpegInk ink);

// BMP with the given info header size (12, 40, 56, 108 or 124). The masks
// (R, G, B, A) go inside the larger headers or after a 40-byte one when
// compression is 3 (bit fields). Each row is padded to 4 bytes here. The
// palette holds B, G, R, 0 entries (B, G, R for the 12-byte header).
struct sBmpFixture
{
	uint32_t headerSize = 40;
	int32_t width;
	int32_t height;
	uint16_t bitCount;
	uint32_t compression = 0;
	uint32_t masks[4] = {};
	tBytes palette = {};
	std::vector<tBytes> storedRows = {}; // in file order
};
tBytes WriteBmp(const sBmpFixture& fixture);

struct sTgaFixture
{
	uint8_t imageType;
	uint8_t pixelBits;
	uint8_t descriptor;
	uint16_t width;
	uint16_t height;
	uint8_t mapEntryBits = 0;
	uint16_t mapFirst = 0;
	tBytes colourMap = {};
	tBytes pixels = {}; // as stored, packets included
};
tBytes WriteTga(const sTgaFixture& fixture);

// DDS of one level: pixel format flags with a FourCC or a bit count and
// R, G, B, A masks.
struct sDdsFixture
{
	uint32_t width;
	uint32_t height;
	uint32_t formatFlags;
	uint32_t fourCC = 0;
	uint32_t bitCount = 0;
	uint32_t masks[4] = {};
	tBytes pixels;
};
tBytes WriteDds(const sDdsFixture& fixture);
