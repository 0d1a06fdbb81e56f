#include "platform/d3d9/cD3D9Device.h"

#include "platform/d3d9/cD3D9IndexBuffer.h"
#include "platform/d3d9/cD3D9RenderSurface.h"
#include "platform/d3d9/cD3D9Texture.h"
#include "platform/d3d9/cD3D9VertexBuffer.h"
#include "platform/d3d9/cD3D9VertexDeclaration.h"
#include "platform/win32/Win32Debug.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

namespace
{
using tLock = std::lock_guard<std::recursive_mutex>;

void Report(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Report(const char* format, ...)
{
	char text[256];
	va_list args;
	va_start(args, format);
	std::vsnprintf(text, sizeof(text), format, args);
	va_end(args);
	OutputDebugStringA(text);
}

// Constructs a new device object into out; E_OUTOFMEMORY when memory runs out.
template <class Object, class Interface, class... Args>
HRESULT NewObject(Interface** out, Args&&... args)
{
	try
	{
		*out = new Object(std::forward<Args>(args)...);
	}
	catch (const std::bad_alloc&)
	{
		return E_OUTOFMEMORY;
	}
	return D3D_OK;
}

bool IsDepthFormat(D3DFORMAT format)
{
	return format == D3DFMT_D24S8 || format == D3DFMT_D24X8 || format == D3DFMT_D16 || format == D3DFMT_D32;
}

// Back-buffer formats accepted; all are drawn with 8 bits per channel.
bool IsBackBufferFormat(D3DFORMAT format)
{
	switch (format)
	{
	case D3DFMT_A8R8G8B8:
	case D3DFMT_X8R8G8B8:
	case D3DFMT_R8G8B8:
	case D3DFMT_R5G6B5:
	case D3DFMT_X1R5G5B5:
	case D3DFMT_A1R5G5B5: return true;
	default: return false;
	}
}

// Copies the value over the target; false when it held those bytes already,
// so that setting an unchanged value costs the next draw nothing.
template <typename T>
bool Assign(T& target, const T& value)
{
	if (std::memcmp(&target, &value, sizeof(T)) == 0)
		return false;
	target = value;
	return true;
}

// What must be applied again after a render state changes.
unsigned DirtyFlagsOfRenderState(D3DRENDERSTATETYPE state)
{
	switch (state)
	{
	case D3DRS_TEXTUREFACTOR: return sD3D9DeviceState::kDirtyFactor;
	case D3DRS_LIGHTING:
	case D3DRS_AMBIENT:
	case D3DRS_COLORVERTEX:
	case D3DRS_SPECULARENABLE:
	case D3DRS_DIFFUSEMATERIALSOURCE:
	case D3DRS_AMBIENTMATERIALSOURCE:
	case D3DRS_SPECULARMATERIALSOURCE:
	case D3DRS_EMISSIVEMATERIALSOURCE: return sD3D9DeviceState::kDirtyLighting;
	case D3DRS_CLIPPLANEENABLE: return sD3D9DeviceState::kDirtyClipPlanes;
	default: return sD3D9DeviceState::kDirtyRaster;
	}
}

UINT ElementCount(D3DPRIMITIVETYPE type, UINT primitives)
{
	if (primitives == 0)
		return 0;
	switch (type)
	{
	case D3DPT_POINTLIST: return primitives;
	case D3DPT_LINELIST: return primitives * 2;
	case D3DPT_LINESTRIP: return primitives + 1;
	case D3DPT_TRIANGLESTRIP:
	case D3DPT_TRIANGLEFAN: return primitives + 2;
	default: return primitives * 3;
	}
}

UINT FullMipChain(UINT width, UINT height)
{
	UINT levels = 1;
	for (UINT size = std::max(width, height); size > 1; size /= 2)
		++levels;
	return levels;
}
}

HRESULT cD3D9Device::Create(SDL_Window* window, D3DPRESENT_PARAMETERS& parameters, UINT availableTextureMemory,
	IDirect3DDevice9** device)
{
	cD3D9Device* created = new cD3D9Device(window, availableTextureMemory);
	std::string error;
	if (!created->m_renderer.Init(window, error))
	{
		Report("Direct3D 9: %s\n", error.c_str());
		created->Release();
		return D3DERR_NOTAVAILABLE;
	}
	HRESULT result = created->ApplyPresentParameters(parameters);
	if (FAILED(result))
	{
		created->Release();
		return result;
	}
	*device = created;
	return D3D_OK;
}

cD3D9Device::cD3D9Device(SDL_Window* window, UINT availableTextureMemory)
	: m_window(window), m_drawingThread(std::this_thread::get_id()), m_availableTextureMemory(availableTextureMemory)
{
}

cD3D9Device::~cD3D9Device() = default;

ULONG cD3D9Device::AddRef()
{
	return ++m_refs;
}

ULONG cD3D9Device::Release()
{
	ULONG left = --m_refs;
	if (left == 0)
	{
		// Unbind everything; objects still held by callers keep the device
		// object (and the GL context) until they go.
		{
			tLock lock(m_mutex);
			m_state.SetDefaults(false);
			m_backBuffer.Reset();
			m_autoDepthStencil.Reset();
		}
		ReleaseChildRef();
	}
	return left;
}

void cD3D9Device::ReleaseChildRef()
{
	if (--m_liveRefs == 0)
		delete this;
}

void cD3D9Device::CountDefaultPoolResource(int delta)
{
	tLock lock(m_mutex);
	m_defaultPoolResources += delta;
}

void cD3D9Device::DeleteGlTexture(GLuint name)
{
	tLock lock(m_mutex);
	if (name)
		m_garbage.textures.push_back(name);
}

void cD3D9Device::DeleteGlBuffer(GLuint name)
{
	tLock lock(m_mutex);
	if (name)
		m_garbage.buffers.push_back(name);
}

void cD3D9Device::DeleteGlRenderbuffer(GLuint name)
{
	tLock lock(m_mutex);
	if (name)
		m_garbage.renderbuffers.push_back(name);
}

void cD3D9Device::ReadColor(const cD3D9Surface::sAttachment& source, UINT width, UINT height, BYTE* pixels,
	UINT pitch)
{
	m_renderer.ReadColor(source, width, height, pixels, pitch);
}

void cD3D9Device::WriteColor(const cD3D9Surface::sAttachment& target, UINT width, UINT height, const BYTE* pixels,
	UINT pitch)
{
	m_renderer.WriteColor(target, width, height, pixels, pitch);
}

bool cD3D9Device::BeginGlWork(const char* call)
{
	if (!EnterDrawingThread(call))
		return false;
	m_renderer.FlushBatch();
	return true;
}

bool cD3D9Device::EnterDrawingThread(const char* call)
{
	if (std::this_thread::get_id() == m_drawingThread)
	{
		m_renderer.MakeCurrent();
		m_renderer.Collect(m_garbage);
		return true;
	}
	Report("Direct3D 9: %s called off the drawing thread\n", call);
	return false;
}

bool cD3D9Device::CanDraw(const char* call)
{
	return m_loss == eLoss::kNone && BeginGlWork(call);
}

HRESULT cD3D9Device::ApplyPresentParameters(D3DPRESENT_PARAMETERS& parameters)
{
	if (parameters.hDeviceWindow && reinterpret_cast<SDL_Window*>(parameters.hDeviceWindow) != m_window)
		return D3DERR_INVALIDCALL;
	D3DFORMAT format = parameters.BackBufferFormat;
	if (parameters.Windowed && format == D3DFMT_UNKNOWN)
		format = D3DFMT_X8R8G8B8;
	if (!IsBackBufferFormat(format) || parameters.BackBufferCount > 1
		|| (parameters.EnableAutoDepthStencil && !IsDepthFormat(parameters.AutoDepthStencilFormat)))
		return D3DERR_INVALIDCALL;

	if (parameters.Windowed)
	{
		if (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN)
			LeaveFullScreen(parameters.BackBufferWidth, parameters.BackBufferHeight);
		if (parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0)
		{
			int width = 0;
			int height = 0;
			SDL_GL_GetDrawableSize(m_window, &width, &height);
			parameters.BackBufferWidth = parameters.BackBufferWidth ? parameters.BackBufferWidth : UINT(std::max(width, 1));
			parameters.BackBufferHeight = parameters.BackBufferHeight ? parameters.BackBufferHeight : UINT(std::max(height, 1));
		}
	}
	else
	{
		if (parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0)
			return D3DERR_INVALIDCALL;
		SDL_DisplayMode mode {};
		mode.w = static_cast<int>(parameters.BackBufferWidth);
		mode.h = static_cast<int>(parameters.BackBufferHeight);
		mode.refresh_rate = static_cast<int>(parameters.FullScreen_RefreshRateInHz);
		CoverDisplay(mode.w, mode.h);
		if (SDL_SetWindowDisplayMode(m_window, &mode) != 0 || SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN) != 0)
		{
			Report("Direct3D 9: full screen %ux%u refused: %s\n", parameters.BackBufferWidth,
				parameters.BackBufferHeight, SDL_GetError());
			return D3DERR_NOTAVAILABLE;
		}
	}
	int maxSize = m_renderer.MaxTextureSize();
	if (parameters.BackBufferWidth > UINT(maxSize) || parameters.BackBufferHeight > UINT(maxSize))
		return D3DERR_INVALIDCALL;
	if (parameters.BackBufferCount == 0)
		parameters.BackBufferCount = 1;
	parameters.BackBufferFormat = format;

