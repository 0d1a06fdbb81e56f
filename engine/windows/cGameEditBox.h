#pragma once
// The global text-entry box: OK (or Enter) accepts with "on_accept" while
// the trimmed text is not empty, Cancel (or Escape) answers "on_cancel",
// and every change of the text fires "on_edit". A scene without the title,
// message or edit object shows the box without that text.

#include "engine/windows/cGameMessageBox.h"

class cGameEditBox : public cGameMessageBox
{
public:
	cGameEditBox();

	bool HandleInput() override;

	// The edit widget's change: OK is enabled while the trimmed text is not
	// empty; then "on_edit" runs.
	void OnTextChanged(cSceneObject* sender);

	// Sets the UTF-8 "text" of the edit widget, when the scene has it.
	void SetEditText(const std::string& text);
	// The edit widget's text without leading and trailing blanks, in UTF-8.
	std::string GetText();
	bool IsOkEnabled() const { return m_okEnabled; }

private:
	std::wstring TrimmedText();

	tEvent* m_edit;
	bool m_okEnabled = false;
};
