#include "game/minigames/cMinigameLock.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "engine/scene/cSceneManager.h"
#include "game/minigames/MinigameDial.h"
#include "game/minigames/MinigameMouse.h"

#include <algorithm>
#include <cmath>

namespace
{
const char* const kRotate = "rotate";
const char* const kRotateLock = "rotate_lock";
const char* const kShake = "shake";
const char* const kUse = "use";
// Seconds the turning sound goes on after the cursor stopped.
constexpr float kRotatePause = 0.2f;
// A try turns the lock when the pin is this close; an open lock has
// turned a quarter of "rotate_lock".
constexpr float kReach = 0.15f;
constexpr float kOpenCloseness = 0.1f;
constexpr float kOpenTurn = 0.25f;

// The clip's time as a share of its length; 0 without a length.
float ShareOf(const cObjectMotions& motions, const char* clip)
{
	const float length = motions.GetLengthByName(clip);
	return length > 0 ? motions.GetTimeByName(clip) / length : 0.0f;
}
}

cMinigameLock::cMinigameLock(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	m_pin = GetChildList().FindChild("shpilka");
	m_lock = GetChildList().FindByPath("lock_parent/lock");
	if (!m_pin || !m_lock)
		LOG(2, "lock: the scene of '%s' lacks %s: it can only be skipped or closed", name.c_str(),
			m_pin ? "\"lock_parent/lock\"" : "the pin \"shpilka\"");
	if (m_pin)
		m_pinCentre = WorldBoxCentre(*this, *m_pin);
	MapSound(kRotate, "shpilka_loop");
	MapSound(kUse, "key_use");
}

void cMinigameLock::Show()
{
	cMinigame::Show();
	m_position = 0;
	m_grabbing = false;
	m_phase = kIdle;
	const char* const motions[] = { kRotateLock };
	RestClips(*this, motions, 1);
	m_target = RandomFloat();
	m_rotateTimer = 0;
}

void cMinigameLock::Hide()
{
	cMinigame::Hide();
	StopSound(kRotate);
}

float cMinigameLock::CircularDistance(float x) const
{
	return std::min({ std::fabs(1 - x + m_target), std::fabs(x - m_target), x + 1 - m_target });
}

bool cMinigameLock::HandleInput()
{
	if (m_solved || !m_pin || !m_lock)
		return false;
	if (m_grabbing)
	{
		if (IsLeftDown())
			TurnPin();
		else
		{
			m_grabbing = false;
			StopSound(kRotate);
		}
		return false;
	}
	if (!IsLeftPressed())
		return false;
	if (IsPointedAt(*m_pin))
	{
		m_lastCursor = cSceneManager::GetInstance()->GetPickRay().origin;
		m_grabbing = true;
	}
	else if (IsPointedAt(*m_lock))
		TryLock();
	return false;
}

void cMinigameLock::TurnPin()
{
	const cVector3d cursor = cSceneManager::GetInstance()->GetPickRay().origin;
	if ((cursor - m_lastCursor).Length() <= 0)
	{
		if (m_rotateTimer < 0)
			StopSound(kRotate);
		return;
	}
	const float angle = TurnAbout(m_pinCentre, m_lastCursor, cursor);
	if (angle != 0 && !IsSoundPlaying(kRotate))
		PlaySound(kRotate, true, true);
	m_position = WrapTurn(m_position + angle);
	m_lastCursor = cursor;
	SeekRotate(*this, m_position);
	m_rotateTimer = kRotatePause;
}

void cMinigameLock::TryLock()
{
	GetMotions().PlayByName("push");
	GetAnimations().PlayByName("push");
	PlaySound(kUse, false, true);
	m_closeness = kReach - CircularDistance(ShareOf(GetMotions(), kRotate));
	if (m_closeness < 0)
	{
		GetMotions().PlayByName(kShake);
		m_phase = kShaking;
		return;
	}
	GetMotions().SetDirectionByName(kRotateLock, true);
	GetMotions().ResumeByName(kRotateLock);
	if (m_closeness >= kOpenCloseness)
	{
		m_phase = kOpening;
		m_closeness = kReach;
	}
	else
		m_phase = kTurningShort;
}

void cMinigameLock::Update(float dt)
{
	cMinigame::Update(dt);
	m_rotateTimer -= dt;
	cObjectMotions& motions = GetMotions();
	// A try turns the lock by its closeness' share of a quarter.
	if (m_phase != kTurningBack && motions.IsPlayingByName(kRotateLock) &&
		m_closeness / kReach * kOpenTurn <= ShareOf(motions, kRotateLock))
		motions.StopByName(kRotateLock);
	switch (m_phase)
	{
	case kTurningShort:
		if (!motions.IsPlayingByName(kRotateLock))
		{
			motions.PlayByName(kShake);
			m_phase = kShaking;
		}
		break;
	case kShaking:
		if (!motions.IsPlayingByName(kShake))
		{
			motions.SetDirectionByName(kRotateLock, false);
			motions.ResumeByName(kRotateLock);
			m_phase = kTurningBack;
		}
		break;
	case kTurningBack:
		if (!motions.IsPlayingByName(kRotateLock))
			m_phase = kIdle;
		break;
	case kOpening:
		if (!m_solved && !motions.IsPlayingByName(kRotateLock))
			Solve();
		break;
	default:
		break;
	}
}