	m_backBuffer = cD3D9Ref<cD3D9RenderSurface>::Adopt(new cD3D9RenderSurface(this, parameters.BackBufferWidth,
		parameters.BackBufferHeight, format, D3DUSAGE_RENDERTARGET, false));
	m_autoDepthStencil.Reset();
	if (parameters.EnableAutoDepthStencil)
		m_autoDepthStencil = cD3D9Ref<cD3D9RenderSurface>::Adopt(new cD3D9RenderSurface(this,
			parameters.BackBufferWidth, parameters.BackBufferHeight, parameters.AutoDepthStencilFormat,
			D3DUSAGE_DEPTHSTENCIL, false));
	m_parameters = parameters;
	SetDefaultState();
	m_renderer.ForgetGlState();
	m_inScene = false;
	return D3D_OK;
}

// The window is placed on its display's corner at the mode's size before it
// goes full screen: without a window manager (or with one that ignores the
// full-screen request) it would otherwise keep its windowed size and place.
void cD3D9Device::CoverDisplay(int width, int height)
{
	SDL_Rect bounds {};
	int display = SDL_GetWindowDisplayIndex(m_window);
	if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0)
		bounds = {};
	SDL_SetWindowPosition(m_window, bounds.x, bounds.y);
	SDL_SetWindowSize(m_window, width, height);
}

