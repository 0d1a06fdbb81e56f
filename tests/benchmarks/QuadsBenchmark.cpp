// Frames of 20000 textured, tinted quads: through the Direct3D 9 device (one
// dynamic vertex buffer of FVF 258 or 322, plain locks per batch, the shared
// 16-bit quad index buffer), through the engine (a dynamic cVertexBuffer of
// FVF 322 per batch drawn with cGraphics::DrawQuads over the graphics
// device's shared quad index buffer, as particle systems draw) and through
// plain OpenGL calls, in the same process and frame size. Checks that the
// device and the engine draw the picture plain OpenGL draws, then closes with
// the median frame times against plain OpenGL (target: at most 1.5 times)
// and the engine's main-thread CPU time per frame against plain OpenGL's
// (target: at most 1.2 times; under software OpenGL the driver's own threads
// do most of the drawing, which the wall clock mixes in).
//
// Run under a display, e.g. xvfb-run -a -s "-screen 0 1920x1200x24".

#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cVertexBuffer.h"
#include "platform/d3d9/D3D9.h"
#include "platform/win32/Win32.h"

#include <SDL.h>
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include "benchmarks/cSummaryReporter.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace
{
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kQuads = 20000;
constexpr int kBatchQuads = 1000; // quads per lock and draw: one particle system or block of text
constexpr int kBatches = kQuads / kBatchQuads;
constexpr float kQuadSize = 16.0f;
constexpr int kTextureSize = 64;

struct sVertexTex
{
	float x, y, z, u, v;
};

struct sVertexColorTex
{
	float x, y, z;
	D3DCOLOR color;
	float u, v;
};

D3DCOLOR Tint(int index)
{
	return 0xC0000000 | ((index * 0x3F1F7Fu) & 0x00FFFFFF) | 0x00404040;
}

// The quads move a little every frame so that every frame writes them anew.
void QuadCorner(int quad, int frame, float& left, float& top)
{
	uint32_t hash = uint32_t(quad) * 2654435761u;
	left = float(hash % (kWidth - 16)) + float(frame % 8) - 0.5f;
	top = float((hash >> 12) % (kHeight - 16)) - 0.5f;
}

void WriteQuad(sVertexTex* out, int quad, int frame)
{
	float left, top;
	QuadCorner(quad, frame, left, top);
	float right = left + kQuadSize;
	float bottom = top + kQuadSize;
	out[0] = { left, top, 0.5f, 0, 0 };
	out[1] = { right, top, 0.5f, 1, 0 };
	out[2] = { right, bottom, 0.5f, 1, 1 };
	out[3] = { left, bottom, 0.5f, 0, 1 };
}

void WriteQuad(sVertexColorTex* out, int quad, int frame)
{
	float left, top;
	QuadCorner(quad, frame, left, top);
	float right = left + kQuadSize;
	float bottom = top + kQuadSize;
	D3DCOLOR color = Tint(quad);
	out[0] = { left, top, 0.5f, color, 0, 0 };
	out[1] = { right, top, 0.5f, color, 1, 0 };
	out[2] = { right, bottom, 0.5f, color, 1, 1 };
	out[3] = { left, bottom, 0.5f, color, 0, 1 };
}

// A soft disc in A8R8G8B8 memory order (B, G, R, A).
std::vector<D3DCOLOR> DiscTexels()
{
	std::vector<D3DCOLOR> texels(kTextureSize * kTextureSize);
	for (int y = 0; y < kTextureSize; ++y)
		for (int x = 0; x < kTextureSize; ++x)
		{
			float dx = float(x) - kTextureSize / 2 + 0.5f;
			float dy = float(y) - kTextureSize / 2 + 0.5f;
			float d = 1.0f - (dx * dx + dy * dy) / float(kTextureSize * kTextureSize / 4);
			BYTE alpha = d > 0 ? BYTE(d * 255) : 0;
			texels[size_t(y) * kTextureSize + x] = D3DCOLOR_ARGB(alpha, 255, 255 - x * 2, 255 - y * 2);
		}
	return texels;
}

std::vector<WORD> QuadIndices(int quads)
{
	std::vector<WORD> indices;
	for (int k = 0; k < quads; ++k)
	{
		WORD v = WORD(4 * k);
		for (WORD offset : { 0, 1, 2, 2, 3, 0 })
			indices.push_back(WORD(v + offset));
	}
	return indices;
}

SDL_Window* MakeWindow(const char* title)
{
	return SDL_CreateWindow(title, 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
}

// The quads through the device, set up as the game's frame start does.
class cDeviceScene
{
public:
	cDeviceScene()
	{
		m_window = MakeWindow("device");
		m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
		D3DPRESENT_PARAMETERS p {};
		p.BackBufferWidth = kWidth;
		p.BackBufferHeight = kHeight;
		p.SwapEffect = D3DSWAPEFFECT_FLIP;
		p.hDeviceWindow = reinterpret_cast<HWND>(m_window);
		p.Windowed = TRUE;
		p.EnableAutoDepthStencil = TRUE;
		p.AutoDepthStencilFormat = D3DFMT_D24S8;
		p.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
		if (!m_d3d || m_d3d->CreateDevice(0, D3DDEVTYPE_HAL, p.hDeviceWindow, 0x24, &p, &m_device) != D3D_OK)
			return;
		m_device->CreateTexture(kTextureSize, kTextureSize, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &m_texture, nullptr);
		D3DLOCKED_RECT locked;
		m_texture->LockRect(0, &locked, nullptr, 0);
		std::vector<D3DCOLOR> texels = DiscTexels();
		for (int row = 0; row < kTextureSize; ++row)
			std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch, &texels[size_t(row) * kTextureSize],
				kTextureSize * 4);
		m_texture->UnlockRect(0);
		m_device->CreateVertexBuffer(kQuads * 4 * sizeof(sVertexColorTex), D3DUSAGE_DYNAMIC, 0, D3DPOOL_DEFAULT,
			&m_vertices, nullptr);
		std::vector<WORD> indices = QuadIndices(kBatchQuads);
		m_device->CreateIndexBuffer(UINT(indices.size() * 2), D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
			&m_indices, nullptr);
		void* data = nullptr;
		m_indices->Lock(0, 0, &data, 0);
		std::memcpy(data, indices.data(), indices.size() * 2);
		m_indices->Unlock();
	}

	~cDeviceScene()
	{
		for (IDirect3DUnknown9* object : { static_cast<IDirect3DUnknown9*>(m_vertices),
				 static_cast<IDirect3DUnknown9*>(m_indices), static_cast<IDirect3DUnknown9*>(m_texture),
				 static_cast<IDirect3DUnknown9*>(m_device), static_cast<IDirect3DUnknown9*>(m_d3d) })
			if (object)
				object->Release();
		SDL_DestroyWindow(m_window);
	}

	bool Ready() const { return m_device && m_vertices && m_indices && m_texture; }

	// The back buffer's pixels, top row first.
	std::vector<D3DCOLOR> Pixels()
	{
		std::vector<D3DCOLOR> pixels(size_t(kWidth) * kHeight);
		IDirect3DSurface9* backBuffer = nullptr;
		m_device->GetRenderTarget(0, &backBuffer);
		D3DLOCKED_RECT locked;
		if (backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY) == D3D_OK)
		{
			for (int row = 0; row < kHeight; ++row)
				std::memcpy(&pixels[size_t(row) * kWidth], static_cast<BYTE*>(locked.pBits) + row * locked.Pitch,
					kWidth * 4);
			backBuffer->UnlockRect();
		}
		backBuffer->Release();
		return pixels;
	}

	template <class Vertex>
	void Frame(DWORD fvf, int frame)
	{
		IDirect3DDevice9* d = m_device;
		d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
		d->BeginScene();
		d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
		d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
		d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
		d->SetRenderState(D3DRS_ZENABLE, FALSE);
		d->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
		d->SetRenderState(D3DRS_LIGHTING, FALSE);
		d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
		d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
		d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
		DWORD argument = fvf == (D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1) ? D3DTA_DIFFUSE : D3DTA_TFACTOR;
		d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
		d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
		d->SetTextureStageState(0, D3DTSS_COLORARG2, argument);
		d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
		d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
		d->SetTextureStageState(0, D3DTSS_ALPHAARG2, argument);
		D3DMATRIX projection {};
		projection._11 = 2.0f / kWidth;
		projection._22 = -2.0f / kHeight;
		projection._33 = 1.0f;
		projection._41 = -1.0f;
		projection._42 = 1.0f;
		projection._44 = 1.0f;
		d->SetTransform(D3DTS_PROJECTION, &projection);
		d->SetTexture(0, m_texture);
		d->SetStreamSource(0, m_vertices, 0, sizeof(Vertex));
		d->SetFVF(fvf);
		d->SetIndices(m_indices);
		const UINT batchBytes = kBatchQuads * 4 * sizeof(Vertex);
		for (int batch = 0; batch < kBatches; ++batch)
		{
			d->SetRenderState(D3DRS_TEXTUREFACTOR, Tint(batch));
			void* data = nullptr;
			m_vertices->Lock(batch * batchBytes, batchBytes, &data, 0);
			auto* vertices = static_cast<Vertex*>(data);
			for (int quad = 0; quad < kBatchQuads; ++quad)
				WriteQuad(vertices + 4 * quad, batch * kBatchQuads + quad, frame);
			m_vertices->Unlock();
			d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, batch * kBatchQuads * 4, 0, kBatchQuads * 4, 0, kBatchQuads * 2);
		}
		d->EndScene();
		d->Present(nullptr, nullptr, nullptr, nullptr);
	}

