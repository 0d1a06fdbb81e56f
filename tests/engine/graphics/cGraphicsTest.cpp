// The graphics device drawn through for real under a display: creation,
// the frame bracket, quads through the shared index buffer, the pillarbox
// strip, the render-target stack, and a lost device brought back.

#include "engine/foundation/cConfig.h"
#include "engine/graphics/cIndexBuffer.h"
#include "platform/d3d9/D3D9TestSupport.h"

#include "GraphicsTestSupport.h"

#include <cmath>
#include <memory>

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;

DWORD RenderState(D3DRENDERSTATETYPE state)
{
	DWORD value = 0;
	cGraphics::GetDevice()->GetRenderState(state, &value);
	return value;
}

DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state)
{
	DWORD value = 0;
	cGraphics::GetDevice()->GetTextureStageState(stage, state, &value);
	return value;
}

IDirect3DSurface9* CurrentRenderTarget()
{
	IDirect3DSurface9* target = nullptr;
	cGraphics::GetDevice()->GetRenderTarget(0, &target);
	target->Release(); // the device still holds it
	return target;
}

IDirect3DSurface9* LevelZero(const cTexture& texture)
{
	IDirect3DSurface9* surface = nullptr;
	texture.GetTexture()->GetSurfaceLevel(0, &surface);
	surface->Release(); // the texture still holds it
	return surface;
}

// One frame: the screen camera, a white texture on stage 0 and the quads.
void DrawFrame(const std::vector<sColorTexVertex>& quads, float screenWidth = 1024, float screenHeight = 768)
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	static cCamera camera;
	SetScreenCamera(camera, screenWidth, screenHeight);
	std::unique_ptr<cTexture> white(WhiteTexture());
	cVertexBuffer buffer;
	graphics->BeginScene();
	camera.Apply();
	white->Bind(0);
	DrawColorQuads(buffer, quads);
}
}

TEST(cGraphics, CreatesTheDeviceWithTheGameParameters)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	ASSERT_NE(cGraphics::GetDevice(), nullptr);
	const D3DPRESENT_PARAMETERS& p = graphics->GetPresentParameters();
	EXPECT_EQ(p.BackBufferWidth, 1024u);
	EXPECT_EQ(p.BackBufferHeight, 768u);
	EXPECT_TRUE(p.Windowed);
	EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_FLIP);
	EXPECT_EQ(p.PresentationInterval, DWORD(D3DPRESENT_INTERVAL_IMMEDIATE));
	EXPECT_TRUE(p.EnableAutoDepthStencil);
	EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24S8);
	EXPECT_EQ(p.hDeviceWindow, Singletone<cWin32Application>::GetInstance()->GetWindowHandle());
	EXPECT_EQ(CurrentRenderTarget(), graphics->GetBackBuffer());
	EXPECT_NE(GraphicsDeviceState().defaultDepthStencil, nullptr);
	EXPECT_EQ(graphics->GetCapabilities().DeviceType, D3DDEVTYPE_HAL);

	// Plenty of texture memory and no threshold: full-colour textures.
	EXPECT_EQ(graphics->GetDefaultTextureFormat(), cTexture::FORMAT_A8R8G8B8);
	// The screen rectangle takes the device size when nothing set it.
	EXPECT_EQ(graphics->GetScreenRect().right, 1024);
	EXPECT_EQ(graphics->GetScreenRect().bottom, 768);

	// States after the reset: lighting off with the texture factor, stages 1..7 off.
	EXPECT_EQ(RenderState(D3DRS_LIGHTING), DWORD(FALSE));
	EXPECT_EQ(RenderState(D3DRS_AMBIENT), 0xFFFFFFFFu);
	EXPECT_EQ(RenderState(D3DRS_ZENABLE), DWORD(TRUE));
	EXPECT_EQ(StageState(0, D3DTSS_COLORARG2), DWORD(D3DTA_TFACTOR));
	EXPECT_EQ(StageState(0, D3DTSS_COLOROP), DWORD(D3DTOP_MODULATE));
	for (DWORD stage = 1; stage < 8; ++stage)
	{
		EXPECT_EQ(StageState(stage, D3DTSS_COLOROP), DWORD(D3DTOP_DISABLE));
		EXPECT_EQ(StageState(stage, D3DTSS_ALPHAARG2), DWORD(D3DTA_TEXTURE));
	}

	// The shared quad index buffer: v, v+1, v+2, v+2, v+3, v with v = 4k, 16 bits.
	cIndexBuffer& quads = graphics->GetQuadIndexBuffer();
	ASSERT_EQ(quads.GetCount(), 180000u);
	ASSERT_EQ(quads.GetCapacity(), 180000u);
	const WORD* indices = static_cast<const WORD*>(quads.Lock(0, 0));
	ASSERT_NE(indices, nullptr);
	const WORD first[] = { 0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4 };
	for (int i = 0; i < 12; ++i)
		EXPECT_EQ(indices[i], first[i]);
	EXPECT_EQ(indices[16383 * 6], 65532); // the last distinct quad
	EXPECT_EQ(indices[16384 * 6], 0); // then the vertex numbers wrap
	EXPECT_EQ(indices[29999 * 6 + 4], WORD(4 * 29999 + 3));
	quads.Unlock();
}