// Leaving full screen, the window takes the size of the windowed back
// buffer. Without a window manager it would otherwise keep covering the
// display (SDL only notes the size the window layer asks for while the
// window is full screen, for a window manager to restore): the back buffer
// would be stretched over the whole screen while the pointer is read in
// the window's pixels, so clicks would miss what they point at.
void cD3D9Device::LeaveFullScreen(UINT width, UINT height)
{
	SDL_SetWindowFullscreen(m_window, 0);
	if (width > 0 && height > 0)
		SDL_SetWindowSize(m_window, static_cast<int>(width), static_cast<int>(height));
}

void cD3D9Device::SetDefaultState()
{
	m_state.SetDefaults(m_autoDepthStencil.Get() != nullptr);
	m_state.renderTarget = m_backBuffer.Get();
	m_state.depthStencil = m_autoDepthStencil.Get();
	m_state.viewport = { 0, 0, m_parameters.BackBufferWidth, m_parameters.BackBufferHeight, 0.0f, 1.0f };
}

HRESULT cD3D9Device::TestCooperativeLevel()
{
	tLock lock(m_mutex);
	switch (m_loss)
	{
	case eLoss::kCannotReset: return D3DERR_DEVICELOST;
	case eLoss::kCanReset: return D3DERR_DEVICENOTRESET;
	default: return D3D_OK;
	}
}

