#pragma once
// The object type "checkbox": a two-state box drawn from the 4 x 2 check
// atlas. A press and a release over it toggle it and fire "on_click";
// writing "checked" with a new value does the same. It plays no sound.

#include "engine/scene/cSceneObject.h"

class cQuadVisual;

class cCheckBox : public cSceneObject
{
public:
	cCheckBox(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	bool HandleInput() override;
	void RefreshLook() override;
	std::string GetTypeName() const override { return "checkbox"; }

	// A new value ticks or unticks the box and fires "on_click".
	void SetChecked(bool ticked);
	bool IsChecked() const { return m_ticked; }

private:
	void OnChecked(bool* value) { SetChecked(*value); }
	void GetChecked(bool* value) { *value = m_ticked; }

	cQuadVisual* m_visual;
	bool m_hovered = false;
	bool m_pressed = false;
	bool m_ticked = false;
};
