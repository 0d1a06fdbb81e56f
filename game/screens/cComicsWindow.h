#pragma once
// A comic strip shown as a waiting dialog built from the scene of its name.
// The scene's "show" clips run through the number of parts given by the
// property "parts" of its object "root"; a left click jumps to the end of
// the part that plays. Once everything has played, the prompt
// "press_any_key" fades in at the bottom of the screen and the next left
// click ends the wait and closes the window.

#include "engine/windows/cGameWaitDialog.h"

class cTextObject;

class cComicsWindow : public cGameWaitDialog
{
public:
	// A missing scene leaves the window empty (the prompt hangs under the
	// window itself then); "parts" below 1 counts as one part.
	cComicsWindow(const std::string& sceneName, cSceneObject* parent);

	// Never consumes the input.
	bool HandleInput() override;
	void Update(float dt) override;
	void Show() override;

	// Seeks "show" to the end of the part that plays; the animations stay.
	void SkipToPartEnd();

	cTextObject* GetPressKeyText() const { return m_pressKeyText; }
	float GetPartLength() const { return m_partLength; }
	bool IsPromptShown() const { return m_promptShown; }

private:
	cTextObject* m_pressKeyText = nullptr;
	float m_partLength = 0;
	float m_promptCountdown = 0;
	bool m_promptShown = false;
	bool m_startPending = false;
};
