#include "engine/graphics/cStencilBuffer.h"

#include "engine/graphics/sGraphicsDeviceState.h"

cStencilBuffer::cStencilBuffer()
{
	D3DSURFACE_DESC desc {};
	if (IDirect3DSurface9* depth = GraphicsDeviceState().defaultDepthStencil; depth && SUCCEEDED(depth->GetDesc(&desc)))
	{
		m_width = desc.Width;
		m_height = desc.Height;
		m_format = desc.Format;
		m_multiSampleType = desc.MultiSampleType;
		m_multiSampleQuality = desc.MultiSampleQuality;
	}
	CreateSurface();
	AddDeviceObject(this);
}

cStencilBuffer::~cStencilBuffer()
{
	RemoveDeviceObject(this);
	ReleaseSurface();
}

void cStencilBuffer::CreateSurface()
{
	IDirect3DDevice9* device = GraphicsDevice();
	if (!device || FAILED(device->CreateDepthStencilSurface(m_width, m_height, m_format, m_multiSampleType,
					   m_multiSampleQuality, TRUE, &m_surface, nullptr)))
		m_surface = nullptr;
}

void cStencilBuffer::ReleaseSurface()
{
	if (m_surface)
	{
		m_surface->Release();
		m_surface = nullptr;
	}
}

void cStencilBuffer::OnLostDevice()
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.device)
		state.device->SetDepthStencilSurface(state.defaultDepthStencil);
	ReleaseSurface();
}

void cStencilBuffer::OnResetDevice()
{
	CreateSurface();
}

void cStencilBuffer::Clear()
{
	GraphicsDevice()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
}