private:
	SDL_Window* m_window = nullptr;
	IDirect3D9* m_d3d = nullptr;
	IDirect3DDevice9* m_device = nullptr;
	IDirect3DTexture9* m_texture = nullptr;
	IDirect3DVertexBuffer9* m_vertices = nullptr;
	IDirect3DIndexBuffer9* m_indices = nullptr;
};

// The quads through the engine on the game's own window and device: the
// screen camera with y down, one dynamic buffer per batch, each drawn as
// quads over the shared quad index buffer.
class cEngineScene
{
public:
	cEngineScene()
	{
		cWin32Application* application = Singletone<cWin32Application>::GetInstance();
		sStartupParams params { nullptr, SW_SHOWDEFAULT, nullptr, "", false };
		if (!application->CreateMainWindow(params, "QuadsBenchmark", "engine"))
			return;
		m_graphics = Singletone<cGraphics>::GetInstance();
		sDisplaySettings settings;
		settings.width = kWidth;
		settings.height = kHeight;
		settings.windowed = true;
		if (!m_graphics->CreateDevice(settings))
			return;
		m_texture = std::make_unique<cTexture>(kTextureSize, kTextureSize, cTexture::FORMAT_A8R8G8B8, D3DPOOL_MANAGED,
			false);
		cTexture::sLockedLevel level = m_texture->LockLevel0();
		std::vector<D3DCOLOR> texels = DiscTexels();
		for (int row = 0; row < kTextureSize; ++row)
			std::memcpy(level.bits + row * level.pitch, &texels[size_t(row) * kTextureSize], kTextureSize * 4);
		m_texture->UnlockLevel0();
		for (auto& buffer : m_batches)
		{
			buffer = std::make_unique<cVertexBuffer>(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, nullptr, 0);
			buffer->SetDynamic(true);
			buffer->SetCount(kBatchQuads * 4);
		}
		// x 0 to the width left to right, y 0 to the height top to bottom.
		m_camera.SetOrtho(0, kHeight, kWidth, -kHeight, 1, 2000);
		cMatrix placement;
		placement.MakeTranslation(cVector3d(0, 0, -1800));
		placement.LookAt(cVector3d(0, 0, 0));
		m_camera.SetTransform(placement);
		m_camera.SetDepthTest(false);
	}

