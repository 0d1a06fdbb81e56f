#include "engine/widgets/cButton.h"

#include "engine/scene/cQuadVisual.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "engine/widgets/WidgetRules.h"

cButton::cButton(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent),
	  m_clickSound(cResourceHandle::InitByName<cSoundResource>("button_click")),
	  m_visual(new cQuadVisual(this))
{
	SetVisual(m_visual);
	GetProperties().GetMap().BindString("click_snd", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cButton::OnClickSound)));
}

cSceneObject* cButton::Create(const std::string& name, cSceneObject* parent)
{
	return new cButton(name, parent);
}

void cButton::OnClickSound(std::string* name)
{
	m_clickSound.BindByName<cSoundResource>(name->c_str());
}

bool cButton::HandleInput()
{
	if (WidgetRules::UpdateHover(this, m_hovered, m_pressed) && !m_pressed)
		RefreshLook();
	if (m_hovered && WidgetRules::MouseWentDown())
	{
		if (!m_pressed && m_clickSound)
			cSoundRegistry::GetInstance()->Play(m_clickSound, false);
		FireEvent("on_mouse_down");
		m_pressed = true;
		m_armed = true;
		RefreshLook();
		return false;
	}
	if (!WidgetRules::MouseWentUp())
		return false;
	m_pressed = false;
	RefreshLook();
	bool clicked = false;
	if (m_hovered && m_armed)
	{
		FireEvent("on_click");
		cSceneManager::SetInputConsumed(true);
		clicked = true;
	}
	m_armed = false;
	FireEvent("on_mouse_up");
	return clicked;
}

void cButton::RefreshLook()
{
	if (!IsEnabled())
		m_visual->SetTextureOffset(0.5f, 0.5f);
	else if (m_pressed)
		m_visual->SetTextureOffset(0.0f, 0.5f);
	else if (m_hovered)
		m_visual->SetTextureOffset(0.5f, 0.0f);
	else
		m_visual->SetTextureOffset(0.0f, 0.0f);
}
