#pragma once
// An RGBA picture drawn by code: rectangles, anti-aliased shapes and
// coverage masks, blended over what is already there. Rows run top to bottom.

#include <cstdint>
#include <functional>
#include <vector>

struct sRgba
{
	uint8_t r = 0;
	uint8_t g = 0;
	uint8_t b = 0;
	uint8_t a = 0;
};

class cImage
{
public:
	// Transparent black.
	cImage(int width, int height);

	int GetWidth() const { return m_width; }
	int GetHeight() const { return m_height; }
	// Four bytes a pixel, r g b a, top row first.
	const std::vector<uint8_t>& GetPixels() const { return m_pixels; }

	// Blends the colour over the pixel with its alpha scaled by coverage
	// (0 to 1). Pixels outside the picture are left alone.
	void Blend(int x, int y, const sRgba& color, float coverage = 1);
	// From (left, top) up to, not including, (right, bottom).
	void FillRect(int left, int top, int right, int bottom, const sRgba& color);
	// Fills the pixels of the box whose area lies inside the shape, each in
	// proportion to the share of its 4 x 4 sample points inside.
	void FillShape(int left, int top, int right, int bottom, const std::function<bool(float, float)>& inside,
		const sRgba& color);
	// Blends a coverage mask (one byte a pixel, 255 full) with its top-left
	// corner at (x, y).
	void DrawMask(int x, int y, int width, int height, const uint8_t* mask, int pitch, const sRgba& color);

private:
	int m_width;
	int m_height;
	std::vector<uint8_t> m_pixels;
};
