#pragma once
// The object type "radio": an image option of an exclusive group formed
// by its siblings, drawn from the 4 x 2 check atlas. A click on an
// unticked radio ticks it; ticking writes "radio" = "false" to every
// sibling (unticking other radios). Ticking and unticking fire "on_click".
//
// Properties: "checked" and "radio" (one value).

#include "engine/scene/cSceneObject.h"

class cQuadVisual;

class cRadioButton : public cSceneObject
{
public:
	cRadioButton(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	bool HandleInput() override;
	void RefreshLook() override;
	std::string GetTypeName() const override { return "radio"; }

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
