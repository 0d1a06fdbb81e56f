#pragma once
// A device that makes textures whose level 0 cannot be locked, for the
// paths that must survive a failed lock. Every other call fails.

#include "platform/d3d9/D3D9.h"

class cUnlockableTexture final : public IDirect3DTexture9
{
public:
	ULONG AddRef() override { return ++refs; }
	ULONG Release() override { return --refs; }
	HRESULT GetDevice(IDirect3DDevice9**) override { return D3DERR_INVALIDCALL; }
	D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
	DWORD GetLevelCount() override { return 1; }
	HRESULT GetLevelDesc(UINT, D3DSURFACE_DESC* desc) override
	{
		*desc = {};
		desc->Format = D3DFMT_A8R8G8B8;
		desc->Width = desc->Height = 2;
		return D3D_OK;
	}
	HRESULT GetSurfaceLevel(UINT, IDirect3DSurface9**) override { return D3DERR_INVALIDCALL; }
	HRESULT LockRect(UINT, D3DLOCKED_RECT*, const RECT*, DWORD) override { return D3DERR_INVALIDCALL; }
	HRESULT UnlockRect(UINT) override { return D3DERR_INVALIDCALL; }

	ULONG refs = 0;
};

class cUnlockableTextureDevice final : public IDirect3DDevice9
{
public:
	ULONG AddRef() override { return 1; }
	ULONG Release() override { return 1; }
	HRESULT CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9** texture, HANDLE*) override
	{
		unlockable.AddRef();
		*texture = &unlockable;
		return D3D_OK;
	}
	HRESULT TestCooperativeLevel() override { return D3DERR_INVALIDCALL; }
	UINT GetAvailableTextureMem() override { return 0; }
	HRESULT GetDeviceCaps(D3DCAPS9*) override { return D3DERR_INVALIDCALL; }
	HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return D3DERR_INVALIDCALL; }
	HRESULT Present(const RECT*, const RECT*, HWND, const void*) override { return D3DERR_INVALIDCALL; }
	HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**, HANDLE*) override { return D3DERR_INVALIDCALL; }
	HRESULT CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9**, HANDLE*) override { return D3DERR_INVALIDCALL; }
	HRESULT CreateDepthStencilSurface(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, DWORD, BOOL, IDirect3DSurface9**, HANDLE*) override { return D3DERR_INVALIDCALL; }
	HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9*, IDirect3DVertexDeclaration9**) override { return D3DERR_INVALIDCALL; }
	HRESULT ColorFill(IDirect3DSurface9*, const RECT*, D3DCOLOR) override { return D3DERR_INVALIDCALL; }
	HRESULT SetRenderTarget(DWORD, IDirect3DSurface9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetRenderTarget(DWORD, IDirect3DSurface9**) override { return D3DERR_INVALIDCALL; }
	HRESULT SetDepthStencilSurface(IDirect3DSurface9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetDepthStencilSurface(IDirect3DSurface9**) override { return D3DERR_INVALIDCALL; }
	HRESULT BeginScene() override { return D3DERR_INVALIDCALL; }
	HRESULT EndScene() override { return D3DERR_INVALIDCALL; }
	HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3DERR_INVALIDCALL; }
	HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetViewport(const D3DVIEWPORT9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetViewport(D3DVIEWPORT9*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetMaterial(const D3DMATERIAL9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetMaterial(D3DMATERIAL9*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetLight(DWORD, const D3DLIGHT9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetLight(DWORD, D3DLIGHT9*) override { return D3DERR_INVALIDCALL; }
	HRESULT LightEnable(DWORD, BOOL) override { return D3DERR_INVALIDCALL; }
	HRESULT GetLightEnable(DWORD, BOOL*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetClipPlane(DWORD, const float*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetClipPlane(DWORD, float*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3DERR_INVALIDCALL; }
	HRESULT GetRenderState(D3DRENDERSTATETYPE, DWORD*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetTexture(DWORD, IDirect3DBaseTexture9**) override { return D3DERR_INVALIDCALL; }
	HRESULT SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return D3DERR_INVALIDCALL; }
	HRESULT GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD) override { return D3DERR_INVALIDCALL; }
	HRESULT GetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetVertexDeclaration(IDirect3DVertexDeclaration9**) override { return D3DERR_INVALIDCALL; }
	HRESULT SetFVF(DWORD) override { return D3DERR_INVALIDCALL; }
	HRESULT GetFVF(DWORD*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetStreamSource(UINT, IDirect3DVertexBuffer9*, UINT, UINT) override { return D3DERR_INVALIDCALL; }
	HRESULT GetStreamSource(UINT, IDirect3DVertexBuffer9**, UINT*, UINT*) override { return D3DERR_INVALIDCALL; }
	HRESULT SetIndices(IDirect3DIndexBuffer9*) override { return D3DERR_INVALIDCALL; }
	HRESULT GetIndices(IDirect3DIndexBuffer9**) override { return D3DERR_INVALIDCALL; }
	HRESULT DrawPrimitive(D3DPRIMITIVETYPE, UINT, UINT) override { return D3DERR_INVALIDCALL; }
	HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE, INT, UINT, UINT, UINT, UINT) override { return D3DERR_INVALIDCALL; }

	cUnlockableTexture unlockable;
};
