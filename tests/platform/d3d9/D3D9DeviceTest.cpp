// The device's life: creation, clears and viewports, presentation, display
// modes, and a lost device brought back by Reset.

#include "tests/platform/d3d9/cD3D9TestDevice.h"

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;

void ExpectState(IDirect3DDevice9* device, D3DRENDERSTATETYPE state, DWORD expected)
{
	DWORD value = 0;
	device->GetRenderState(state, &value);
	EXPECT_EQ(value, expected) << "render state " << state;
}
}

TEST(D3D9Device, CreatesWindowedDeviceWithTheGameParameters)
{
	cD3D9TestDevice device(1024, 768);
	ASSERT_NE(device.device, nullptr);
	EXPECT_EQ(device.parameters.BackBufferFormat, D3DFMT_X8R8G8B8);
	EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
	EXPECT_GT(device->GetAvailableTextureMem(), 0x6C00000u);

	D3DCAPS9 caps;
	ASSERT_EQ(device->GetDeviceCaps(&caps), D3D_OK);
	EXPECT_GE(caps.MaxTextureWidth, 2048u);
	EXPECT_GE(caps.MaxTextureHeight, 2048u);
	EXPECT_GE(caps.MaxUserClipPlanes, 4u);

	cReleaser<IDirect3DSurface9> backBuffer;
	cReleaser<IDirect3DSurface9> depth;
	ASSERT_EQ(device->GetRenderTarget(0, backBuffer.Out()), D3D_OK);
	ASSERT_EQ(device->GetDepthStencilSurface(depth.Out()), D3D_OK);
	D3DSURFACE_DESC desc;
	backBuffer->GetDesc(&desc);
	EXPECT_EQ(desc.Width, 1024u);
	EXPECT_EQ(desc.Height, 768u);
	depth->GetDesc(&desc);
	EXPECT_EQ(desc.Format, D3DFMT_D24S8);
	EXPECT_EQ(desc.Width, 1024u);
	EXPECT_EQ(desc.MultiSampleType, D3DMULTISAMPLE_NONE);

	D3DVIEWPORT9 viewport;
	device->GetViewport(&viewport);
	EXPECT_EQ(viewport.Width, 1024u);
	EXPECT_EQ(viewport.Height, 768u);
	EXPECT_EQ(viewport.MaxZ, 1.0f);

	// The defaults the game relies on without setting them.
	ExpectState(device.device, D3DRS_CULLMODE, D3DCULL_CCW);
	ExpectState(device.device, D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
	ExpectState(device.device, D3DRS_ZENABLE, D3DZB_TRUE);
	ExpectState(device.device, D3DRS_ALPHATESTENABLE, FALSE);
	ExpectState(device.device, D3DRS_TEXTUREFACTOR, 0xFFFFFFFF);
	ExpectState(device.device, D3DRS_SRCBLENDALPHA, D3DBLEND_ONE);
	ExpectState(device.device, D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO);
	DWORD value = 0;
	device->GetSamplerState(0, D3DSAMP_ADDRESSU, &value);
	EXPECT_EQ(value, DWORD(D3DTADDRESS_WRAP));
	device->GetSamplerState(0, D3DSAMP_MIPFILTER, &value);
	EXPECT_EQ(value, DWORD(D3DTEXF_NONE));
	device->GetTextureStageState(3, D3DTSS_TEXCOORDINDEX, &value);
	EXPECT_EQ(value, 3u);
}

TEST(D3D9Device, RefusesAWrongVersionAndMissingWindow)
{
	EXPECT_EQ(Direct3DCreate9(32), nullptr);
	cD3D9TestDevice device;
	D3DPRESENT_PARAMETERS parameters = device.MakeParameters(64, 48);
	parameters.hDeviceWindow = nullptr;
	IDirect3DDevice9* second = nullptr;
	EXPECT_EQ(device.d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0x24, &parameters, &second), D3DERR_INVALIDCALL);
	EXPECT_EQ(second, nullptr);
}