HRESULT cD3D9Device::GetDeviceCaps(D3DCAPS9* caps)
{
	if (!caps)
		return D3DERR_INVALIDCALL;
	DWORD maxSize = static_cast<DWORD>(m_renderer.MaxTextureSize());
	*caps = {};
	caps->DeviceType = D3DDEVTYPE_HAL;
	caps->PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
	caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
	caps->PrimitiveMiscCaps = D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW | D3DPMISCCAPS_CULLCCW
		| D3DPMISCCAPS_COLORWRITEENABLE | D3DPMISCCAPS_BLENDOP | D3DPMISCCAPS_SEPARATEALPHABLEND;
	caps->TextureCaps = D3DPTEXTURECAPS_ALPHA | D3DPTEXTURECAPS_MIPMAP;
	caps->MaxTextureWidth = maxSize;
	caps->MaxTextureHeight = maxSize;
	caps->MaxTextureRepeat = 8192;
	caps->MaxTextureAspectRatio = maxSize;
	caps->MaxAnisotropy = 1;
	caps->MaxTextureBlendStages = sD3D9DeviceState::kStages;
	caps->MaxSimultaneousTextures = sD3D9DeviceState::kStages;
	caps->MaxActiveLights = sD3D9DeviceState::kLights;
	caps->MaxUserClipPlanes = sD3D9DeviceState::kClipPlanes;
	caps->MaxPrimitiveCount = 0xFFFFFF;
	caps->MaxVertexIndex = 0xFFFFFF;
	caps->MaxStreams = 1;
	caps->MaxStreamStride = 255;
	caps->NumSimultaneousRTs = 1;
	return D3D_OK;
}

HRESULT cD3D9Device::Reset(D3DPRESENT_PARAMETERS* parameters)
{
	tLock lock(m_mutex);
	if (!parameters || !BeginGlWork("Reset"))
		return D3DERR_INVALIDCALL;
	if (m_loss == eLoss::kCannotReset)
		return D3DERR_DEVICELOST;
	m_state.SetDefaults(false);
	bool surfacesHeld = (m_backBuffer && m_backBuffer->RefCount() > 1)
		|| (m_autoDepthStencil && m_autoDepthStencil->RefCount() > 1);
	if (m_defaultPoolResources > 0 || surfacesHeld)
	{
		Report("Direct3D 9: Reset refused: %d default-pool resources%s still held\n", m_defaultPoolResources,
			surfacesHeld ? " and the old back buffer or depth buffer" : "");
		SetDefaultState();
		m_loss = eLoss::kCanReset;
		return D3DERR_INVALIDCALL;
	}
	HRESULT result = ApplyPresentParameters(*parameters);
	if (FAILED(result))
		SetDefaultState();
	m_loss = SUCCEEDED(result) ? eLoss::kNone : eLoss::kCanReset;
	return result;
}

HRESULT cD3D9Device::Present(const RECT*, const RECT*, HWND, const void*)
{
	tLock lock(m_mutex);
	if (m_loss != eLoss::kNone)
		return D3DERR_DEVICELOST;
	if (m_inScene || !BeginGlWork("Present"))
		return D3DERR_INVALIDCALL;
	m_renderer.Present(*m_backBuffer.Get());
	return D3D_OK;
}

HRESULT cD3D9Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
	D3DPOOL pool, IDirect3DTexture9** texture, HANDLE*)
{
	const sD3D9PixelFormat* pixelFormat = FindD3D9PixelFormat(format);
	UINT maxSize = static_cast<UINT>(m_renderer.MaxTextureSize());
	bool renderTarget = (usage & D3DUSAGE_RENDERTARGET) != 0;
	if (!texture || !pixelFormat || width == 0 || height == 0 || width > maxSize || height > maxSize)
		return D3DERR_INVALIDCALL;
	if (renderTarget
		&& (pool != D3DPOOL_DEFAULT || (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8)))
		return D3DERR_INVALIDCALL;
	if (levels == 0 || levels > FullMipChain(width, height))
		levels = FullMipChain(width, height);
	tLock lock(m_mutex);
	return NewObject<cD3D9Texture>(texture, this, width, height, levels, usage, *pixelFormat, pool);
}

