#include "cFontAtlas.h"

#include "cGlyphRasterizer.h"

#include "engine/foundation/cXmlNode.h"

#include <algorithm>
#include <cstdio>

namespace
{
const int kAtlasWidth = 512;
const int kLargestAtlas = 4096;
// Blank texels around every glyph, so that filtering and the layout's
// extra texel row below a glyph read nothing of its neighbours.
const int kGap = 2;

void SetAttribute(cXmlNode* node, const char* name, const std::string& value)
{
	node->AddAttribute(name)->SetValue(value);
}

int NextPowerOfTwo(int value)
{
	int power = 1;
	while (power < value)
		power *= 2;
	return power;
}
}

std::vector<uint32_t> LatinAndCyrillicCodes()
{
	std::vector<uint32_t> codes;
	for (uint32_t code = 0x21; code <= 0x7E; ++code)
		codes.push_back(code);
	for (uint32_t code = 0xA0; code <= 0xFF; ++code)
		codes.push_back(code);
	for (uint32_t code = 0x400; code <= 0x45F; ++code)
		codes.push_back(code);
	return codes;
}

bool cFontAtlas::Build(const sFontStyle& style, const std::vector<uint32_t>& codes)
{
	cGlyphRasterizer rasterizer;
	if (!rasterizer.Open(style.file, style.pixelSize))
		return false;
	m_name = style.name;
	m_textureName = style.name + "_atlas";
	sRasterGlyph space;
	m_spaceWidth = rasterizer.Render(' ', space) ? space.advance : style.pixelSize / 3;

	// Every glyph cell is as high as the line, with the baseline at the
	// same height in each, so that the layout can stretch every quad over
	// the whole line.
	const int ascender = rasterizer.GetAscender();
	const int lineHeight = ascender + rasterizer.GetDescender();
	std::vector<sRasterGlyph> glyphs;
	m_symbols.clear();
	int x = kGap;
	int y = kGap;
	for (uint32_t code : codes)
	{
		sRasterGlyph glyph;
		if (!rasterizer.Render(code, glyph))
			continue;
		if (x + glyph.width + kGap > kAtlasWidth)
		{
			x = kGap;
			y += lineHeight + kGap;
		}
		m_symbols.push_back(sSymbol{code, x, y, x + glyph.width, y + lineHeight, glyph.bearingX,
			glyph.advance - glyph.bearingX - glyph.width});
		x += glyph.width + kGap;
		glyphs.push_back(std::move(glyph));
	}
	const int height = NextPowerOfTwo(y + lineHeight + kGap);
	if (height > kLargestAtlas)
	{
		fprintf(stderr, "the glyphs of %s do not fit a texture\n", style.name.c_str());
		return false;
	}

	m_image = std::make_unique<cImage>(kAtlasWidth, height);
	for (size_t i = 0; i < glyphs.size(); ++i)
	{
		const sRasterGlyph& glyph = glyphs[i];
		const sSymbol& symbol = m_symbols[i];
		// Rows that reach outside the line are cut off.
		const int first = std::max(0, glyph.bearingY - ascender);
		const int last = std::min(glyph.height, lineHeight - ascender + glyph.bearingY);
		const int top = symbol.top + ascender - glyph.bearingY + first;
		if (last > first)
			m_image->DrawMask(symbol.left, top, glyph.width, last - first,
				glyph.coverage.data() + size_t(first) * glyph.width, glyph.width, sRgba{255, 255, 255, 255});
	}
	return true;
}

cXmlNode* cFontAtlas::CreateDescription() const
{
	auto* resource = new cXmlNode("resource");
	SetAttribute(resource, "name", m_name);
	SetAttribute(resource, "type", "font");
	SetAttribute(resource, "space", std::to_string(m_spaceWidth));
	SetAttribute(resource, "scale", "1");
	auto* texture = new cXmlNode("texture");
	SetAttribute(texture, "name", m_textureName);
	resource->AppendChild(texture);
	for (const sSymbol& symbol : m_symbols)
	{
		auto* element = new cXmlNode("symbol");
		SetAttribute(element, "char", std::to_string(symbol.code));
		SetAttribute(element, "rect",
			std::to_string(symbol.left) + " " + std::to_string(symbol.top) + " " + std::to_string(symbol.right) + " " +
				std::to_string(symbol.bottom));
		SetAttribute(element, "left", std::to_string(symbol.leftOffset));
		SetAttribute(element, "right", std::to_string(symbol.rightOffset));
		resource->AppendChild(element);
	}
	return resource;
}
