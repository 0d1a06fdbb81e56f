#pragma once
// The graphics device on a real (hidden) main window for the graphics tests,
// with helpers to draw quads in logical screen coordinates and read pixels
// back. Needs a display. Each test normally runs in its own process; the
// window and the device are made once per process and reset for each test.

#include "../foundation/TestRuns.h"

#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cVertexBuffer.h"
#include "platform/win32/Win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

// FVF 258: position and one texture coordinate pair.
struct sTexVertex
{
	float x, y, z, u, v;
};

// FVF 322: position, ARGB colour and one texture coordinate pair.
struct sColorTexVertex
{
	float x, y, z;
	D3DCOLOR color;
	float u, v;
};

constexpr int kFvfTex = D3DFVF_XYZ | D3DFVF_TEX1;
constexpr int kFvfColorTex = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Pixels read back, top row first, as ARGB values.
struct sPixels
{
	UINT width = 0;
	UINT height = 0;
	std::vector<D3DCOLOR> data;

	D3DCOLOR At(UINT x, UINT y) const { return data[size_t(y) * width + x]; }
};

inline ::testing::AssertionResult ColorNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance = 2)
{
	for (int shift = 0; shift < 32; shift += 8)
	{
		const int a = int((actual >> shift) & 0xFF);
		const int e = int((expected >> shift) & 0xFF);
		if (a - e > tolerance || e - a > tolerance)
			return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
	}
	return ::testing::AssertionSuccess();
}

// A surface's pixels (4 bytes each).
inline sPixels ReadSurface(IDirect3DSurface9* surface)
{
	D3DSURFACE_DESC desc;
	surface->GetDesc(&desc);
	sPixels pixels { desc.Width, desc.Height, std::vector<D3DCOLOR>(size_t(desc.Width) * desc.Height) };
	D3DLOCKED_RECT locked;
	EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
	for (UINT row = 0; row < desc.Height; ++row)
		memcpy(&pixels.data[size_t(row) * desc.Width], static_cast<BYTE*>(locked.pBits) + size_t(row) * locked.Pitch,
			desc.Width * 4);
	surface->UnlockRect();
	return pixels;
}

inline sPixels ReadTexture(const cTexture& texture)
{
	IDirect3DSurface9* surface = nullptr;
	EXPECT_EQ(texture.GetTexture()->GetSurfaceLevel(0, &surface), D3D_OK);
	sPixels pixels = ReadSurface(surface);
	surface->Release();
	return pixels;
}

inline sDisplaySettings Windowed(int width, int height)
{
	sDisplaySettings settings;
	settings.width = width;
	settings.height = height;
	settings.windowed = true;
	return settings;
}

// Deletes the graphics object an earlier test left (once per test): its
// destructor stores its settings, so a test that sets them calls this first.
inline void DropEarlierGraphics()
{
	static int lastRun = 0;
	if (lastRun == CurrentTestRun())
		return;
	lastRun = CurrentTestRun();
	if (Singletone<cGraphics>::Exists())
		delete Singletone<cGraphics>::GetInstance();
}

// The graphics singleton, made after the application as the game makes it
// (the singletons go in the reverse order at exit). Each test gets one of
// its own, so that what an earlier test of the program left in it (screen
// rectangle, render targets, texture memory) does not reach it.
inline cGraphics* GraphicsSingleton()
{
	DropEarlierGraphics();
	Singletone<cWin32Application>::GetInstance();
	return Singletone<cGraphics>::GetInstance();
}

// Makes the main window and the device in the given mode, on the test's
// own graphics singleton; a window that an input test has closed since is
// made anew.
inline cGraphics* StartGraphics(const sDisplaySettings& settings)
{
	GraphicsSingleton();
	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	if (!IsWindow(application->GetWindowHandle()))
	{
		if (application->GetWindowHandle())
			application = Singletone<cWin32Application>::Create();
		static int windows = 0;
		sStartupParams params { nullptr, SW_HIDE, nullptr, "", true };
		const std::string className = "GraphicsTest_" + std::to_string(getpid()) + "_" + std::to_string(++windows);
		EXPECT_TRUE(application->CreateMainWindow(params, className.c_str(), "graphics test"));
	}
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	if (!cGraphics::GetDevice())
		EXPECT_TRUE(graphics->CreateDevice(settings));
	else
		EXPECT_TRUE(graphics->ResetDevice(settings));
	return graphics;
}

inline cGraphics* StartGraphics(int width = 1024, int height = 768)
{
	return StartGraphics(Windowed(width, height));
}

inline sPixels ReadBackBuffer()
{
	return ReadSurface(Singletone<cGraphics>::GetInstance()->GetBackBuffer());
}

// The game's screen camera: x 0 to width, y 0 (bottom) to height, seen
// from z -1800.
inline void SetScreenCamera(cCamera& camera, float width = 1024, float height = 768)
{
	camera.SetOrtho(0, 0, width, height, 1, 2000);
	cMatrix placement;
	placement.MakeTranslation(cVector3d(0, 0, -1800));
	placement.LookAt(cVector3d(0, 0, 0));
	camera.SetTransform(placement);
}

// A quad of FVF 322 in logical coordinates (y up), clockwise on screen.
inline std::vector<sColorTexVertex> ColorQuad(float left, float bottom, float right, float top, D3DCOLOR color,
	float z = 0)
{
	return { { left, top, z, color, 0, 0 }, { right, top, z, color, 1, 0 }, { right, bottom, z, color, 1, 1 },
		{ left, bottom, z, color, 0, 1 } };
}

// A white texture that leaves the vertex colour or texture factor as it is.
inline cTexture* WhiteTexture()
{
	auto* texture = new cTexture(4, 4, cTexture::FORMAT_A8R8G8B8, D3DPOOL_MANAGED, false);
	cTexture::sLockedLevel level = texture->LockLevel0();
	for (UINT row = 0; row < level.height; ++row)
		memset(level.bits + size_t(row) * level.pitch, 0xFF, 16);
	texture->UnlockLevel0();
	return texture;
}

// Draws quads of FVF 322 through the shared quad index buffer.
inline void DrawColorQuads(cVertexBuffer& buffer, const std::vector<sColorTexVertex>& vertices)
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	buffer.SetFormat(kFvfColorTex, nullptr, 0);
	buffer.SetData(vertices.data(), unsigned(vertices.size()));
	buffer.Bind();
	graphics->GetQuadIndexBuffer().Bind();
	graphics->DrawQuads(int(vertices.size()), int(vertices.size() / 2));
}

// The device that an earlier test of the program made, kept with the
// resources that may still hold on to it; made anew for the test when that
// test asked for another back buffer size (a smaller one draws nothing where
// the test reads its pixels). A reset in place fails while those resources
// hold device memory.
inline cGraphics* EarlierGraphics(int width, int height)
{
	const D3DPRESENT_PARAMETERS& present = Singletone<cGraphics>::GetInstance()->GetPresentParameters();
	if (int(present.BackBufferWidth) == width && int(present.BackBufferHeight) == height)
		return Singletone<cGraphics>::GetInstance();
	return StartGraphics(width, height);
}