HRESULT cD3D9Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
	IDirect3DVertexBuffer9** buffer, HANDLE*)
{
	if (!buffer || length == 0)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	return NewObject<cD3D9VertexBuffer>(buffer, this, length, usage, fvf, pool);
}

HRESULT cD3D9Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
	IDirect3DIndexBuffer9** buffer, HANDLE*)
{
	if (!buffer || length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	return NewObject<cD3D9IndexBuffer>(buffer, this, length, usage, format, pool);
}

HRESULT cD3D9Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE,
	DWORD, BOOL, IDirect3DSurface9** surface, HANDLE*)
{
	UINT maxSize = static_cast<UINT>(m_renderer.MaxTextureSize());
	if (!surface || !IsDepthFormat(format) || width == 0 || height == 0 || width > maxSize || height > maxSize)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*surface = new cD3D9RenderSurface(this, width, height, format, D3DUSAGE_DEPTHSTENCIL, true);
	return D3D_OK;
}

HRESULT cD3D9Device::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
	IDirect3DVertexDeclaration9** declaration)
{
	if (!elements || !declaration)
		return D3DERR_INVALIDCALL;
	int count = 0;
	while (count < MAXD3DDECLLENGTH && elements[count].Stream != 0xFF)
		++count;
	if (elements[count].Stream != 0xFF)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*declaration = new cD3D9VertexDeclaration(this, elements);
	return D3D_OK;
}

HRESULT cD3D9Device::ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color)
{
	tLock lock(m_mutex);
	auto* target = static_cast<cD3D9Surface*>(surface);
	if (!target || !target->IsRenderTarget())
		return D3DERR_INVALIDCALL;
	const D3DSURFACE_DESC& desc = target->Desc();
	RECT area = { 0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height) };
	if (rect)
	{
		area.left = std::max(area.left, rect->left);
		area.top = std::max(area.top, rect->top);
		area.right = std::min(area.right, rect->right);
		area.bottom = std::min(area.bottom, rect->bottom);
		if (area.left >= area.right || area.top >= area.bottom)
			return D3DERR_INVALIDCALL;
	}
	if (!CanDraw("ColorFill"))
		return m_loss == eLoss::kNone ? D3DERR_INVALIDCALL : D3D_OK;
	m_renderer.ColorFill(*target, area, color);
	return D3D_OK;
}

HRESULT cD3D9Device::SetRenderTarget(DWORD index, IDirect3DSurface9* surface)
{
	auto* target = static_cast<cD3D9Surface*>(surface);
	if (index != 0)
		return target ? D3DERR_INVALIDCALL : D3D_OK;
	if (!target || !target->IsRenderTarget())
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.renderTarget = target;
	// A new render target brings a viewport over all of it.
	const D3DSURFACE_DESC& desc = target->Desc();
	m_state.viewport = { 0, 0, desc.Width, desc.Height, 0.0f, 1.0f };
	MarkDirty(sD3D9DeviceState::kDirtyTarget);
	return D3D_OK;
}

HRESULT cD3D9Device::GetRenderTarget(DWORD index, IDirect3DSurface9** surface)
{
	if (!surface)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	if (index != 0 || !m_state.renderTarget)
	{
		*surface = nullptr;
		return D3DERR_NOTFOUND;
	}
	m_state.renderTarget.CopyTo(surface);
	return D3D_OK;
}

HRESULT cD3D9Device::SetDepthStencilSurface(IDirect3DSurface9* surface)
{
	auto* depth = static_cast<cD3D9Surface*>(surface);
	if (depth && !depth->IsDepthStencil())
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.depthStencil = depth;
	MarkDirty(sD3D9DeviceState::kDirtyTarget);
	return D3D_OK;
}

