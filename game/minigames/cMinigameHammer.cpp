#include "game/minigames/cMinigameHammer.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/cLog.h"
#include "engine/scene/cCameraObject.h"
#include "game/minigames/MinigameMouse.h"

namespace
{
const char* const kDown = "down";
// Seconds before the first swing, and between strikes.
constexpr float kFirstCooldown = 0.4f;
constexpr float kCooldown = 0.5f;
// Swing seconds: a good strike lies between the two; the longest swing
// strikes by itself.
constexpr float kWeakest = 0.2f;
constexpr float kStrongest = 0.55f;
constexpr float kLongestSwing = 1.6f;
// The share of the hit clip after which the stone reacts.
constexpr float kLandingShare = 0.45f;
// The strike effect's depth, in front of the stone.
constexpr float kStrikeDepth = -1200.0f;

void PlayEverywhere(cSceneObject& object, const std::string& clip)
{
	object.GetMotions().PlayByName(clip);
	object.GetAnimations().PlayByName(clip);
}

cSceneObject* FindReported(cSceneObject& window, const std::string& path)
{
	cSceneObject* found = window.GetChildList().FindByPath(path);
	if (!found)
		LOG(2, "Minigame '%s' has no object '%s'", window.GetName().c_str(), path.c_str());
	return found;
}
}

cMinigameHammer::cMinigameHammer(const std::string& name, cSceneObject* parent)
	: cMinigame(name, parent), m_background(FindReported(*this, "bg")), m_strikeEffect(FindReported(*this, "strike")),
	  m_emitter(FindReported(*this, "molotok/emiter"))
{
	if (m_emitter)
		m_emitter->SetVisible(false);
	MapSound("stone-stroke", "stone_stroke");
	GetCamera()->GetCamera().SetClipBox(true, m_windowBox);
}

void cMinigameHammer::Show()
{
	cMinigame::Show();
	m_cooldown = kFirstCooldown;
	m_goodStrikes = 0;
	m_striking = false;
}

bool cMinigameHammer::HandleInput()
{
	if (m_solved || m_goodStrikes >= kGoodStrikesToWin || m_striking || m_cooldown >= 0)
		return false;
	if (!m_swinging && IsLeftDown())
	{
		StartSwing();
		return false;
	}
	// A release strikes with the power of the latest swing, even after a
	// swing that has already struck.
	if ((m_swinging && m_power >= kLongestSwing) || IsLeftReleased())
		Strike();
	return false;
}

void cMinigameHammer::StartSwing()
{
	m_power = 0;
	m_swinging = true;
	GetMotions().PlayByName(kDown);
	if (cSceneObject* sign = GetChildList().FindChild("indicator_sign"))
		sign->GetMotions().StopAll();
	GetMotions().SeekByName(kDown, GetMotions().GetLength());
}

void cMinigameHammer::Strike()
{
	// The hammer falls from where the swing has raised it.
	const float raised = GetMotions().GetTimeByName(kDown);
	GetMotions().PlayByName(kDown);
	GetMotions().SeekByName(kDown, raised);
	m_swinging = false;
	m_striking = true;
	if (m_power < kWeakest)
	{
		m_missed = true;
		m_hitClip = "hit6";
	}
	else if (m_power > kStrongest)
	{
		m_missed = true;
		m_hitClip = "hit1";
	}
	else
	{
		++m_goodStrikes;
		m_missed = false;
		const int strength = m_goodStrikes / 3;
		m_hitClip = strength > 3 ? "hit5" : "hit" + std::to_string(strength + 2);
	}
	PlayEverywhere(*this, m_hitClip);
}

void cMinigameHammer::Update(float dt)
{
	if (!m_striking && m_cooldown < 0)
		dt *= 0.8f + float(m_goodStrikes) / 3.0f;
	cMinigame::Update(dt);
	m_cooldown -= dt;
	if (m_swinging)
	{
		GetMotions().SeekByName(kDown, (1 - Clamp(m_power, 0, 1)) * GetMotions().GetLengthByName(kDown));
		m_power += dt;
	}
	if (m_goodStrikes >= kGoodStrikesToWin && !IsBusy())
	{
		Solve();
		return;
	}
	if (m_striking && HasStrikeLanded())
		EndStrike();
}

bool cMinigameHammer::HasStrikeLanded()
{
	const float length = GetMotions().GetLengthByName(m_hitClip);
	// A hit clip that is missing, or over before this frame, lands at once.
	if (length <= 0 || !IsBusy())
		return true;
	return GetMotions().GetTimeByName(m_hitClip) / length > kLandingShare;
}

void cMinigameHammer::EndStrike()
{
	m_cooldown = kCooldown;
	m_striking = false;
	if (!m_missed)
		PlayEverywhere(*this, "break" + std::to_string(m_goodStrikes));
	if (m_background)
		PlayEverywhere(*m_background, "shake");
	if (m_strikeEffect)
	{
		cVector3d place = m_emitter ? m_emitter->GetTransform().GetWorldMatrix().GetTranslation() : cVector3d();
		place.z = kStrikeDepth;
		cMatrix world;
		world.MakeTranslation(place);
		m_strikeEffect->GetTransform().SetWorldMatrix(world);
		PlayEverywhere(*m_strikeEffect, "strike");
	}
	PlaySound("stone-stroke", false, true);
}

