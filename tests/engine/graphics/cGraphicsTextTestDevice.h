#pragma once
// The graphics device on a hidden window for the text and texture resource
// tests (run under a display), an orthographic camera in pixels with y up,
// read-back of the back buffer, and 32-bit TGA images built in memory.

#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "platform/d3d9/D3D9TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>
#include <unistd.h>

// An image of ARGB pixels, top row first.
struct sTestImage
{
	int width;
	int height;
	std::vector<D3DCOLOR> pixels;

	sTestImage(int w, int h, D3DCOLOR fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}

	void FillRect(int left, int top, int right, int bottom, D3DCOLOR color)
	{
		for (int y = top; y < bottom; ++y)
			for (int x = left; x < right; ++x)
				pixels[size_t(y) * width + x] = color;
	}

	// An uncompressed 32-bit TGA with its origin at the top left.
	std::string Tga() const
	{
		std::string bytes(18, '\0');
		bytes[2] = 2;
		bytes[12] = char(width & 0xFF);
		bytes[13] = char(width >> 8);
		bytes[14] = char(height & 0xFF);
		bytes[15] = char(height >> 8);
		bytes[16] = 32;
		bytes[17] = 0x28;
		for (D3DCOLOR pixel : pixels)
			for (int shift : {0, 8, 16, 24})
				bytes.push_back(char((pixel >> shift) & 0xFF));
		return bytes;
	}
};

// The back buffer read back as ARGB values, top row first.
struct sBackBuffer
{
	UINT width = 0;
	UINT height = 0;
	std::vector<D3DCOLOR> data;

	// The colour without alpha at a pixel counted from the top left.
	D3DCOLOR At(UINT x, UINT y) const { return data[size_t(y) * width + x] & 0xFFFFFF; }
	// The same, with y counted upward from the bottom edge (the text's own
	// coordinates under the pixel camera).
	D3DCOLOR AtUp(UINT x, UINT y) const { return At(x, height - 1 - y); }
};

class cTestGraphicsDevice
{
public:
	// Creates the window and the device windowed at width by height. The
	// available texture memory decides the texture quality: above the
	// threshold of 1 MiB, textures stay A8R8G8B8.
	cTestGraphicsDevice(int width, int height, UINT textureMemory = 64u << 20)
	{
		D3D9Test::SetAvailableTextureMemory(textureMemory);
		sStartupParams params {nullptr, SW_HIDE, nullptr, "", false};
		const std::string className = "zv2_text_test_" + std::to_string(getpid());
		cWin32Application* application = Singletone<cWin32Application>::GetInstance();
		EXPECT_TRUE(application->CreateMainWindow(params, className.c_str(), "text test"));
		graphics = Singletone<cGraphics>::GetInstance();
		graphics->SetTextureMemoryThreshold(1u << 20);
		sDisplaySettings settings;
		settings.width = width;
		settings.height = height;
		settings.windowed = true;
		EXPECT_TRUE(graphics->CreateDevice(settings));
		camera.SetOrtho(0.0f, 0.0f, float(width), float(height), -1.0f, 1.0f);
		camera.SetDepthTest(false);
	}

	// Starts a frame under the pixel camera with the identity world matrix.
	void BeginFrame()
	{
		graphics->BeginScene();
		camera.Apply();
		graphics->SetWorldMatrix(cMatrix::Identity());
	}

	// Reads the back buffer, then ends the frame.
	sBackBuffer EndFrame()
	{
		sBackBuffer pixels;
		IDirect3DSurface9* surface = graphics->GetBackBuffer();
		D3DSURFACE_DESC desc;
		surface->GetDesc(&desc);
		pixels.width = desc.Width;
		pixels.height = desc.Height;
		pixels.data.resize(size_t(desc.Width) * desc.Height);
		D3DLOCKED_RECT locked;
		EXPECT_EQ(D3D_OK, surface->LockRect(&locked, nullptr, D3DLOCK_READONLY));
		for (UINT row = 0; row < desc.Height; ++row)
			memcpy(&pixels.data[size_t(row) * desc.Width], static_cast<BYTE*>(locked.pBits) + size_t(row) * locked.Pitch,
				desc.Width * 4);
		surface->UnlockRect();
		graphics->EndScene();
		return pixels;
	}

	cGraphics* graphics = nullptr;
	cCamera camera;
};
