#pragma once
// The three boxes the whole game shares: the Ok box, the Yes/No box and the
// edit box. They are created once, hang under the default camera object and
// are reused by every request; each request binds its own delegates. A
// request while the box is still visible is dropped, delegates included.

#include "engine/scene/cSceneObject.h"

#include <string>

// Creates the boxes not created yet (Ok, Yes/No, edit, in that order) and
// posts each under the default camera object. Any thread: each box is
// published only once it is fully built, under the scene's lock.
void CreateGlobalDialogs();

void ShowMessageBoxOk(const std::wstring& title, const std::wstring& message, const cSceneObject::tEvent& onOk);
void ShowMessageBoxYesNo(const std::wstring& title, const std::wstring& message, const cSceneObject::tEvent& onYes,
	const cSceneObject::tEvent& onNo);
// The initial text is UTF-8.
void ShowEditBox(const std::wstring& title, const std::wstring& message, const std::string& text,
	const cSceneObject::tEvent& onAccept, const cSceneObject::tEvent& onCancel, const cSceneObject::tEvent& onEdit);

// The edit box's trimmed text in UTF-8; empty while there is no box.
std::string GetGlobalEditBoxText();

// Hides every created box that is visible.
void HideGlobalDialogs();
// Gives every created box the show sound of the name.
void SetGlobalDialogsShowSound(const std::string& name);
