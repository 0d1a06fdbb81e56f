// Frames of 20000 textured, tinted quads: through the Direct3D 9 device (one
// dynamic vertex buffer of FVF 258 or 322, plain locks per batch, the shared
// 16-bit quad index buffer) and through plain OpenGL calls, in the same
// process and frame size. Prints the frames per second of both and how much
// the device costs (target: at most 1.5 times plain OpenGL).
//
// Run under a display, e.g. xvfb-run -a -s "-screen 0 1920x1200x24".

#include "platform/d3d9/D3D9.h"

#include <SDL.h>
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

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
std::unique_ptr<cPlainGlScene> g_plainScene;
std::map<std::pair<bool, int64_t>, double> g_fps; // (device?, fvf) -> best frames per second

// Runs frames for the benchmark and records their rate in wall-clock time
// (the best of the repetitions, as the machine may be busy with other work).
template <class FrameFunction>
void RunFrames(benchmark::State& state, bool device, FrameFunction frame)
{
	int frames = 0;
	auto start = std::chrono::steady_clock::now();
	for (auto _ : state)
		frame(frames++);
	double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
	double fps = seconds > 0 ? frames / seconds : 0;
	state.counters["fps"] = fps;
	double& best = g_fps[{ device, state.range(0) }];
	best = std::max(best, fps);
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
	RunFrames(state, true, [&](int frame) {
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
	RunFrames(state, false, [&](int frame) {
		if (colors)
			g_plainScene->Frame<sVertexColorTex>(true, frame);
		else
			g_plainScene->Frame<sVertexTex>(false, frame);
		g_plainScene->Present();
	});
}

// The largest channel difference between one frame drawn both ways: the
// comparison only holds if both draw the same picture.
int LargestDifference()
{
	if (!g_deviceScene || !g_plainScene || !g_deviceScene->Ready() || !g_plainScene->Ready())
		return -1;
	g_deviceScene->Frame<sVertexColorTex>(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, 0);
	std::vector<D3DCOLOR> device = g_deviceScene->Pixels();
	g_plainScene->Frame<sVertexColorTex>(true, 0);
	std::vector<D3DCOLOR> plain = g_plainScene->Pixels();
	int largest = 0;
	for (size_t i = 0; i < device.size(); ++i)
		for (int shift = 0; shift < 24; shift += 8)
			largest = std::max(largest, std::abs(int((device[i] >> shift) & 0xFF) - int((plain[i] >> shift) & 0xFF)));
	return largest;
}

BENCHMARK(BM_PlainGlQuads)->Arg(258)->Arg(322)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3);
BENCHMARK(BM_DeviceQuads)->Arg(258)->Arg(322)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3);
}

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;
	SDL_Init(SDL_INIT_VIDEO);
	benchmark::RunSpecifiedBenchmarks();
	std::printf("\n%d quads per frame, %d by %d:\n", kQuads, kWidth, kHeight);
	for (int64_t fvf : { 258, 322 })
	{
		auto device = g_fps.find({ true, fvf });
		auto plain = g_fps.find({ false, fvf });
		if (device == g_fps.end() || plain == g_fps.end() || device->second <= 0)
			continue;
		double ratio = plain->second / device->second;
		std::printf("FVF %lld: device %.1f fps, plain OpenGL %.1f fps, device costs %.2fx plain OpenGL (target <= 1.5) %s\n",
			static_cast<long long>(fvf), device->second, plain->second, ratio, ratio <= 1.5 ? "ok" : "OVER");
	}
	std::printf("largest colour difference between the two pictures: %d of 255\n", LargestDifference());
	g_deviceScene.reset();
	g_plainScene.reset();
	SDL_Quit();
	benchmark::Shutdown();
	return 0;
}
