// Drawing through the fixed-function pipeline: textures with the texture
// factor, vertex colours, indices, depth, culling, clip planes, texture
// transforms, stage chains and lighting, read back from the back buffer.

#include "tests/platform/d3d9/cD3D9TestDevice.h"

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr D3DCOLOR kYellow = 0xFFFFFF00;

class D3D9Draw : public ::testing::Test
{
protected:
	explicit D3D9Draw(UINT width = 64, UINT height = 48) : device(width, height) {}

	void SetUp() override
	{
		ASSERT_NE(device.device, nullptr);
		device.SetFrameStates();
		device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
		device->BeginScene();
	}

	// Stage 0 takes the vertex colour in place of the texture factor.
	void UseDiffuse()
	{
		device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
		device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
	}

	void DrawColorQuad(float left, float top, float right, float bottom, D3DCOLOR color, float z = 0.5f)
	{
		device->SetRenderState(D3DRS_TEXTUREFACTOR, color);
		ASSERT_EQ(device.DrawQuads(QuadVertices(left - 0.5f, top - 0.5f, right - 0.5f, bottom - 0.5f, z), kFvfTex), D3D_OK);
	}

	cD3D9TestDevice device;
};

class D3D9DrawWide : public D3D9Draw
{
protected:
	D3D9DrawWide() : D3D9Draw(512, 32) {}
};

// 4 by 4 texels mapped one to one (with the caller's half-pixel offset) and
// bilinear filtering give back the exact texels, top row first, times the
// texture factor.
TEST_F(D3D9Draw, TexturedQuadTintedByTheTextureFactor)
{
	std::vector<D3DCOLOR> texels;
	for (UINT y = 0; y < 4; ++y)
		for (UINT x = 0; x < 4; ++x)
			texels.push_back(D3DCOLOR_ARGB(0xFF, x * 60, y * 60, 0x40));
	cReleaser<IDirect3DTexture9> texture(device.MakeTexture(4, 4, texels));
	device->SetTexture(0, texture.Get());
	device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF808080);
	ASSERT_EQ(device.DrawQuads(QuadVertices(9.5f, 19.5f, 13.5f, 23.5f), kFvfTex), D3D_OK);
	device->EndScene();

	sPixels pixels = device.Read();
	for (UINT y = 0; y < 4; ++y)
		for (UINT x = 0; x < 4; ++x)
			EXPECT_TRUE(ColorNear(pixels.At(10 + x, 20 + y), D3DCOLOR_ARGB(0xFF, x * 60 / 2, y * 60 / 2, 0x20)))
				<< x << "," << y;
	EXPECT_EQ(pixels.At(9, 20), kBlack);
	EXPECT_EQ(pixels.At(14, 20), kBlack);
	EXPECT_EQ(pixels.At(10, 19), kBlack);
	EXPECT_EQ(pixels.At(10, 24), kBlack);
}

TEST_F(D3D9Draw, VertexColoursAreArgbAndMissingColoursAreWhite)
{
	UseDiffuse();
	std::vector<sVertexColorTex> quads = ColorQuadVertices(-0.5f, -0.5f, 7.5f, 7.5f, kRed);
	for (const sVertexColorTex& v : ColorQuadVertices(7.5f, -0.5f, 15.5f, 7.5f, kBlue))
		quads.push_back(v);
	for (const sVertexColorTex& v : ColorQuadVertices(15.5f, -0.5f, 23.5f, 7.5f, 0x8000FF00))
		quads.push_back(v);
	ASSERT_EQ(device.DrawQuads(quads, kFvfColorTex, true), D3D_OK);
	ASSERT_EQ(device.DrawQuads(QuadVertices(23.5f, -0.5f, 31.5f, 7.5f), kFvfTex), D3D_OK);
	device->EndScene();

	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(3, 3), kRed);
	EXPECT_EQ(pixels.At(11, 3), kBlue);
	EXPECT_TRUE(ColorNear(pixels.At(19, 3) & 0x00FFFFFF, 0x00008000));
	EXPECT_EQ(pixels.At(27, 3), 0xFFFFFFFFu);
	EXPECT_EQ(pixels.At(35, 3), kBlack);
}

