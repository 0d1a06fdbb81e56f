#pragma once
// What a bitmap font holds besides its texture: the texture's name, the
// glyph table indexed by UTF-16 code, and the metrics the text layout
// reads. Its binary form (all little-endian) is how fonts are stored in
// pack files:
//   u32 N, N bytes of texture name, i32 line height, u32 C, C glyphs of
//   24 bytes (four i32 and two floats), i32 space width, float scale,
//   one byte upper (0 false).

#include "engine/graphics/sGlyph.h"

#include <cstdint>
#include <string>
#include <vector>

class cStream;

struct sFontData
{
	std::string textureName;
	std::vector<sGlyph> glyphs;
	// The largest glyph height of the description.
	int32_t lineHeight = 0;
	// The advance of a blank.
	int32_t spaceWidth = 3;
	// Multiplies glyph widths and the line height.
	float scale = 1.0f;
	// Stored with the font; the layout does not read it.
	bool upper = false;

	void Write(cStream& out) const;
	// Replaces every value with the binary form read from the stream. A
	// count or length the stream cannot hold, or a short read, leaves the
	// values as they were and returns false.
	bool Read(cStream& in);
};
