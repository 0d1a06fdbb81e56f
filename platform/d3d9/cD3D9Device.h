#pragma once
// The device: records what callers set (from any thread, under one lock)
// and has the renderer draw with it on the thread that created the device.
//
// Resources are created at once in memory; their GL objects are made and
// filled on the drawing thread when first drawn, and deleted there after the
// resource goes away. The back buffer is an off-screen colour texture that
// shares the device's automatic depth-stencil buffer with every render
// target; Present stretches it over the window without waiting for vsync.
// The device is never lost by itself (tests can make it lost); Reset refuses,
// as Direct3D does, while default-pool resources or references to the old
// back buffer or depth buffer are still held.

#include "platform/d3d9/D3D9.h"
#include "platform/d3d9/cD3D9Renderer.h"
#include "platform/d3d9/sD3D9DeviceState.h"

#include <SDL.h>

#include <atomic>
#include <mutex>
#include <thread>

class cD3D9RenderSurface;

class cD3D9Device final : public IDirect3DDevice9
{
public:
	// Makes the GL context on the window and the back buffer the parameters
	// ask for (sizes left 0 take the window's).
	static HRESULT Create(SDL_Window* window, D3DPRESENT_PARAMETERS& parameters, UINT availableTextureMemory,
		IDirect3DDevice9** device);

	ULONG AddRef() override;
	ULONG Release() override;

	HRESULT TestCooperativeLevel() override;
	UINT GetAvailableTextureMem() override { return m_availableTextureMemory; }
	HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
	HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
	HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow, const void* dirtyRegion) override;

	HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
		IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
	HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
		HANDLE* sharedHandle) override;
	HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
		IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) override;
	HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
		DWORD multiSampleQuality, BOOL discard, IDirect3DSurface9** surface, HANDLE* sharedHandle) override;
	HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
		IDirect3DVertexDeclaration9** declaration) override;

	HRESULT ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) override;
	HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;
	HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) override;
	HRESULT SetDepthStencilSurface(IDirect3DSurface9* surface) override;
	HRESULT GetDepthStencilSurface(IDirect3DSurface9** surface) override;

	HRESULT BeginScene() override;
	HRESULT EndScene() override;
	HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
		DWORD stencil) override;

	HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
	HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
	HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
	HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
	HRESULT SetMaterial(const D3DMATERIAL9* material) override;
	HRESULT GetMaterial(D3DMATERIAL9* material) override;
	HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
	HRESULT GetLight(DWORD index, D3DLIGHT9* light) override;
	HRESULT LightEnable(DWORD index, BOOL enable) override;
	HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
	HRESULT SetClipPlane(DWORD index, const float* plane) override;
	HRESULT GetClipPlane(DWORD index, float* plane) override;
	HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
	HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;

	HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
	HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) override;
	HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
	HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) override;
	HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD value) override;
	HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD* value) override;

	HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) override;
	HRESULT GetVertexDeclaration(IDirect3DVertexDeclaration9** declaration) override;
	HRESULT SetFVF(DWORD fvf) override;
	HRESULT GetFVF(DWORD* fvf) override;
	HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override;
	HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride) override;
	HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
	HRESULT GetIndices(IDirect3DIndexBuffer9** buffer) override;

	HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
	HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex, UINT vertexCount,
		UINT startIndex, UINT primitiveCount) override;

	// For the device's child objects.
	std::recursive_mutex& Mutex() { return m_mutex; }
	void AddChildRef() { ++m_liveRefs; }
	void ReleaseChildRef();
	void CountDefaultPoolResource(int delta);
	void DeleteGlTexture(GLuint name);
	void DeleteGlBuffer(GLuint name);
	void DeleteGlRenderbuffer(GLuint name);
	// Before any GL work, device lock held: false (with a debug line) off the
	// drawing thread; else makes the context current, deletes the GL objects
	// of resources gone since and draws what the renderer gathered.
	bool BeginGlWork(const char* call);
	// Drawing thread, after BeginGlWork.
	void ReadColor(const cD3D9Surface::sAttachment& source, UINT width, UINT height, BYTE* pixels, UINT pitch);
	void WriteColor(const cD3D9Surface::sAttachment& target, UINT width, UINT height, const BYTE* pixels, UINT pitch);

	// For tests (see D3D9TestSupport.h).
	void SimulateLoss(bool canReset);
	void AllowReset();
	UINT DefaultPoolResources();

private:
	enum class eLoss
	{
		kNone,
		kCannotReset, // lost, Reset fails with D3DERR_DEVICELOST
		kCanReset,    // lost, waiting for Reset
	};

	cD3D9Device(SDL_Window* window, UINT availableTextureMemory);
	~cD3D9Device();

	HRESULT ApplyPresentParameters(D3DPRESENT_PARAMETERS& parameters);
	void CoverDisplay(int width, int height);
	void LeaveFullScreen(UINT width, UINT height);
	// Default states, drawing into the back buffer with the automatic depth buffer.
	void SetDefaultState();
	// BeginGlWork without drawing what was gathered.
	bool EnterDrawingThread(const char* call);
	bool CanDraw(const char* call);
	void MarkDirty(unsigned flags) { m_state.dirty |= flags; }
	HRESULT Draw(const cD3D9Renderer::sDrawCall& call);

	std::recursive_mutex m_mutex;
	std::atomic<ULONG> m_refs { 1 };
	std::atomic<ULONG> m_liveRefs { 1 }; // own references plus one per child object
	SDL_Window* m_window;
	std::thread::id m_drawingThread;
	UINT m_availableTextureMemory;
	cD3D9Renderer m_renderer;
	sD3D9DeviceState m_state;
	D3DPRESENT_PARAMETERS m_parameters {};
	cD3D9Ref<cD3D9RenderSurface> m_backBuffer;
	cD3D9Ref<cD3D9RenderSurface> m_autoDepthStencil;
	cD3D9Renderer::sGarbage m_garbage;
	int m_defaultPoolResources = 0;
	bool m_inScene = false;
	eLoss m_loss = eLoss::kNone;
};