TEST(cGraphics, BindsTheDisplaySettings)
{
	DropEarlierGraphics();
	cConfig* config = Singletone<cConfig>::GetInstance();
	config->SetValue("video.width", "800");
	config->SetValue("video.window", "true");
	cGraphics* graphics = GraphicsSingleton();
	EXPECT_EQ(graphics->GetRequestedSettings().width, 800);
	EXPECT_TRUE(graphics->GetRequestedSettings().windowed);
	graphics->GetRequestedSettings().bpp = 16;
	EXPECT_EQ(config->GetValue("video.bpp"), "16");
	const std::vector<std::string>& saved = config->GetSavedKeys();
	for (const char* key : { "video.x", "video.y", "video.width", "video.height", "video.bpp", "video.window" })
		EXPECT_NE(std::find(saved.begin(), saved.end(), key), saved.end()) << key;
}

TEST(cGraphics, EveryFrameStartsOpaqueBlackWithTheFrameStates)
{
	cGraphics* graphics = StartGraphics(256, 192);
	DrawFrame(ColorQuad(0, 0, 256, 192, kWhite), 256, 192);
	graphics->EndScene();

	graphics->SetTextureFilter(D3DTEXF_POINT);
	graphics->SetDepthTest(false);
	GraphicsDeviceState().triangleCount = 7;
	graphics->BeginScene();
	sPixels pixels = ReadBackBuffer();
	for (D3DCOLOR pixel : pixels.data)
		ASSERT_EQ(pixel, kBlack);
	EXPECT_EQ(GraphicsDeviceState().triangleCount, 0);
	EXPECT_EQ(graphics->GetCurrentCamera(), nullptr);
	EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), DWORD(TRUE));
	EXPECT_EQ(RenderState(D3DRS_SRCBLEND), DWORD(D3DBLEND_SRCALPHA));
	EXPECT_EQ(RenderState(D3DRS_DESTBLEND), DWORD(D3DBLEND_INVSRCALPHA));
	EXPECT_EQ(RenderState(D3DRS_ZENABLE), DWORD(TRUE));
	EXPECT_EQ(StageState(0, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_COUNT2));
	DWORD filter = 0;
	cGraphics::GetDevice()->GetSamplerState(5, D3DSAMP_MAGFILTER, &filter);
	EXPECT_EQ(filter, DWORD(D3DTEXF_LINEAR));
	EXPECT_TRUE(GraphicsDeviceState().stageBound[0]);
	EXPECT_FALSE(GraphicsDeviceState().stageBound[1]);
	graphics->EndScene();
}

TEST(cGraphics, DrawQuadsTintsTheTextureByTheVertexColour)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	std::vector<sColorTexVertex> quads = ColorQuad(100, 100, 300, 200, 0xFF40C080);
	std::vector<sColorTexVertex> second = ColorQuad(500, 400, 600, 500, 0xFFFF0000);
	quads.insert(quads.end(), second.begin(), second.end());
	DrawFrame(quads);
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	// Logical y grows upward: row = 768 - y.
	EXPECT_TRUE(ColorNear(pixels.At(150, 768 - 150), 0xFF40C080));
	EXPECT_TRUE(ColorNear(pixels.At(299, 768 - 101), 0xFF40C080));
	EXPECT_TRUE(ColorNear(pixels.At(550, 768 - 450), 0xFFFF0000));
	EXPECT_EQ(pixels.At(99, 768 - 150), kBlack);
	EXPECT_EQ(pixels.At(150, 768 - 201), kBlack);
	EXPECT_EQ(pixels.At(400, 768 - 300), kBlack);
	EXPECT_EQ(GraphicsDeviceState().triangleCount, 4);
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 1);
	EXPECT_EQ(StageState(0, D3DTSS_COLORARG2), DWORD(D3DTA_DIFFUSE));
}

