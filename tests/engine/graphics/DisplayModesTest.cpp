// The display-mode and window-size rules, and the colour packing, without a device.

#include "engine/graphics/DisplayModes.h"
#include "engine/graphics/cGraphics.h"

#include <gtest/gtest.h>

namespace
{
sDisplaySettings Request(int width, int height, int bpp, bool windowed)
{
	sDisplaySettings settings;
	settings.x = 10;
	settings.y = 20;
	settings.width = width;
	settings.height = height;
	settings.bpp = bpp;
	settings.windowed = windowed;
	return settings;
}

D3DDISPLAYMODE Mode(UINT width, UINT height, UINT refresh, D3DFORMAT format = D3DFMT_X8R8G8B8)
{
	return { width, height, refresh, format };
}
}

TEST(DisplayModes, WindowIsFittedToTheDesktop)
{
	struct sCase
	{
		int width, height, desktopWidth, desktopHeight, expectedWidth, expectedHeight;
	};
	const sCase cases[] = {
		{ 1920, 1200, 1680, 1050, 1266, 950 }, // width clamp to 1580 x 1185, then the height clamp
		{ 1024, 768, 1920, 1200, 1024, 768 }, // fits: unchanged
		{ 1024, 768, 1024, 1200, 924, 693 }, // as wide as the desktop
		{ 1024, 768, 1600, 768, 890, 668 }, // as tall as the desktop
		{ 800, 1100, 1920, 1080, 1306, 980 }, // a tall request gets a 4:3 width
	};
	for (const sCase& c : cases)
	{
		sDisplaySettings result = FitWindowToDesktop(Request(c.width, c.height, 32, true), c.desktopWidth,
			c.desktopHeight);
		EXPECT_EQ(result.width, c.expectedWidth) << c.width << "x" << c.height;
		EXPECT_EQ(result.height, c.expectedHeight) << c.width << "x" << c.height;
		EXPECT_EQ(result.x, 10);
		EXPECT_TRUE(result.windowed);
	}
}

TEST(DisplayModes, FullScreenNarrowsByWidthHeightDepthAndRefresh)
{
	const std::vector<D3DDISPLAYMODE> modes = {
		Mode(800, 600, 60, D3DFMT_R5G6B5),
		Mode(1280, 720, 60),
		Mode(1280, 1024, 60, D3DFMT_R5G6B5),
		Mode(1280, 1024, 60),
		Mode(1280, 1024, 75),
		Mode(1280, 960, 85),
		Mode(1024, 768, 60, D3DFMT_R5G6B5),
		Mode(1024, 768, 70, D3DFMT_R5G6B5),
		Mode(1024, 768, 60),
	};
	// No 1000 wide mode: the widest width, then the tallest height among those.
	sDisplaySettings result = PickFullScreenMode(Request(1000, 700, 32, false), modes);
	EXPECT_EQ(result.width, 1280);
	EXPECT_EQ(result.height, 1024);
	EXPECT_EQ(result.x, 10);
	EXPECT_EQ(result.bpp, 32);
	EXPECT_FALSE(result.windowed);

	result = PickFullScreenMode(Request(1024, 768, 16, false), modes);
	EXPECT_EQ(result.width, 1024);
	EXPECT_EQ(result.height, 768);
	// A depth no mode has: the deepest survives, and bpp stays as requested.
	result = PickFullScreenMode(Request(800, 600, 24, false), modes);
	EXPECT_EQ(result.width, 800);
	EXPECT_EQ(result.bpp, 24);

	// No mode at all keeps the request.
	result = PickFullScreenMode(Request(1000, 700, 32, false), {});
	EXPECT_EQ(result.width, 1000);
	EXPECT_EQ(result.height, 700);
}

TEST(DisplayModes, BitDepthsAndBackBufferFormats)
{
	EXPECT_EQ(FormatBitDepth(D3DFMT_X1R5G5B5), 16);
	EXPECT_EQ(FormatBitDepth(D3DFMT_A4R4G4B4), 16);
	EXPECT_EQ(FormatBitDepth(D3DFMT_R8G8B8), 24);
	EXPECT_EQ(FormatBitDepth(D3DFMT_X8R8G8B8), 32);
	EXPECT_EQ(FormatBitDepth(D3DFMT_DXT3), 0);
	EXPECT_EQ(BackBufferFormatForBpp(16), D3DFMT_R5G6B5);
	EXPECT_EQ(BackBufferFormatForBpp(24), D3DFMT_R8G8B8);
	EXPECT_EQ(BackBufferFormatForBpp(32), D3DFMT_A8R8G8B8);
	EXPECT_EQ(BackBufferFormatForBpp(8), D3DFMT_UNKNOWN);
}

TEST(DisplayModes, NonPositiveSizesBecomeTheDefault)
{
	testing::internal::CaptureStderr();
	for (auto [width, height] : { std::pair { 0, 768 }, std::pair { 1024, -5 }, std::pair { -1, 0 } })
	{
		sDisplaySettings result = ValidDisplaySize(Request(width, height, 16, true));
		EXPECT_EQ(result.width, 1024);
		EXPECT_EQ(result.height, 768);
		EXPECT_EQ(result.bpp, 16);
		EXPECT_EQ(result.x, 10);
	}
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Display size 0 x 768 is not valid"), std::string::npos);
	sDisplaySettings valid = ValidDisplaySize(Request(640, 480, 32, true));
	EXPECT_EQ(valid.width, 640);
	EXPECT_EQ(valid.height, 480);
}

TEST(ColorToArgb, PacksTruncatedChannelsAndClampsOutOfRange)
{
	EXPECT_EQ(ColorToArgb(1, 1, 1, 1), 0xFFFFFFFFu);
	EXPECT_EQ(ColorToArgb(0.5f, 1, 0, 0), 0x7FFF0000u);
	EXPECT_EQ(ColorToArgb(0, 0, 0, 0), 0u);
	EXPECT_EQ(ColorToArgb(1, 0.999f, 0.25f, 0.1f), 0xFFFE3F19u);
	// Out of range: each channel clamped, no spill into its neighbour.
	EXPECT_EQ(ColorToArgb(1.5f, -0.2f, 0.5f, 2.0f), 0xFF007FFFu);
	EXPECT_EQ(ColorToArgb(-1, 1.01f, -0.01f, 1), 0x00FF00FFu);
}
