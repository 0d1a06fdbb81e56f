#include "engine/scene/cRenderTargetVisual.h"

#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/scene/cSceneObject.h"

namespace
{
struct sQuadVertex
{
	float x, y, z, u, v;
};

// The logical screen, half a pixel off so that texels meet pixels.
const sQuadVertex kScreenQuad[6] = { { -0.5f, 0.5f, 0, 0, 1 }, { -0.5f, 768.5f, 0, 0, 0 },
	{ 1023.5f, 768.5f, 0, 1, 0 }, { 1023.5f, 768.5f, 0, 1, 0 }, { 1023.5f, 0.5f, 0, 1, 1 },
	{ -0.5f, 0.5f, 0, 0, 1 } };
}

float cRenderTargetVisual::GetAnimationLength()
{
	return Animator() ? Animator()->GetAnimationLength() : 0.0f;
}

float cRenderTargetVisual::GetAnimationTime()
{
	return Animator() ? Animator()->GetTime() : 0.0f;
}

void cRenderTargetVisual::PlayAnimation(const std::string& name)
{
	if (!Animator())
		return;
	sAnimationRequest request;
	request.name = name;
	Animator()->Play(0, request);
}

void cRenderTargetVisual::SetAnimationParam(const std::string& name, int value)
{
	if (Animator())
		Animator()->SetNamedParam(name, value);
}

void cRenderTargetVisual::SetAnimationTime(float seconds)
{
	if (Animator())
		Animator()->SetTime(seconds);
}

void cRenderTargetVisual::StopAnimation()
{
	if (Animator())
		Animator()->Stop(0);
}

bool cRenderTargetVisual::IsAnimationPlaying()
{
	return Animator() && Animator()->IsRunning();
}

bool cRenderTargetVisual::IsNamedAnimationPlaying(const std::string& name)
{
	return IsAnimationPlaying() && Animator()->GetAnimationName(0) == name;
}

bool cRenderTargetVisual::IsAnimationLooping()
{
	return Animator() && Animator()->IsLooping();
}

void cRenderTargetVisual::Update(float dt)
{
	if (IsAnimationPlaying())
		Animator()->Update(dt);
}

void cRenderTargetVisual::UpdateOwnerBox()
{
	cTransformNode& transform = m_owner->GetTransform();
	const cModel* model = m_controller.GetModel();
	transform.SetLocalBox(model ? model->GetBoundingBox() : cVisual::GetLocalBox());
	transform.MarkWorldDirty();
}

void cRenderTargetVisual::SetModel(const std::string& name)
{
	m_controller.SetModel(cModelHandle(name));
	if (!m_controller.GetModel())
		BuildScreenQuad();
	UpdateOwnerBox();
}

void cRenderTargetVisual::BuildScreenQuad()
{
	m_quad.SetFormat(D3DFVF_XYZ | D3DFVF_TEX1, nullptr, 0);
	m_quad.SetData(kScreenQuad, 6);
}

void cRenderTargetVisual::SetAnimatorParam(const std::string& name, float value)
{
	if (Animator())
		Animator()->SetParam(name, value);
}

void cRenderTargetVisual::SetTextureOffset(float u, float v)
{
	m_controller.SetTextureOffset(u, v);
}

void cRenderTargetVisual::BeginCapture(D3DCOLOR color)
{
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->SetSeparateAlphaBlend(true, D3DBLENDOP_MAX);
	graphics->PushRenderTarget();
	graphics->GetRenderTargetStack()[graphics->GetRenderTargetIndex()]->Fill(color);
	cStencilBuffer::Clear();
}

void cRenderTargetVisual::EndCapture()
{
	cGraphics* graphics = cGraphics::GetInstance();
	cTexture* picture = graphics->PopRenderTarget();
	graphics->SetSeparateAlphaBlend(false, D3DBLENDOP_ADD);
	graphics->SetWorldMatrix(m_owner->GetTransform().GetWorldMatrix());
	std::vector<cMaterialController>& materials = m_controller.GetMaterials();
	if (m_controller.GetModel())
	{
		if (!materials.empty())
			materials.front().SetTexture(0, picture);
		m_controller.Draw(m_color);
		return;
	}
	if (picture)
		picture->Bind(0);
	m_quad.Bind();
	graphics->DrawColoredTriangles(0, 2, m_color);
}
