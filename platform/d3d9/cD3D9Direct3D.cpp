#include "platform/d3d9/cD3D9Direct3D.h"

#include "platform/d3d9/D3D9TestSupport.h"
#include "platform/d3d9/cD3D9Device.h"
#include "platform/win32/Win32Debug.h"

#include <SDL.h>

#include <algorithm>
#include <mutex>
#include <string>

namespace
{
// The default of GetAvailableTextureMem: GL has no portable query, and the
// machines this runs on share system memory or have far more than this.
constexpr UINT kDefaultTextureMemory = 512u << 20;

std::mutex g_testLock;
std::vector<D3DDISPLAYMODE> g_testModes;
std::atomic<UINT> g_testTextureMemory { 0 };

bool IsDisplayFormat(D3DFORMAT format)
{
	return format == D3DFMT_X1R5G5B5 || format == D3DFMT_R5G6B5 || format == D3DFMT_R8G8B8
		|| format == D3DFMT_X8R8G8B8;
}
}

IDirect3D9* Direct3DCreate9(UINT sdkVersion)
{
	if (sdkVersion != D3D_SDK_VERSION)
		return nullptr;
	if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
	{
		OutputDebugStringA((std::string("Direct3D 9: no video: ") + SDL_GetError() + "\n").c_str());
		return nullptr;
	}
	return new cD3D9Direct3D;
}

cD3D9Direct3D::~cD3D9Direct3D()
{
	SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

ULONG cD3D9Direct3D::Release()
{
	ULONG left = --m_refs;
	if (left == 0)
		delete this;
	return left;
}

std::vector<D3DDISPLAYMODE> cD3D9Direct3D::Modes(D3DFORMAT format) const
{
	std::vector<D3DDISPLAYMODE> modes;
	{
		std::lock_guard lock(g_testLock);
		if (!g_testModes.empty())
		{
			for (const D3DDISPLAYMODE& mode : g_testModes)
				if (mode.Format == format)
					modes.push_back(mode);
			return modes;
		}
	}
	if (!IsDisplayFormat(format))
		return modes;
	int count = SDL_GetNumDisplayModes(0);
	for (int index = 0; index < count; ++index)
	{
		SDL_DisplayMode sdlMode;
		if (SDL_GetDisplayMode(0, index, &sdlMode) != 0)
			continue;
		D3DDISPLAYMODE mode = { UINT(sdlMode.w), UINT(sdlMode.h), UINT(sdlMode.refresh_rate), format };
		bool listed = std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& other) {
			return other.Width == mode.Width && other.Height == mode.Height && other.RefreshRate == mode.RefreshRate;
		});
		if (!listed)
			modes.push_back(mode);
	}
	return modes;
}

UINT cD3D9Direct3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format)
{
	return adapter == 0 ? static_cast<UINT>(Modes(format).size()) : 0;
}

HRESULT cD3D9Direct3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode)
{
	if (adapter != 0 || !displayMode)
		return D3DERR_INVALIDCALL;
	std::vector<D3DDISPLAYMODE> modes = Modes(format);
	if (mode >= modes.size())
		return D3DERR_INVALIDCALL;
	*displayMode = modes[mode];
	return D3D_OK;
}

HRESULT cD3D9Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode)
{
	SDL_DisplayMode desktop;
	if (adapter != 0 || !displayMode || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
		return D3DERR_INVALIDCALL;
	*displayMode = { UINT(desktop.w), UINT(desktop.h), UINT(desktop.refresh_rate), D3DFMT_X8R8G8B8 };
	return D3D_OK;
}

HRESULT cD3D9Direct3D::CreateDevice(UINT adapter, D3DDEVTYPE, HWND focusWindow, DWORD,
	D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device)
{
	if (!parameters || !device || adapter != 0)
		return D3DERR_INVALIDCALL;
	*device = nullptr;
	HWND window = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
	if (!window)
		return D3DERR_INVALIDCALL;
	UINT memory = g_testTextureMemory ? g_testTextureMemory.load() : kDefaultTextureMemory;
	return cD3D9Device::Create(reinterpret_cast<SDL_Window*>(window), *parameters, memory, device);
}

namespace D3D9Test
{
void LoseDevice(IDirect3DDevice9* device, bool canReset)
{
	static_cast<cD3D9Device*>(device)->SimulateLoss(canReset);
}

void AllowReset(IDirect3DDevice9* device)
{
	static_cast<cD3D9Device*>(device)->AllowReset();
}

UINT CountDefaultPoolResources(IDirect3DDevice9* device)
{
	return static_cast<cD3D9Device*>(device)->DefaultPoolResources();
}

void SetAdapterModes(const std::vector<D3DDISPLAYMODE>& modes)
{
	std::lock_guard lock(g_testLock);
	g_testModes = modes;
}

void SetAvailableTextureMemory(UINT bytes)
{
	g_testTextureMemory = bytes;
}
}
