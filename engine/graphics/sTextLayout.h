#pragma once
// A block of text laid out as textured quads (four vertices per drawn
// glyph), filled by the text layout and drawn by cGraphicsText.

#include "engine/foundation/cBoundingBox.h"

#include <cstdint>

class cFontResource;

// Position and one texture coordinate pair (vertex format 258, 20 bytes).
struct sTextVertex
{
	float x;
	float y;
	float z;
	float u;
	float v;
};

static_assert(sizeof(sTextVertex) == 20);

// Alignment flags of a layout: bits 0-1 horizontal, bits 2-3 vertical.
enum
{
	TextAlignLeft = 0,
	TextAlignRight = 1,
	TextAlignCentre = 2,
	TextAlignBottom = 0,
	TextAlignTop = 4,
	TextAlignMiddle = 12
};

// Layout options.
enum
{
	// Cut the text at the first forced line break and append "...".
	TextEllipsis = 0x10,
	// One line: no tokens, no wrapping, no line breaks.
	TextSingleLine = 0x40
};

struct sTextLayout
{
	// The font the text was laid out with; null when there was none.
	cFontResource* font = nullptr;
	// Caller-owned memory for the quads; glyphs that would go beyond
	// vertexCapacity vertices are measured but not written.
	sTextVertex* vertices = nullptr;
	uint32_t vertexCapacity = 0;
	cBoundingBox bounds;
	// Grows by 4 per written glyph; the caller sets it to 0 first.
	int32_t vertexCount = 0;
	// The font's line height times its scale (multi-line layouts only).
	float lineHeight = 0.0f;
	// Set by the caller: TextAlign... flags.
	int32_t alignment = 0;
};
