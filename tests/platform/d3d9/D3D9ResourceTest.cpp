// Resources: buffer locks that read back and leave earlier draws alone,
// textures made on a loader thread, declarations, texture formats and
// descriptions.

#include "tests/platform/d3d9/cD3D9TestDevice.h"

#include <atomic>
#include <thread>

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;

class D3D9Resource : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(device.device, nullptr);
		device.SetFrameStates();
		device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
		device->BeginScene();
	}

	void DrawTexture(IDirect3DTexture9* texture, float left, float top, float right, float bottom)
	{
		device->SetTexture(0, texture);
		ASSERT_EQ(device.DrawQuads(QuadVertices(left - 0.5f, top - 0.5f, right - 0.5f, bottom - 0.5f), kFvfTex),
			D3D_OK);
	}

	cD3D9TestDevice device;
};

class D3D9BufferLock : public D3D9Resource, public ::testing::WithParamInterface<bool>
{
};

// A plain lock after a draw reads back what was written and can rewrite a
// part; the draw already made keeps the data it was given.
TEST_P(D3D9BufferLock, ReadsBackAndLeavesEarlierDrawsAlone)
{
	bool dynamic = GetParam();
	device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
	device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
	std::vector<sVertexColorTex> quad = ColorQuadVertices(-0.5f, -0.5f, 7.5f, 7.5f, kRed);
	cReleaser<IDirect3DVertexBuffer9> buffer(device.MakeVertexBuffer(quad, kFvfColorTex, dynamic));
	cReleaser<IDirect3DIndexBuffer9> indices(device.MakeQuadIndexBuffer(1));
	device->SetStreamSource(0, buffer.Get(), 0, sizeof(sVertexColorTex));
	device->SetFVF(kFvfColorTex);
	device->SetIndices(indices.Get());
	ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);

	void* data = nullptr;
	ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
	auto* vertices = static_cast<sVertexColorTex*>(data);
	EXPECT_EQ(std::memcmp(vertices, quad.data(), quad.size() * sizeof(sVertexColorTex)), 0);
	for (int i = 0; i < 4; ++i)
		vertices[i].x += 20.0f; // positions only, as skinning rewrites them
	buffer->Unlock();
	ASSERT_EQ(buffer->Lock(offsetof(sVertexColorTex, color), sizeof(D3DCOLOR), &data, 0), D3D_OK);
	EXPECT_EQ(*static_cast<D3DCOLOR*>(data), kRed);
	buffer->Unlock();
	ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);

	// A change after the last draw shows nowhere.
	buffer->Lock(0, 0, &data, 0);
	for (int i = 0; i < 4; ++i)
		static_cast<sVertexColorTex*>(data)[i].color = kGreen;
	buffer->Unlock();
	device->EndScene();

	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(3, 3), kRed);
	EXPECT_EQ(pixels.At(23, 3), kRed);
	EXPECT_EQ(pixels.At(13, 3), kBlack);

	D3DVERTEXBUFFER_DESC desc;
	buffer->GetDesc(&desc);
	EXPECT_EQ(desc.FVF, kFvfColorTex);
	EXPECT_EQ(desc.Size, 4 * sizeof(sVertexColorTex));
	EXPECT_EQ(desc.Pool, dynamic ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED);
}

INSTANTIATE_TEST_SUITE_P(DynamicAndStatic, D3D9BufferLock, ::testing::Bool());

