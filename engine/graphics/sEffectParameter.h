#pragma once
// One parameter of an effect; a null handle means the effect has none.

#include "platform/d3dx9/D3DX9Effect.h"

struct sEffectParameter
{
	ID3DXEffect* effect = nullptr;
	D3DXHANDLE handle = nullptr;

	explicit operator bool() const { return handle != nullptr; }
};
