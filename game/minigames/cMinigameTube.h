#pragma once
// "tube": a flute whose valves ("kapan_off_1", ...; pressed looks
// "kapan_on_1", ...) must be pressed in a hidden order of four, drawn anew
// at each showing. Every right press moves the indicator ("open_1", ...,
// steps "open_<n>_on" and "open_<n>_off") one step on; a wrong press lets
// every pressed valve spring back and the search starts again. After the
// fourth right press the key comes out ("key", sound "keys") and the puzzle
// is solved once the key's sound has ended. The first valve never belongs
// to the order, and valves pressed rightly in an earlier showing stay
// pressed until a wrong press.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameTube : public cMinigame
{
public:
	explicit cMinigameTube(cSceneObject* parent) : cMinigameTube("tube", parent) {}
	cMinigameTube(const std::string& name, cSceneObject* parent);

	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;
	// Every valve is enabled and shown.
	void ResetValves();

	// The valve indexes to press, in order.
	const std::vector<int>& GetOrder() const { return m_order; }
	int GetProgress() const { return m_progress; }
	const std::vector<cSceneObject*>& GetValves() const { return m_valves; }

private:
	void Judge(int valve);
	// The valve's motion "klapan_<valve + 1>_<look>" on the whole window.
	void PlayValveMotion(int valve, const char* look);
	void PlayIndicatorStep(int step, const char* state);

	std::vector<cSceneObject*> m_indicators;
	std::vector<cSceneObject*> m_valves;
	std::vector<cSceneObject*> m_pressedLooks;
	std::vector<int> m_order;
	int m_progress = 0;
	// The valve waiting to be judged, or -1.
	int m_pressed = -1;
};
