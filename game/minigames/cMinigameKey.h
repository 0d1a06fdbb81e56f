#pragma once
// "key": the player rubs a dirty key clean with the cloth ("platok").
// While the cloth is dragged and moves, a rub pass at most every 0.04 s
// fades each dirt piece ("dirt_part_1", ...) under a strip just above the
// cursor by 0.1; the indicator ("fill_ind") fills with the squared share
// of the key parts (property "key" "true") that are clean, a part counting
// as clean at alpha 0.4. The rub sound runs while dirt keeps going. Once
// the key is clean, or when the cloth is let go, the cloth glides back to
// its start at 1000 units a second, and clicks wait for it.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameKey : public cMinigame
{
public:
	explicit cMinigameKey(cSceneObject* parent) : cMinigameKey("key", parent) {}
	cMinigameKey(const std::string& name, cSceneObject* parent);

	// Every dirt piece back at full colour and the indicator empty.
	void Show() override;
	// The cloth back at its start at once.
	void Hide() override;
	bool HandleInput() override;
	void Update(float dt) override;

	const std::vector<cSceneObject*>& GetDirt() const { return m_dirt; }
	const std::vector<cSceneObject*>& GetKeyParts() const { return m_keyParts; }
	bool IsDragging() const { return m_dragging; }
	float GetReturnTimer() const { return m_returnTimer; }
	float GetProgress() const { return m_progress; }

private:
	void CollectPieces();
	// Moves the cloth to the cursor and rubs when it moved.
	void Drag();
	void Rub(const cVector3d& cursor);
	void ShowProgress();
	void StartGlideBack();

	std::vector<cSceneObject*> m_dirt;
	std::vector<cSceneObject*> m_keyParts;
	float m_rubCooldown = 0;
	cMatrix m_startMatrix;
	bool m_dragging = false;
	bool m_rubSoundOn = false;
	float m_rubSoundTimer = 0;
	cSceneObject* m_cloth;
	float m_returnTimer = 0;
	float m_returnDuration = 0;
	cVector3d m_returnOffset;
	float m_progress = 0;
};
