#include "engine/graphics/cGraphics.h"

#include "engine/foundation/cConfig.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/DisplayModes.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cTexture.h"
#include "platform/d3dx9/D3DX9Math.h"
#include "platform/win32/Win32.h"

#include <algorithm>
#include <cmath>

namespace
{
// Formats whose display modes are candidates for full screen, in order.
const D3DFORMAT kDisplayModeFormats[] = { D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_R8G8B8, D3DFMT_X8R8G8B8 };

// Colour of a render target when the stack first creates it.
constexpr D3DCOLOR kNewRenderTargetColor = 0x00303030;
}

cGraphics::cGraphics()
{
	m_ambientColor = ColorToArgb(1, 1, 1, 1);
	RegisterGraphicsResourceTypes();

	cConfig* config = Singletone<cConfig>::GetInstance();
	cPropertyMap& settings = config->GetSettings();
	const std::pair<const char*, int*> intKeys[] = { { "video.x", &m_requestedSettings.x },
		{ "video.y", &m_requestedSettings.y }, { "video.width", &m_requestedSettings.width },
		{ "video.height", &m_requestedSettings.height }, { "video.bpp", &m_requestedSettings.bpp } };
	for (const auto& [key, variable] : intKeys)
	{
		config->MarkSaved(key);
		settings.BindIntVariable(key, variable);
	}
	config->MarkSaved("video.window");
	settings.BindBoolVariable("video.window", &m_requestedSettings.windowed);

	m_activationListener = cDelegatePtr<bool>(MakeMemberDelegate(this, &cGraphics::OnActivate));
	Singletone<cWin32Application>::GetInstance()->AddListener(m_activationListener);
}

cGraphics::~cGraphics()
{
	if (Singletone<cWin32Application>::Exists())
		Singletone<cWin32Application>::GetInstance()->RemoveListener(m_activationListener);
	// The render targets go while the device they belong to still exists.
	for (cTexture* texture : m_renderTargets)
		delete texture;
	m_renderTargets.clear();
	m_quadIndexBuffer.SetCapacity(0);
	ReleaseDeviceSurfaces();
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.device)
	{
		state.device->Release();
		state.device = nullptr;
	}
	if (m_direct3D)
	{
		m_direct3D->Release();
		m_direct3D = nullptr;
	}
}

bool cGraphics::CreateDevice(const sDisplaySettings& requested)
{
	const sDisplaySettings settings = ValidDisplaySize(requested);
	m_direct3D = Direct3DCreate9(D3D_SDK_VERSION);
	if (!m_direct3D)
	{
		LOG(3, "Direct3D creation failed");
		return false;
	}
	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	application->SetWindowMode(settings.x, settings.y, settings.width, settings.height, !settings.windowed);

	// Always created windowed: the reset below brings the requested mode.
	sDisplaySettings windowed = settings;
	windowed.windowed = true;
	MakePresentParameters(windowed);
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (FAILED(m_direct3D->CreateDevice(0, D3DDEVTYPE_HAL, m_presentParameters.hDeviceWindow,
			D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED, &m_presentParameters, &state.device)))
	{
		state.device = nullptr;
		LOG(3, "Unable create 3d device");
		return false;
	}
	FetchDeviceSurfaces();
	state.device->GetDeviceCaps(&m_capabilities);
	m_textureSizeLimit = int(std::min(m_capabilities.MaxTextureWidth, m_capabilities.MaxTextureHeight));

	m_availableTextureMemory = state.device->GetAvailableTextureMem();
	SetDefaultTextureFormat(m_textureMemoryThreshold < m_availableTextureMemory ? cTexture::FORMAT_A8R8G8B8
																				  : cTexture::FORMAT_DXT3);

	application->AddListener(m_activationListener);
	if (m_screenRect.left == 0 && m_screenRect.top == 0 && m_screenRect.right == 0 && m_screenRect.bottom == 0)
	{
		m_screenRect.right = settings.width;
		m_screenRect.bottom = settings.height;
	}
	FillQuadIndexBuffer();
	return ResetDevice(settings);
}

