#include "engine/widgets/cButtonText.h"

#include "engine/foundation/sColor.h"
#include "engine/scene/cTextVisual.h"
#include "engine/widgets/WidgetRules.h"

#include <cstdio>
#include <cstdlib>

namespace
{
// A colour that scene files write as hexadecimal digits and that reads
// back as an unsigned decimal number.
class cColorValue : public PropertyValue
{
public:
	explicit cColorValue(uint32_t* color) : m_color(color) {}
	void SetValue(const std::string& text) override { *m_color = uint32_t(std::strtoul(text.c_str(), nullptr, 16)); }
	void GetValue(std::string& out) override
	{
		char text[16];
		std::snprintf(text, sizeof text, "%u", unsigned(*m_color));
		out = text;
	}

private:
	uint32_t* m_color;
};
}

cButtonText::cButtonText(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cTextVisual(this))
{
	SetVisual(m_visual);
	cPropertyMap& properties = GetProperties().GetMap();
	BindColor("color_s", &m_colorS);
	BindColor("color_n", &m_colorN);
	properties.BindIntVariable("fontid_s", &m_fontIdS);
	properties.BindIntVariable("fontid_n", &m_fontIdN);
	m_visual->BindTextProperties(properties, cDelegatePtr<std::string*>());
}

cSceneObject* cButtonText::Create(const std::string& name, cSceneObject* parent)
{
	return new cButtonText(name, parent);
}

void cButtonText::BindColor(const std::string& name, uint32_t* color)
{
	GetProperties().GetMap()[name].SetValue(cSharedPtr<PropertyValue>(new cColorValue(color)));
}

void cButtonText::RefreshLook()
{
	if (!IsEnabled())
		return;
	const int fontId = m_hovered ? m_fontIdS : m_fontIdN;
	const uint32_t color = m_hovered ? m_colorS : m_colorN;
	if (fontId != -1)
		m_visual->SetFontId(fontId);
	if (color == 0)
		return;
	float alpha, red, green, blue;
	ColorToFloats(color, alpha, red, green, blue);
	GetTransform().SetColor(red, green, blue, alpha);
}

bool cButtonText::HandleInput()
{
	if (WidgetRules::UpdateHover(this, m_hovered, m_pressed))
		RefreshLook();
	if (m_hovered && WidgetRules::MouseWentDown())
	{
		m_pressed = true;
		RefreshLook();
		return false;
	}
	if (WidgetRules::MouseWentUp())
	{
		m_pressed = false;
		if (m_hovered)
			FireEvent("on_click");
		RefreshLook();
	}
	return false;
}