	~cEngineScene()
	{
		for (auto& buffer : m_batches)
			buffer.reset();
		m_texture.reset();
	}

	bool Ready() const { return cGraphics::GetDevice() && m_texture && !m_texture->IsEmpty(); }

	std::vector<D3DCOLOR> Pixels()
	{
		std::vector<D3DCOLOR> pixels(size_t(kWidth) * kHeight);
		D3DLOCKED_RECT locked;
		IDirect3DSurface9* backBuffer = m_graphics->GetBackBuffer();
		if (backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY) == D3D_OK)
		{
			for (int row = 0; row < kHeight; ++row)
				std::memcpy(&pixels[size_t(row) * kWidth], static_cast<BYTE*>(locked.pBits) + row * locked.Pitch,
					kWidth * 4);
			backBuffer->UnlockRect();
		}
		return pixels;
	}

	void Frame(int frame)
	{
		m_graphics->BeginScene();
		m_camera.Apply();
		m_texture->Bind(0);
		for (int batch = 0; batch < kBatches; ++batch)
		{
			cVertexBuffer& buffer = *m_batches[batch];
			if (auto* vertices = static_cast<sVertexColorTex*>(buffer.Lock(0, 0)))
			{
				for (int quad = 0; quad < kBatchQuads; ++quad)
					WriteQuad(vertices + 4 * quad, batch * kBatchQuads + quad, frame);
				buffer.Unlock();
			}
			buffer.Bind();
			m_graphics->GetQuadIndexBuffer().Bind();
			m_graphics->DrawQuads(kBatchQuads * 4, kBatchQuads * 2);
		}
		m_graphics->EndScene();
	}