// Consecutive draws that read the texture factor with and without the
// diffuse colour (white without vertex colours; the current colour at the
// first stage), around a draw from vertex colours: each gets its own factor.
TEST_F(D3D9Draw, TextureFactorAndMissingDiffuseColourMixInAnyCombiner)
{
	struct sCase
	{
		D3DTEXTUREOP op;
		DWORD arg1, arg2;
		D3DCOLOR factor;
		D3DCOLOR expected;
	};
	const sCase cases[] = {
		{ D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_TFACTOR, 0xFF804020, 0xFF804020 },
		{ D3DTOP_MODULATE, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0xFF406080, 0xFF406080 },
		{ D3DTOP_ADD, D3DTA_TFACTOR, D3DTA_CURRENT, 0xFF204060, 0xFFFFFFFF },
		{ D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_TFACTOR, 0xFF608040, 0xFF608040 },
		{ D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_TFACTOR, 0xFF608040, 0xFF608040 },
	};
	float left = -0.5f;
	for (const sCase& c : cases)
	{
		device->SetTextureStageState(0, D3DTSS_COLOROP, c.op);
		device->SetTextureStageState(0, D3DTSS_COLORARG1, c.arg1);
		device->SetTextureStageState(0, D3DTSS_COLORARG2, c.arg2);
		device->SetTextureStageState(0, D3DTSS_ALPHAOP, c.op);
		device->SetTextureStageState(0, D3DTSS_ALPHAARG1, c.arg1);
		device->SetTextureStageState(0, D3DTSS_ALPHAARG2, c.arg2);
		DrawColorQuad(left + 0.5f, 0, left + 8.5f, 8, c.factor);
		left += 8;
		if (&c == &cases[3])
		{
			UseDiffuse();
			ASSERT_EQ(device.DrawQuads(ColorQuadVertices(left, -0.5f, left + 8, 7.5f, kBlue), kFvfColorTex), D3D_OK);
			left += 8;
		}
	}
	device->EndScene();

	sPixels pixels = device.Read();
	for (size_t index = 0; index < std::size(cases); ++index)
	{
		const UINT x = UINT(index + (index > 3)) * 8 + 4;
		EXPECT_TRUE(ColorNear(pixels.At(x, 4), cases[index].expected)) << index << ": " << std::hex << pixels.At(x, 4);
	}
	EXPECT_EQ(pixels.At(36, 4), kBlue);
}

TEST_F(D3D9Draw, IndexedDrawsUseBaseVertexAndStartIndex)
{
	UseDiffuse();
	std::vector<sVertexColorTex> vertices;
	D3DCOLOR colors[3] = { kRed, kGreen, kBlue };
	for (int quad = 0; quad < 3; ++quad)
		for (const sVertexColorTex& v : ColorQuadVertices(quad * 10 - 0.5f, -0.5f, quad * 10 + 7.5f, 7.5f, colors[quad]))
			vertices.push_back(v);
	cReleaser<IDirect3DVertexBuffer9> buffer(device.MakeVertexBuffer(vertices, kFvfColorTex));
	cReleaser<IDirect3DIndexBuffer9> indices(device.MakeQuadIndexBuffer(2));
	device->SetStreamSource(0, buffer.Get(), 0, sizeof(sVertexColorTex));
	device->SetFVF(kFvfColorTex);
	device->SetIndices(indices.Get());
	// Quad 1 of the indices, moved by 4 vertices: the third quad.
	ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4, 4, 4, 6, 2), D3D_OK);
	// Indices or vertices past the ends are refused.
	EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 6, 4), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 8, 0, 8, 0, 2), D3DERR_INVALIDCALL);
	EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 10, 1), D3DERR_INVALIDCALL);
	device->EndScene();

	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(3, 3), kBlack);
	EXPECT_EQ(pixels.At(13, 3), kBlack);
	EXPECT_EQ(pixels.At(23, 3), kBlue);
}