// Loader threads create, fill and destroy textures and buffers while the
// main thread draws.
TEST_F(D3D9Resource, LoaderThreadsCreateFillAndDestroyWhileTheMainThreadDraws)
{
	cReleaser<IDirect3DTexture9> mainTexture(device.MakeTexture(1, 1, { kGreen }));
	std::atomic<IDirect3DTexture9*> loaded { nullptr };
	std::atomic<bool> done { false };
	std::thread loader([&]() {
		for (int i = 0; i < 20; ++i)
		{
			IDirect3DTexture9* texture = nullptr;
			if (device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr) != D3D_OK)
				break;
			cD3D9TestDevice::Fill(texture, 2, 2, std::vector<D3DCOLOR>(4, kBlue));
			IDirect3DVertexBuffer9* buffer = nullptr;
			device->CreateVertexBuffer(240, D3DUSAGE_DYNAMIC, kFvfTex, D3DPOOL_DEFAULT, &buffer, nullptr);
			void* data = nullptr;
			if (buffer && buffer->Lock(0, 0, &data, 0) == D3D_OK)
			{
				std::memset(data, 0, 240);
				buffer->Unlock();
			}
			if (buffer)
				buffer->Release();
			if (i < 19)
			{
				// Destroying a texture clears every stage, as the game's textures do.
				for (DWORD stage = 0; stage < 8; ++stage)
					device->SetTexture(stage, nullptr);
				texture->Release();
			}
			else
				loaded = texture;
		}
		done = true;
	});
	int frames = 0;
	while (!done || frames < 5)
	{
		DrawTexture(mainTexture.Get(), 0, 0, 8, 8);
		++frames;
	}
	loader.join();
	ASSERT_NE(loaded.load(), nullptr);
	cReleaser<IDirect3DTexture9> fromLoader(loaded.load());
	// The loader may have cleared the stage between a bind and its draw above.
	DrawTexture(mainTexture.Get(), 0, 0, 8, 8);
	DrawTexture(fromLoader.Get(), 10, 0, 18, 8);
	device->EndScene();

	sPixels pixels = device.Read();
	EXPECT_EQ(pixels.At(3, 3), kGreen);
	EXPECT_EQ(pixels.At(13, 3), kBlue);
	EXPECT_EQ(D3D9Test::CountDefaultPoolResources(device.device), 0u);
}

TEST_F(D3D9Resource, DeclarationsReturnTheirElementsAndDrawWithTheCallersStride)
{
	const D3DVERTEXELEMENT9 elements[] = {
		{ 0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0 },
		{ 0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0 },
		D3DDECL_END(),
	};
	cReleaser<IDirect3DVertexDeclaration9> declaration;
	ASSERT_EQ(device->CreateVertexDeclaration(elements, declaration.Out()), D3D_OK);
	UINT count = 0;
	ASSERT_EQ(declaration->GetDeclaration(nullptr, &count), D3D_OK);
	ASSERT_EQ(count, 3u);
	D3DVERTEXELEMENT9 copy[3];
	declaration->GetDeclaration(copy, &count);
	EXPECT_EQ(std::memcmp(copy, elements, sizeof(elements)), 0);

	// Vertices 24 bytes apart (the last 4 unused): the stride given is the one used.
	struct sPadded
	{
		sVertexTex vertex;
		float unused;
	};
	std::vector<sPadded> vertices;
	for (const sVertexTex& v : QuadVertices(-0.5f, -0.5f, 7.5f, 7.5f))
		vertices.push_back({ v, 99.0f });
	cReleaser<IDirect3DTexture9> texture(device.MakeTexture(1, 1, { kBlue }));
	cReleaser<IDirect3DVertexBuffer9> buffer(device.MakeVertexBuffer(vertices, 0));
	cReleaser<IDirect3DIndexBuffer9> indices(device.MakeQuadIndexBuffer(1));
	device->SetTexture(0, texture.Get());
	device->SetStreamSource(0, buffer.Get(), 0, sizeof(sPadded));
	device->SetVertexDeclaration(declaration.Get());
	device->SetIndices(indices.Get());
	ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);
	device->EndScene();
	EXPECT_EQ(device.Read().At(3, 3), kBlue);

	// A list without its end marker is refused.
	std::vector<D3DVERTEXELEMENT9> endless(100, elements[0]);
	IDirect3DVertexDeclaration9* refused = nullptr;
	EXPECT_EQ(device->CreateVertexDeclaration(endless.data(), &refused), D3DERR_INVALIDCALL);
}

