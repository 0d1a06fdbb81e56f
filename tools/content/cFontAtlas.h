#pragma once
// A bitmap font made from a typeface: every glyph of a character set in
// one texture (white, with the glyph's coverage as alpha), and the font's
// description for a resource list, whose "symbol" elements give each
// glyph's texel rectangle and the offsets that make up its advance.

#include "cImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cXmlNode;

struct sFontStyle
{
	// The font resource's name; its texture is named with "_atlas" added.
	std::string name;
	// The typeface file.
	std::string file;
	int pixelSize = 0;
};

class cFontAtlas
{
public:
	// Renders the codes the typeface has; false when it cannot be opened
	// or the glyphs do not fit the largest texture.
	bool Build(const sFontStyle& style, const std::vector<uint32_t>& codes);

	const cImage& GetImage() const { return *m_image; }
	const std::string& GetTextureName() const { return m_textureName; }
	// A new "resource" element of type "font" for a resource list.
	cXmlNode* CreateDescription() const;

private:
	struct sSymbol
	{
		uint32_t code;
		int left, top, right, bottom;
		int leftOffset, rightOffset;
	};

	std::string m_name;
	std::string m_textureName;
	int m_spaceWidth = 0;
	std::vector<sSymbol> m_symbols;
	std::unique_ptr<cImage> m_image;
};

// The codes of the demo's fonts: printable ASCII, Latin-1 and Cyrillic.
std::vector<uint32_t> LatinAndCyrillicCodes();
