#include "game/minigames/cMinigamePlatens.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"

namespace
{
// Seconds before a melody plays.
constexpr float kPause = 1.2f;
const int kMelodyLengths[cMinigamePlatens::kStages] = {2, 3, 4, 5, 6};

std::string NoteEvent(int roller)
{
	return "melody" + std::to_string(roller + 1);
}

void FadeOn(const std::vector<cSceneObject*>& lamps, size_t index)
{
	if (index < lamps.size())
		lamps[index]->GetMotions().PlayByName("fadeon");
}
}

cMinigamePlatens::cMinigamePlatens(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	GetChildList().CollectNumberedChildren(m_rollers, "walik_", 1);
	GetChildList().CollectNumberedChildren(m_redLamps, "lamp_red_", 1);
	GetChildList().CollectNumberedChildren(m_greenLamps, "lamp_green_", 1);
	if (m_rollers.empty())
		LOG(2, "Minigame '%s' has no rollers 'walik_1'...: it can only be skipped or closed", name.c_str());
	for (int note = 0; note < 6; ++note)
		MapSound(NoteEvent(note), NoteEvent(note));
	MapSound("error", "error");
	MapSound("bingo", "bingo");
}

void cMinigamePlatens::Show()
{
	cMinigame::Show();
	m_melody.clear();
	m_playPosition = 0;
	m_inputPosition = 0;
	m_stage = 0;
	PlayAfterPause();
}

void cMinigamePlatens::PlayAfterPause()
{
	m_playing = true;
	m_wait = kPause;
}

void cMinigamePlatens::DrawMelody()
{
	const int rollers = int(m_rollers.size());
	for (int i = 0; i < kMelodyLengths[m_stage]; ++i)
	{
		int note = rollers > 0 ? Random() % rollers : 0;
		// No note twice in a row.
		if (!m_melody.empty() && note == m_melody.back())
			note = note + 1 < rollers ? note + 1 : 0;
		m_melody.push_back(note);
	}
	m_playPosition = 0;
	m_inputPosition = 0;
}

void cMinigamePlatens::SoundRoller(int roller)
{
	if (size_t(roller) < m_rollers.size())
		m_rollers[size_t(roller)]->GetMotions().PlayByName("wal1");
	PlaySound(NoteEvent(roller), false, true);
}

void cMinigamePlatens::Update(float dt)
{
	cMinigame::Update(dt);
	m_wait -= dt;
	if (!m_playing || (m_wait > 0 && m_stage < kStages))
		return;
	// The last stage is done: solved at once, whether or not its last
	// roller and lamp still move.
	if (m_stage >= kStages)
	{
		Solve();
		return;
	}
	if (m_melody.empty())
		DrawMelody();
	if (IsBusy())
		return;
	if (m_playPosition >= m_melody.size())
	{
		m_playing = false;
		return;
	}
	SoundRoller(m_melody[m_playPosition++]);
}

bool cMinigamePlatens::HandleInput()
{
	if (m_solved || m_playing || !IsLeftPressed() || IsBusy())
		return false;
	for (size_t roller = 0; roller < m_rollers.size(); ++roller)
	{
		if (!IsPointedAt(*m_rollers[roller]))
			continue;
		if (m_inputPosition < m_melody.size() && m_melody[m_inputPosition] == int(roller))
			OnRightRoller(int(roller));
		else
			OnWrongRoller();
		break;
	}
	return false;
}

void cMinigamePlatens::OnRightRoller(int roller)
{
	SoundRoller(roller);
	if (++m_inputPosition < m_melody.size())
		return;
	PlaySound("bingo", false, true);
	m_melody.clear();
	FadeOn(m_greenLamps, size_t(m_stage));
	++m_stage;
	PlayAfterPause();
}

void cMinigamePlatens::OnWrongRoller()
{
	PlaySound("error", false, true);
	for (int stage = m_stage; stage < kStages; ++stage)
		FadeOn(m_redLamps, size_t(stage));
	m_melody.clear();
	m_inputPosition = 0;
	PlayAfterPause();
}
