#include "engine/windows/cGameMessageBox.h"

#include "engine/input/cInputManager.h"
#include "engine/scene/cObjectAnimations.h"
#include "engine/scene/cSceneResource.h"

namespace
{
// The boxes draw after the windows they are asked over.
const int kBoxSortKey = 100;
}

cGameMessageBox::cGameMessageBox(eVariant variant)
	: cGameMessageBox(variant == kOk
		  ? sLayout { "Message Box ( Ok )", "mb_ok", "window_profile_small", "ok", "on_ok", nullptr, nullptr }
		  : sLayout { "Message Box (Yes/No )", "mb_yn", "window_profile_small", "yes", "on_yes", "no", "on_no" })
{
}

cGameMessageBox::cGameMessageBox(const sLayout& layout)
	: cGameDialog(layout.window, nullptr, false), m_panel(layout.panel), m_first(&GetEvents()[layout.firstEvent])
{
	if (layout.secondEvent)
		m_second = &GetEvents()[layout.secondEvent];
	cSceneResource::BuildInto(layout.scene, *this);
	GetAnimations().SetLoopByName("working", true);
	BindChildEvent(PanelPath(layout.firstButton), "on_click",
		tEvent(MakeMemberDelegate(this, &cGameMessageBox::OnFirstButton)));
	if (layout.secondButton)
		BindChildEvent(PanelPath(layout.secondButton), "on_click",
			tEvent(MakeMemberDelegate(this, &cGameMessageBox::OnSecondButton)));
	SetSortKey(kBoxSortKey);
}

bool cGameMessageBox::HandleInput()
{
	if (cInputManager::GetInstance()->IsPressed(cInputManager::kKeyPairsSlot, cInputManager::kPairEnter))
		OnFirstButton(nullptr);
	return false;
}

void cGameMessageBox::OnFirstButton(cSceneObject*)
{
	AnswerAndHide(m_first);
}

void cGameMessageBox::OnSecondButton(cSceneObject*)
{
	AnswerAndHide(m_second);
}

void cGameMessageBox::AnswerAndHide(const tEvent* slot)
{
	InvokeSlot(slot);
	Hide();
}

void cGameMessageBox::InvokeSlot(const tEvent* slot)
{
	if (!slot)
		return;
	// A copy: the handler may bind new delegates to the same slot.
	const tEvent handler = *slot;
	handler.Invoke(nullptr);
}

void cGameMessageBox::SetTitle(const std::string& text)
{
	SetChildText(PanelPath("text_title"), text);
}

void cGameMessageBox::SetMessage(const std::string& text)
{
	SetChildText(PanelPath("text_window"), text);
}

void cGameMessageBox::SetChildText(const std::string& path, const std::string& text)
{
	if (cSceneObject* child = GetChildList().FindByPath(path))
		child->GetProperties().SetProperty("text", text);
}
