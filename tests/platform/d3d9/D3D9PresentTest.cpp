// Present stretches the whole back buffer over the window, top row at the top.

#include "tests/platform/d3d9/cD3D9TestDevice.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

TEST(D3D9Present, StretchesTheBackBufferOverTheWindow)
{
	cD3D9TestDevice device(64, 48, 128, 96);
	ASSERT_NE(device.device, nullptr);
	device.SetFrameStates();
	device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0);
	device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFFFF0000);
	device->BeginScene();
	ASSERT_EQ(device.DrawQuads(QuadVertices(-0.5f, -0.5f, 15.5f, 7.5f), kFvfTex), D3D_OK);
	device->EndScene();
	ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

	// The window's own buffer (Mesa's software rasteriser keeps its back
	// buffer through the swap), rows bottom first as GL keeps them.
	int width = 0;
	int height = 0;
	SDL_GL_GetDrawableSize(device.window, &width, &height);
	ASSERT_EQ(width, 128);
	ASSERT_EQ(height, 96);
	std::vector<D3DCOLOR> window(size_t(width) * height);
	glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
	glReadBuffer(GL_BACK);
	glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, window.data());
	auto fromTop = [&](int x, int y) { return window[size_t(height - 1 - y) * width + x]; };
	EXPECT_EQ(fromTop(10, 5), 0xFFFF0000u);
	EXPECT_EQ(fromTop(29, 13), 0xFFFF0000u);
	EXPECT_EQ(fromTop(40, 5), 0xFF0000FFu);
	EXPECT_EQ(fromTop(10, 30), 0xFF0000FFu);
	EXPECT_EQ(fromTop(127, 95), 0xFF0000FFu);
}
