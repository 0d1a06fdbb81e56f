#pragma once
// "terminal": a keypad that opens on the six-digit code kCode. The keys
// "button0", "button1", ... (clickable objects firing "on_click") type
// their digits; the displays "code0" to "code5" show the entry padded
// with "0"s. At the sixth digit the code is judged: the right one plays
// the motion "correct" and solves the puzzle once it has run (no victory
// sound); a wrong one plays "mistake", during which keys are ignored, and
// the entry is emptied once no motion plays. Keys do nothing once solved.

#include "game/minigames/cMinigame.h"

#include <string>
#include <vector>

class cMinigameTerminal : public cMinigame
{
public:
	static constexpr const char* kCode = "402716";

	explicit cMinigameTerminal(cSceneObject* parent) : cMinigameTerminal("terminal", parent) {}
	cMinigameTerminal(const std::string& name, cSceneObject* parent);

	// An empty entry.
	void Show() override;
	void Update(float dt) override;
	// The handler of every key's "on_click".
	void OnKey(cSceneObject* key);

	const std::vector<cSceneObject*>& GetButtons() const { return m_buttons; }
	const std::string& GetEntered() const { return m_entered; }

private:
	void RefreshDisplay();

	std::vector<cSceneObject*> m_buttons;
	std::vector<cSceneObject*> m_displays;
	std::string m_entered;
};
