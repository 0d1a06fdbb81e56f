#pragma once
// "hammer": the player holds the left button to raise the hammer (the clip
// "down" runs backwards as the power grows) and releases it to strike the
// stone. A swing of 0.2 to 0.55 seconds is a good strike; seven break the
// stone. Each good strike makes the next swing faster, and the whole window
// with it while the hammer rests. A swing held for 1.6 seconds strikes by
// itself, always too hard. Strikes play "hit<n>", good ones "break<n>",
// the background "bg" shakes, "strike" flashes at the hammer's "emiter".

#include "game/minigames/cMinigame.h"

class cMinigameHammer : public cMinigame
{
public:
	static constexpr int kGoodStrikesToWin = 7;

	explicit cMinigameHammer(cSceneObject* parent) : cMinigameHammer("hammer", parent) {}
	cMinigameHammer(const std::string& name, cSceneObject* parent);

	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	int GetGoodStrikes() const { return m_goodStrikes; }
	bool IsSwinging() const { return m_swinging; }
	bool IsStriking() const { return m_striking; }
	float GetCooldown() const { return m_cooldown; }
	float GetPower() const { return m_power; }
	const std::string& GetHitClip() const { return m_hitClip; }

private:
	void StartSwing();
	void Strike();
	// The strike has gone far enough: the stone reacts.
	bool HasStrikeLanded();
	void EndStrike();

	cSceneObject* m_background;
	cSceneObject* m_strikeEffect;
	cSceneObject* m_emitter;
	float m_power = 0;
	bool m_swinging = false;
	bool m_striking = false;
	bool m_missed = false;
	float m_cooldown = 0;
	int m_goodStrikes = 0;
	std::string m_hitClip;
};
