#pragma once
// Text layout over a font's glyph table: tokenizing, word wrap, per-line
// alignment and the "..." cut. Pure computation, so it runs without a
// device; cGraphicsTextBase feeds it the font of a registered id.
//
// The layout works in world units on a y-up plane: the first line is at
// the top, every further line one line height lower, and the block's
// lower-left corner is at the origin.

#include "engine/graphics/sGlyph.h"
#include "engine/graphics/sTextLayout.h"
#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <vector>

// What the layout reads of a font.
struct sFontFace
{
	const std::vector<sGlyph>* glyphs = nullptr;
	int32_t lineHeight = 0;
	int32_t spaceWidth = 0;
	float scale = 1.0f;
	// The font texture's extents in texels; 0 without a texture (the
	// texture coordinates are then 0).
	float textureWidth = 0.0f;
	float textureHeight = 0.0f;
};

// A run of text: one newline character, a run of blanks (32 and 9) or a word.
struct sTextToken
{
	bool newline = false;
	bool blank = false;
	const wchar_t* start = nullptr;
	uint32_t length = 0;
	float width = 0.0f;
};

struct sTextLine
{
	std::vector<sTextToken> tokens;
	float width = 0.0f;
};

// Reads the token at text; false at the end of the text (character 0).
bool NextToken(const wchar_t* text, sTextToken& token);
// Appends the tokens of the whole text to tokens, in order.
void Tokenize(const wchar_t* text, std::vector<sTextToken>& tokens);

// Lays text (UTF-16 units, zero-terminated; null reads as empty) out into
// layout: quads appended to its vertices, its bounds and (multi-line) its
// line height. box gives the wrapping width (right - left). options:
// TextEllipsis, TextSingleLine.
void LayoutTextWithFace(const sFontFace& face, const RECT& box, sTextLayout& layout, const wchar_t* text, int options);

// The offset that places a laid-out block in the rectangle by the layout's
// alignment flags (y grows upward: "top" puts the block's top at bottom).
cVector3d GetAlignmentOffset(const sTextLayout& layout, const RECT& rectangle);
