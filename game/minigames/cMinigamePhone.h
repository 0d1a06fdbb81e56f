#pragma once
// "phone": a telephone keypad whose keys look pushed in while the mouse
// button holds them: a pressed key is hidden and shows the pushed-in art
// behind it. The keys do nothing else: the puzzle has no solve of its own
// and ends through the frame's skip (a win), its close, or the cheat.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigamePhone : public cMinigame
{
public:
	explicit cMinigamePhone(cSceneObject* parent) : cMinigamePhone("phone", parent) {}
	cMinigamePhone(const std::string& name, cSceneObject* parent);

	// Every key up.
	void Show() override;
	bool HandleInput() override;

	// "button_0", "button_1", ... while they last, then the named keys.
	const std::vector<cSceneObject*>& GetKeys() const { return m_keys; }
	cSceneObject* GetPressed() const { return m_pressed; }

private:
	void Release();

	std::vector<cSceneObject*> m_keys;
	cSceneObject* m_pressed = nullptr;
};