HRESULT cD3D9Device::GetDepthStencilSurface(IDirect3DSurface9** surface)
{
	if (!surface)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.depthStencil.CopyTo(surface);
	return *surface ? D3D_OK : D3DERR_NOTFOUND;
}

HRESULT cD3D9Device::BeginScene()
{
	tLock lock(m_mutex);
	if (m_inScene)
		return D3DERR_INVALIDCALL;
	m_inScene = true;
	return D3D_OK;
}

HRESULT cD3D9Device::EndScene()
{
	tLock lock(m_mutex);
	if (!m_inScene)
		return D3DERR_INVALIDCALL;
	m_inScene = false;
	return D3D_OK;
}

HRESULT cD3D9Device::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
	DWORD stencil)
{
	tLock lock(m_mutex);
	if (((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !m_state.depthStencil) || z < 0.0f || z > 1.0f)
		return D3DERR_INVALIDCALL;
	if (!CanDraw("Clear"))
		return m_loss == eLoss::kNone ? D3DERR_INVALIDCALL : D3D_OK;
	m_renderer.Clear(m_state, rectCount, rects, flags, color, z, stencil);
	return D3D_OK;
}

HRESULT cD3D9Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
	if (!matrix)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	switch (state)
	{
	case D3DTS_WORLD:
		if (Assign(m_state.world, *matrix))
			MarkDirty(sD3D9DeviceState::kDirtyWorldView);
		break;
	case D3DTS_VIEW:
		if (Assign(m_state.view, *matrix))
			MarkDirty(sD3D9DeviceState::kDirtyWorldView | sD3D9DeviceState::kDirtyClipPlanes
				| sD3D9DeviceState::kDirtyLighting);
		break;
	case D3DTS_PROJECTION:
		if (Assign(m_state.projection, *matrix))
			MarkDirty(sD3D9DeviceState::kDirtyProjection);
		break;
	default:
		if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7
			&& Assign(m_state.textureMatrices[state - D3DTS_TEXTURE0], *matrix))
			MarkDirty(sD3D9DeviceState::kDirtyTextureMatrices);
		break;
	}
	return D3D_OK;
}

HRESULT cD3D9Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
	if (!matrix)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	switch (state)
	{
	case D3DTS_WORLD: *matrix = m_state.world; break;
	case D3DTS_VIEW: *matrix = m_state.view; break;
	case D3DTS_PROJECTION: *matrix = m_state.projection; break;
	default:
		if (state < D3DTS_TEXTURE0 || state > D3DTS_TEXTURE7)
			return D3DERR_INVALIDCALL;
		*matrix = m_state.textureMatrices[state - D3DTS_TEXTURE0];
		break;
	}
	return D3D_OK;
}

HRESULT cD3D9Device::SetViewport(const D3DVIEWPORT9* viewport)
{
	if (!viewport)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	const D3DSURFACE_DESC& target = m_state.renderTarget->Desc();
	if (viewport->Width == 0 || viewport->Height == 0 || viewport->X + viewport->Width > target.Width
		|| viewport->Y + viewport->Height > target.Height || viewport->MinZ < 0.0f || viewport->MaxZ > 1.0f
		|| viewport->MinZ > viewport->MaxZ)
		return D3DERR_INVALIDCALL;
	m_state.viewport = *viewport;
	MarkDirty(sD3D9DeviceState::kDirtyTarget);
	return D3D_OK;
}

HRESULT cD3D9Device::GetViewport(D3DVIEWPORT9* viewport)
{
	if (!viewport)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*viewport = m_state.viewport;
	return D3D_OK;
}

HRESULT cD3D9Device::SetMaterial(const D3DMATERIAL9* material)
{
	if (!material)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	if (Assign(m_state.material, *material))
		MarkDirty(sD3D9DeviceState::kDirtyLighting);
	return D3D_OK;
}

