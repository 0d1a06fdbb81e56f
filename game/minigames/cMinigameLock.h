#pragma once
// "lock": the player grabs the pin "shpilka" and turns it by circling the
// cursor about it; its position is a fraction of a turn. A click on the
// lock ("lock_parent/lock") tries it: far from the hidden right position
// the lock only shakes ("shake"); close to it the lock turns part of the
// way ("rotate_lock"), shakes and turns back; within 0.05 it turns a
// quarter and opens. The right position is drawn anew at each showing.

#include "game/minigames/cMinigame.h"

class cMinigameLock : public cMinigame
{
public:
	enum ePhase
	{
		kIdle,
		kTurningShort,
		kShaking,
		kTurningBack,
		kOpening,
	};

	explicit cMinigameLock(cSceneObject* parent) : cMinigameLock("lock", parent) {}
	cMinigameLock(const std::string& name, cSceneObject* parent);

	// The pin at 0, the lock at rest, a new right position.
	void Show() override;
	// Also stops the pin's turning sound.
	void Hide() override;
	bool HandleInput() override;
	void Update(float dt) override;

	// The distance between x and the right position on a circle of
	// circumference 1.
	float CircularDistance(float x) const;

	float GetPosition() const { return m_position; }
	float GetTarget() const { return m_target; }
	int GetPhase() const { return m_phase; }
	bool IsGrabbing() const { return m_grabbing; }
	cSceneObject* GetPin() const { return m_pin; }
	cSceneObject* GetLock() const { return m_lock; }

private:
	void TurnPin();
	void TryLock();

	cSceneObject* m_pin = nullptr;
	cSceneObject* m_lock = nullptr;
	cVector3d m_lastCursor;
	cVector3d m_pinCentre;
	bool m_grabbing = false;
	float m_position = 0;
	float m_target = 0;
	int m_phase = kIdle;
	// Counts down from each turning step; the sound stops once it is below 0.
	float m_rotateTimer = 0;
	// 0.15 less the pin's distance from the right position at the last try.
	float m_closeness = 0;
};
