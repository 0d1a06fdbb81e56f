#include "engine/graphics/cCamera.h"

#include "engine/graphics/cGraphics.h"
#include "platform/d3dx9/D3DX9Math.h"

cCamera::~cCamera()
{
	if (!Singletone<cGraphics>::Exists())
		return;
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	if (graphics->GetCurrentCamera() == this)
		graphics->SetCurrentCamera(nullptr);
}

void cCamera::SetPerspective(float fieldOfView, float aspect, float zNear, float zFar)
{
	D3DXMatrixPerspectiveFovLH(&m_projection, fieldOfView, aspect, zNear, zFar);
	UpdateFrustum();
}

void cCamera::SetOrtho(float x, float y, float width, float height, float zNear, float zFar)
{
	D3DXMatrixOrthoOffCenterLH(&m_projection, x, x + width, y, y + height, zNear, zFar);
	UpdateFrustum();
}

void cCamera::SetTransform(const cMatrix& placement)
{
	D3DXMatrixInverse(&m_view, nullptr, &placement);
	UpdateFrustum();
}

void cCamera::SetClipBox(bool enabled, const cBoundingBox& box)
{
	m_clipEnabled = enabled;
	m_clipBox = box;
}

void cCamera::UpdateFrustum()
{
	m_frustum.SetFromMatrix(m_view * m_projection);
}

void cCamera::Apply()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	sGraphicsDeviceState& state = GraphicsDeviceState();
	IDirect3DDevice9* device = state.device;
	state.view = m_view;
	state.projection = m_projection;
	device->SetViewport(&state.screenViewport);
	device->SetTransform(D3DTS_VIEW, &m_view);
	device->SetTransform(D3DTS_PROJECTION, &m_projection);
	state.viewProjection = m_view * m_projection;
	state.worldViewProjection = state.world * state.viewProjection;
	graphics->SetClipBox(m_clipEnabled, m_clipBox);
	graphics->SetDepthTest(m_depthTest);
	graphics->SetCurrentCamera(this);
}

sRay cCamera::GetPickRay(const cVector3d& screenPoint, const cMatrix& world) const
{
	const D3DVIEWPORT9& viewport = GraphicsDeviceState().screenViewport;
	cVector3d nearPoint;
	cVector3d farPoint;
	const cVector3d farScreen(screenPoint.x, screenPoint.y, 1.0f);
	D3DXVec3Unproject(&nearPoint, &screenPoint, &viewport, &m_projection, &m_view, &world);
	D3DXVec3Unproject(&farPoint, &farScreen, &viewport, &m_projection, &m_view, &world);
	return sRay { nearPoint, farPoint - nearPoint };
}
