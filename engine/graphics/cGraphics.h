#pragma once
// The graphics device: the one Direct3D 9 device of the process and what is
// device-wide about it. It picks the display mode and places the window,
// recovers from a lost device, brackets the frame (clear, begin, end,
// present), sets the fixed-function states every drawing class relies on,
// keeps a stack of render-target textures, the user clip planes, the
// matrices with their products, the draw counters, and one shared index
// buffer that turns any vertex buffer of quads into triangles.
//
// Everything here runs on the main thread, which creates the device.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cBoundingBox.h"
#include "engine/foundation/cDelegate.h"
#include "engine/foundation/sColor.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "engine/graphics/cIndexBuffer.h"
#include "engine/graphics/sDisplaySettings.h"
#include "engine/graphics/sGraphicsDeviceState.h"

#include <vector>

class cCamera;
class cTexture;

// Quads in the shared index buffer: 180000 indices.
constexpr unsigned kQuadIndexBufferQuads = 30000;

class cGraphics : public cDirectXGraphicsObject, public Singletone<cGraphics>
{
public:
	// Registers the graphics resource types, binds the "video.*" settings
	// to the requested settings and listens to activation changes.
	cGraphics();
	// Removes the listener and releases the device, Direct3D and the quad
	// index buffer.
	~cGraphics() override;

	// Creates Direct3D and the device (both fatal on failure), then resets
	// it to the settings.
	bool CreateDevice(const sDisplaySettings& settings);
	// Releases the default-pool objects, resets the device to the settings
	// and applies all device-wide state again. False (logged) when the
	// device refuses the reset; a later activation tries again.
	bool ResetDevice(const sDisplaySettings& settings);
	// Activation listener: resets a device that cannot draw.
	void OnActivate(bool active);

	// The display mode the settings get: a window fitted to the desktop or
	// the adapter's closest full-screen mode.
	sDisplaySettings ChooseDisplayMode(const sDisplaySettings& settings);
	// Fills the presentation parameters for the settings and places the window.
	void MakePresentParameters(const sDisplaySettings& settings);

	// The frame bracket: clears to opaque black and sets the frame's states;
	// ends, presents and drops a render target left pushed.
	void BeginScene();
	void EndScene();

	// Makes the next render-target texture of the stack (back-buffer size,
	// created on first use) the target.
	void PushRenderTarget();
	// Makes the entry below (or the back buffer) the target again and
	// returns the texture that was active; null when nothing was pushed.
	cTexture* PopRenderTarget();

	void SetWorldMatrix(const cMatrix& world);
	void SetDepthTest(bool on);
	void SetLighting(bool on);
	void SetTextureFilter(D3DTEXTUREFILTERTYPE filter);
	// The filter every frame starts with; takes effect at the next frame.
	void SetDefaultTextureFilter(D3DTEXTUREFILTERTYPE filter) { m_defaultTextureFilter = filter; }
	D3DTEXTUREFILTERTYPE GetDefaultTextureFilter() const { return m_defaultTextureFilter; }
	D3DTEXTUREFILTERTYPE GetTextureFilter() const { return m_currentTextureFilter; }
	void SetSeparateAlphaBlend(bool enable, D3DBLENDOP alphaOperation);
	// User clip planes keeping the x and y extent of the box (world space).
	void SetClipBox(bool enable, const cBoundingBox& box);
	// True: the screen viewport covers the whole back buffer. False: a back
	// buffer at least 1.5 times as wide as high gets a centred 4:3 strip.
	void SetStretchToScreen(bool stretch);
	void SetScreenRect(int left, int top, int right, int bottom);
	// The device's current viewport from (X, Y, MinZ) to (X + Width, Y + Height, MaxZ).
	cBoundingBox GetViewportBox() const;
	// High quality keeps A8R8G8B8 textures when there is memory enough;
	// otherwise textures become DXT3. A change reloads every texture.
	void SetTextureQuality(bool high);
	void SetTextureMemoryThreshold(unsigned bytes) { m_textureMemoryThreshold = bytes; }