// With the shared quad index buffer, quad 16384 has index 65536, which wraps
// to vertex 0 in 16 bits.
TEST_F(D3D9Draw, SixteenBitQuadIndicesWrapPastQuad16384)
{
	UseDiffuse();
	std::vector<sVertexColorTex> vertices(4 * 16385, sVertexColorTex { 0, 0, 0.5f, 0, 0, 0 });
	std::vector<sVertexColorTex> first = ColorQuadVertices(-0.5f, -0.5f, 3.5f, 3.5f, kRed);
	std::vector<sVertexColorTex> last = ColorQuadVertices(9.5f, 9.5f, 13.5f, 13.5f, kGreen);
	std::copy(first.begin(), first.end(), vertices.begin());
	std::copy(last.begin(), last.end(), vertices.end() - 4);
	ASSERT_EQ(device.DrawQuads(vertices, kFvfColorTex, true), D3D_OK);
	device->EndScene();

	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(1, 1), kRed);
	EXPECT_EQ(pixels.At(11, 11), kBlack);
}

TEST_F(D3D9Draw, DepthTestIsLessEqualAndSwitchesWithZEnable)
{
	DrawColorQuad(0, 0, 8, 8, kRed, 0.5f);
	DrawColorQuad(0, 0, 8, 8, kGreen, 0.5f);
	DrawColorQuad(0, 0, 8, 8, kBlue, 0.7f);
	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(4, 4), kGreen);

	device->SetRenderState(D3DRS_ZENABLE, FALSE);
	device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
	DrawColorQuad(0, 0, 8, 8, kYellow, 0.9f);
	pixels = device.Read();
	EXPECT_EQ(pixels.At(4, 4), kYellow);

	// The depth clear reaches only the viewport.
	device->SetRenderState(D3DRS_ZENABLE, TRUE);
	device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
	D3DVIEWPORT9 left = { 0, 0, 4, 48, 0.0f, 1.0f };
	device->SetViewport(&left);
	device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
	D3DVIEWPORT9 full = { 0, 0, 64, 48, 0.0f, 1.0f };
	device->SetViewport(&full);
	DrawColorQuad(0, 0, 8, 8, kBlue, 0.7f);
	device->EndScene();
	pixels = device.Read();
	EXPECT_EQ(pixels.At(2, 4), kBlue);
	EXPECT_EQ(pixels.At(6, 4), kYellow);
}

TEST_F(D3D9Draw, CounterClockwiseTrianglesAreCulledByDefault)
{
	std::vector<sVertexTex> clockwise = QuadVertices(-0.5f, -0.5f, 7.5f, 7.5f);
	std::vector<sVertexTex> counterClockwise = QuadVertices(9.5f, -0.5f, 17.5f, 7.5f);
	std::swap(counterClockwise[1], counterClockwise[3]);
	auto drawBoth = [&]() {
		device.DrawQuads(clockwise, kFvfTex);
		device.DrawQuads(counterClockwise, kFvfTex);
		sPixels pixels = device.Read();
		device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
		return std::make_pair(pixels.At(3, 3), pixels.At(13, 3));
	};
	EXPECT_EQ(drawBoth(), std::make_pair(D3DCOLOR(0xFFFFFFFF), kBlack));
	device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
	EXPECT_EQ(drawBoth(), std::make_pair(kBlack, D3DCOLOR(0xFFFFFFFF)));
	device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
	EXPECT_EQ(drawBoth(), std::make_pair(D3DCOLOR(0xFFFFFFFF), D3DCOLOR(0xFFFFFFFF)));
	device->EndScene();
}

// Planes keep world x in 200..300 while the object is moved by the world
// matrix and the camera by the view: on screen that is x 100..200.
TEST_F(D3D9DrawWide, ClipPlanesAreInWorldSpace)
{
	D3DMATRIX world = Translation(50, 0, 0);
	D3DMATRIX view = Translation(-100, 0, 0);
	device->SetTransform(D3DTS_WORLD, &world);
	device->SetTransform(D3DTS_VIEW, &view);
	const float keepBelow300[4] = { -1, 0, 0, 300 };
	const float keepAbove200[4] = { 1, 0, 0, -200 };
	const float keepAll[4] = { 0, 1, 0, 1000 };
	device->SetClipPlane(0, keepAll);
	device->SetClipPlane(1, keepBelow300);
	device->SetClipPlane(2, keepAll);
	device->SetClipPlane(3, keepAbove200);
	device->SetRenderState(D3DRS_CLIPPLANEENABLE, 15);
	DrawColorQuad(0, 0, 500, 8, kGreen);
	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(98, 4), kBlack);
	EXPECT_EQ(pixels.At(102, 4), kGreen);
	EXPECT_EQ(pixels.At(198, 4), kGreen);
	EXPECT_EQ(pixels.At(202, 4), kBlack);

	device->SetRenderState(D3DRS_CLIPPLANEENABLE, 0);
	DrawColorQuad(0, 10, 500, 18, kGreen);
	device->EndScene();
	pixels = device.Read();
	EXPECT_EQ(pixels.At(0, 14), kGreen);
	EXPECT_EQ(pixels.At(98, 14), kGreen);
	EXPECT_EQ(pixels.At(440, 14), kGreen);
	EXPECT_EQ(pixels.At(460, 14), kBlack);
}

