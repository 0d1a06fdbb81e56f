#pragma once
// Paints one line of text into a picture with the demo's bold typeface at
// one size, for the labels the minigame pictures carry.

#include "cGlyphRasterizer.h"
#include "cImage.h"

#include <string>

class cLabelPainter
{
public:
	// The bold DejaVu face of the folder at the pixel size; false when it
	// cannot be opened.
	bool Open(const std::string& folder, int pixelSize);
	// The text centred on centreX, standing on the baseline (rows from the top).
	void Paint(cImage& image, const std::string& text, int centreX, int baseline, const sRgba& colour) const;

private:
	cGlyphRasterizer m_face;
};