private:
	cGraphics* m_graphics = nullptr;
	std::unique_ptr<cTexture> m_texture;
	std::unique_ptr<cVertexBuffer> m_batches[kBatches];
	cCamera m_camera;
};

// The same quads with plain fixed-function OpenGL: a streaming vertex buffer
// (orphaned each frame, each batch written through an unsynchronised map),
// one index buffer, drawn into a framebuffer of the frame size that is
// copied to the window as the device presents, so that the two differ only
// in the calls made.
class cPlainGlScene
{
public:
	cPlainGlScene()
	{
		m_window = MakeWindow("plain OpenGL");
		m_context = SDL_GL_CreateContext(m_window);
		if (!m_context)
			return;
		SDL_GL_MakeCurrent(m_window, m_context);
		SDL_GL_SetSwapInterval(0);
		std::vector<D3DCOLOR> texels = DiscTexels();
		glGenTextures(1, &m_texture);
		glBindTexture(GL_TEXTURE_2D, m_texture);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
		glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kTextureSize, kTextureSize, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
		std::vector<WORD> indices = QuadIndices(kBatchQuads);
		glGenBuffers(1, &m_indices);
		glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices);
		glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 2), indices.data(), GL_STATIC_DRAW);
		glGenBuffers(1, &m_vertices);

		glGenTextures(1, &m_colorBuffer);
		glBindTexture(GL_TEXTURE_2D, m_colorBuffer);
		glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
		glGenRenderbuffers(1, &m_depthBuffer);
		glBindRenderbuffer(GL_RENDERBUFFER, m_depthBuffer);
		glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kWidth, kHeight);
		glGenFramebuffers(1, &m_framebuffer);
		glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
		glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_colorBuffer, 0);
		glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_depthBuffer);
	}

	~cPlainGlScene()
	{
		if (m_context)
			SDL_GL_DeleteContext(m_context);
		SDL_DestroyWindow(m_window);
	}

	bool Ready() const { return m_context != nullptr; }

	// The frame's pixels, top row first.
	std::vector<D3DCOLOR> Pixels()
	{
		std::vector<D3DCOLOR> pixels(size_t(kWidth) * kHeight);
		glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
		for (int row = 0; row < kHeight; ++row)
			glReadPixels(0, kHeight - 1 - row, kWidth, 1, GL_BGRA, GL_UNSIGNED_BYTE, &pixels[size_t(row) * kWidth]);
		return pixels;
	}

	template <class Vertex>
	void Frame(bool vertexColors, int frame)
	{
		if (SDL_GL_GetCurrentContext() != m_context)
			SDL_GL_MakeCurrent(m_window, m_context);
		glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
		glViewport(0, 0, kWidth, kHeight);
		glClearColor(0, 0, 0, 1);
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
		glMatrixMode(GL_PROJECTION);
		glLoadIdentity();
		glOrtho(-0.5, kWidth - 0.5, kHeight - 0.5, -0.5, -1, 1);
		glMatrixMode(GL_MODELVIEW);
		glLoadIdentity();
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
		glDisable(GL_DEPTH_TEST);
		glEnable(GL_TEXTURE_2D);
		glBindTexture(GL_TEXTURE_2D, m_texture);
		glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

		const GLsizeiptr batchBytes = kBatchQuads * 4 * sizeof(Vertex);
		glBindBuffer(GL_ARRAY_BUFFER, m_vertices);
		glBufferData(GL_ARRAY_BUFFER, batchBytes * kBatches, nullptr, GL_STREAM_DRAW);
		glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices);
		glEnableClientState(GL_VERTEX_ARRAY);
		glEnableClientState(GL_TEXTURE_COORD_ARRAY);
		glVertexPointer(3, GL_FLOAT, sizeof(Vertex), nullptr);
		glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, u)));
		if (vertexColors)
		{
			glEnableClientState(GL_COLOR_ARRAY);
			glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, sizeof(Vertex), reinterpret_cast<void*>(12));
		}
		else
			glDisableClientState(GL_COLOR_ARRAY);
		for (int batch = 0; batch < kBatches; ++batch)
		{
			if (!vertexColors)
			{
				D3DCOLOR tint = Tint(batch);
				glColor4ub(GLubyte(tint >> 16), GLubyte(tint >> 8), GLubyte(tint), GLubyte(tint >> 24));
			}
			auto* vertices = static_cast<Vertex*>(glMapBufferRange(GL_ARRAY_BUFFER, batch * batchBytes, batchBytes,
				GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT));
			for (int quad = 0; quad < kBatchQuads; ++quad)
				WriteQuad(vertices + 4 * quad, batch * kBatchQuads + quad, frame);
			glUnmapBuffer(GL_ARRAY_BUFFER);
			glDrawElementsBaseVertex(GL_TRIANGLES, kBatchQuads * 6, GL_UNSIGNED_SHORT, nullptr, batch * kBatchQuads * 4);
		}
	}

	void Present()
	{
		glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
		glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
		glBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
		SDL_GL_SwapWindow(m_window);
	}

