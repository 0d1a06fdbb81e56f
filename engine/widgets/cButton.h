#pragma once
// The object type "button": an image button drawn from a 2 x 2 atlas
// (normal, hovered, pressed, disabled). A press on it fires "on_mouse_down"
// and plays the click sound; a release over it after a press that started
// on it fires "on_click" and consumes the input; every release fires
// "on_mouse_up". "click_snd" (write only) names the click sound.

#include "engine/resources/cResourceHandle.h"
#include "engine/scene/cSceneObject.h"

class cQuadVisual;

class cButton : public cSceneObject
{
public:
	cButton(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	bool HandleInput() override;
	void RefreshLook() override;
	std::string GetTypeName() const override { return "button"; }

	bool IsHovered() const { return m_hovered; }
	bool IsPressed() const { return m_pressed; }

private:
	void OnClickSound(std::string* name);

	cResourceHandle m_clickSound;
	cQuadVisual* m_visual;
	bool m_hovered = false;
	bool m_pressed = false;
	bool m_armed = false;
};