void cGraphics::FillQuadIndexBuffer()
{
	std::vector<WORD> indices;
	indices.reserve(kQuadIndexBufferQuads * 6);
	for (unsigned quad = 0; quad < kQuadIndexBufferQuads; ++quad)
	{
		// 16-bit indices: past quad 16383 the vertex numbers wrap around.
		const WORD v = static_cast<WORD>(4 * quad);
		for (WORD offset : { 0, 1, 2, 2, 3, 0 })
			indices.push_back(static_cast<WORD>(v + offset));
	}
	m_quadIndexBuffer.SetData(indices.data(), static_cast<unsigned>(indices.size()));
}

sDisplaySettings cGraphics::ChooseDisplayMode(const sDisplaySettings& settings)
{
	if (settings.windowed)
		return FitWindowToDesktop(settings, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
	std::vector<D3DDISPLAYMODE> modes;
	for (D3DFORMAT format : kDisplayModeFormats)
	{
		const UINT count = m_direct3D ? m_direct3D->GetAdapterModeCount(0, format) : 0;
		for (UINT index = 0; index < count; ++index)
		{
			D3DDISPLAYMODE mode;
			if (SUCCEEDED(m_direct3D->EnumAdapterModes(0, format, index, &mode)))
				modes.push_back(mode);
		}
	}
	return PickFullScreenMode(settings, modes);
}

void cGraphics::MakePresentParameters(const sDisplaySettings& settings)
{
	const sDisplaySettings mode = ChooseDisplayMode(settings);
	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	D3DPRESENT_PARAMETERS& p = m_presentParameters;
	p = {};
	p.BackBufferWidth = static_cast<UINT>(mode.width);
	p.BackBufferHeight = static_cast<UINT>(mode.height);
	p.hDeviceWindow = application->GetWindowHandle();
	p.EnableAutoDepthStencil = TRUE;
	p.AutoDepthStencilFormat = D3DFMT_D24S8;
	p.MultiSampleType = D3DMULTISAMPLE_NONE;
	p.MultiSampleQuality = 0;
	p.SwapEffect = D3DSWAPEFFECT_FLIP;
	p.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
	p.BackBufferCount = 0;
	p.FullScreen_RefreshRateInHz = 0;
	p.Flags = 0;
	p.Windowed = mode.windowed ? TRUE : FALSE;
	p.BackBufferFormat = mode.windowed ? D3DFMT_UNKNOWN : BackBufferFormatForBpp(mode.bpp);
	application->SetWindowMode(mode.x, mode.y, mode.width, mode.height, !mode.windowed);
}

bool cGraphics::ResetDevice(const sDisplaySettings& requested)
{
	IDirect3DDevice9* device = GetDevice();
	if (!device)
		return false;
	const sDisplaySettings settings = ValidDisplaySize(requested);
	m_appliedSettings = settings;
	m_renderTargetIndex = -1;
	for (int stage = 0; stage < kTextureStageCount; ++stage)
		cTexture::Unbind(stage);
	LoseDeviceObjects();
	ReleaseDeviceSurfaces();

	MakePresentParameters(settings);
	HRESULT result = device->Reset(&m_presentParameters);
	if (FAILED(result))
	{
		LOG(2, "Reset error: %x\n", static_cast<unsigned>(result));
		return false;
	}

	m_depthTest = m_depthBufferInUse;
	device->SetRenderState(D3DRS_ZENABLE, m_depthTest);
	device->SetRenderState(D3DRS_ZWRITEENABLE, m_depthTest);
	SetStretchToScreen(m_stretchToScreen);
	FetchDeviceSurfaces();
	ResetDeviceObjects();

	// The stack keeps its length with targets of the new back-buffer size.
	for (cTexture*& texture : m_renderTargets)
	{
		delete texture;
		texture = cTexture::CreateRenderTarget();
	}

	SetLighting(m_lighting);
	device->SetRenderState(D3DRS_AMBIENT, m_ambientColor);
	for (DWORD stage = 1; stage < kTextureStageCount; ++stage)
		SetTextureStageStates(stage, { { D3DTSS_COLOROP, D3DTOP_DISABLE }, { D3DTSS_COLORARG1, D3DTA_CURRENT },
			{ D3DTSS_COLORARG2, D3DTA_TEXTURE }, { D3DTSS_ALPHAOP, D3DTOP_DISABLE }, { D3DTSS_ALPHAARG1, D3DTA_CURRENT },
			{ D3DTSS_ALPHAARG2, D3DTA_TEXTURE } });
	device->SetRenderTarget(0, m_backBuffer);
	return true;
}

void cGraphics::OnActivate(bool active)
{
	IDirect3DDevice9* device = GetDevice();
	if (active && device && FAILED(device->TestCooperativeLevel()))
		ResetDevice(m_appliedSettings);
}

void cGraphics::FetchDeviceSurfaces()
{
	IDirect3DDevice9* device = GetDevice();
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (FAILED(device->GetDepthStencilSurface(&state.defaultDepthStencil)))
		state.defaultDepthStencil = nullptr;
	if (FAILED(device->GetRenderTarget(0, &m_backBuffer)))
		m_backBuffer = nullptr;
}

void cGraphics::ReleaseDeviceSurfaces()
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.defaultDepthStencil)
	{
		state.defaultDepthStencil->Release();
		state.defaultDepthStencil = nullptr;
	}
	if (m_backBuffer)
	{
		m_backBuffer->Release();
		m_backBuffer = nullptr;
	}
}