	// Triangle lists over the bound buffers: with the vertex colour, as
	// quads through the shared index buffer, or tinted by one colour.
	void DrawTriangles(int startVertex, int triangleCount);
	void DrawQuads(int vertexCount, int triangleCount);
	void DrawColoredTriangles(int startVertex, int triangleCount, const sColor& color);
	// An indexed triangle list over the bound buffers, counted like the others.
	void DrawIndexedTriangles(int vertexCount, int startIndex, int triangleCount);
	// The colour of the next draws: the device material's diffuse and
	// ambient with lighting on, else the texture factor.
	void SetDrawColor(const sColor& color);

	static IDirect3DDevice9* GetDevice() { return GraphicsDevice(); }
	IDirect3D9* GetDirect3D() const { return m_direct3D; }
	const D3DCAPS9& GetCapabilities() const { return m_capabilities; }
	const D3DPRESENT_PARAMETERS& GetPresentParameters() const { return m_presentParameters; }
	IDirect3DSurface9* GetBackBuffer() const { return m_backBuffer; }
	int GetBackBufferWidth() const { return int(m_presentParameters.BackBufferWidth); }
	int GetBackBufferHeight() const { return int(m_presentParameters.BackBufferHeight); }
	bool GetDepthTest() const { return m_depthTest; }
	cCamera* GetCurrentCamera() const { return m_currentCamera; }
	void SetCurrentCamera(cCamera* camera) { m_currentCamera = camera; }
	sDisplaySettings& GetRequestedSettings() { return m_requestedSettings; }
	const sDisplaySettings& GetAppliedSettings() const { return m_appliedSettings; }
	const std::vector<cTexture*>& GetRenderTargetStack() const { return m_renderTargets; }
	int GetRenderTargetIndex() const { return m_renderTargetIndex; }
	bool IsPillarbox() const { return m_pillarbox; }
	const RECT& GetScreenRect() const { return m_screenRect; }
	unsigned GetAvailableTextureMemory() const { return m_availableTextureMemory; }
	// The largest texture side the device takes; taken from the device's
	// capabilities when it is created.
	int GetTextureSizeLimit() const { return m_textureSizeLimit; }
	void SetTextureSizeLimit(int side) { m_textureSizeLimit = side; }
	int GetDefaultTextureFormat() const { return GraphicsDeviceState().defaultTextureFormat; }
	bool GetLighting() const { return m_lighting; }
	cIndexBuffer& GetQuadIndexBuffer() { return m_quadIndexBuffer; }

private:
	// Sets the default texture format, reloading the textures when it changes.
	void SetDefaultTextureFormat(int formatCode);
	void FetchDeviceSurfaces();
	void ReleaseDeviceSurfaces();
	void FillQuadIndexBuffer();
	void SetTextureStageStates(DWORD stage, const std::initializer_list<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>>& states);
	void SetFullViewport();

	IDirect3D9* m_direct3D = nullptr;
	D3DCAPS9 m_capabilities {};
	D3DPRESENT_PARAMETERS m_presentParameters {};
	IDirect3DSurface9* m_backBuffer = nullptr;
	bool m_depthTest = true;
	bool m_depthBufferInUse = true;
	cCamera* m_currentCamera = nullptr;
	sDisplaySettings m_requestedSettings;
	sDisplaySettings m_appliedSettings;
	std::vector<cTexture*> m_renderTargets;
	int m_renderTargetIndex = -1;
	bool m_pillarbox = false;
	D3DTEXTUREFILTERTYPE m_defaultTextureFilter = D3DTEXF_LINEAR;
	D3DTEXTUREFILTERTYPE m_currentTextureFilter = D3DTEXF_LINEAR;
	RECT m_screenRect { 0, 0, 0, 0 };
	unsigned m_availableTextureMemory = 0;
	unsigned m_textureMemoryThreshold = 0;
	int m_textureSizeLimit = 0;
	D3DCOLOR m_ambientColor = 0xFFFFFFFF;
	bool m_lighting = false;
	bool m_stretchToScreen = false;
	cIndexBuffer m_quadIndexBuffer;
	cDelegatePtr<bool> m_activationListener;
};