TEST(D3D9Device, ClearFillsTheTargetAndPresentShowsIt)
{
	cD3D9TestDevice device;
	ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x80112233, 1.0f, 0), D3D_OK);
	sPixels pixels = device.Read();
	for (D3DCOLOR pixel : pixels.data)
		ASSERT_EQ(pixel, 0x80112233u);

	ASSERT_EQ(device->BeginScene(), D3D_OK);
	EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
	ASSERT_EQ(device->EndScene(), D3D_OK);
	EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST(D3D9Device, ClearIsLimitedToTheViewportCountedFromTheTop)
{
	cD3D9TestDevice device;
	device->Clear(0, nullptr, D3DCLEAR_TARGET, kRed, 1.0f, 0);
	D3DVIEWPORT9 viewport = { 8, 4, 16, 10, 0.0f, 1.0f };
	ASSERT_EQ(device->SetViewport(&viewport), D3D_OK);
	device->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0);

	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(8, 4), kGreen);
	EXPECT_EQ(pixels.At(23, 13), kGreen);
	EXPECT_EQ(pixels.At(7, 4), kRed);
	EXPECT_EQ(pixels.At(8, 3), kRed);
	EXPECT_EQ(pixels.At(24, 13), kRed);
	EXPECT_EQ(pixels.At(23, 14), kRed);

	// Rectangles are cut to the viewport.
	D3DRECT rect = { 0, 0, 10, 6 };
	device->Clear(1, &rect, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
	pixels = device.Read();
	EXPECT_EQ(pixels.At(9, 5), kBlack);
	EXPECT_EQ(pixels.At(7, 5), kRed);
	EXPECT_EQ(pixels.At(10, 5), kGreen);
	EXPECT_EQ(pixels.At(9, 6), kGreen);
}

TEST(D3D9Device, ViewportsMustLieInTheRenderTarget)
{
	cD3D9TestDevice device;
	D3DVIEWPORT9 outside = { 60, 0, 16, 48, 0.0f, 1.0f };
	EXPECT_EQ(device->SetViewport(&outside), D3DERR_INVALIDCALL);
	D3DVIEWPORT9 empty = { 0, 0, 0, 48, 0.0f, 1.0f };
	EXPECT_EQ(device->SetViewport(&empty), D3DERR_INVALIDCALL);
}

// A 1920 by 1080 back buffer drawn through the centred 4:3 strip: the frame
// start clears the whole buffer, then draws only inside the strip.
TEST(D3D9Device, PillarboxStripAndBlackBars)
{
	cD3D9TestDevice device(1920, 1080, 480, 270);
	ASSERT_NE(device.device, nullptr);
	device->Clear(0, nullptr, D3DCLEAR_TARGET, kRed, 1.0f, 0);
	D3DVIEWPORT9 full = { 0, 0, 1920, 1080, 0.0f, 1.0f };
	device->SetViewport(&full);
	device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
	D3DVIEWPORT9 strip = { 240, 0, 1440, 1080, 0.0f, 1.0f };
	ASSERT_EQ(device->SetViewport(&strip), D3D_OK);

	// A green quad over the whole strip (pixel coordinates of the viewport).
	device.SetFrameStates();
	device->SetRenderState(D3DRS_TEXTUREFACTOR, kGreen);
	device->BeginScene();
	ASSERT_EQ(device.DrawQuads(QuadVertices(-0.5f, -0.5f, 1439.5f, 1079.5f), kFvfTex), D3D_OK);
	device->EndScene();
	EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

	sPixels pixels = device.Read();
	for (UINT y : { 0u, 540u, 1079u })
	{
		EXPECT_EQ(pixels.At(0, y), kBlack);
		EXPECT_EQ(pixels.At(239, y), kBlack);
		EXPECT_EQ(pixels.At(240, y), kGreen);
		EXPECT_EQ(pixels.At(1679, y), kGreen);
		EXPECT_EQ(pixels.At(1680, y), kBlack);
		EXPECT_EQ(pixels.At(1919, y), kBlack);
	}
}

TEST(D3D9Device, DisplayModesFromTheDisplayUnderEveryDisplayFormat)
{
	cD3D9TestDevice device;
	for (D3DFORMAT format : { D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_R8G8B8, D3DFMT_X8R8G8B8 })
	{
		UINT count = device.d3d->GetAdapterModeCount(0, format);
		ASSERT_GT(count, 0u) << format;
		D3DDISPLAYMODE mode;
		ASSERT_EQ(device.d3d->EnumAdapterModes(0, format, 0, &mode), D3D_OK);
		EXPECT_EQ(mode.Format, format);
		EXPECT_GT(mode.Width, 0u);
		EXPECT_EQ(device.d3d->EnumAdapterModes(0, format, count, &mode), D3DERR_INVALIDCALL);
	}
	EXPECT_EQ(device.d3d->GetAdapterModeCount(0, D3DFMT_A8R8G8B8), 0u);
	EXPECT_EQ(device.d3d->GetAdapterModeCount(1, D3DFMT_X8R8G8B8), 0u);

	D3D9Test::SetAdapterModes({ { 800, 600, 60, D3DFMT_R5G6B5 }, { 1024, 768, 75, D3DFMT_X8R8G8B8 },
		{ 1280, 1024, 60, D3DFMT_X8R8G8B8 } });
	EXPECT_EQ(device.d3d->GetAdapterModeCount(0, D3DFMT_R5G6B5), 1u);
	EXPECT_EQ(device.d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 2u);
	EXPECT_EQ(device.d3d->GetAdapterModeCount(0, D3DFMT_R8G8B8), 0u);
	D3DDISPLAYMODE mode;
	device.d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 1, &mode);
	EXPECT_EQ(mode.Width, 1280u);
	EXPECT_EQ(mode.RefreshRate, 60u);
	D3D9Test::SetAdapterModes({});
}

