#include "engine/widgets/cRadioButton.h"

#include "engine/scene/cQuadVisual.h"
#include "engine/widgets/WidgetRules.h"

cRadioButton::cRadioButton(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cQuadVisual(this))
{
	SetVisual(m_visual);
	cPropertyMap& properties = GetProperties().GetMap();
	const cDelegatePtr<bool*> getter(MakeMemberDelegate(this, &cRadioButton::GetChecked));
	const cDelegatePtr<bool*> setter(MakeMemberDelegate(this, &cRadioButton::OnChecked));
	properties.BindBool("checked", getter, setter);
	properties.BindBool("radio", getter, setter);
}

cSceneObject* cRadioButton::Create(const std::string& name, cSceneObject* parent)
{
	return new cRadioButton(name, parent);
}

void cRadioButton::SetChecked(bool ticked)
{
	if (ticked == m_ticked)
		return;
	m_ticked = ticked;
	if (ticked)
		WidgetRules::UntickSiblings(this, "radio");
	RefreshLook();
	FireEvent("on_click");
}

bool cRadioButton::HandleInput()
{
	if (WidgetRules::UpdateHover(this, m_hovered, m_pressed) && !m_pressed)
		RefreshLook();
	if (m_hovered && !m_ticked && WidgetRules::MouseWentDown())
	{
		m_pressed = true;
		RefreshLook();
		return false;
	}
	if (WidgetRules::MouseWentUp())
	{
		if (m_pressed && !m_ticked)
		{
			m_pressed = false;
			SetChecked(true);
		}
		m_pressed = false;
	}
	return false;
}

void cRadioButton::RefreshLook()
{
	WidgetRules::ShowCheckFrame(m_visual, m_ticked, IsEnabled(), m_pressed, m_hovered);
}