TEST(cGraphics, DrawColoredTrianglesTintsByTheTextureFactor)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	cCamera camera;
	SetScreenCamera(camera);
	std::unique_ptr<cTexture> white(WhiteTexture());
	const sTexVertex triangles[] = { { 100, 300, 0, 0, 0 }, { 300, 300, 0, 1, 0 }, { 300, 100, 0, 1, 1 },
		{ 300, 100, 0, 1, 1 }, { 100, 100, 0, 0, 1 }, { 100, 300, 0, 0, 0 } };
	cVertexBuffer buffer(kFvfTex, nullptr, 0);
	buffer.SetData(triangles, 6);
	graphics->BeginScene();
	camera.Apply();
	white->Bind(0);
	buffer.Bind();
	graphics->DrawColoredTriangles(0, 2, sColor(1.0f, 0.5f, 0.25f, 1.0f));
	sPixels pixels = ReadBackBuffer();
	EXPECT_TRUE(ColorNear(pixels.At(200, 768 - 200), ColorToArgb(1, 1, 0.5f, 0.25f)));
	EXPECT_EQ(RenderState(D3DRS_TEXTUREFACTOR), 0xFFFF7F3Fu);
	EXPECT_EQ(StageState(0, D3DTSS_ALPHAARG2), DWORD(D3DTA_TFACTOR));
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 0); // this draw is not counted
	// Half transparent over that (the back buffer's own alpha is not compared).
	graphics->DrawColoredTriangles(0, 2, sColor(1.0f, 1.0f, 1.0f, 0.5f));
	pixels = ReadBackBuffer();
	EXPECT_TRUE(ColorNear(pixels.At(200, 768 - 200) | 0xFF000000, 0xFFFFBF9F, 3));
	graphics->EndScene();
}

TEST(cGraphics, WideBackBufferGetsAPillarboxStripWithBlackBars)
{
	D3D9Test::SetAdapterModes({ { 1920, 1080, 60, D3DFMT_X8R8G8B8 }, { 1280, 1024, 60, D3DFMT_X8R8G8B8 } });
	sDisplaySettings fullScreen;
	fullScreen.width = 1920;
	fullScreen.height = 1080;
	cGraphics* graphics = StartGraphics(fullScreen);
	EXPECT_FALSE(graphics->GetPresentParameters().Windowed);
	EXPECT_EQ(graphics->GetPresentParameters().BackBufferFormat, D3DFMT_A8R8G8B8);
	ASSERT_TRUE(graphics->IsPillarbox());
	const D3DVIEWPORT9& strip = GraphicsDeviceState().screenViewport;
	EXPECT_EQ(strip.X, 240u);
	EXPECT_EQ(strip.Y, 0u);
	EXPECT_EQ(strip.Width, 1440u);
	EXPECT_EQ(strip.Height, 1080u);

	// Stretched over the whole back buffer first, then the strip again: the
	// logical screen fills the strip and the frame's clear blackens the bars.
	graphics->SetStretchToScreen(true);
	EXPECT_FALSE(graphics->IsPillarbox());
	EXPECT_EQ(GraphicsDeviceState().screenViewport.Width, 1920u);
	DrawFrame(ColorQuad(0, 0, 1024, 768, kWhite));
	EXPECT_TRUE(ColorNear(ReadBackBuffer().At(0, 0), kWhite));
	graphics->EndScene();
	graphics->SetStretchToScreen(false);
	DrawFrame(ColorQuad(0, 0, 1024, 768, kWhite));
	sPixels pixels = ReadBackBuffer();
	EXPECT_EQ(pixels.At(239, 540), kBlack);
	EXPECT_TRUE(ColorNear(pixels.At(240, 540), kWhite));
	EXPECT_TRUE(ColorNear(pixels.At(1679, 0), kWhite));
	EXPECT_EQ(pixels.At(1680, 1079), kBlack);
	cBoundingBox box = graphics->GetViewportBox();
	EXPECT_EQ(box.min.x, 240.0f);
	EXPECT_EQ(box.max.x, 1680.0f);
	EXPECT_EQ(box.max.z, 1.0f);

	// A pick ray through the strip's centre, counted from the back buffer's
	// left edge, meets the centre of the logical screen.
	sRay ray = graphics->GetCurrentCamera()->GetPickRay(cVector3d(960, 540, 0), cMatrix());
	EXPECT_NEAR(ray.origin.x, 512.0f, 0.01f);
	EXPECT_NEAR(ray.origin.y, 384.0f, 0.01f);
	graphics->EndScene();

	// 1280 by 1024 is less than 1.5 times as wide as high: the whole back buffer.
	fullScreen.width = 1280;
	fullScreen.height = 1024;
	StartGraphics(fullScreen);
	EXPECT_FALSE(graphics->IsPillarbox());
	EXPECT_EQ(GraphicsDeviceState().screenViewport.X, 0u);
	EXPECT_EQ(GraphicsDeviceState().screenViewport.Width, 1280u);

	// No mode at all: the request is kept.
	D3D9Test::SetAdapterModes({ { 640, 480, 0, D3DFMT_A8R8G8B8 } }); // listed under no display format
	fullScreen.width = 1024;
	fullScreen.height = 768;
	EXPECT_EQ(graphics->ChooseDisplayMode(fullScreen).width, 1024);
	D3D9Test::SetAdapterModes({});
	StartGraphics(1024, 768);
	EXPECT_TRUE(graphics->GetPresentParameters().Windowed);
}

