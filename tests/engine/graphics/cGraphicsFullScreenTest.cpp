// Full screen on the real display, as another X client sees it: the window
// covers the screen in the mode chosen for a request the screen does not
// offer, and the logical screen is drawn as a centred strip between bars.

#include "GraphicsTestSupport.h"

#include <chrono>
#include <thread>

#include "XWindowProbe.h"

namespace
{
// Polls the screen until the pixel shows the colour, for up to two seconds.
bool ScreenShows(const cXWindowProbe& probe, int x, int y, unsigned long rgb)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
	while (probe.ScreenPixel(x, y) != rgb)
	{
		if (std::chrono::steady_clock::now() > deadline)
			return false;
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	}
	return true;
}
}

TEST(cGraphicsFullScreen, CoversTheScreenWithACentredPictureBetweenBlackBars)
{
	cXWindowProbe probe;
	ASSERT_TRUE(probe.IsOpen());
	const int width = probe.ScreenWidth();
	const int height = probe.ScreenHeight();
	if (width == 1024 || height == 768)
		GTEST_SKIP() << "the screen must differ from 1024 by 768 in both directions";

	// The default request: 1024 by 768 full screen, which the screen does not offer.
	cGraphics* graphics = StartGraphics(sDisplaySettings());
	EXPECT_FALSE(graphics->GetPresentParameters().Windowed);
	EXPECT_EQ(graphics->GetPresentParameters().BackBufferWidth, UINT(width));
	EXPECT_EQ(graphics->GetPresentParameters().BackBufferHeight, UINT(height));

	cXWindowProbe::sRect placed = probe.Geometry(probe.FindMappedWindowOf(getpid()));
	EXPECT_EQ(placed.x, 0);
	EXPECT_EQ(placed.y, 0);
	EXPECT_EQ(placed.width, width);
	EXPECT_EQ(placed.height, height);

	// The logical screen, all white, fills a 4:3 strip of the screen's height
	// when the screen is at least half again as wide as high.
	const int strip = float(width) / float(height) >= 1.5f ? height * 4 / 3 : width;
	const int left = (width - strip) / 2;
	EXPECT_EQ(graphics->IsPillarbox(), strip < width);
	static cCamera camera;
	SetScreenCamera(camera);
	std::unique_ptr<cTexture> white(WhiteTexture());
	cVertexBuffer buffer;
	graphics->BeginScene();
	camera.Apply();
	white->Bind(0);
	DrawColorQuads(buffer, ColorQuad(0, 0, 1024, 768, 0xFFFFFFFF));
	graphics->EndScene();

	EXPECT_TRUE(ScreenShows(probe, left, height / 2, 0xFFFFFF));
	EXPECT_TRUE(ScreenShows(probe, left + strip - 1, 0, 0xFFFFFF));
	EXPECT_TRUE(ScreenShows(probe, left + strip / 2, height - 1, 0xFFFFFF));
	if (left > 0)
	{
		EXPECT_TRUE(ScreenShows(probe, left - 1, height / 2, 0));
		EXPECT_TRUE(ScreenShows(probe, 0, 0, 0));
		EXPECT_TRUE(ScreenShows(probe, left + strip, height - 1, 0));
		EXPECT_TRUE(ScreenShows(probe, width - 1, height / 2, 0));
	}
}
