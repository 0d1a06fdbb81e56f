#pragma once
// Everything a device call can set, as the caller set it. The renderer reads
// it at each draw and applies the parts whose dirty flag is set; Reset puts
// every value back to the interface's defaults.

#include "platform/d3d9/D3D9.h"
#include "platform/d3d9/cD3D9Ref.h"

#include <array>

class cD3D9Texture;
class cD3D9Surface;
class cD3D9VertexBuffer;
class cD3D9IndexBuffer;
class cD3D9VertexDeclaration;

struct sD3D9DeviceState
{
	static constexpr int kStages = 8;
	static constexpr int kLights = 8;
	static constexpr int kClipPlanes = 6;

	// What changed since the renderer last applied the state.
	enum eDirty : unsigned
	{
		kDirtyTarget = 1u << 0,      // render target, depth-stencil surface, viewport
		kDirtyRaster = 1u << 1,      // depth, blending, alpha test, culling, masks
		kDirtyWorldView = 1u << 2,
		kDirtyProjection = 1u << 3,
		kDirtyTextureMatrices = 1u << 4,
		kDirtyClipPlanes = 1u << 5,
		kDirtyStages = 1u << 6,      // textures and combiners
		kDirtySamplers = 1u << 7,
		kDirtyLighting = 1u << 8,    // lighting switch, material, lights
		kDirtyVertexInput = 1u << 9, // stream, format, indices
		kDirtyFactor = 1u << 10,     // the texture factor
		kDirtyAll = (1u << 11) - 1,
	};

	std::array<DWORD, D3D9_RENDER_STATE_COUNT> renderStates;
	std::array<std::array<DWORD, D3D9_STAGE_STATE_COUNT>, kStages> stageStates;
	std::array<std::array<DWORD, D3D9_SAMPLER_STATE_COUNT>, kStages> samplerStates;
	unsigned dirtySamplers = 0; // one bit per sampler

	D3DMATRIX world;
	D3DMATRIX view;
	D3DMATRIX projection;
	std::array<D3DMATRIX, kStages> textureMatrices;

	D3DVIEWPORT9 viewport;
	D3DMATERIAL9 material;
	std::array<D3DLIGHT9, kLights> lights;
	std::array<bool, kLights> lightEnabled;
	std::array<std::array<float, 4>, kClipPlanes> clipPlanes;

	std::array<cD3D9Ref<cD3D9Texture>, kStages> textures;
	cD3D9Ref<cD3D9VertexBuffer> streamSource;
	UINT streamOffset = 0;
	UINT streamStride = 0;
	DWORD fvf = 0;
	cD3D9Ref<cD3D9VertexDeclaration> declaration;
	cD3D9Ref<cD3D9IndexBuffer> indices;
	cD3D9Ref<cD3D9Surface> renderTarget;
	cD3D9Ref<cD3D9Surface> depthStencil;

	unsigned dirty = kDirtyAll;

	// The defaults after device creation and Reset. The render target and
	// depth-stencil surface are the device's own; zEnable follows whether an
	// automatic depth buffer exists.
	void SetDefaults(bool zEnable);
};
