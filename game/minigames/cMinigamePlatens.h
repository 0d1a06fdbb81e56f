#pragma once
// "platens": a melody-memory game on a row of rollers "walik_1",
// "walik_2", ..., each with a note of its own ("melody1", ...). The game
// plays a random melody on the rollers and the player repeats it by
// clicking them. Five stages of 2 to 6 notes; each finished stage lights a
// green lamp ("lamp_green_1", ...), a wrong click lights the red lamps
// ("lamp_red_1", ...) of the stages left and repeats the stage with a new
// melody. Clicks are refused while the melody plays.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigamePlatens : public cMinigame
{
public:
	static constexpr int kStages = 5;

	explicit cMinigamePlatens(cSceneObject* parent) : cMinigamePlatens("platens", parent) {}
	cMinigamePlatens(const std::string& name, cSceneObject* parent);

	// Restarts at the first stage with a new melody; the lamps stay lit.
	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	int GetStage() const { return m_stage; }
	// The roller indexes of the melody to repeat; empty between melodies.
	const std::vector<int>& GetMelody() const { return m_melody; }
	// The melody plays, or is about to: clicks are refused.
	bool IsPlayingMelody() const { return m_playing; }
	const std::vector<cSceneObject*>& GetRollers() const { return m_rollers; }

private:
	void DrawMelody();
	// Plays roller's turn and its note.
	void SoundRoller(int roller);
	void OnRightRoller(int roller);
	void OnWrongRoller();
	// The melody (a new one once it has been emptied) plays after a pause.
	void PlayAfterPause();

	std::vector<cSceneObject*> m_rollers;
	std::vector<cSceneObject*> m_redLamps;
	std::vector<cSceneObject*> m_greenLamps;
	std::vector<int> m_melody;
	size_t m_playPosition = 0;
	size_t m_inputPosition = 0;
	int m_stage = 0;
	bool m_playing = false;
	float m_wait = 0;
};
