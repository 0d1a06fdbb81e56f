#pragma once
// Device-wide state next to the graphics device: the device itself and what
// every drawing class reads or changes between draws. Loader threads touch
// the bound-buffer pointers, the stage flags and the default texture
// format, so those are atomic.

#include "engine/foundation/cMatrix.h"
#include "platform/d3d9/D3D9.h"
#include "platform/d3dx9/D3DX9Math.h"

#include <atomic>

class cVertexBuffer;
class cIndexBuffer;

constexpr int kTextureStageCount = 8;
// Device light slots the engine's lights share.
constexpr int kLightSlotCount = 4;

struct sGraphicsDeviceState
{
	IDirect3DDevice9* device = nullptr;
	// The device's automatic depth buffer.
	IDirect3DSurface9* defaultDepthStencil = nullptr;
	// The buffers bound last; cleared at frame start.
	std::atomic<cVertexBuffer*> boundVertexBuffer { nullptr };
	std::atomic<cIndexBuffer*> boundIndexBuffer { nullptr };
	// The viewport every camera applies: the whole back buffer or a centred
	// 4:3 strip of a wide one.
	D3DVIEWPORT9 screenViewport { 0, 0, 0, 0, 0.0f, 1.0f };
	// Zeroed at frame start, read by the debug overlay.
	int triangleCount = 0;
	int drawCallCount = 0;
	// Whether a texture was bound to the stage since frame start.
	std::atomic<bool> stageBound[kTextureStageCount] {};
	cMatrix world;
	cMatrix view;
	cMatrix projection;
	cMatrix viewProjection;
	cMatrix worldViewProjection;
	// The programmable pipeline is never used.
	bool shaderSupport = false;
	// Lights holding a device slot (slots 0 to count - 1, handed out as a stack).
	int enabledLightCount = 0;
	// What effects read of each slot's light: position (x, y, z, 1) and
	// diffuse colour. Written only with shader support.
	D3DXVECTOR4 shaderLightPositions[kLightSlotCount] {};
	D3DXVECTOR4 shaderLightColors[kLightSlotCount] { { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 } };
	// Engine pixel-format code of textures loaded with code 0.
	std::atomic<int> defaultTextureFormat { 2 };
};

// The one instance, created on first use and kept to the end of the process.
sGraphicsDeviceState& GraphicsDeviceState();

inline IDirect3DDevice9* GraphicsDevice()
{
	return GraphicsDeviceState().device;
}
