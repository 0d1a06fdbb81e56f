#include "cLabelPainter.h"

#include <vector>

bool cLabelPainter::Open(const std::string& folder, int pixelSize)
{
	return m_face.Open(folder + "/DejaVuSans-Bold.ttf", pixelSize);
}

void cLabelPainter::Paint(cImage& image, const std::string& text, int centreX, int baseline, const sRgba& colour) const
{
	std::vector<sRasterGlyph> glyphs(text.size());
	int width = 0;
	for (size_t i = 0; i < text.size(); ++i)
		if (m_face.Render(uint8_t(text[i]), glyphs[i]))
			width += glyphs[i].advance;
	int pen = centreX - width / 2;
	for (const sRasterGlyph& glyph : glyphs)
	{
		image.DrawMask(pen + glyph.bearingX, baseline - glyph.bearingY, glyph.width, glyph.height,
			glyph.coverage.data(), glyph.width, colour);
		pen += glyph.advance;
	}
}
