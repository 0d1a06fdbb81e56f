#pragma once
// Reads a font's XML description into its texture name, line height and
// glyph table:
//   <texture name="atlas"/>
//   <symbol char="65" rect="left top right bottom" left="0.5" right="1"/>
// "char" is the UTF-16 code (0 to 65535), "rect" the glyph's texel
// rectangle, "left" and "right" the pen offsets before and after it.

#include "engine/foundation/cXmlDispatcher.h"
#include "engine/graphics/sGlyph.h"

#include <cstdint>
#include <string>
#include <vector>

class cFontParser
{
public:
	cFontParser(std::string& textureName, int32_t& lineHeight, std::vector<sGlyph>& glyphs);

	// Resets the table to 256 empty glyphs and the line height to 0, then
	// hands every child element of the font element to its handler, in
	// document order; other elements are ignored.
	void Parse(const cXmlNode& fontElement);

private:
	void OnTexture(cXmlNode* element);
	// A symbol without a usable "char" or "rect" is skipped with a warning;
	// a code already described is replaced.
	void OnSymbol(cXmlNode* element);

	std::string& m_textureName;
	int32_t& m_lineHeight;
	std::vector<sGlyph>& m_glyphs;
	cXmlDispatcher m_dispatcher;
};
