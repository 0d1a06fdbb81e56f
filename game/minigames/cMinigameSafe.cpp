#include "game/minigames/cMinigameSafe.h"

#include "engine/foundation/cLog.h"
#include "engine/scene/cSceneManager.h"
#include "game/minigames/MinigameDial.h"
#include "game/minigames/MinigameMouse.h"
#include "game/minigames/SafeCombination.h"
#include "game/minigames/SafeDial.h"

#include <iterator>

namespace
{
const char* const kRotate = "rotate";
const char* const kMatch = "match";
// Seconds after a turning sound before the next one may start.
constexpr float kSoundPause = 0.3f;
// The handle turns twice as far as the cursor goes round it.
constexpr float kTurnRatio = 2.0f;
}

cMinigameSafe::cMinigameSafe(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	m_handle = GetChildList().FindChild("handle");
	if (m_handle)
		m_handleCentre = WorldBoxCentre(*this, *m_handle);
	else
		LOG(2, "safe: the scene of '%s' has no \"handle\": it can only be skipped or closed", name.c_str());
	for (int symbol = 1; symbol <= kSymbols; ++symbol)
	{
		const std::string symbolName = "symbol_" + std::to_string(symbol) + "_active";
		m_symbols.push_back(GetChildList().FindChild(symbolName));
		if (!m_symbols.back())
			LOG(2, "safe: no \"%s\", that symbol does not light", symbolName.c_str());
	}
	MapSound(kRotate, "safe_rotate");
	MapSound(kMatch, "bingo");
}

void cMinigameSafe::Show()
{
	cMinigame::Show();
	m_grabbing = false;
	m_position = 0;
	RestClips(*this, nullptr, 0);
	m_soundPause = 0;
	m_matched = 0;
}

int cMinigameSafe::SymbolAt(float position)
{
	return SafeSymbolAt(position);
}

bool cMinigameSafe::HandleInput()
{
	if (m_solved || !m_handle)
		return false;
	if (m_grabbing)
	{
		if (IsLeftDown())
			TurnHandle();
		else
			LetGo();
	}
	else if (IsLeftPressed() && IsPointedAt(*m_handle))
	{
		m_lastCursor = cSceneManager::GetInstance()->GetPickRay().origin;
		m_grabbing = true;
	}
	return false;
}

void cMinigameSafe::TurnHandle()
{
	const cVector3d cursor = cSceneManager::GetInstance()->GetPickRay().origin;
	if ((cursor - m_lastCursor).Length() <= 0)
		return;
	m_position = WrapTurn(m_position + kTurnRatio * TurnAbout(m_handleCentre, m_lastCursor, cursor));
	m_lastCursor = cursor;
	SeekRotate(*this, m_position);
	if (!IsSoundPlaying(kRotate) && m_soundPause < 0)
	{
		PlaySound(kRotate, false, true);
		m_soundPause = kSoundPause;
	}
}

void cMinigameSafe::LetGo()
{
	m_grabbing = false;
	const int symbol = SymbolAt(m_position);
	if (symbol < 0 || symbol != kSafeCombination[m_matched])
		return;
	if (cSceneObject* lit = m_symbols[size_t(symbol)])
	{
		lit->GetAnimations().PlayByName("light");
		lit->GetMotions().PlayByName("light");
	}
	PlaySound(kMatch, false, true);
	if (++m_matched >= int(std::size(kSafeCombination)))
		Solve();
}

void cMinigameSafe::Update(float dt)
{
	cMinigame::Update(dt);
	if (!IsSoundPlaying(kRotate))
		m_soundPause -= dt;
}