TEST(cGraphics, RenderTargetStackPushesFillsAndPops)
{
	cGraphics* graphics = StartGraphics(320, 240);
	graphics->BeginScene();
	EXPECT_EQ(graphics->PopRenderTarget(), nullptr); // nothing pushed: nothing changes
	EXPECT_EQ(CurrentRenderTarget(), graphics->GetBackBuffer());

	graphics->PushRenderTarget();
	ASSERT_EQ(graphics->GetRenderTargetStack().size(), 1u);
	cTexture* first = graphics->GetRenderTargetStack()[0];
	ASSERT_FALSE(first->IsEmpty());
	EXPECT_EQ(first->GetDescription().Width, 320u);
	EXPECT_EQ(first->GetDescription().Height, 240u);
	EXPECT_EQ(first->GetDescription().Pool, D3DPOOL_DEFAULT);
	EXPECT_TRUE(cDirectXGraphicsObject::IsDeviceObject(first));
	EXPECT_EQ(CurrentRenderTarget(), LevelZero(*first));
	EXPECT_EQ(ReadTexture(*first).At(5, 5), 0x00303030u); // filled once when created

	cCamera camera;
	SetScreenCamera(camera, 320, 240);
	camera.Apply();
	std::unique_ptr<cTexture> white(WhiteTexture());
	white->Bind(0);
	cVertexBuffer buffer;
	DrawColorQuads(buffer, ColorQuad(0, 0, 160, 240, 0xFF0000FF));

	// A second push leaves the first target in the stack; one pop comes back to it.
	graphics->PushRenderTarget();
	ASSERT_EQ(graphics->GetRenderTargetStack().size(), 2u);
	cTexture* second = graphics->GetRenderTargetStack()[1];
	EXPECT_EQ(graphics->PopRenderTarget(), second);
	EXPECT_EQ(CurrentRenderTarget(), LevelZero(*first));
	EXPECT_EQ(graphics->GetRenderTargetIndex(), 0);

	EXPECT_EQ(graphics->PopRenderTarget(), first);
	EXPECT_EQ(CurrentRenderTarget(), graphics->GetBackBuffer());
	sPixels target = ReadTexture(*first);
	EXPECT_TRUE(ColorNear(target.At(80, 120), 0xFF0000FF));
	EXPECT_EQ(target.At(240, 120), 0x00303030u);
	EXPECT_EQ(ReadBackBuffer().At(80, 120), kBlack);

	// A target left pushed is dropped by the end of the frame; the stack keeps it.
	graphics->PushRenderTarget();
	EXPECT_EQ(graphics->GetRenderTargetStack()[0], first);
	graphics->EndScene();
	EXPECT_EQ(graphics->GetRenderTargetIndex(), -1);
	EXPECT_EQ(CurrentRenderTarget(), graphics->GetBackBuffer());
	EXPECT_EQ(graphics->GetRenderTargetStack().size(), 2u);
}

