#pragma once
// The window "Profile Menu" in which the player manages the player
// profiles: the names in ascending order in the text slots
// "window_users/user_text_<n>" with the current one checked, and the
// buttons create, rename, delete and ok under "window_users". Names are
// typed into the global edit box; a name in use is reported with the
// global Ok box. Every change goes through the profile manager.
//
// The handlers shared by a button and a box tell the two apart by their
// argument: a button passes itself (the handler asks), a box passes
// nothing (the handler acts on the answer).

#include "engine/windows/cGameDialog.h"

#include <string>
#include <vector>

class cGameProfileMenu : public cGameDialog
{
public:
	// Builds the scene "profile_menu" and posts the window under the
	// default camera object.
	cGameProfileMenu();

	// Shows the window and refreshes the slots.
	void Show() override;

	// Fills the slots from the manager's names and checks the current one;
	// create is enabled while a slot is free.
	void Refresh();

	// Selects the slot's profile; a slot without a name selects nothing.
	void OnSlotClick(cSceneObject* slot);
	void OnCreateClick(cSceneObject* button);
	void OnRenameClick(cSceneObject* button);
	// Without a current profile a confirmed delete deletes nothing.
	void OnDeleteClick(cSceneObject* button);
	void OnOkClick(cSceneObject* button);
	void OnNameConflictOk(cSceneObject* box);
	void OnRenameConflictOk(cSceneObject* box);
	void OnNameCancelled(cSceneObject* box);
	void OnQuitConfirmed(cSceneObject* box);

	const std::vector<cSceneObject*>& GetSlots() const { return m_slots; }

	// The position of the first equal name, -1 when absent.
	static int FindNameIndex(const std::vector<std::wstring>& names, const std::wstring& name);

private:
	// The create prompt with the initial text.
	void PromptForNewName(const std::string& text);
	void PromptForRename(const std::string& text);
	static void ShowNameConflict(const tEvent& onOk);

	std::vector<cSceneObject*> m_slots;
};