HRESULT cD3D9Device::GetMaterial(D3DMATERIAL9* material)
{
	if (!material)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*material = m_state.material;
	return D3D_OK;
}

HRESULT cD3D9Device::SetLight(DWORD index, const D3DLIGHT9* light)
{
	if (!light || index >= sD3D9DeviceState::kLights)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.lights[index] = *light;
	MarkDirty(sD3D9DeviceState::kDirtyLighting);
	return D3D_OK;
}

HRESULT cD3D9Device::GetLight(DWORD index, D3DLIGHT9* light)
{
	if (!light || index >= sD3D9DeviceState::kLights)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*light = m_state.lights[index];
	return D3D_OK;
}

HRESULT cD3D9Device::LightEnable(DWORD index, BOOL enable)
{
	if (index >= sD3D9DeviceState::kLights)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.lightEnabled[index] = enable != FALSE;
	MarkDirty(sD3D9DeviceState::kDirtyLighting);
	return D3D_OK;
}

HRESULT cD3D9Device::GetLightEnable(DWORD index, BOOL* enable)
{
	if (!enable || index >= sD3D9DeviceState::kLights)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*enable = m_state.lightEnabled[index] ? TRUE : FALSE;
	return D3D_OK;
}

HRESULT cD3D9Device::SetClipPlane(DWORD index, const float* plane)
{
	if (!plane || index >= sD3D9DeviceState::kClipPlanes)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	std::copy(plane, plane + 4, m_state.clipPlanes[index].begin());
	MarkDirty(sD3D9DeviceState::kDirtyClipPlanes);
	return D3D_OK;
}

HRESULT cD3D9Device::GetClipPlane(DWORD index, float* plane)
{
	if (!plane || index >= sD3D9DeviceState::kClipPlanes)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	std::copy(m_state.clipPlanes[index].begin(), m_state.clipPlanes[index].end(), plane);
	return D3D_OK;
}

HRESULT cD3D9Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
	if (state >= D3D9_RENDER_STATE_COUNT)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	if (m_state.renderStates[state] != value)
	{
		m_state.renderStates[state] = value;
		MarkDirty(DirtyFlagsOfRenderState(state));
	}
	return D3D_OK;
}

HRESULT cD3D9Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
	if (!value || state >= D3D9_RENDER_STATE_COUNT)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*value = m_state.renderStates[state];
	return D3D_OK;
}

HRESULT cD3D9Device::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
	auto* object = static_cast<cD3D9Texture*>(texture);
	if (stage >= sD3D9DeviceState::kStages)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	if (object)
	{
		D3DPOOL pool = object->LevelDesc(0).Pool;
		if (pool == D3DPOOL_SYSTEMMEM || pool == D3DPOOL_SCRATCH)
			return D3DERR_INVALIDCALL;
	}
	if (m_state.textures[stage].Get() != object)
	{
		m_state.textures[stage] = object;
		MarkDirty(sD3D9DeviceState::kDirtyStages);
	}
	return D3D_OK;
}

HRESULT cD3D9Device::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture)
{
	if (!texture || stage >= sD3D9DeviceState::kStages)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.textures[stage].CopyTo(texture);
	return D3D_OK;
}

HRESULT cD3D9Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value)
{
	if (stage >= sD3D9DeviceState::kStages || state >= D3D9_STAGE_STATE_COUNT)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	DWORD& current = m_state.stageStates[stage][state];
	if (current != value)
	{
		current = value;
		MarkDirty(sD3D9DeviceState::kDirtyStages | sD3D9DeviceState::kDirtyTextureMatrices);
	}
	return D3D_OK;
}

HRESULT cD3D9Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value)
{
	if (!value || stage >= sD3D9DeviceState::kStages || state >= D3D9_STAGE_STATE_COUNT)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*value = m_state.stageStates[stage][state];
	return D3D_OK;
}

HRESULT cD3D9Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD value)
{
	if (sampler >= sD3D9DeviceState::kStages || state >= D3D9_SAMPLER_STATE_COUNT)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	DWORD& current = m_state.samplerStates[sampler][state];
	if (current != value)
	{
		current = value;
		m_state.dirtySamplers |= 1u << sampler;
	}
	return D3D_OK;
}