void cGraphics::SetDefaultTextureFormat(int formatCode)
{
	std::atomic<int>& current = GraphicsDeviceState().defaultTextureFormat;
	if (current.exchange(formatCode) != formatCode)
		ReloadTextureResources();
}

void cGraphics::SetTextureQuality(bool high)
{
	const bool enoughMemory = m_textureMemoryThreshold < m_availableTextureMemory;
	SetDefaultTextureFormat(high && enoughMemory ? cTexture::FORMAT_A8R8G8B8 : cTexture::FORMAT_DXT3);
}

void cGraphics::SetStretchToScreen(bool stretch)
{
	m_stretchToScreen = stretch;
	IDirect3DDevice9* device = GetDevice();
	if (!m_direct3D || !device)
		return;
	const DWORD width = m_presentParameters.BackBufferWidth;
	const DWORD height = m_presentParameters.BackBufferHeight;
	D3DVIEWPORT9& viewport = GraphicsDeviceState().screenViewport;
	viewport = { 0, 0, width, height, 0.0f, 1.0f };
	m_pillarbox = !stretch && height > 0 && float(width) / float(height) >= 1.5f;
	if (m_pillarbox)
	{
		viewport.Width = (4 * height) / 3;
		viewport.X = (width - viewport.Width) / 2;
	}
	device->SetViewport(&viewport);
}

void cGraphics::SetScreenRect(int left, int top, int right, int bottom)
{
	m_screenRect = { left, top, right, bottom };
}

cBoundingBox cGraphics::GetViewportBox() const
{
	cBoundingBox box;
	D3DVIEWPORT9 viewport;
	if (IDirect3DDevice9* device = GetDevice(); device && SUCCEEDED(device->GetViewport(&viewport)))
		box.SetFromPoints(cVector3d(float(viewport.X), float(viewport.Y), viewport.MinZ),
			cVector3d(float(viewport.X + viewport.Width), float(viewport.Y + viewport.Height), viewport.MaxZ));
	return box;
}

void cGraphics::SetFullViewport()
{
	const D3DVIEWPORT9 whole = { 0, 0, m_presentParameters.BackBufferWidth, m_presentParameters.BackBufferHeight,
		0.0f, 1.0f };
	GetDevice()->SetViewport(&whole);
}

