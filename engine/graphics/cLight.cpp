#include "engine/graphics/cLight.h"

#include "engine/graphics/sGraphicsDeviceState.h"

cLight::cLight()
{
	m_light = {};
	m_light.Type = D3DLIGHT_POINT;
	m_light.Diffuse = m_light.Specular = m_light.Ambient = sColor(1, 1, 1, 1);
	m_light.Range = 1000.0f;
	m_light.Attenuation0 = 1.0f;
}

cLight::~cLight()
{
	Disable();
}

void cLight::SetTransform(const cMatrix& transform)
{
	m_light.Position = { transform._41, transform._42, transform._43 };
	m_light.Direction = { transform._31, transform._32, transform._33 };
}

void cLight::SetType(int type)
{
	m_light.Type = type == 0 ? D3DLIGHT_POINT : type == 1 ? D3DLIGHT_SPOT : D3DLIGHT_DIRECTIONAL;
}

void cLight::Enable()
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (m_slot < 0)
	{
		if (state.enabledLightCount >= kLightSlotCount)
			return;
		m_slot = state.enabledLightCount++;
	}
	if (state.shaderSupport)
	{
		state.shaderLightPositions[m_slot] = { m_light.Position.x, m_light.Position.y, m_light.Position.z, 1.0f };
		state.shaderLightColors[m_slot] = { m_light.Diffuse.r, m_light.Diffuse.g, m_light.Diffuse.b, m_light.Diffuse.a };
	}
	IDirect3DDevice9* device = state.device;
	device->SetLight(DWORD(m_slot), &m_light);
	device->LightEnable(DWORD(m_slot), TRUE);
}

void cLight::Disable()
{
	if (m_slot < 0)
		return;
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.device)
		state.device->LightEnable(DWORD(m_slot), FALSE);
	m_slot = -1;
	--state.enabledLightCount;
}
