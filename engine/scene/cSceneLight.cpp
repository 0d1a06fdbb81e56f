#include "engine/scene/cSceneLight.h"

#include <cstdio>

cSceneLight::cSceneLight(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_entry(cSceneLightList::Add())
{
	cLight& light = m_entry->light;
	light.SetType(0);
	light.SetTransform(cMatrix().MakeTranslation(cVector3d(512, 384, -600)));
	light.SetDiffuse(sColor(1, 1, 1, 0));
	light.SetAmbient(sColor(0.1f, 0.1f, 0.1f, 0));
	light.SetSpecular(sColor(1, 1, 1, 0));
	GetProperties().GetMap().BindString("diffuse",
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cSceneLight::GetDiffuseText)),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cSceneLight::SetDiffuseText)));
}

cSceneLight::~cSceneLight()
{
	cSceneLightList::Remove(m_entry);
}

cSceneObject* cSceneLight::Create(const std::string& name, cSceneObject* parent)
{
	return new cSceneLight(name, parent);
}

void cSceneLight::GetDiffuseText(std::string* text)
{
	// The colour is not read back from the light: the text shows zeros.
	*text = "0.000000 0.000000 0.000000";
}

void cSceneLight::SetDiffuseText(std::string* text)
{
	float r = 0, g = 0, b = 0;
	sscanf(text->c_str(), "%f %f %f", &r, &g, &b);
	m_entry->light.SetDiffuse(sColor(r, g, b, 1.0f));
}

void cSceneLight::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	m_entry->light.SetTransform(GetTransform().GetWorldMatrix());
	m_entry->used = true;
	cSceneObject::CollectDraw(queue, camera);
}