void cGraphics::BeginScene()
{
	IDirect3DDevice9* device = GetDevice();
	sGraphicsDeviceState& state = GraphicsDeviceState();
	m_currentCamera = nullptr;
	state.triangleCount = 0;
	state.drawCallCount = 0;
	if (m_pillarbox)
		SetFullViewport();
	state.boundVertexBuffer = nullptr;
	state.boundIndexBuffer = nullptr;
	device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
	if (m_pillarbox)
		device->SetViewport(&state.screenViewport);
	device->BeginScene();
	device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
	device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
	device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
	SetTextureStageStates(0, { { D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2 }, { D3DTSS_TEXCOORDINDEX, 0 } });
	SetDepthTest(m_depthBufferInUse);
	for (DWORD sampler = 0; sampler < kTextureStageCount; ++sampler)
	{
		state.stageBound[sampler] = sampler == 0;
		device->SetSamplerState(sampler, D3DSAMP_MINFILTER, m_defaultTextureFilter);
		device->SetSamplerState(sampler, D3DSAMP_MAGFILTER, m_defaultTextureFilter);
	}
	m_currentTextureFilter = m_defaultTextureFilter;
	for (DWORD stage = 1; stage < kTextureStageCount; ++stage)
		SetTextureStageStates(stage, { { D3DTSS_COLOROP, D3DTOP_DISABLE }, { D3DTSS_ALPHAOP, D3DTOP_DISABLE } });
}

void cGraphics::EndScene()
{
	IDirect3DDevice9* device = GetDevice();
	device->EndScene();
	device->Present(nullptr, nullptr, nullptr, nullptr);
	if (m_renderTargetIndex >= 0)
	{
		m_renderTargetIndex = -1;
		device->SetRenderTarget(0, m_backBuffer);
	}
}

void cGraphics::PushRenderTarget()
{
	++m_renderTargetIndex;
	if (m_renderTargetIndex >= int(m_renderTargets.size()))
	{
		cTexture* texture = cTexture::CreateRenderTarget();
		m_renderTargets.push_back(texture);
		texture->Fill(kNewRenderTargetColor);
	}
	m_renderTargets[m_renderTargetIndex]->SetAsRenderTarget();
}

cTexture* cGraphics::PopRenderTarget()
{
	if (m_renderTargetIndex < 0)
		return nullptr;
	cTexture* taken = m_renderTargets[m_renderTargetIndex];
	--m_renderTargetIndex;
	if (m_renderTargetIndex >= 0)
		m_renderTargets[m_renderTargetIndex]->SetAsRenderTarget();
	else
		GetDevice()->SetRenderTarget(0, m_backBuffer);
	return taken;
}

void cGraphics::SetWorldMatrix(const cMatrix& world)
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	state.world = world;
	state.worldViewProjection = world * state.viewProjection;
	GetDevice()->SetTransform(D3DTS_WORLD, &world);
}

void cGraphics::SetDepthTest(bool on)
{
	m_depthTest = on && m_depthBufferInUse;
	IDirect3DDevice9* device = GetDevice();
	device->SetRenderState(D3DRS_ZENABLE, m_depthTest);
	device->SetRenderState(D3DRS_ZWRITEENABLE, m_depthTest);
}

void cGraphics::SetLighting(bool on)
{
	m_lighting = on;
	GetDevice()->SetRenderState(D3DRS_LIGHTING, on);
	const DWORD argument = on ? D3DTA_DIFFUSE : D3DTA_TFACTOR;
	SetTextureStageStates(0, { { D3DTSS_COLOROP, D3DTOP_MODULATE }, { D3DTSS_COLORARG1, D3DTA_TEXTURE },
		{ D3DTSS_ALPHAOP, D3DTOP_MODULATE }, { D3DTSS_ALPHAARG1, D3DTA_TEXTURE }, { D3DTSS_COLORARG2, argument },
		{ D3DTSS_ALPHAARG2, argument } });
}

void cGraphics::SetTextureFilter(D3DTEXTUREFILTERTYPE filter)
{
	if (filter == m_currentTextureFilter)
		return;
	m_currentTextureFilter = filter;
	IDirect3DDevice9* device = GetDevice();
	for (DWORD sampler = 0; sampler < kTextureStageCount; ++sampler)
	{
		device->SetSamplerState(sampler, D3DSAMP_MINFILTER, filter);
		device->SetSamplerState(sampler, D3DSAMP_MAGFILTER, filter);
	}
}

void cGraphics::SetSeparateAlphaBlend(bool enable, D3DBLENDOP alphaOperation)
{
	IDirect3DDevice9* device = GetDevice();
	device->SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, enable);
	device->SetRenderState(D3DRS_BLENDOPALPHA, alphaOperation);
}