HRESULT cD3D9Device::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD* value)
{
	if (!value || sampler >= sD3D9DeviceState::kStages || state >= D3D9_SAMPLER_STATE_COUNT)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*value = m_state.samplerStates[sampler][state];
	return D3D_OK;
}

HRESULT cD3D9Device::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration)
{
	tLock lock(m_mutex);
	m_state.declaration = static_cast<cD3D9VertexDeclaration*>(declaration);
	m_state.fvf = 0;
	MarkDirty(sD3D9DeviceState::kDirtyVertexInput);
	return D3D_OK;
}

HRESULT cD3D9Device::GetVertexDeclaration(IDirect3DVertexDeclaration9** declaration)
{
	if (!declaration)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.declaration.CopyTo(declaration);
	return D3D_OK;
}

HRESULT cD3D9Device::SetFVF(DWORD fvf)
{
	tLock lock(m_mutex);
	m_state.fvf = fvf;
	m_state.declaration.Reset();
	MarkDirty(sD3D9DeviceState::kDirtyVertexInput);
	return D3D_OK;
}

HRESULT cD3D9Device::GetFVF(DWORD* fvf)
{
	if (!fvf)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	*fvf = m_state.fvf;
	return D3D_OK;
}

HRESULT cD3D9Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride)
{
	if (stream != 0)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.streamSource = static_cast<cD3D9VertexBuffer*>(buffer);
	m_state.streamOffset = offset;
	m_state.streamStride = stride;
	MarkDirty(sD3D9DeviceState::kDirtyVertexInput);
	return D3D_OK;
}

HRESULT cD3D9Device::GetStreamSource(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride)
{
	if (stream != 0 || !buffer || !offset || !stride)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.streamSource.CopyTo(buffer);
	*offset = m_state.streamOffset;
	*stride = m_state.streamStride;
	return D3D_OK;
}

HRESULT cD3D9Device::SetIndices(IDirect3DIndexBuffer9* buffer)
{
	tLock lock(m_mutex);
	m_state.indices = static_cast<cD3D9IndexBuffer*>(buffer);
	MarkDirty(sD3D9DeviceState::kDirtyVertexInput);
	return D3D_OK;
}

HRESULT cD3D9Device::GetIndices(IDirect3DIndexBuffer9** buffer)
{
	if (!buffer)
		return D3DERR_INVALIDCALL;
	tLock lock(m_mutex);
	m_state.indices.CopyTo(buffer);
	return D3D_OK;
}

HRESULT cD3D9Device::Draw(const cD3D9Renderer::sDrawCall& call)
{
	tLock lock(m_mutex);
	if (!m_inScene)
		return D3DERR_INVALIDCALL;
	if (m_loss != eLoss::kNone)
		return D3D_OK;
	// Draws may be gathered: the GL work is left to the renderer.
	if (!EnterDrawingThread("a draw"))
		return D3DERR_INVALIDCALL;
	return m_renderer.Draw(m_state, call) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT cD3D9Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount)
{
	return Draw({ type, false, static_cast<INT>(startVertex), 0, 0, 0, ElementCount(type, primitiveCount) });
}

HRESULT cD3D9Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex, UINT vertexCount,
	UINT startIndex, UINT primitiveCount)
{
	return Draw({ type, true, baseVertex, minIndex, vertexCount, startIndex, ElementCount(type, primitiveCount) });
}

void cD3D9Device::SimulateLoss(bool canReset)
{
	tLock lock(m_mutex);
	m_loss = canReset ? eLoss::kCanReset : eLoss::kCannotReset;
}

void cD3D9Device::AllowReset()
{
	tLock lock(m_mutex);
	if (m_loss == eLoss::kCannotReset)
		m_loss = eLoss::kCanReset;
}

UINT cD3D9Device::DefaultPoolResources()
{
	tLock lock(m_mutex);
	return static_cast<UINT>(m_defaultPoolResources);
}
