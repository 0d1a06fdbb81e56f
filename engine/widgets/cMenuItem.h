#pragma once
// The object type "menu_item": a text entry of an exclusive menu. A click
// ticks it (unticking its siblings through their "menu_select") and fires
// "on_click", also when it was ticked already. Its child "selection" is
// shown while it is ticked.
//
// Properties: "checked" and "menu_select" (one value), and the text
// properties (write only).
//
// Building sets properties before the children exist: a tick set by the
// description shows the selection once the item is loaded.

#include "engine/scene/cSceneObject.h"

class cTextVisual;

class cMenuItem : public cSceneObject
{
public:
	cMenuItem(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	// Finds the child "selection" and shows it while ticked.
	void OnLoaded() override;
	bool HandleInput() override;
	std::string GetTypeName() const override { return "menu_item"; }

	// Ticking unticks every sibling; no event is fired.
	void SetChecked(bool ticked);
	bool IsChecked() const { return m_ticked; }
	cTextVisual* GetTextVisual() const { return m_visual; }

private:
	void ShowSelection();
	void OnChecked(bool* value) { SetChecked(*value); }
	void GetChecked(bool* value) { *value = m_ticked; }

	cTextVisual* m_visual;
	cSceneObject* m_selection = nullptr;
	bool m_hovered = false;
	bool m_pressed = false;
	bool m_ticked = false;
};
