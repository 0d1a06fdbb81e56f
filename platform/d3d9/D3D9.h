#pragma once
// The Direct3D 9 stand-in: reference-counted interfaces over OpenGL.
//
// The objects follow the interface's rules: Create* and Get* hand out a
// reference that the caller releases; the device keeps references to what is
// bound to it (textures, stream source, indices, declaration, render target,
// depth-stencil surface) until it is unbound or reset; a texture's surfaces
// share the texture's reference count. Every method may be called from any
// thread (one device-wide lock). Drawing, clearing, presenting and resetting
// run on the thread that created the device, which owns the GL context.

#include "platform/d3d9/D3D9Fvf.h"
#include "platform/d3d9/D3D9Types.h"

class IDirect3DDevice9;

// Reference counting shared by every interface of the layer.
class IDirect3DUnknown9
{
public:
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;

protected:
	virtual ~IDirect3DUnknown9() = default;
};

class IDirect3DResource9 : public IDirect3DUnknown9
{
public:
	virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
	virtual D3DRESOURCETYPE GetType() = 0;
};

class IDirect3DSurface9 : public IDirect3DResource9
{
public:
	virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
	// Surfaces of lockable textures give their memory; render targets and the
	// back buffer are read back from the GPU (drawing thread only) and, unless
	// locked D3DLOCK_READONLY, written back at UnlockRect.
	virtual HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
	virtual HRESULT UnlockRect() = 0;
};

class IDirect3DBaseTexture9 : public IDirect3DResource9
{
public:
	virtual DWORD GetLevelCount() = 0;
};

class IDirect3DTexture9 : public IDirect3DBaseTexture9
{
public:
	virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
	virtual HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) = 0;
	virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
	virtual HRESULT UnlockRect(UINT level) = 0;
};

class IDirect3DVertexBuffer9 : public IDirect3DResource9
{
public:
	// Every lock maps the buffer's own memory copy: reads see what was last
	// written, and a draw already made keeps the data it was given.
	virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
	virtual HRESULT Unlock() = 0;
	virtual HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) = 0;
};

class IDirect3DIndexBuffer9 : public IDirect3DResource9
{
public:
	virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
	virtual HRESULT Unlock() = 0;
	virtual HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) = 0;
};

class IDirect3DVertexDeclaration9 : public IDirect3DUnknown9
{
public:
	virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
	// With elements null only the count (end marker included) is returned.
	virtual HRESULT GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) = 0;
};

class IDirect3DDevice9 : public IDirect3DUnknown9
{
public:
	virtual HRESULT TestCooperativeLevel() = 0;
	virtual UINT GetAvailableTextureMem() = 0;
	virtual HRESULT GetDeviceCaps(D3DCAPS9* caps) = 0;
	virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
	virtual HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow, const void* dirtyRegion) = 0;

	virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
		IDirect3DTexture9** texture, HANDLE* sharedHandle) = 0;
	virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
		IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle) = 0;
	virtual HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
		IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) = 0;
	virtual HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
		D3DMULTISAMPLE_TYPE multiSample, DWORD multiSampleQuality, BOOL discard, IDirect3DSurface9** surface,
		HANDLE* sharedHandle) = 0;
	virtual HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
		IDirect3DVertexDeclaration9** declaration) = 0;

	// Fills a rectangle (null: all) of a render-target surface, whatever the viewport.
	virtual HRESULT ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) = 0;

	virtual HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) = 0;
	virtual HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) = 0;
	virtual HRESULT SetDepthStencilSurface(IDirect3DSurface9* surface) = 0;
	virtual HRESULT GetDepthStencilSurface(IDirect3DSurface9** surface) = 0;

	virtual HRESULT BeginScene() = 0;
	virtual HRESULT EndScene() = 0;
	virtual HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
		DWORD stencil) = 0;

	virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
	virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) = 0;
	virtual HRESULT SetViewport(const D3DVIEWPORT9* viewport) = 0;
	virtual HRESULT GetViewport(D3DVIEWPORT9* viewport) = 0;
	virtual HRESULT SetMaterial(const D3DMATERIAL9* material) = 0;
	virtual HRESULT GetMaterial(D3DMATERIAL9* material) = 0;
	virtual HRESULT SetLight(DWORD index, const D3DLIGHT9* light) = 0;
	virtual HRESULT GetLight(DWORD index, D3DLIGHT9* light) = 0;
	virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
	virtual HRESULT GetLightEnable(DWORD index, BOOL* enable) = 0;
	virtual HRESULT SetClipPlane(DWORD index, const float* plane) = 0;
	virtual HRESULT GetClipPlane(DWORD index, float* plane) = 0;
	virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
	virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;

	virtual HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) = 0;
	virtual HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) = 0;
	virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) = 0;
	virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) = 0;
	virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD value) = 0;
	virtual HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD* value) = 0;

	virtual HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) = 0;
	virtual HRESULT GetVertexDeclaration(IDirect3DVertexDeclaration9** declaration) = 0;
	virtual HRESULT SetFVF(DWORD fvf) = 0;
	virtual HRESULT GetFVF(DWORD* fvf) = 0;
	// Only stream 0 exists; the stride is used as given.
	virtual HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) = 0;
	virtual HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride) = 0;
	virtual HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) = 0;
	virtual HRESULT GetIndices(IDirect3DIndexBuffer9** buffer) = 0;

	virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) = 0;
	virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex, UINT vertexCount,
		UINT startIndex, UINT primitiveCount) = 0;
};

class IDirect3D9 : public IDirect3DUnknown9
{
public:
	virtual UINT GetAdapterCount() = 0;
	// Display modes of the adapter's display listed under one format.
	virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
	virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) = 0;
	virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) = 0;
	// The focus window (or the parameters' device window) is the SDL window
	// created with SDL_WINDOW_OPENGL; the device makes its GL context there.
	virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
		D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) = 0;
};

// Null when the version is not D3D_SDK_VERSION or the video system cannot start.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
