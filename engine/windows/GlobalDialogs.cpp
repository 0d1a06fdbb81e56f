#include "engine/windows/GlobalDialogs.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cLog.h"
#include "engine/scene/cSceneManager.h"
#include "engine/windows/cGameEditBox.h"

#include <atomic>

namespace
{
// A box as a scene object: the form a box being deleted still has (by then
// it is no longer a Box, so it is never cast back). Written under the
// scene's lock once the box is built, read on the main thread (the logo's
// close reads it inside the update, which holds the lock).
template <class Box>
struct sBoxSlot
{
	std::atomic<cSceneObject*> object { nullptr };

	Box* Load() const { return static_cast<Box*>(object.load(std::memory_order_acquire)); }
};

sBoxSlot<cGameMessageBox> g_okBox;
sBoxSlot<cGameMessageBox> g_yesNoBox;
sBoxSlot<cGameEditBox> g_editBox;

template <class Box>
void Forget(sBoxSlot<Box>& slot, cSceneObject* object)
{
	slot.object.compare_exchange_strong(object, nullptr);
}

// A box deleted with the scene is no longer offered.
void ForgetBox(cSceneObject* box)
{
	Forget(g_okBox, box);
	Forget(g_yesNoBox, box);
	Forget(g_editBox, box);
}

template <class Box>
void Create(sBoxSlot<Box>& slot, Box* (*make)())
{
	if (slot.Load())
		return;
	Box* box = make();
	box->BindEvent("on_delete", cSceneObject::tEvent(MakeFunctionDelegate(&ForgetBox)));
	cSceneManager* scene = cSceneManager::GetInstance();
	cAutoLock lock(scene->GetLock());
	scene->PostReparent(box, cGameWindow::DefaultCameraObject(), cSceneManager::tCompletion());
	slot.object.store(box, std::memory_order_release);
}

// The box when it exists and can take a request; a visible box drops it.
template <class Box>
Box* Available(const sBoxSlot<Box>& slot, const char* name)
{
	Box* box = slot.Load();
	if (!box)
		LOG(2, "%s requested before the global dialogs were created", name);
	return box && !box->IsVisible() ? box : nullptr;
}

void SetTexts(cGameMessageBox* box, const std::wstring& title, const std::wstring& message)
{
	box->SetTitle(Utf8FromWide(title));
	box->SetMessage(Utf8FromWide(message));
}

// Puts the box over its siblings and shows it.
void Open(cGameMessageBox* box)
{
	box->MoveInSiblings(false);
	box->Show();
}

template <class F>
void ForEachBox(F action)
{
	for (cGameMessageBox* box : { g_okBox.Load(), g_yesNoBox.Load(), static_cast<cGameMessageBox*>(g_editBox.Load()) })
		if (box)
			action(box);
}
}

void CreateGlobalDialogs()
{
	Create<cGameMessageBox>(g_okBox, [] { return new cGameMessageBox(cGameMessageBox::kOk); });
	Create<cGameMessageBox>(g_yesNoBox, [] { return new cGameMessageBox(cGameMessageBox::kYesNo); });
	Create<cGameEditBox>(g_editBox, [] { return new cGameEditBox(); });
}

void ShowMessageBoxOk(const std::wstring& title, const std::wstring& message, const cSceneObject::tEvent& onOk)
{
	cGameMessageBox* box = Available(g_okBox, "message box (ok)");
	if (!box)
		return;
	SetTexts(box, title, message);
	box->BindEvent("on_ok", onOk);
	Open(box);
}

void ShowMessageBoxYesNo(const std::wstring& title, const std::wstring& message, const cSceneObject::tEvent& onYes,
	const cSceneObject::tEvent& onNo)
{
	cGameMessageBox* box = Available(g_yesNoBox, "message box (yes/no)");
	if (!box)
		return;
	SetTexts(box, title, message);
	box->BindEvent("on_yes", onYes);
	box->BindEvent("on_no", onNo);
	Open(box);
}

void ShowEditBox(const std::wstring& title, const std::wstring& message, const std::string& text,
	const cSceneObject::tEvent& onAccept, const cSceneObject::tEvent& onCancel, const cSceneObject::tEvent& onEdit)
{
	cGameEditBox* box = Available(g_editBox, "edit box");
	if (!box)
		return;
	SetTexts(box, title, message);
	box->SetEditText(text);
	box->BindEvent("on_accept", onAccept);
	box->BindEvent("on_cancel", onCancel);
	box->BindEvent("on_edit", onEdit);
	Open(box);
}

std::string GetGlobalEditBoxText()
{
	cGameEditBox* box = g_editBox.Load();
	return box ? box->GetText() : std::string();
}

void HideGlobalDialogs()
{
	ForEachBox([](cGameMessageBox* box) {
		if (box->IsVisible())
			box->Hide();
	});
}

void SetGlobalDialogsShowSound(const std::string& name)
{
	ForEachBox([name](cGameMessageBox* box) { box->SetShowSound(name); });
}
