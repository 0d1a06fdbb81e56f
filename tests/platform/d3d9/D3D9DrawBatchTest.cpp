// Small draws that follow one another with only the world matrix and the
// texture factor changed are drawn together: the pictures must be those of
// separate draws, any other state change must keep draws apart, and what
// callers write or release after a draw must not reach it.

#include "tests/platform/d3d9/cD3D9TestDevice.h"

#include <functional>
#include <memory>

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;

// A unit quad moved to (x, y) (pixel centres) and stretched to w by h.
D3DMATRIX Placement(float x, float y, float w, float h)
{
	D3DMATRIX m = Translation(x - 0.5f, y - 0.5f, 0.0f);
	m._11 = w;
	m._22 = h;
	return m;
}

struct sQuad
{
	float x, y, w, h;
	D3DCOLOR color;
};

class D3D9DrawBatch : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(device.device, nullptr);
		device.SetFrameStates();
		quad.reset(new cReleaser<IDirect3DVertexBuffer9>(device.MakeVertexBuffer(QuadVertices(0, 0, 1, 1), kFvfTex)));
		indices.reset(new cReleaser<IDirect3DIndexBuffer9>(device.MakeQuadIndexBuffer(1)));
		BeginFrame();
	}

	void BeginFrame()
	{
		device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
		device->BeginScene();
		BindUnitQuad();
	}

	void BindUnitQuad()
	{
		device->SetStreamSource(0, quad->Get(), 0, sizeof(sVertexTex));
		device->SetFVF(kFvfTex);
		device->SetIndices(indices->Get());
	}

	// The unit quad at the placement in the colour (through the texture factor).
	void Draw(const sQuad& q)
	{
		const D3DMATRIX world = Placement(q.x, q.y, q.w, q.h);
		device->SetTransform(D3DTS_WORLD, &world);
		device->SetRenderState(D3DRS_TEXTUREFACTOR, q.color);
		ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);
	}

	sPixels EndFrame()
	{
		device->EndScene();
		return device.Read();
	}

	cD3D9TestDevice device;
	std::unique_ptr<cReleaser<IDirect3DVertexBuffer9>> quad;
	std::unique_ptr<cReleaser<IDirect3DIndexBuffer9>> indices;
};

// Overlapping, half-transparent and stretched quads in a row, then a fan
// (never gathered) left at the last quad's world matrix: the same picture as
// when a state change that shows nothing keeps every draw apart.
TEST_F(D3D9DrawBatch, GatheredDrawsGiveThePictureOfSeparateDraws)
{
	const sQuad quads[] = {
		{ 2, 2, 20, 10, kRed },
		{ 12, 6, 20, 10, 0x800000FF },
		{ 30, 20, 3, 7, kGreen },
		{ 40, 4, 1, 1, 0xFF123456 },
		{ 44, 30, 16, 12, 0xC0FFFF00 },
	};
	const D3DCOLOR fanColor = 0xFF00FFFF;
	auto drawAll = [&](bool apart) {
		for (const sQuad& q : quads)
		{
			if (apart)
				device->SetRenderState(D3DRS_ALPHAREF, q.color & 0xFF);
			Draw(q);
		}
		device->SetRenderState(D3DRS_TEXTUREFACTOR, fanColor);
		ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3D_OK);
	};
	drawAll(false);
	const sPixels together = EndFrame();
	BeginFrame();
	drawAll(true);
	const sPixels apart = EndFrame();

	EXPECT_TRUE(together.data == apart.data);
	EXPECT_EQ(together.At(5, 5), kRed);
	EXPECT_TRUE(ColorNear(together.At(15, 8) & 0xFFFFFF, 0x7F0080));
	EXPECT_TRUE(ColorNear(together.At(25, 14) & 0xFFFFFF, 0x000080));
	EXPECT_EQ(together.At(31, 25), kGreen);
	EXPECT_EQ(together.At(33, 25), kBlack);
	EXPECT_EQ(together.At(40, 4), 0xFF123456);
	EXPECT_EQ(together.At(41, 4), kBlack);
	EXPECT_EQ(together.At(50, 35), fanColor);
}

