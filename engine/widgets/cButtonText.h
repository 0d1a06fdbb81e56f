#pragma once
// The object type "button_text": a text that fires "on_click" on any
// release of the mouse over it, shown in the _s font and colour while the
// cursor is over it and in the _n ones otherwise (-1 and 0 leave the font
// and the colour unchanged).
//
// Properties: "color_s" and "color_n" (written in hexadecimal, read back in
// decimal), "fontid_s", "fontid_n", and the text properties (write only).

#include "engine/scene/cSceneObject.h"

#include <cstdint>

class cTextVisual;

class cButtonText : public cSceneObject
{
public:
	cButtonText(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	bool HandleInput() override;
	// Nothing while disabled; else the hovered or normal font and colour.
	void RefreshLook() override;
	std::string GetTypeName() const override { return "button_text"; }

	cTextVisual* GetTextVisual() const { return m_visual; }
	bool IsHovered() const { return m_hovered; }

private:
	void BindColor(const std::string& name, uint32_t* color);

	cTextVisual* m_visual;
	bool m_hovered = false;
	bool m_pressed = false;
	int m_fontIdS = -1;
	int m_fontIdN = -1;
	uint32_t m_colorS = 0x2000FF00;
	uint32_t m_colorN = 0xFFFFFFFF;
};
