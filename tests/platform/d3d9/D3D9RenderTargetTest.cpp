// Render-target textures as the game's render-target stack uses them: made
// current with a fresh viewport, filled whatever the viewport, drawn into
// with the alpha kept by MAX, read back top row first, and drawn onto the
// back buffer with v = 0 at the top.

#include "tests/platform/d3d9/cD3D9TestDevice.h"

namespace
{
constexpr D3DCOLOR kFill = 0x00303030;

void ExpectViewport(IDirect3DDevice9* device, DWORD x, DWORD y, DWORD width, DWORD height)
{
	D3DVIEWPORT9 viewport;
	device->GetViewport(&viewport);
	EXPECT_EQ(viewport.X, x);
	EXPECT_EQ(viewport.Y, y);
	EXPECT_EQ(viewport.Width, width);
	EXPECT_EQ(viewport.Height, height);
}
}

TEST(D3D9RenderTarget, PushFillCaptureWithAlphaMaxAndPop)
{
	cD3D9TestDevice device(64, 48);
	ASSERT_NE(device.device, nullptr);
	device.SetFrameStates();
	device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
	device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
	device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
	device->BeginScene();
	cReleaser<IDirect3DSurface9> backBuffer;
	device->GetRenderTarget(0, backBuffer.Out());

	// Push: a render target of the back buffer's size (not a power of two).
	cReleaser<IDirect3DTexture9> target;
	ASSERT_EQ(device->CreateTexture(64, 48, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, target.Out(),
		nullptr), D3D_OK);
	D3DSURFACE_DESC desc;
	target->GetLevelDesc(0, &desc);
	EXPECT_EQ(desc.Usage, DWORD(D3DUSAGE_RENDERTARGET));
	EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
	cReleaser<IDirect3DSurface9> surface;
	ASSERT_EQ(target->GetSurfaceLevel(0, surface.Out()), D3D_OK);
	D3DVIEWPORT9 small = { 0, 0, 8, 8, 0.0f, 1.0f };
	device->SetViewport(&small);
	ASSERT_EQ(device->SetRenderTarget(0, surface.Get()), D3D_OK);
	ExpectViewport(device.device, 0, 0, 64, 48);
	device->SetViewport(&small);
	ASSERT_EQ(device->ColorFill(surface.Get(), nullptr, kFill), D3D_OK);
	device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
	D3DVIEWPORT9 whole = { 0, 0, 64, 48, 0.0f, 1.0f };
	device->SetViewport(&whole);

	// Capture: colour blends as usual, alpha keeps the largest coverage.
	device->SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, TRUE);
	device->SetRenderState(D3DRS_BLENDOPALPHA, D3DBLENDOP_MAX);
	ASSERT_EQ(device.DrawQuads(ColorQuadVertices(-0.5f, -0.5f, 15.5f, 7.5f, 0x80FF0000), kFvfColorTex), D3D_OK);
	ASSERT_EQ(device.DrawQuads(ColorQuadVertices(-0.5f, -0.5f, 15.5f, 7.5f, 0x400000FF), kFvfColorTex), D3D_OK);
	device->SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, FALSE);
	device->SetRenderState(D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD);

	// Pop: back to the back buffer, with a viewport over all of it.
	ASSERT_EQ(device->SetRenderTarget(0, backBuffer.Get()), D3D_OK);
	ExpectViewport(device.device, 0, 0, 64, 48);

	sPixels captured = device.Read(surface.Get());
	EXPECT_EQ(captured.At(40, 30), kFill);
	EXPECT_EQ(captured.At(63, 47), kFill);
	EXPECT_EQ(captured.At(16, 0), kFill);
	D3DCOLOR drawn = captured.At(3, 3);
	EXPECT_EQ(drawn >> 24, 0x80u);
	// Red at half alpha over the fill, then blue at a quarter over that.
	EXPECT_TRUE(ColorNear(drawn & 0xFFFFFF, 0x721252, 3));

	// The captured image drawn onto the back buffer keeps its top at the top.
	device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
	device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
	device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
	device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
	device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
	device->SetTexture(0, target.Get());
	ASSERT_EQ(device.DrawQuads(QuadVertices(-0.5f, -0.5f, 63.5f, 47.5f), kFvfTex), D3D_OK);
	device->SetTexture(0, nullptr);
	device->EndScene();
	sPixels shown = device.Read();
	EXPECT_EQ(shown.At(3, 3), drawn);
	EXPECT_EQ(shown.At(3, 40), kFill);
}