// Each change comes between two quads side by side: the left one must keep
// the state before, the right one get the state after.
TEST_F(D3D9DrawBatch, OtherStateChangesKeepDrawsApart)
{
	cReleaser<IDirect3DTexture9> red(device.MakeTexture(1, 1, { kRed }));
	cReleaser<IDirect3DTexture9> green(device.MakeTexture(1, 1, { kGreen }));
	struct sCase
	{
		const char* name;
		std::function<void()> before;
		std::function<void()> change;
		D3DCOLOR leftFactor, rightFactor;
		D3DCOLOR left, right;
	};
	const sCase cases[] = {
		{ "texture", [&] { device->SetTexture(0, red.Get()); }, [&] { device->SetTexture(0, green.Get()); },
			0xFFFFFFFF, 0xFFFFFFFF, kRed, kGreen },
		{ "blending", [] {}, [&] { device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE); }, 0x00FF00FF, 0x00FF00FF,
			kBlack, 0xFFFF00FF },
		{ "stage", [] {}, [&] { device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1); }, kBlue, kBlue,
			kBlue, 0xFFFFFFFF },
		// Read beside the diffuse colour, the factor is the combiner's constant.
		{ "constant factor",
			[&] {
				device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR);
				device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
			},
			[] {}, kRed, kGreen, kRed, kGreen },
	};
	for (const sCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		device.SetFrameStates();
		device->SetTexture(0, nullptr);
		BeginFrame();
		c.before();
		Draw({ 4, 4, 8, 8, c.leftFactor });
		c.change();
		Draw({ 20, 4, 8, 8, c.rightFactor });
		const sPixels pixels = EndFrame();
		EXPECT_EQ(pixels.At(8, 8) & 0xFFFFFF, c.left & 0xFFFFFF);
		EXPECT_EQ(pixels.At(24, 8) & 0xFFFFFF, c.right & 0xFFFFFF);
	}
}

// A dynamic buffer rewritten, a texture refilled or released after a draw,
// and a clear over it: the draw shows what it was given, the clear lands on
// top of it.
TEST_F(D3D9DrawBatch, LaterWritesReleasesAndClearsComeAfterTheDraw)
{
	std::vector<sVertexTex> vertices = QuadVertices(1.5f, 1.5f, 9.5f, 9.5f);
	cReleaser<IDirect3DVertexBuffer9> dynamic(device.MakeVertexBuffer(vertices, kFvfTex, true));
	device->SetStreamSource(0, dynamic.Get(), 0, sizeof(sVertexTex));
	Draw({ 0.5f, 0.5f, 1, 1, kRed });
	vertices = QuadVertices(11.5f, 1.5f, 19.5f, 9.5f);
	void* data = nullptr;
	ASSERT_EQ(dynamic->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
	std::memcpy(data, vertices.data(), vertices.size() * sizeof(sVertexTex));
	dynamic->Unlock();
	Draw({ 0.5f, 0.5f, 1, 1, kGreen });
	BindUnitQuad();

	cReleaser<IDirect3DTexture9> refilled(device.MakeTexture(1, 1, { kRed }));
	device->SetTexture(0, refilled.Get());
	Draw({ 2, 14, 8, 8, 0xFFFFFFFF });
	cD3D9TestDevice::Fill(refilled.Get(), 1, 1, { kBlue });
	Draw({ 12, 14, 8, 8, 0xFFFFFFFF });

	IDirect3DTexture9* released = device.MakeTexture(1, 1, { kGreen });
	device->SetTexture(0, released);
	Draw({ 22, 14, 8, 8, 0xFFFFFFFF });
	device->SetTexture(0, refilled.Get());
	released->Release();
	Draw({ 32, 14, 8, 8, 0xFFFFFFFF });

	device->SetTexture(0, nullptr);
	Draw({ 2, 26, 16, 8, kRed });
	const D3DRECT left = { 2, 26, 10, 34 };
	device->Clear(1, &left, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
	const sPixels pixels = EndFrame();

	EXPECT_EQ(pixels.At(5, 5), kRed);
	EXPECT_EQ(pixels.At(15, 5), kGreen);
	EXPECT_EQ(pixels.At(5, 17), kRed);
	EXPECT_EQ(pixels.At(15, 17), kBlue);
	EXPECT_EQ(pixels.At(25, 17), kGreen);
	EXPECT_EQ(pixels.At(35, 17), kBlue);
	EXPECT_EQ(pixels.At(5, 30), kBlue);
	EXPECT_EQ(pixels.At(14, 30), kRed);
}

// One quad per pixel, more than one gathering holds: every pixel its colour.
TEST_F(D3D9DrawBatch, MoreDrawsThanOneBatchHolds)
{
	auto colorOf = [](UINT x, UINT y) { return 0xFF000000 | (x * 4) << 16 | (y * 5) << 8 | ((x + y) & 0xFF); };
	for (UINT y = 0; y < 48; ++y)
		for (UINT x = 0; x < 64; ++x)
			Draw({ float(x), float(y), 1, 1, colorOf(x, y) });
	const sPixels pixels = EndFrame();
	UINT wrong = 0;
	for (UINT y = 0; y < 48; ++y)
		for (UINT x = 0; x < 64; ++x)
			wrong += pixels.At(x, y) != colorOf(x, y);
	EXPECT_EQ(wrong, 0u);
}
}