void cGraphics::SetClipBox(bool enable, const cBoundingBox& box)
{
	IDirect3DDevice9* device = GetDevice();
	if (!enable)
	{
		device->SetRenderState(D3DRS_CLIPPLANEENABLE, 0);
		return;
	}
	const float x0 = box.min.x, y0 = box.min.y, z0 = box.min.z;
	const float x1 = box.max.x, y1 = box.max.y, z1 = box.max.z;
	// Three corners per plane, ordered so that the inside is kept: y >= y0,
	// x <= x1, y <= y1, x >= x0.
	const D3DXVECTOR3 corners[4][3] = {
		{ { x1, y0, z0 }, { x0, y0, z0 }, { x0, y0, z1 } },
		{ { x1, y1, z0 }, { x1, y0, z0 }, { x1, y1, z1 } },
		{ { x0, y1, z0 }, { x1, y1, z0 }, { x1, y1, z1 } },
		{ { x0, y0, z0 }, { x0, y1, z0 }, { x0, y0, z1 } },
	};
	for (DWORD index = 0; index < 4; ++index)
	{
		D3DXPLANE plane;
		D3DXPlaneFromPoints(&plane, &corners[index][0], &corners[index][1], &corners[index][2]);
		device->SetClipPlane(index, &plane.a);
	}
	device->SetRenderState(D3DRS_CLIPPLANEENABLE, 15);
}

void cGraphics::DrawTriangles(int startVertex, int triangleCount)
{
	IDirect3DDevice9* device = GetDevice();
	sGraphicsDeviceState& state = GraphicsDeviceState();
	device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
	SetTextureStageStates(0, { { D3DTSS_COLORARG2, D3DTA_DIFFUSE }, { D3DTSS_ALPHAARG2, D3DTA_DIFFUSE } });
	state.triangleCount += triangleCount;
	state.drawCallCount += 1;
	device->DrawPrimitive(D3DPT_TRIANGLELIST, static_cast<UINT>(startVertex), static_cast<UINT>(triangleCount));
}

void cGraphics::DrawQuads(int vertexCount, int triangleCount)
{
	GetDevice()->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
	SetTextureStageStates(0, { { D3DTSS_COLORARG2, D3DTA_DIFFUSE }, { D3DTSS_ALPHAARG2, D3DTA_DIFFUSE },
		{ D3DTSS_COLOROP, D3DTOP_MODULATE } });
	DrawIndexedTriangles(vertexCount, 0, triangleCount);
}

void cGraphics::DrawIndexedTriangles(int vertexCount, int startIndex, int triangleCount)
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	state.triangleCount += triangleCount;
	state.drawCallCount += 1;
	GetDevice()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, static_cast<UINT>(vertexCount),
		static_cast<UINT>(startIndex), static_cast<UINT>(triangleCount));
}

void cGraphics::DrawColoredTriangles(int startVertex, int triangleCount, const sColor& color)
{
	SetDrawColor(color);
	GetDevice()->DrawPrimitive(D3DPT_TRIANGLELIST, static_cast<UINT>(startVertex), static_cast<UINT>(triangleCount));
}

void cGraphics::SetDrawColor(const sColor& color)
{
	IDirect3DDevice9* device = GetDevice();
	if (m_lighting)
	{
		D3DMATERIAL9 material {};
		material.Diffuse = color;
		material.Ambient = color;
		device->SetMaterial(&material);
		device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
		SetTextureStageStates(0, { { D3DTSS_COLORARG2, D3DTA_DIFFUSE }, { D3DTSS_ALPHAARG2, D3DTA_DIFFUSE } });
	}
	else
	{
		device->SetRenderState(D3DRS_TEXTUREFACTOR, ColorToArgb(color.a, color.r, color.g, color.b));
		SetTextureStageStates(0, { { D3DTSS_COLORARG2, D3DTA_TFACTOR }, { D3DTSS_ALPHAARG2, D3DTA_TFACTOR } });
	}
}

void cGraphics::SetTextureStageStates(DWORD stage,
	const std::initializer_list<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>>& states)
{
	IDirect3DDevice9* device = GetDevice();
	for (const auto& [type, value] : states)
		device->SetTextureStageState(stage, type, value);
}
