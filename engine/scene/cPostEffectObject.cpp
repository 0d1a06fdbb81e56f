#include "engine/scene/cPostEffectObject.h"

#include "engine/scene/cPostEffectVisual.h"

cPostEffectObject::cPostEffectObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cPostEffectVisual(this))
{
	SetVisual(m_visual);
}

cSceneObject* cPostEffectObject::Create(const std::string& name, cSceneObject* parent)
{
	return new cPostEffectObject(name, parent);
}

void cPostEffectObject::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	cCamera* own = camera;
	cSceneObject::CollectDraw(queue, own);
}
