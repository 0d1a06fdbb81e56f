#include "engine/windows/cGameEditBox.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/TextConversion.h"
#include "engine/input/cInputManager.h"

namespace
{
const char* const kEditWidget = "edit_box";
const char* const kOkButton = "ok";
}

cGameEditBox::cGameEditBox()
	: cGameMessageBox(sLayout { "Edit Box", "edit_box", "window_profile_small_q", kOkButton, "on_accept", "cancel",
		  "on_cancel" }),
	  m_edit(&GetEvents()["on_edit"])
{
	BindChildEvent(PanelPath(kEditWidget), "on_change",
		tEvent(MakeMemberDelegate(this, &cGameEditBox::OnTextChanged)));
}

bool cGameEditBox::HandleInput()
{
	cInputManager* input = cInputManager::GetInstance();
	if (m_okEnabled && input->IsPressed(cInputManager::kKeyPairsSlot, cInputManager::kPairEnter))
		OnFirstButton(nullptr);
	else if (input->IsPressed(cInputManager::kKeyboardSlot, DIK_ESCAPE))
		OnSecondButton(nullptr);
	return false;
}

void cGameEditBox::OnTextChanged(cSceneObject*)
{
	m_okEnabled = !TrimmedText().empty();
	if (cSceneObject* ok = GetChildList().FindByPath(PanelPath(kOkButton)))
		ok->GetProperties().SetEnabled(m_okEnabled);
	InvokeSlot(m_edit);
}

void cGameEditBox::SetEditText(const std::string& text)
{
	SetChildText(PanelPath(kEditWidget), text);
}

std::string cGameEditBox::GetText()
{
	return Utf8FromWide(TrimmedText());
}

std::wstring cGameEditBox::TrimmedText()
{
	cSceneObject* edit = GetChildList().FindByPath(PanelPath(kEditWidget));
	std::wstring text;
	if (edit)
		Utf8ToWide(edit->GetProperties().GetProperty("text"), text);
	return TrimWide(text);
}
