#include "engine/scene/cRenderTargetObject.h"

#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/scene/cRenderTargetVisual.h"
#include "engine/scene/cSceneManager.h"

#include <cstdio>
#include <cstdlib>

namespace
{
// Room for the subtree's queue, so that collecting never grows it in a frame.
const size_t kQueueReserve = 30000;
const int kRenderTargetSortKey = 10;

int RenderTargetDepth()
{
	return cGraphics::Exists() ? cGraphics::GetInstance()->GetRenderTargetIndex() + 1 : 0;
}
}

cRenderTargetObject::cRenderTargetObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cRenderTargetVisual(this))
{
	SetVisual(m_visual);
	m_queue.reserve(kQueueReserve);
	cPropertyMap& properties = GetProperties().GetMap();
	properties.BindString("fill_color",
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cRenderTargetObject::GetFillColorText)),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cRenderTargetObject::SetFillColorText)));
	properties.BindBoolVariable("force", &m_force);
	SetSortKey(kRenderTargetSortKey);
}

cSceneObject* cRenderTargetObject::Create(const std::string& name, cSceneObject* parent)
{
	return new cRenderTargetObject(name, parent);
}

void cRenderTargetObject::GetFillColorText(std::string* text)
{
	char buffer[16];
	snprintf(buffer, sizeof buffer, "%u", unsigned(m_fillColor));
	*text = buffer;
}

void cRenderTargetObject::SetFillColorText(std::string* text)
{
	m_fillColor = D3DCOLOR(strtoul(text->c_str(), nullptr, 16));
}

bool cRenderTargetObject::IsActive() const
{
	return m_force && m_visual->IsAnimationPlaying();
}

void cRenderTargetObject::Update(float dt)
{
	cSceneManager* scene = cSceneManager::GetInstance();
	const int depth = RenderTargetDepth();
	cSceneObject::Update(dt);
	scene->ForceUpdateTransforms(this);
	cTransformNode& transform = GetTransform();
	m_visual->SetColor(transform.GetEffectiveColor());
	// With the effective colour the minimum of the parent's and the local
	// one, the subtree now draws into the picture in the parent's colours.
	const cSceneObject* parent = GetParent();
	const sColor colour = parent ? parent->GetTransform().GetEffectiveColor() : sColor(1, 1, 1, 1);
	transform.SetColor(colour.r, colour.g, colour.b, colour.a);
	scene->ForceUpdateTransforms(this);
	m_pushedCount = RenderTargetDepth() - depth;
	if (IsActive())
		for (int index = 0; index < m_pushedCount; ++index)
			cGraphics::GetInstance()->PopRenderTarget();
}

void cRenderTargetObject::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	if (!IsActive())
	{
		cSceneObject::CollectDraw(queue, camera);
		return;
	}
	if (!m_collecting)
	{
		queue.push_back({ this, camera });
		return;
	}
	for (cSceneObject* child : GetChildList().GetChildren())
		if (child->IsVisible())
			child->CollectDraw(m_queue, camera);
}

void cRenderTargetObject::DrawSelf()
{
	if (!IsActive())
		return;
	cGraphics* graphics = cGraphics::GetInstance();
	for (int index = 0; index < m_pushedCount; ++index)
	{
		graphics->PushRenderTarget();
		graphics->GetRenderTargetStack()[graphics->GetRenderTargetIndex()]->Fill(m_fillColor);
	}
	m_visual->BeginCapture(m_fillColor);
	cCamera* camera = graphics->GetCurrentCamera();
	m_queue.clear();
	m_collecting = true;
	cSceneManager::GetInstance()->DrawObjects(this, m_queue);
	m_collecting = false;
	cSceneObject::DrawSelf();
	graphics->SetDepthTest(false);
	if (camera && graphics->GetCurrentCamera() != camera)
		camera->Apply();
	m_visual->EndCapture();
	graphics->SetDepthTest(true);
}
