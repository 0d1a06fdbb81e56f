#include "cImage.h"

#include <algorithm>

cImage::cImage(int width, int height) : m_width(width), m_height(height), m_pixels(size_t(width) * height * 4, 0)
{
}

// Source over destination on straight (not premultiplied) colours.
void cImage::Blend(int x, int y, const sRgba& color, float coverage)
{
	if (x < 0 || y < 0 || x >= m_width || y >= m_height || coverage <= 0)
		return;
	uint8_t* p = &m_pixels[(size_t(y) * m_width + x) * 4];
	const float source = std::min(coverage, 1.0f) * color.a / 255.0f;
	const float below = p[3] / 255.0f;
	const float alpha = source + below * (1 - source);
	if (alpha <= 0)
		return;
	const uint8_t channels[3] = {color.r, color.g, color.b};
	for (int i = 0; i < 3; ++i)
	{
		const float mixed = (channels[i] * source + p[i] * below * (1 - source)) / alpha;
		p[i] = uint8_t(std::clamp(mixed + 0.5f, 0.0f, 255.0f));
	}
	p[3] = uint8_t(alpha * 255 + 0.5f);
}

void cImage::FillRect(int left, int top, int right, int bottom, const sRgba& color)
{
	for (int y = top; y < bottom; ++y)
		for (int x = left; x < right; ++x)
			Blend(x, y, color);
}

void cImage::FillShape(int left, int top, int right, int bottom, const std::function<bool(float, float)>& inside,
	const sRgba& color)
{
	const int samples = 4;
	for (int y = top; y < bottom; ++y)
		for (int x = left; x < right; ++x)
		{
			int hits = 0;
			for (int sy = 0; sy < samples; ++sy)
				for (int sx = 0; sx < samples; ++sx)
					hits += inside(x + (sx + 0.5f) / samples, y + (sy + 0.5f) / samples) ? 1 : 0;
			Blend(x, y, color, float(hits) / (samples * samples));
		}
}

void cImage::DrawMask(int x, int y, int width, int height, const uint8_t* mask, int pitch, const sRgba& color)
{
	for (int row = 0; row < height; ++row)
		for (int column = 0; column < width; ++column)
			Blend(x + column, y + row, color, mask[size_t(row) * pitch + column] / 255.0f);
}
