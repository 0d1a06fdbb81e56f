#include "engine/widgets/cMenuItem.h"

#include "engine/scene/cTextVisual.h"
#include "engine/widgets/WidgetRules.h"

cMenuItem::cMenuItem(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cTextVisual(this))
{
	SetVisual(m_visual);
	cPropertyMap& properties = GetProperties().GetMap();
	const cDelegatePtr<bool*> getter(MakeMemberDelegate(this, &cMenuItem::GetChecked));
	const cDelegatePtr<bool*> setter(MakeMemberDelegate(this, &cMenuItem::OnChecked));
	properties.BindBool("checked", getter, setter);
	properties.BindBool("menu_select", getter, setter);
	m_visual->BindTextProperties(properties, cDelegatePtr<std::string*>());
}

cSceneObject* cMenuItem::Create(const std::string& name, cSceneObject* parent)
{
	return new cMenuItem(name, parent);
}

void cMenuItem::OnLoaded()
{
	m_selection = GetChildList().FindChild("selection");
	ShowSelection();
}

void cMenuItem::ShowSelection()
{
	if (m_selection)
		m_selection->SetVisible(m_ticked);
}

void cMenuItem::SetChecked(bool ticked)
{
	if (ticked == m_ticked)
		return;
	m_ticked = ticked;
	if (ticked)
		WidgetRules::UntickSiblings(this, "menu_select");
	ShowSelection();
}

bool cMenuItem::HandleInput()
{
	WidgetRules::UpdateHover(this, m_hovered, m_pressed);
	if (m_hovered && WidgetRules::MouseWentDown())
		m_pressed = true;
	else if (WidgetRules::MouseWentUp())
	{
		m_pressed = false;
		if (m_hovered)
		{
			SetChecked(true);
			FireEvent("on_click");
		}
	}
	return false;
}
