#pragma once
// The object type "flash": a sprite that blinks. It shows for visible_time
// seconds, then hides for a random pause of random_min to random_max
// seconds; a manual flash stays hidden until "show_model" is written.
// Starting with an expired timer, it hides on its first update.

#include "engine/scene/cSceneObject.h"

class cFlash : public cSceneObject
{
public:
	cFlash(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "flash"; }
	void Update(float dt) override;

	bool IsShown() const { return m_shown; }

private:
	void OnShowModel(bool*);

	float m_timer = 0.0f;
	float m_visibleTime = 0.3f;
	float m_randomMin = 5.0f;
	float m_randomMax = 10.0f;
	bool m_shown = true;
	bool m_manual = false;
};