// Stage 0's matrix moves two-component coordinates by its third row; the
// matrix of stage 1 is set but not applied.
TEST_F(D3D9Draw, TextureTransformOnStageZeroOnly)
{
	cReleaser<IDirect3DTexture9> texture(device.MakeTexture(2, 1, { kRed, kGreen }));
	device->SetTexture(0, texture.Get());
	device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
	device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
	auto drawWith = [&](const D3DMATRIX& matrix) {
		device->SetTransform(D3DTS_TEXTURE0, &matrix);
		device.DrawQuads(QuadVertices(-0.5f, -0.5f, 15.5f, 7.5f), kFvfTex);
		sPixels pixels = device.Read();
		return std::make_pair(pixels.At(2, 4), pixels.At(13, 4));
	};
	EXPECT_EQ(drawWith(Identity()), std::make_pair(kRed, kGreen));
	D3DMATRIX shift = Identity();
	shift._31 = 0.5f;
	EXPECT_EQ(drawWith(shift), std::make_pair(kGreen, kRed));
	D3DMATRIX half = Identity();
	half._11 = 0.5f;
	EXPECT_EQ(drawWith(half), std::make_pair(kRed, kRed));

	device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
	EXPECT_EQ(drawWith(shift), std::make_pair(kRed, kGreen));

	// Stage 1 masks the alpha with its own texture; its matrix is ignored.
	device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
	cReleaser<IDirect3DTexture9> mask(device.MakeTexture(2, 1, { 0xFFFFFFFF, 0x00FFFFFF }));
	device->SetTexture(1, mask.Get());
	device->SetSamplerState(1, D3DSAMP_MINFILTER, D3DTEXF_POINT);
	device->SetSamplerState(1, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
	device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
	device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
	device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
	device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
	device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_TEXTURE);
	device->SetTransform(D3DTS_TEXTURE1, &shift);
	device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
	EXPECT_EQ(drawWith(shift), std::make_pair(kGreen, kBlack));
	device->EndScene();
}

// Lighting on with no lights: the ambient colour times the material's.
TEST_F(D3D9Draw, LightingUsesTheMaterialAndAmbientColour)
{
	UseDiffuse();
	device->SetRenderState(D3DRS_LIGHTING, TRUE);
	device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
	device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
	D3DMATERIAL9 material {};
	material.Diffuse = material.Ambient = { 0.0f, 1.0f, 0.0f, 1.0f };
	ASSERT_EQ(device->SetMaterial(&material), D3D_OK);
	D3DLIGHT9 light {};
	light.Type = D3DLIGHT_POINT;
	light.Diffuse = { 1, 1, 1, 1 };
	light.Range = 1000;
	light.Attenuation0 = 1;
	ASSERT_EQ(device->SetLight(0, &light), D3D_OK);
	ASSERT_EQ(device->LightEnable(0, TRUE), D3D_OK);
	device.DrawQuads(QuadVertices(-0.5f, -0.5f, 7.5f, 7.5f), kFvfTex);

	device->SetRenderState(D3DRS_LIGHTING, FALSE);
	device.DrawQuads(QuadVertices(9.5f, -0.5f, 17.5f, 7.5f), kFvfTex);
	device->EndScene();
	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(3, 3), kGreen);
	EXPECT_EQ(pixels.At(13, 3), 0xFFFFFFFFu);
}
}