private:
	SDL_Window* m_window = nullptr;
	SDL_GLContext m_context = nullptr;
	GLuint m_texture = 0;
	GLuint m_vertices = 0;
	GLuint m_indices = 0;
	GLuint m_colorBuffer = 0;
	GLuint m_depthBuffer = 0;
	GLuint m_framebuffer = 0;
};

std::unique_ptr<cDeviceScene> g_deviceScene;
std::unique_ptr<cEngineScene> g_engineScene;
std::unique_ptr<cPlainGlScene> g_plainScene;

enum eDrawer
{
	kPlainGl,
	kDevice,
	kEngine
};

template <class FrameFunction>
void RunFrames(benchmark::State& state, FrameFunction frame)
{
	int frames = 0;
	for (auto _ : state)
		frame(frames++);
	state.counters["fps"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

void BM_DeviceQuads(benchmark::State& state)
{
	if (!g_deviceScene)
		g_deviceScene = std::make_unique<cDeviceScene>();
	if (!g_deviceScene->Ready())
	{
		state.SkipWithError("no Direct3D device");
		return;
	}
	bool colors = state.range(0) == (D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
	RunFrames(state, [&](int frame) {
		if (colors)
			g_deviceScene->Frame<sVertexColorTex>(DWORD(state.range(0)), frame);
		else
			g_deviceScene->Frame<sVertexTex>(DWORD(state.range(0)), frame);
	});
}

void BM_PlainGlQuads(benchmark::State& state)
{
	if (!g_plainScene)
		g_plainScene = std::make_unique<cPlainGlScene>();
	if (!g_plainScene->Ready())
	{
		state.SkipWithError("no OpenGL context");
		return;
	}
	bool colors = state.range(0) == (D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
	RunFrames(state, [&](int frame) {
		if (colors)
			g_plainScene->Frame<sVertexColorTex>(true, frame);
		else
			g_plainScene->Frame<sVertexTex>(false, frame);
		g_plainScene->Present();
	});
}

void BM_EngineQuads(benchmark::State& state)
{
	if (!g_engineScene)
		g_engineScene = std::make_unique<cEngineScene>();
	if (!g_engineScene->Ready())
	{
		state.SkipWithError("no graphics device");
		return;
	}
	RunFrames(state, [&](int frame) { g_engineScene->Frame(frame); });
}

// The largest channel difference between one frame of FVF 322 drawn by the
// device or the engine and by plain OpenGL: the comparison only holds if
// they draw the same picture.
int LargestDifference(eDrawer drawer)
{
	if (!g_plainScene || !g_plainScene->Ready())
		return -1;
	std::vector<D3DCOLOR> device;
	if (drawer == kDevice && g_deviceScene && g_deviceScene->Ready())
	{
		g_deviceScene->Frame<sVertexColorTex>(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, 0);
		device = g_deviceScene->Pixels();
	}
	else if (drawer == kEngine && g_engineScene && g_engineScene->Ready())
	{
		g_engineScene->Frame(0);
		device = g_engineScene->Pixels();
	}
	else
		return -1;
	g_plainScene->Frame<sVertexColorTex>(true, 0);
	std::vector<D3DCOLOR> plain = g_plainScene->Pixels();
	int largest = 0;
	for (size_t i = 0; i < device.size(); ++i)
		for (int shift = 0; shift < 24; shift += 8)
			largest = std::max(largest, std::abs(int((device[i] >> shift) & 0xFF) - int((plain[i] >> shift) & 0xFF)));
	return largest;
}

BENCHMARK(BM_PlainGlQuads)->Arg(258)->Arg(322)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_DeviceQuads)->Arg(258)->Arg(322)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_EngineQuads)->Arg(322)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
}

int main(int argc, char** argv)
{
	SDL_Init(SDL_INIT_VIDEO);
	g_plainScene = std::make_unique<cPlainGlScene>();
	g_deviceScene = std::make_unique<cDeviceScene>();
	g_engineScene = std::make_unique<cEngineScene>();
	// The same picture, up to rounding of the blend.
	const int deviceDifference = LargestDifference(kDevice);
	const int engineDifference = LargestDifference(kEngine);
	std::printf("largest colour difference from the plain OpenGL picture: device %d, engine %d of 255\n",
		deviceDifference, engineDifference);
	if (!SameOutput(deviceDifference >= 0 && deviceDifference <= 2 && engineDifference >= 0 && engineDifference <= 2,
			"quads"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	std::printf("\n%d quads per frame, %d by %d, times per frame:\n", kQuads, kWidth, kHeight);
	reporter.PrintTimeRatio("FVF 258, device", "BM_DeviceQuads/258", "BM_PlainGlQuads/258", 1.5);
	reporter.PrintTimeRatio("FVF 322, device", "BM_DeviceQuads/322", "BM_PlainGlQuads/322", 1.5);
	reporter.PrintTimeRatio("FVF 322, engine", "BM_EngineQuads/322", "BM_PlainGlQuads/322", 1.5);
	reporter.PrintTimeRatio("FVF 322, engine, main thread", "BM_EngineQuads/322", "BM_PlainGlQuads/322", 1.2,
		cSummaryReporter::kCpuTime);
	g_deviceScene.reset();
	g_engineScene.reset();
	g_plainScene.reset();
	DestroyAllSingletons(); // the graphics device goes while the video system is up
	SDL_Quit();
	benchmark::Shutdown();
	return 0;
}
