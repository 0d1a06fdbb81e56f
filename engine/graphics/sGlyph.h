#pragma once
// One character of a bitmap font: its texel rectangle in the font texture
// and the pen offsets added before and after it. The same 24 bytes in
// memory and in a font's binary form. An all-zero glyph draws nothing
// visible and does not move the pen.

#include <cstdint>

struct sGlyph
{
	int32_t left = 0;
	int32_t top = 0;
	int32_t right = 0;
	int32_t bottom = 0;
	float leftOffset = 0.0f;
	float rightOffset = 0.0f;
};

static_assert(sizeof(sGlyph) == 24);
