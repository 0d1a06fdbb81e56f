#pragma once
// The Direct3D object: the adapter's display modes and device creation.
//
// Modes come from SDL's list for the first display. A desktop lists its
// modes in one pixel depth only, and the back buffer is always drawn with 8
// bits per channel, so every mode is listed under each display format asked
// for (X1R5G5B5, R5G6B5, R8G8B8, X8R8G8B8): a full-screen request for 16 or
// 24 bits gets the size it asks for.

#include "platform/d3d9/D3D9.h"

#include <atomic>
#include <vector>

class cD3D9Direct3D final : public IDirect3D9
{
public:
	cD3D9Direct3D() = default;

	ULONG AddRef() override { return ++m_refs; }
	ULONG Release() override;

	UINT GetAdapterCount() override { return 1; }
	UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override;
	HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) override;
	HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
	HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
		D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

private:
	~cD3D9Direct3D() override;

	// The modes listed under a format.
	std::vector<D3DDISPLAYMODE> Modes(D3DFORMAT format) const;

	std::atomic<ULONG> m_refs { 1 };
};
