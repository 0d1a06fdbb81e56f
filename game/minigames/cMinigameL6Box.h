#pragma once
// "l6_box": a keypad that opens on the code kCode. The keys "button_0",
// "button_1", ... type their digits; "button_p" and "button_on" click but
// type nothing. A key looks pressed (hidden) while the button is held on
// it; every key plays "button" (the sound "button_click"). The displays
// "code1" to "code4" show the digits typed, padded with spaces. A fifth
// digit empties the entry and is itself lost. The right code solves the
// puzzle silently: the window closes with the win a second later.

#include "game/minigames/cMinigame.h"

#include <string>
#include <vector>

class cMinigameL6Box : public cMinigame
{
public:
	static constexpr const char* kCode = "9847";

	explicit cMinigameL6Box(cSceneObject* parent) : cMinigameL6Box("l6_box", parent) {}
	cMinigameL6Box(const std::string& name, cSceneObject* parent);

	// An empty entry; every key up.
	void Show() override;
	bool HandleInput() override;

	// The digit keys first, then "button_p" and "button_on".
	const std::vector<cSceneObject*>& GetButtons() const { return m_buttons; }
	const std::string& GetEntered() const { return m_entered; }

private:
	void Press(size_t key);
	void Release();
	void RefreshDisplay();

	std::vector<cSceneObject*> m_buttons;
	// The keys before this index type their index as a digit.
	size_t m_digitKeys = 0;
	std::vector<cSceneObject*> m_displays;
	cSceneObject* m_pressed = nullptr;
	std::string m_entered;
};
