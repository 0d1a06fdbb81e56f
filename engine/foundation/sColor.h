#pragma once
// A colour as four floats from 0 to 1, laid out like D3DCOLORVALUE
// (red, green, blue, alpha).

#include "platform/d3d9/D3D9Types.h"

struct sColor : D3DCOLORVALUE
{
	sColor() : sColor(0.0f, 0.0f, 0.0f, 0.0f) {}
	sColor(float red, float green, float blue, float alpha)
	{
		r = red;
		g = green;
		b = blue;
		a = alpha;
	}

	// Each channel the smaller of the two.
	static sColor Min(const sColor& first, const sColor& second);
};

static_assert(sizeof(sColor) == 4 * sizeof(float));

// Packs four channels from 0 to 1 (each clamped to that range, one that is
// not a number taken as 0) into a 32-bit colour, a, r, g, b from the high
// byte down, each channel times 255 truncated toward zero.
DWORD ColorToArgb(float a, float r, float g, float b);
// Splits a 32-bit ARGB colour into its channels, each divided by 255.
void ColorToFloats(DWORD argb, float& alpha, float& red, float& green, float& blue);
