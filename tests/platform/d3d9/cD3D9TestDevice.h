#pragma once
// A device on a hidden SDL window for the layer's tests, created with the
// parameters the game uses, with helpers to make resources, draw quads in
// pixel coordinates and read the render target back.

#include "platform/d3d9/D3D9.h"
#include "platform/d3d9/D3D9TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// FVF 258: position and one texture coordinate pair.
struct sVertexTex
{
	float x, y, z, u, v;
};

// FVF 322: position, ARGB colour and one texture coordinate pair.
struct sVertexColorTex
{
	float x, y, z;
	D3DCOLOR color;
	float u, v;
};

constexpr DWORD kFvfTex = D3DFVF_XYZ | D3DFVF_TEX1;
constexpr DWORD kFvfColorTex = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(kFvfTex == 258 && kFvfColorTex == 322);

// Left-handed off-centre orthographic projection (depth 0 to 1).
inline D3DMATRIX OrthoOffCenter(float left, float right, float bottom, float top, float zNear, float zFar)
{
	D3DMATRIX m {};
	m._11 = 2.0f / (right - left);
	m._22 = 2.0f / (top - bottom);
	m._33 = 1.0f / (zFar - zNear);
	m._41 = (left + right) / (left - right);
	m._42 = (top + bottom) / (bottom - top);
	m._43 = zNear / (zNear - zFar);
	m._44 = 1.0f;
	return m;
}

inline D3DMATRIX Identity()
{
	D3DMATRIX m {};
	m._11 = m._22 = m._33 = m._44 = 1.0f;
	return m;
}

inline D3DMATRIX Translation(float x, float y, float z)
{
	D3DMATRIX m = Identity();
	m._41 = x;
	m._42 = y;
	m._43 = z;
	return m;
}

// The four corners of a rectangle, clockwise on screen from the top left,
// with texture coordinates 0..1 (v = 0 at the top).
inline std::vector<sVertexTex> QuadVertices(float left, float top, float right, float bottom, float z = 0.5f)
{
	return { { left, top, z, 0, 0 }, { right, top, z, 1, 0 }, { right, bottom, z, 1, 1 }, { left, bottom, z, 0, 1 } };
}

inline std::vector<sVertexColorTex> ColorQuadVertices(float left, float top, float right, float bottom,
	D3DCOLOR color, float z = 0.5f)
{
	return { { left, top, z, color, 0, 0 }, { right, top, z, color, 1, 0 }, { right, bottom, z, color, 1, 1 },
		{ left, bottom, z, color, 0, 1 } };
}

// Colour channels compared with a tolerance of a rounding step or two.
inline ::testing::AssertionResult ColorNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance = 2)
{
	for (int shift = 0; shift < 32; shift += 8)
	{
		int a = (actual >> shift) & 0xFF;
		int e = (expected >> shift) & 0xFF;
		if (a - e > tolerance || e - a > tolerance)
			return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
	}
	return ::testing::AssertionSuccess();
}

// Pixels read back from a surface, top row first, as ARGB values.
struct sPixels
{
	UINT width = 0;
	UINT height = 0;
	std::vector<D3DCOLOR> data;

	D3DCOLOR At(UINT x, UINT y) const { return data[size_t(y) * width + x]; }
};

template <class T>
class cReleaser
{
public:
	cReleaser(T* object = nullptr) : m_object(object) {}
	~cReleaser()
	{
		if (m_object)
			m_object->Release();
	}
	cReleaser(const cReleaser&) = delete;
	cReleaser& operator=(const cReleaser&) = delete;
	T* operator->() const { return m_object; }
	T* Get() const { return m_object; }
	T** Out() { return &m_object; }
	T* Take() { return std::exchange(m_object, nullptr); }

private:
	T* m_object;
};

class cD3D9TestDevice
{
public:
	explicit cD3D9TestDevice(UINT width = 64, UINT height = 48, int windowWidth = 64, int windowHeight = 48)
	{
		SDL_Init(SDL_INIT_VIDEO);
		window = SDL_CreateWindow("d3d9 test", 0, 0, windowWidth, windowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
		d3d = Direct3DCreate9(D3D_SDK_VERSION);
		parameters = MakeParameters(width, height);
		if (d3d)
			d3d->CreateDevice(0, D3DDEVTYPE_HAL, Window(), D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
				&parameters, &device);
	}

	~cD3D9TestDevice()
	{
		if (device)
			device->Release();
		if (d3d)
			d3d->Release();
		SDL_DestroyWindow(window);
		SDL_Quit();
	}

	cD3D9TestDevice(const cD3D9TestDevice&) = delete;
	cD3D9TestDevice& operator=(const cD3D9TestDevice&) = delete;

	HWND Window() const { return reinterpret_cast<HWND>(window); }

	// Windowed parameters as the game fills them.
	D3DPRESENT_PARAMETERS MakeParameters(UINT width, UINT height) const
	{
		D3DPRESENT_PARAMETERS p {};
		p.BackBufferWidth = width;
		p.BackBufferHeight = height;
		p.BackBufferFormat = D3DFMT_UNKNOWN;
		p.SwapEffect = D3DSWAPEFFECT_FLIP;
		p.hDeviceWindow = Window();
		p.Windowed = TRUE;
		p.EnableAutoDepthStencil = TRUE;
		p.AutoDepthStencilFormat = D3DFMT_D24S8;
		p.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
		return p;
	}

	IDirect3DDevice9* operator->() const { return device; }

	// The pixels of a render-target surface (the current render target when null).
	sPixels Read(IDirect3DSurface9* surface = nullptr)
	{
		cReleaser<IDirect3DSurface9> current;
		if (!surface)
		{
			device->GetRenderTarget(0, current.Out());
			surface = current.Get();
		}
		D3DSURFACE_DESC desc;
		surface->GetDesc(&desc);
		sPixels pixels { desc.Width, desc.Height, std::vector<D3DCOLOR>(size_t(desc.Width) * desc.Height) };
		D3DLOCKED_RECT locked;
		EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
		for (UINT row = 0; row < desc.Height; ++row)
			std::memcpy(&pixels.data[size_t(row) * desc.Width],
				static_cast<BYTE*>(locked.pBits) + size_t(row) * locked.Pitch, desc.Width * 4);
		surface->UnlockRect();
		return pixels;
	}

	IDirect3DTexture9* MakeTexture(UINT w, UINT h, const std::vector<D3DCOLOR>& texels, D3DPOOL pool = D3DPOOL_MANAGED)
	{
		IDirect3DTexture9* texture = nullptr;
		EXPECT_EQ(device->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, pool, &texture, nullptr), D3D_OK);
		Fill(texture, w, h, texels);
		return texture;
	}