TEST(cGraphics, LostDeviceIsResetWithTheDeviceObjects)
{
	cGraphics* graphics = StartGraphics(320, 240);
	IDirect3DDevice9* device = cGraphics::GetDevice();
	// Device objects that outlive earlier tests of the program (kept by
	// managers made there) are made again on a new device too.
	const UINT earlier = D3D9Test::CountDefaultPoolResources(device);
	graphics->BeginScene();
	graphics->PushRenderTarget();
	graphics->PopRenderTarget();
	graphics->EndScene();

	cVertexBuffer dynamic(kFvfColorTex, nullptr, 0);
	dynamic.SetDynamic(true);
	dynamic.SetCount(10);
	const sTexVertex kept[] = { { 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 } };
	cVertexBuffer managed(kFvfTex, nullptr, 0);
	managed.SetData(kept, 2);
	std::unique_ptr<cTexture> white(WhiteTexture());
	EXPECT_EQ(D3D9Test::CountDefaultPoolResources(device), earlier + 2); // the dynamic buffer and the render target

	// Lost for good: the reset fails, is logged, and the listed objects wait without their resources.
	D3D9Test::LoseDevice(device, false);
	EXPECT_LT(device->TestCooperativeLevel(), 0);
	testing::internal::CaptureStderr();
	graphics->OnActivate(true);
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Reset error: 88760868"), std::string::npos);
	EXPECT_EQ(dynamic.GetBuffer(), nullptr);
	EXPECT_TRUE(graphics->GetRenderTargetStack()[0]->IsEmpty());
	EXPECT_EQ(D3D9Test::CountDefaultPoolResources(device), 0u);

	// Once the device can be reset, the next activation brings everything back.
	D3D9Test::AllowReset(device);
	graphics->OnActivate(true);
	EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
	ASSERT_NE(dynamic.GetBuffer(), nullptr);
	EXPECT_EQ(dynamic.GetCapacity(), 13u);
	EXPECT_EQ(dynamic.GetCount(), 10u);
	ASSERT_EQ(graphics->GetRenderTargetStack().size(), 1u);
	cTexture* target = graphics->GetRenderTargetStack()[0];
	ASSERT_FALSE(target->IsEmpty());
	EXPECT_EQ(target->GetDescription().Width, 320u);
	EXPECT_EQ(CurrentRenderTarget(), graphics->GetBackBuffer());
	const sTexVertex* vertices = static_cast<const sTexVertex*>(managed.Lock(0, 0));
	ASSERT_NE(vertices, nullptr);
	EXPECT_EQ(vertices[1].u, 9.0f); // managed buffers keep their contents
	managed.Unlock();
	cTexture::sLockedLevel level = white->LockLevel0();
	ASSERT_NE(level.bits, nullptr);
	EXPECT_EQ(level.bits[5], 0xFF);
	white->UnlockLevel0();

	// A working device is not reset by an activation; a new size rebuilds the stack.
	graphics->OnActivate(true);
	EXPECT_EQ(graphics->GetRenderTargetStack()[0], target);
	StartGraphics(400, 300);
	EXPECT_EQ(graphics->GetRenderTargetStack()[0]->GetDescription().Width, 400u);
	EXPECT_EQ(graphics->GetAppliedSettings().width, 400);
}

TEST(cGraphics, NonPositiveSettingsFallBackToTheDefaultSize)
{
	testing::internal::CaptureStderr();
	cGraphics* graphics = StartGraphics(Windowed(0, -5));
	EXPECT_NE(testing::internal::GetCapturedStderr().find("is not valid; using 1024 x 768"), std::string::npos);
	EXPECT_EQ(graphics->GetPresentParameters().BackBufferWidth, 1024u);
	EXPECT_EQ(graphics->GetPresentParameters().BackBufferHeight, 768u);
	EXPECT_FALSE(graphics->IsPillarbox());
	EXPECT_TRUE(graphics->ResetDevice(Windowed(640, 0)));
	EXPECT_EQ(graphics->GetPresentParameters().BackBufferWidth, 1024u);
	EXPECT_EQ(graphics->GetAppliedSettings().height, 768);
}

TEST(cGraphics, TextureFormatFollowsTheMemoryThresholdAndTheQuality)
{
	// Less memory than the threshold: DXT3 textures whatever the quality.
	D3D9Test::SetAvailableTextureMemory(100u << 20);
	cGraphics* graphics = GraphicsSingleton();
	graphics->SetTextureMemoryThreshold(113246208);
	StartGraphics(320, 240);
	EXPECT_EQ(graphics->GetAvailableTextureMemory(), 100u << 20);
	EXPECT_EQ(graphics->GetDefaultTextureFormat(), cTexture::FORMAT_DXT3);
	graphics->SetTextureQuality(true);
	EXPECT_EQ(graphics->GetDefaultTextureFormat(), cTexture::FORMAT_DXT3);
	D3D9Test::SetAvailableTextureMemory(0);
}

TEST(cGraphics, TextureQualityChoosesTheTextureFormat)
{
	cGraphics* graphics = GraphicsSingleton();
	graphics->SetTextureMemoryThreshold(113246208);
	StartGraphics(320, 240);
	EXPECT_EQ(graphics->GetDefaultTextureFormat(), cTexture::FORMAT_A8R8G8B8);
	graphics->SetTextureQuality(false);
	EXPECT_EQ(graphics->GetDefaultTextureFormat(), cTexture::FORMAT_DXT3);
	graphics->SetTextureQuality(true);
	EXPECT_EQ(graphics->GetDefaultTextureFormat(), cTexture::FORMAT_A8R8G8B8);
}
