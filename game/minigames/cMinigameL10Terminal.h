#pragma once
// "l10_terminal": a panel of push buttons ("button_0", "button_1", ...,
// then "button_in" and "button_number") of which two must be held pressed
// together. A click (sound "click") presses a button (hides it, showing
// the pressed art behind) or, when it is one of the two remembered,
// releases it; a third press releases the earliest. The pair kPair, in
// either order, solves the puzzle silently: the window closes with the
// win a second later.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameL10Terminal : public cMinigame
{
public:
	// The indexes in the button list of the right pair; the clue painted in
	// the demo's scene names the same buttons.
	static constexpr size_t kPair[2] = {3, 8};

	explicit cMinigameL10Terminal(cSceneObject* parent) : cMinigameL10Terminal("l10_terminal", parent) {}
	cMinigameL10Terminal(const std::string& name, cSceneObject* parent);

	// Nothing remembered; the buttons keep their look.
	void Show() override;
	bool HandleInput() override;

	const std::vector<cSceneObject*>& GetButtons() const { return m_buttons; }
	cSceneObject* GetOlder() const { return m_older; }
	cSceneObject* GetNewer() const { return m_newer; }

private:
	void Click(cSceneObject* button);
	bool HoldsPair() const;

	std::vector<cSceneObject*> m_buttons;
	cSceneObject* m_older = nullptr;
	cSceneObject* m_newer = nullptr;
};