	static void Fill(IDirect3DTexture9* texture, UINT w, UINT h, const std::vector<D3DCOLOR>& texels)
	{
		D3DLOCKED_RECT locked;
		ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
		for (UINT row = 0; row < h; ++row)
			std::memcpy(static_cast<BYTE*>(locked.pBits) + size_t(row) * locked.Pitch, &texels[size_t(row) * w], w * 4);
		texture->UnlockRect(0);
	}

	template <class Vertex>
	IDirect3DVertexBuffer9* MakeVertexBuffer(const std::vector<Vertex>& vertices, DWORD fvf, bool dynamic = false)
	{
		UINT bytes = UINT(vertices.size() * sizeof(Vertex));
		IDirect3DVertexBuffer9* buffer = nullptr;
		EXPECT_EQ(device->CreateVertexBuffer(bytes, dynamic ? D3DUSAGE_DYNAMIC : D3DUSAGE_WRITEONLY, fvf,
			dynamic ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED, &buffer, nullptr), D3D_OK);
		void* data = nullptr;
		EXPECT_EQ(buffer->Lock(0, bytes, &data, 0), D3D_OK);
		std::memcpy(data, vertices.data(), bytes);
		buffer->Unlock();
		return buffer;
	}

	// The shared quad index buffer: quad k is v, v+1, v+2, v+2, v+3, v with v = 4k (16 bits).
	IDirect3DIndexBuffer9* MakeQuadIndexBuffer(UINT quads)
	{
		IDirect3DIndexBuffer9* buffer = nullptr;
		EXPECT_EQ(device->CreateIndexBuffer(quads * 12, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &buffer,
			nullptr), D3D_OK);
		void* data = nullptr;
		buffer->Lock(0, 0, &data, 0);
		auto* indices = static_cast<WORD*>(data);
		for (UINT k = 0; k < quads; ++k)
		{
			WORD v = WORD(4 * k);
			const WORD quad[6] = { v, WORD(v + 1), WORD(v + 2), WORD(v + 2), WORD(v + 3), v };
			std::memcpy(indices + 6 * k, quad, sizeof(quad));
		}
		buffer->Unlock();
		return buffer;
	}

	// The states the game sets at every frame start, and a projection in
	// pixels of the current viewport (y down, z 0 to 1).
	void SetFrameStates()
	{
		device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
		device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
		device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
		device->SetRenderState(D3DRS_LIGHTING, FALSE);
		device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
		device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
		device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
		device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
		device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
		device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
		device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
		device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
		for (DWORD sampler = 0; sampler < 8; ++sampler)
		{
			device->SetSamplerState(sampler, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
			device->SetSamplerState(sampler, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
		}
		SetPixelProjection();
	}

	void SetPixelProjection()
	{
		D3DVIEWPORT9 viewport;
		device->GetViewport(&viewport);
		D3DMATRIX projection = OrthoOffCenter(0, float(viewport.Width), float(viewport.Height), 0, 0, 1);
		device->SetTransform(D3DTS_PROJECTION, &projection);
	}

	// Binds the vertices (FVF 258 or 322) and a quad index buffer and draws them as quads.
	template <class Vertex>
	HRESULT DrawQuads(const std::vector<Vertex>& vertices, DWORD fvf, bool dynamic = false)
	{
		cReleaser<IDirect3DVertexBuffer9> buffer(MakeVertexBuffer(vertices, fvf, dynamic));
		cReleaser<IDirect3DIndexBuffer9> indices(MakeQuadIndexBuffer(UINT(vertices.size() / 4)));
		device->SetStreamSource(0, buffer.Get(), 0, sizeof(Vertex));
		device->SetFVF(fvf);
		device->SetIndices(indices.Get());
		return device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, UINT(vertices.size()), 0,
			UINT(vertices.size() / 2));
	}

	SDL_Window* window = nullptr;
	IDirect3D9* d3d = nullptr;
	IDirect3DDevice9* device = nullptr;
	D3DPRESENT_PARAMETERS parameters {};
};