TEST(D3D9Device, LostDeviceRecoversThroughReset)
{
	cD3D9TestDevice device;
	cReleaser<IDirect3DTexture9> managed(device.MakeTexture(1, 1, { 0xFF0000FF }));
	device->SetRenderState(D3DRS_TEXTUREFACTOR, 0x12345678);
	device->SetRenderState(D3DRS_LIGHTING, FALSE);

	D3D9Test::LoseDevice(device.device, false);
	EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
	EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
	EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, kRed, 1.0f, 0), D3D_OK);
	D3DPRESENT_PARAMETERS parameters = device.MakeParameters(96, 80);
	EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);

	D3D9Test::AllowReset(device.device);
	EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

	// Default-pool resources and references to the old back buffer block the reset.
	IDirect3DTexture9* target = nullptr;
	ASSERT_EQ(device->CreateTexture(64, 48, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target,
		nullptr), D3D_OK);
	EXPECT_EQ(D3D9Test::CountDefaultPoolResources(device.device), 1u);
	EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
	target->Release();
	EXPECT_EQ(D3D9Test::CountDefaultPoolResources(device.device), 0u);
	IDirect3DSurface9* oldBackBuffer = nullptr;
	device->GetRenderTarget(0, &oldBackBuffer);
	EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
	oldBackBuffer->Release();

	ASSERT_EQ(device->Reset(&parameters), D3D_OK);
	EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);

	// Every state is back to its default, the viewport covers the new back buffer.
	ExpectState(device.device, D3DRS_TEXTUREFACTOR, 0xFFFFFFFF);
	ExpectState(device.device, D3DRS_LIGHTING, TRUE);
	D3DVIEWPORT9 viewport;
	device->GetViewport(&viewport);
	EXPECT_EQ(viewport.Width, 96u);
	EXPECT_EQ(viewport.Height, 80u);

	// The managed texture survived and still draws.
	device.SetFrameStates();
	device->SetTexture(0, managed.Get());
	device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
	device->BeginScene();
	ASSERT_EQ(device.DrawQuads(QuadVertices(-0.5f, -0.5f, 95.5f, 79.5f), kFvfTex), D3D_OK);
	device->EndScene();
	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.width, 96u);
	EXPECT_EQ(pixels.At(95, 79), 0xFF0000FFu);
}

// Reset switches the window to full screen and back to a window of the
// back buffer's size; a 16-bit back-buffer format is accepted (and drawn
// with 8 bits per channel).
TEST(D3D9Device, ResetSwitchesFullScreenAndBack)
{
	cD3D9TestDevice device;
	D3DPRESENT_PARAMETERS fullScreen = device.MakeParameters(1024, 768);
	fullScreen.Windowed = FALSE;
	fullScreen.BackBufferFormat = D3DFMT_R5G6B5;
	ASSERT_EQ(device->Reset(&fullScreen), D3D_OK);
	EXPECT_TRUE(SDL_GetWindowFlags(device.window) & SDL_WINDOW_FULLSCREEN);
	device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
	EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.width, 1024u);
	EXPECT_EQ(pixels.At(1023, 767), 0xFF00FF00u);

	D3DPRESENT_PARAMETERS windowed = device.MakeParameters(64, 48);
	ASSERT_EQ(device->Reset(&windowed), D3D_OK);
	EXPECT_FALSE(SDL_GetWindowFlags(device.window) & SDL_WINDOW_FULLSCREEN);
	int width = 0;
	int height = 0;
	SDL_GetWindowSize(device.window, &width, &height);
	EXPECT_EQ(width, 64);
	EXPECT_EQ(height, 48);

	D3DPRESENT_PARAMETERS noSize = device.MakeParameters(0, 0);
	noSize.Windowed = FALSE;
	EXPECT_EQ(device->Reset(&noSize), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
	ASSERT_EQ(device->Reset(&windowed), D3D_OK);
}
