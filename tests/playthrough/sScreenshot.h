#pragma once
// A picture of the game's window: 0xRRGGBB pixels, rows from the top.

#include <string>
#include <vector>

struct sScreenshot
{
	int width = 0;
	int height = 0;
	std::vector<unsigned> pixels;

	bool IsEmpty() const { return pixels.empty(); }
	unsigned At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The PNG file's bytes of the picture.
std::string EncodeScreenshot(const sScreenshot& shot);
// The picture of a PNG file's bytes; empty when they are not one.
sScreenshot DecodeScreenshot(const std::string& bytes);
