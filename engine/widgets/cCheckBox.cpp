#include "engine/widgets/cCheckBox.h"

#include "engine/scene/cQuadVisual.h"
#include "engine/widgets/WidgetRules.h"

cCheckBox::cCheckBox(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cQuadVisual(this))
{
	SetVisual(m_visual);
	GetProperties().GetMap().BindBool("checked", cDelegatePtr<bool*>(MakeMemberDelegate(this, &cCheckBox::GetChecked)),
		cDelegatePtr<bool*>(MakeMemberDelegate(this, &cCheckBox::OnChecked)));
}

cSceneObject* cCheckBox::Create(const std::string& name, cSceneObject* parent)
{
	return new cCheckBox(name, parent);
}

bool cCheckBox::HandleInput()
{
	if (WidgetRules::UpdateHover(this, m_hovered, m_pressed) && !m_pressed)
		RefreshLook();
	if (m_hovered && WidgetRules::MouseWentDown())
	{
		m_pressed = true;
		RefreshLook();
		return false;
	}
	if (WidgetRules::MouseWentUp())
	{
		if (m_pressed)
		{
			m_ticked = !m_ticked;
			RefreshLook();
			FireEvent("on_click");
		}
		m_pressed = false;
	}
	return false;
}

void cCheckBox::SetChecked(bool ticked)
{
	if (ticked == m_ticked)
		return;
	m_ticked = ticked;
	RefreshLook();
	FireEvent("on_click");
}

void cCheckBox::RefreshLook()
{
	WidgetRules::ShowCheckFrame(m_visual, m_ticked, IsEnabled(), m_pressed, m_hovered);
}
