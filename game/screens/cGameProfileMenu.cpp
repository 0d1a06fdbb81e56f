#include "game/screens/cGameProfileMenu.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/TextConversion.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/resources/cTextManager.h"
#include "engine/windows/GlobalDialogs.h"
#include "game/play/cProfileManager.h"
#include "game/screens/ScreenPlacement.h"

#include <algorithm>

namespace
{
const std::wstring& Text(const char* id)
{
	return cTextManager::GetInstance()->GetText(id);
}

std::vector<std::wstring> ProfileNames()
{
	std::vector<std::wstring> names;
	cProfileManager::GetInstance()->GetProfileNames(names);
	return names;
}

std::wstring CurrentName()
{
	return cProfileManager::GetInstance()->GetCurrentName();
}

std::wstring TypedName()
{
	std::wstring name;
	Utf8ToWide(GetGlobalEditBoxText(), name);
	return name;
}
}

cGameProfileMenu::cGameProfileMenu() : cGameDialog("Profile Menu", nullptr, false)
{
	for (const char* event : {"on_back", "on_create_new"})
		GetEvents()[event];
	BuildScreenScene("profile_menu", *this);
	GetAnimations().SetLoopByName("working", true);
	if (cSceneObject* users = GetChildList().FindChild("window_users"))
		users->GetChildList().CollectNumberedChildren(m_slots, "user_text_", 0);
	for (cSceneObject* slot : m_slots)
		slot->BindEvent("on_click", tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnSlotClick)));
	BindChildEvent("window_users/create", "on_click", tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnCreateClick)));
	BindChildEvent("window_users/rename", "on_click", tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnRenameClick)));
	BindChildEvent("window_users/delete", "on_click", tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnDeleteClick)));
	BindChildEvent("window_users/ok", "on_click", tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnOkClick)));
	QueueUnderCamera(*this);
}

int cGameProfileMenu::FindNameIndex(const std::vector<std::wstring>& names, const std::wstring& name)
{
	auto found = std::find(names.begin(), names.end(), name);
	return found == names.end() ? -1 : int(found - names.begin());
}

void cGameProfileMenu::Show()
{
	cGameDialog::Show();
	Refresh();
}

void cGameProfileMenu::Refresh()
{
	const std::vector<std::wstring> names = ProfileNames();
	const std::wstring current = CurrentName();
	size_t index = 0;
	for (; index < names.size() && index < m_slots.size(); ++index)
	{
		m_slots[index]->GetProperties().SetProperty("text", Utf8FromWide(names[index]));
		if (names[index] == current)
			m_slots[index]->GetProperties().SetProperty("checked", "true");
	}
	for (; index < m_slots.size(); ++index)
		m_slots[index]->GetProperties().SetProperty("text", "");
	if (cSceneObject* create = GetChildList().FindByPath("window_users/create"))
		create->SetEnabled(names.size() < m_slots.size());
}

void cGameProfileMenu::OnSlotClick(cSceneObject* slot)
{
	const std::vector<std::wstring> names = ProfileNames();
	const size_t index = size_t(std::find(m_slots.begin(), m_slots.end(), slot) - m_slots.begin());
	// An empty slot past the last name has no profile: the current one
	// keeps its check mark.
	if (index < names.size())
		cProfileManager::GetInstance()->SelectProfile(names[index]);
	Refresh();
}

void cGameProfileMenu::PromptForNewName(const std::string& text)
{
	ShowEditBox(Text("enter_title"), Text("enter_your_name"), text,
		tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnCreateClick)),
		tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnNameCancelled)), tEvent());
}

void cGameProfileMenu::PromptForRename(const std::string& text)
{
	ShowEditBox(Text("enter_title"), Text("enter_your_name"), text,
		tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnRenameClick)), tEvent(), tEvent());
}

void cGameProfileMenu::ShowNameConflict(const tEvent& onOk)
{
	ShowMessageBoxOk(Text("name_conflict_title"), Text("name_conflict_text"), onOk);
}

void cGameProfileMenu::OnCreateClick(cSceneObject* button)
{
	if (button)
	{
		PromptForNewName("");
		return;
	}
	const std::wstring name = TypedName();
	cProfileManager* profiles = cProfileManager::GetInstance();
	if (profiles->CreateProfile(name))
	{
		profiles->SelectProfile(name);
		Refresh();
		FireEvent("on_create_new");
	}
	else
		ShowNameConflict(tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnNameConflictOk)));
}

void cGameProfileMenu::OnNameConflictOk(cSceneObject*)
{
	PromptForNewName(GetGlobalEditBoxText());
}

void cGameProfileMenu::OnNameCancelled(cSceneObject*)
{
	if (!ProfileNames().empty())
		return;
	ShowMessageBoxYesNo(Text("exit_title"), Text("quit_game"),
		tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnQuitConfirmed)),
		tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnNameConflictOk)));
}

void cGameProfileMenu::OnQuitConfirmed(cSceneObject*)
{
	cWin32Application::GetInstance()->Quit();
}

void cGameProfileMenu::OnRenameClick(cSceneObject* button)
{
	const std::wstring current = CurrentName();
	if (button)
	{
		PromptForRename(Utf8FromWide(current));
		return;
	}
	const std::wstring name = TypedName();
	if (name == current)
		return;
	cProfileManager* profiles = cProfileManager::GetInstance();
	if (profiles->RenameProfile(current, name))
	{
		profiles->SelectProfile(name);
		Refresh();
	}
	else
		ShowNameConflict(tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnRenameConflictOk)));
}

void cGameProfileMenu::OnRenameConflictOk(cSceneObject*)
{
	PromptForRename(GetGlobalEditBoxText());
}

void cGameProfileMenu::OnDeleteClick(cSceneObject* button)
{
	if (button)
	{
		ShowMessageBoxYesNo(Text("delete_profile_title"),
			Text("delete_profile_text_0") + CurrentName() + Text("delete_profile_text_1"),
			tEvent(MakeMemberDelegate(this, &cGameProfileMenu::OnDeleteClick)), tEvent());
		return;
	}
	cProfileManager* profiles = cProfileManager::GetInstance();
	const int index = FindNameIndex(ProfileNames(), CurrentName());
	// Without a current profile there is nothing to delete.
	if (index >= 0)
	{
		profiles->DeleteProfile(ProfileNames()[size_t(index)]);
		const std::vector<std::wstring> left = ProfileNames();
		if (left.empty())
			OnCreateClick(this);
		else
			profiles->SelectProfile(left[std::min(size_t(index), left.size() - 1)]);
	}
	Refresh();
}

void cGameProfileMenu::OnOkClick(cSceneObject*)
{
	Hide();
	FireEvent("on_back");
}
