#pragma once
// Type "scene_light": a point light placed by the object's world matrix
// (position from the translation, direction from the z axis). It lights
// what is drawn in the passes that collect the object, and is off in the
// others. "diffuse" takes "r g b" (setter only; it reads back as zeros).

#include "engine/scene/cSceneLightList.h"
#include "engine/scene/cSceneObject.h"

class cSceneLight : public cSceneObject
{
public:
	// Any thread: the light joins the process-wide list under the scene lock.
	cSceneLight(const std::string& name, cSceneObject* parent);
	// Leaves the list; the light is switched off.
	~cSceneLight() override;
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "scene_light"; }
	// Places the light and marks it used in this pass, then collects as any object.
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;

	cLight* GetLight() const { return &m_entry->light; }

private:
	void GetDiffuseText(std::string* text);
	void SetDiffuseText(std::string* text);

	cSceneLightList::sEntry* m_entry;
};
