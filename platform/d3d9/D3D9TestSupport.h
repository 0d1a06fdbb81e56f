#pragma once
// Hooks of the Direct3D 9 stand-in for tests: an OpenGL device is never lost
// and its adapter and memory are what the machine has, so tests use these to
// run the recovery paths and the mode and memory rules.

#include "platform/d3d9/D3D9.h"

#include <vector>

namespace D3D9Test
{
// Marks the device lost: TestCooperativeLevel answers D3DERR_DEVICENOTRESET
// when it can be reset at once, else D3DERR_DEVICELOST (and Reset fails)
// until AllowReset.
void LoseDevice(IDirect3DDevice9* device, bool canReset);
void AllowReset(IDirect3DDevice9* device);

// Default-pool resources alive on the device (these block Reset).
UINT CountDefaultPoolResources(IDirect3DDevice9* device);

// Replaces the display modes reported by every IDirect3D9 (empty: the
// display's own modes again).
void SetAdapterModes(const std::vector<D3DDISPLAYMODE>& modes);

// The value GetAvailableTextureMem reports on devices created afterwards
// (0: the default).
void SetAvailableTextureMemory(UINT bytes);
}
