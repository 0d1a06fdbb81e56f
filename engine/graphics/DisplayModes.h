#pragma once
// The rules that turn a display request into the mode the device gets: a
// window fitted to the desktop, or the full-screen mode picked from the
// adapter's list.

#include "engine/graphics/sDisplaySettings.h"
#include "platform/d3d9/D3D9Types.h"

#include <vector>

// A window at least as wide as the desktop becomes 100 pixels narrower with
// a 4:3 height; then a window at least as tall becomes 100 pixels lower
// with a 4:3 width.
sDisplaySettings FitWindowToDesktop(const sDisplaySettings& settings, int desktopWidth, int desktopHeight);

// Narrows the modes by width, height, colour depth and refresh rate in
// turn: each step keeps the modes equal to the request (the refresh rate
// requests 0), or when none is, those with the largest value. The first
// survivor gives the width and height; everything else stays as
// requested. Without any mode the request is returned unchanged.
sDisplaySettings PickFullScreenMode(const sDisplaySettings& settings, const std::vector<D3DDISPLAYMODE>& modes);

// The full-screen back-buffer format of a colour depth: 16 R5G6B5,
// 24 R8G8B8, 32 A8R8G8B8, anything else D3DFMT_UNKNOWN.
D3DFORMAT BackBufferFormatForBpp(int bpp);

// Bits per pixel of a display or texture format: 16, 24, 32, or 0.
int FormatBitDepth(D3DFORMAT format);

// The settings with a non-positive width or height replaced by the default
// 1024 by 768 (with a warning in the log).
sDisplaySettings ValidDisplaySize(const sDisplaySettings& settings);
