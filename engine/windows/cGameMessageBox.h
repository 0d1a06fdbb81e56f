#pragma once
// A global message box built from its scene: the Ok box answers with
// "on_ok", the Yes/No box with "on_yes" or "on_no". A button click or Enter
// answers: the answer's delegate runs, then the box hides. The box stays in
// working until it is answered. A scene without the title or message object
// shows the box without that text.

#include "engine/windows/cGameDialog.h"

class cGameMessageBox : public cGameDialog
{
public:
	enum eVariant
	{
		kOk,
		kYesNo,
	};

	explicit cGameMessageBox(eVariant variant);

	// Enter answers the first button; never takes the input.
	bool HandleInput() override;

	// Run the answer's delegate, when one is bound, then hide the box.
	void OnFirstButton(cSceneObject* sender);
	void OnSecondButton(cSceneObject* sender);

	// Set the UTF-8 "text" of the title or message object, when the scene has it.
	void SetTitle(const std::string& text);
	void SetMessage(const std::string& text);

protected:
	// The names a box is built from: the window, its scene, the panel that
	// holds its objects, and the buttons with the events they answer.
	struct sLayout
	{
		const char* window;
		const char* scene;
		const char* panel;
		const char* firstButton;
		const char* firstEvent;
		const char* secondButton;
		const char* secondEvent;
	};

	explicit cGameMessageBox(const sLayout& layout);

	// The path below the box of the panel's object of the name.
	std::string PanelPath(const char* name) const { return m_panel + "/" + name; }
	void SetChildText(const std::string& path, const std::string& text);
	// Invokes the slot's delegate, when one is bound, with a null argument.
	static void InvokeSlot(const tEvent* slot);

private:
	void AnswerAndHide(const tEvent* slot);

	std::string m_panel;
	tEvent* m_first;
	tEvent* m_second = nullptr;
};
