#pragma once
// The effect interface of the D3DX9 stand-in. There is no effect compiler
// here, so no effect is ever created by the layer: the engine's wrapper is
// written against this interface alone.

#include "platform/d3d9/D3D9.h"
#include "platform/d3dx9/D3DX9Math.h"

// Names a parameter, technique, pass or annotation; null when absent.
using D3DXHANDLE = const char*;

struct D3DXTECHNIQUE_DESC
{
	const char* Name;
	UINT Passes;
	UINT Annotations;
};

class ID3DXEffect
{
public:
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;

	virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) = 0;
	virtual D3DXHANDLE GetTechniqueByName(const char* name) = 0;
	virtual D3DXHANDLE GetCurrentTechnique() = 0;
	virtual HRESULT GetTechniqueDesc(D3DXHANDLE technique, D3DXTECHNIQUE_DESC* desc) = 0;
	virtual D3DXHANDLE GetPass(D3DXHANDLE technique, UINT index) = 0;
	virtual D3DXHANDLE GetAnnotationByName(D3DXHANDLE object, const char* name) = 0;

	virtual HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) = 0;
	virtual HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, UINT count) = 0;
	virtual HRESULT SetVectorArray(D3DXHANDLE parameter, const D3DXVECTOR4* vectors, UINT count) = 0;
	virtual HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) = 0;
	virtual HRESULT GetFloat(D3DXHANDLE parameter, float* value) = 0;

	virtual HRESULT SetTechnique(D3DXHANDLE technique) = 0;
	// Starts the current technique and reports its pass count.
	virtual HRESULT Begin(UINT* passes, DWORD flags) = 0;
	// Sets the device states of one pass; fails past the last pass.
	virtual HRESULT Pass(UINT index) = 0;
	virtual HRESULT End() = 0;

protected:
	virtual ~ID3DXEffect() = default;
};
