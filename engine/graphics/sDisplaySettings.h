#pragma once
// A display mode request: where the window goes, the back-buffer size, the
// colour depth for full screen and whether the game runs in a window.
// Height comes before width, as the settings were always laid out.

struct sDisplaySettings
{
	int x = 0;
	int y = 0;
	int height = 768;
	int width = 1024;
	int bpp = 32;
	bool windowed = false;
};
