#pragma once
// "bag": a six-wheel combination lock. The wheels "code_1", "code_2",
// "code_3", "code_4", "code_6" and "code_7" (no fifth) step through the
// positions "hit1" to "hit6" when clicked (sound "roll"); a wheel never
// turned since the showing reads as "hit6". Once every wheel shows its
// place in kCombination and the wheels have stopped, the bag opens
// ("open") and then the puzzle is solved with the victory sound. A missing
// wheel cannot be turned and does not count against the combination.

#include "game/minigames/cMinigame.h"

#include <map>
#include <vector>

class cMinigameBag : public cMinigame
{
public:
	static constexpr int kWheels = 6;
	// The position (1..6) each wheel must show, in wheel order; the clue
	// painted in the demo's scene gives the same numbers.
	static constexpr int kCombination[kWheels] = {2, 5, 1, 4, 3, 5};

	explicit cMinigameBag(cSceneObject* parent) : cMinigameBag("bag", parent) {}
	cMinigameBag(const std::string& name, cSceneObject* parent);

	// The wheels' positions are forgotten (they keep their look).
	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	// In wheel order; null where the scene has no such wheel.
	const std::vector<cSceneObject*>& GetWheels() const { return m_wheels; }
	// The wheel's position, 6 before its first turn.
	int GetPosition(size_t wheel) const;
	bool IsCorrect() const { return m_correct; }
	bool IsOpened() const { return m_opened; }

private:
	void Turn(size_t wheel);
	bool ShowsCombination() const;

	std::vector<cSceneObject*> m_wheels;
	std::map<std::string, std::string> m_states;
	bool m_correct = false;
	bool m_opened = false;
};