// A pushed target without its own viewport draws over all of it, and the
// locked pixels come back in rows from the top.
TEST(D3D9RenderTarget, DrawsIntoANonPowerOfTwoTargetTopRowFirst)
{
	cD3D9TestDevice device(100, 60);
	ASSERT_NE(device.device, nullptr);
	cReleaser<IDirect3DTexture9> target;
	ASSERT_EQ(device->CreateTexture(100, 60, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
		target.Out(), nullptr), D3D_OK);
	cReleaser<IDirect3DSurface9> surface;
	target->GetSurfaceLevel(0, surface.Out());
	device->SetRenderTarget(0, surface.Get());
	device.SetFrameStates();
	device->ColorFill(surface.Get(), nullptr, 0xFF000000);
	device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
	device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF00FF00);
	device->BeginScene();
	ASSERT_EQ(device.DrawQuads(QuadVertices(89.5f, 49.5f, 99.5f, 59.5f), kFvfTex), D3D_OK);
	device->EndScene();

	D3DLOCKED_RECT locked;
	ASSERT_EQ(target->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
	EXPECT_GE(locked.Pitch, 400);
	auto pixel = [&](int x, int y) {
		return *reinterpret_cast<const D3DCOLOR*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch + x * 4);
	};
	EXPECT_EQ(pixel(95, 55), 0xFF00FF00u);
	EXPECT_EQ(pixel(88, 55), 0xFF000000u);
	EXPECT_EQ(pixel(95, 5), 0xFF000000u);
	target->UnlockRect(0);

	// ColorFill of a part leaves the rest.
	RECT part = { 0, 0, 10, 10 };
	ASSERT_EQ(device->ColorFill(surface.Get(), &part, 0xFFFF0000), D3D_OK);
	sPixels pixels = device.Read(surface.Get());
	EXPECT_EQ(pixels.At(9, 9), 0xFFFF0000u);
	EXPECT_EQ(pixels.At(10, 9), 0xFF000000u);
	EXPECT_EQ(pixels.At(95, 55), 0xFF00FF00u);
}

TEST(D3D9RenderTarget, OnlyRenderTargetSurfacesCanBeTargets)
{
	cD3D9TestDevice device;
	cReleaser<IDirect3DTexture9> plain(device.MakeTexture(4, 4, std::vector<D3DCOLOR>(16, 0xFFFFFFFF)));
	cReleaser<IDirect3DSurface9> surface;
	plain->GetSurfaceLevel(0, surface.Out());
	EXPECT_EQ(device->SetRenderTarget(0, surface.Get()), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->ColorFill(surface.Get(), nullptr, 0), D3DERR_INVALIDCALL);
	IDirect3DTexture9* managedTarget = nullptr;
	EXPECT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &managedTarget,
		nullptr), D3DERR_INVALIDCALL);
}

// Depth-stencil surfaces of their own can be created, described and bound.
TEST(D3D9RenderTarget, DepthStencilSurfacesOfTheirOwn)
{
	cD3D9TestDevice device;
	cReleaser<IDirect3DSurface9> automatic;
	device->GetDepthStencilSurface(automatic.Out());
	cReleaser<IDirect3DSurface9> own;
	ASSERT_EQ(device->CreateDepthStencilSurface(64, 48, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, TRUE, own.Out(),
		nullptr), D3D_OK);
	D3DSURFACE_DESC desc;
	own->GetDesc(&desc);
	EXPECT_EQ(desc.Format, D3DFMT_D24S8);
	EXPECT_EQ(desc.Usage, DWORD(D3DUSAGE_DEPTHSTENCIL));
	EXPECT_EQ(D3D9Test::CountDefaultPoolResources(device.device), 1u);

	ASSERT_EQ(device->SetDepthStencilSurface(own.Get()), D3D_OK);
	device.SetFrameStates();
	device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
	device->BeginScene();
	device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFFFF0000);
	device.DrawQuads(QuadVertices(-0.5f, -0.5f, 7.5f, 7.5f, 0.2f), kFvfTex);
	device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF00FF00);
	device.DrawQuads(QuadVertices(-0.5f, -0.5f, 7.5f, 7.5f, 0.6f), kFvfTex);
	ASSERT_EQ(device->SetDepthStencilSurface(automatic.Get()), D3D_OK);
	device->EndScene();
	EXPECT_EQ(device.Read().At(3, 3), 0xFFFF0000u);

	// Without a depth buffer there is no depth to clear.
	ASSERT_EQ(device->SetDepthStencilSurface(nullptr), D3D_OK);
	EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}