TEST_F(D3D9Resource, TextureLevelsDescriptionsAndLocks)
{
	cReleaser<IDirect3DTexture9> texture;
	ASSERT_EQ(device->CreateTexture(100, 50, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.Out(), nullptr), D3D_OK);
	EXPECT_EQ(texture->GetLevelCount(), 7u);
	D3DSURFACE_DESC desc;
	ASSERT_EQ(texture->GetLevelDesc(1, &desc), D3D_OK);
	EXPECT_EQ(desc.Width, 50u);
	EXPECT_EQ(desc.Height, 25u);
	EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
	EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
	EXPECT_EQ(texture->GetLevelDesc(7, &desc), D3DERR_INVALIDCALL);

	// Locks give the memory back as written; a rectangle starts inside it.
	D3DLOCKED_RECT locked;
	ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
	EXPECT_EQ(locked.Pitch, 400);
	static_cast<BYTE*>(locked.pBits)[2 * 400 + 3 * 4] = 0x5A;
	EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
	texture->UnlockRect(0);
	RECT rect = { 3, 2, 10, 10 };
	ASSERT_EQ(texture->LockRect(0, &locked, &rect, 0), D3D_OK);
	EXPECT_EQ(static_cast<BYTE*>(locked.pBits)[0], 0x5A);
	texture->UnlockRect(0);
	RECT outside = { 90, 0, 101, 10 };
	EXPECT_EQ(texture->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);

	// Surfaces share the texture's reference count.
	IDirect3DSurface9* surface = nullptr;
	ASSERT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
	EXPECT_EQ(texture->AddRef(), 3u);
	texture->Release();
	surface->GetDesc(&desc);
	EXPECT_EQ(desc.Width, 100u);
	EXPECT_EQ(surface->Release(), 1u);

	// Refused: too large, unknown formats, system-memory textures on a stage.
	IDirect3DTexture9* refused = nullptr;
	EXPECT_EQ(device->CreateTexture(1 << 20, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &refused, nullptr),
		D3DERR_INVALIDCALL);
	EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_V8U8, D3DPOOL_MANAGED, &refused, nullptr), D3DERR_INVALIDCALL);
	cReleaser<IDirect3DTexture9> system;
	ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, system.Out(), nullptr), D3D_OK);
	EXPECT_EQ(device->SetTexture(0, system.Get()), D3DERR_INVALIDCALL);
	device->EndScene();
}

// Each format is drawn from Direct3D's memory layout.
TEST_F(D3D9Resource, TextureFormatsUseTheDirect3DMemoryLayout)
{
	struct sCase
	{
		D3DFORMAT format;
		UINT width;
		std::vector<BYTE> texel; // bytes of level 0, row 0
		int pitch;
		D3DCOLOR drawn;
	};
	const std::vector<sCase> cases = {
		{ D3DFMT_A8R8G8B8, 1, { 0x10, 0x20, 0x30, 0xFF }, 4, 0xFF302010 },
		{ D3DFMT_X8R8G8B8, 1, { 0x10, 0x20, 0x30, 0x00 }, 4, 0xFF302010 },
		{ D3DFMT_R8G8B8, 5, { 0x10, 0x20, 0x30 }, 16, 0xFF302010 },
		{ D3DFMT_R5G6B5, 1, { 0x00, 0xF8 }, 4, 0xFFFF0000 },
		{ D3DFMT_A1R5G5B5, 1, { 0x1F, 0x80 }, 4, 0xFF0000FF },
		{ D3DFMT_A4R4G4B4, 1, { 0xF0, 0xF0 }, 4, 0xFF00FF00 },
		// One DXT3 block: opaque, every texel colour 0 (pure red).
		{ D3DFMT_DXT3, 4, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0 }, 16,
			0xFFFF0000 },
	};
	float left = 0;
	for (const sCase& c : cases)
	{
		cReleaser<IDirect3DTexture9> texture;
		ASSERT_EQ(device->CreateTexture(c.width, c.width == 5 ? 1 : c.width, 1, 0, c.format, D3DPOOL_MANAGED,
			texture.Out(), nullptr), D3D_OK) << c.format;
		D3DLOCKED_RECT locked;
		ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
		EXPECT_EQ(locked.Pitch, c.pitch) << c.format;
		for (UINT x = 0; x < c.width && c.format == D3DFMT_R8G8B8; ++x)
			std::memcpy(static_cast<BYTE*>(locked.pBits) + 3 * x, c.texel.data(), 3);
		if (c.format != D3DFMT_R8G8B8)
			std::memcpy(locked.pBits, c.texel.data(), c.texel.size());
		texture->UnlockRect(0);
		device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
		device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
		DrawTexture(texture.Get(), left, 0, left + 1, 1);
		EXPECT_TRUE(ColorNear(device.Read().At(UINT(left), 0), c.drawn, 1)) << c.format;
		left += 2;
	}
	device->EndScene();
}
}
