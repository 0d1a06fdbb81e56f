#pragma once
// One typeface at one pixel size, rendered glyph by glyph with FreeType
// into 8-bit coverage bitmaps.

#include <cstdint>
#include <string>
#include <vector>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

struct sRasterGlyph
{
	int width = 0;
	int height = 0;
	// From the pen position to the bitmap's left edge.
	int bearingX = 0;
	// From the baseline up to the bitmap's top row.
	int bearingY = 0;
	// Whole pixels the pen moves after the glyph.
	int advance = 0;
	// One byte a pixel, rows top first, width bytes a row.
	std::vector<uint8_t> coverage;
};

class cGlyphRasterizer
{
public:
	cGlyphRasterizer();
	~cGlyphRasterizer();
	cGlyphRasterizer(const cGlyphRasterizer&) = delete;
	cGlyphRasterizer& operator=(const cGlyphRasterizer&) = delete;

	// Opens the font file at the size (pixels from baseline to baseline
	// of the em square); false with a message on standard error when it fails.
	bool Open(const std::string& file, int pixelSize);
	// Whole pixels above and below the baseline that every glyph fits in.
	int GetAscender() const { return m_ascender; }
	int GetDescender() const { return m_descender; }
	// False when the face has no glyph for the code or it cannot be rendered.
	bool Render(uint32_t code, sRasterGlyph& glyph) const;

private:
	FT_Library m_library = nullptr;
	FT_Face m_face = nullptr;
	int m_ascender = 0;
	int m_descender = 0;
};
