#include "cGlyphRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

namespace
{
// Sizes in 26.6 fixed point, rounded outward to whole pixels.
int CeilPixels(FT_Pos value)
{
	return int((value + 63) >> 6);
}
}

cGlyphRasterizer::cGlyphRasterizer()
{
	if (FT_Init_FreeType(&m_library))
		m_library = nullptr;
}

cGlyphRasterizer::~cGlyphRasterizer()
{
	if (m_face)
		FT_Done_Face(m_face);
	if (m_library)
		FT_Done_FreeType(m_library);
}

bool cGlyphRasterizer::Open(const std::string& file, int pixelSize)
{
	if (!m_library || FT_New_Face(m_library, file.c_str(), 0, &m_face))
	{
		m_face = nullptr;
		fprintf(stderr, "cannot open the font %s\n", file.c_str());
		return false;
	}
	if (FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(pixelSize)))
	{
		fprintf(stderr, "the font %s has no size %d\n", file.c_str(), pixelSize);
		return false;
	}
	m_ascender = CeilPixels(m_face->size->metrics.ascender);
	m_descender = CeilPixels(-m_face->size->metrics.descender);
	return true;
}

bool cGlyphRasterizer::Render(uint32_t code, sRasterGlyph& glyph) const
{
	const FT_UInt index = m_face ? FT_Get_Char_Index(m_face, code) : 0;
	if (!index || FT_Load_Glyph(m_face, index, FT_LOAD_DEFAULT) || FT_Render_Glyph(m_face->glyph, FT_RENDER_MODE_NORMAL))
		return false;
	const FT_GlyphSlot slot = m_face->glyph;
	const FT_Bitmap& bitmap = slot->bitmap;
	glyph.width = int(bitmap.width);
	glyph.height = int(bitmap.rows);
	glyph.bearingX = slot->bitmap_left;
	glyph.bearingY = slot->bitmap_top;
	glyph.advance = int((slot->advance.x + 32) >> 6);
	glyph.coverage.assign(size_t(glyph.width) * glyph.height, 0);
	for (int row = 0; row < glyph.height; ++row)
		for (int column = 0; column < glyph.width; ++column)
			glyph.coverage[size_t(row) * glyph.width + column] = bitmap.buffer[row * bitmap.pitch + column];
	return true;
}
