#include "game/minigames/cMinigamePeriscope.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameParts.h"

#include <algorithm>
#include <iterator>

namespace
{
const char* const kGreen = "green";
const char* const kRed = "red";
const char* const kMoving = "moving";
// The glide back to the start covers this many units a second.
constexpr float kReturnSecondsPerUnit = 0.0005f;

struct sDirection
{
	const char* button;
	int du;
	int dr;
	// The window's motion that moves the view by one cell.
	const char* motion;
};

const sDirection kDirections[] = {
	{ "button_left", 0, -1, "left" },
	{ "button_right", 0, 1, "right" },
	{ "button_up", 1, 0, "up" },
	{ "button_down", -1, 0, "down" },
};
}

const std::vector<cMinigamePeriscope::sCell>& cMinigamePeriscope::Route()
{
	static const std::vector<sCell> route(std::begin(kPeriscopeRoute), std::end(kPeriscopeRoute));
	return route;
}

cMinigamePeriscope::cMinigamePeriscope(const std::string& name, cSceneObject* parent)
	: cMinigame(name, parent), m_route(Route())
{
	m_frame = FindRequiredChild(*this, "scope");
	if (m_frame)
		ClipCameraTo(*this, *m_frame);
	m_view = FindRequiredChild(*this, "esb");
	if (m_view)
	{
		m_glass = FindRequiredChild(*m_view, "window");
		m_startMatrix = m_view->GetTransform().GetLocalMatrix();
	}
	for (const sDirection& direction : kDirections)
	{
		m_buttons.push_back(FindRequiredChild(*this, direction.button));
		if (m_buttons.back())
			m_buttons.back()->BindEvent("on_click", tEvent(MakeMemberDelegate(this, &cMinigamePeriscope::OnDirection)));
	}
	if (cSceneObject* center = FindRequiredChild(*this, "button_center"))
		center->BindEvent("on_click", tEvent(MakeMemberDelegate(this, &cMinigamePeriscope::OnCenter)));
	MapSound(kMoving, "moving9loc");
}

void cMinigamePeriscope::Show()
{
	cMinigame::Show();
	if (m_glass)
		m_glass->SetVisible(true);
	if (m_view)
	{
		m_view->GetTransform().SetLocalMatrix(m_startMatrix);
		m_view->GetMotions().Rebase(false);
	}
	m_moving = false;
	m_returning = false;
	m_u = 0;
	m_r = 0;
	m_step = 0;
	m_offRoute = false;
	PlayLamp(kGreen);
}

bool cMinigamePeriscope::IsOnRoute(int step) const
{
	return step >= 0 && step < int(m_route.size()) && m_route[size_t(step)] == sCell { m_u, m_r };
}

void cMinigamePeriscope::PlayLamp(const char* look)
{
	GetMotions().PlayByName(look);
	GetAnimations().PlayByName(look);
}

void cMinigamePeriscope::OnDirection(cSceneObject* button)
{
	const auto found = std::find(m_buttons.begin(), m_buttons.end(), button);
	if (m_solved || !m_view || m_moving || m_returning || found == m_buttons.end())
		return;
	const sDirection& direction = kDirections[std::distance(m_buttons.begin(), found)];
	const int u = m_u + direction.du;
	const int r = m_r + direction.dr;
	if (u < 0 || u > kPeriscopeMaxU || r < 0 || r > kPeriscopeMaxR)
		return;
	m_u = u;
	m_r = r;
	GetMotions().PlayByName(direction.motion);
	PlaySound(kMoving, false, true);
	if (!m_offRoute)
		++m_step;
	if (IsOnRoute(m_step))
	{
		if (m_offRoute)
			PlayLamp(kGreen);
		m_offRoute = false;
		if (m_step == int(m_route.size()) - 1 && m_glass)
			m_glass->SetVisible(false);
	}
	else
	{
		if (!m_offRoute)
		{
			PlayLamp(kRed);
			--m_step;
		}
		m_offRoute = true;
	}
	m_moving = true;
}

void cMinigamePeriscope::OnCenter(cSceneObject*)
{
	if (m_solved || !m_view || m_moving)
		return;
	m_u = 0;
	m_r = 0;
	m_step = 0;
	m_offRoute = false;
	PlayLamp(kGreen);
	m_returning = true;
	m_returnOffset = m_startMatrix.GetTranslation() - m_view->GetTransform().GetLocalMatrix().GetTranslation();
	m_returnDuration = m_returnTimer = m_returnOffset.Length() * kReturnSecondsPerUnit;
}

void cMinigamePeriscope::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_solved && m_u == m_route.back().u && m_r == m_route.back().r && m_step == int(m_route.size()) - 1)
		Solve();
	if (!m_view)
		return;
	if (m_returning)
	{
		m_moving = false;
		m_returnTimer -= dt;
		cMatrix place = m_view->GetTransform().GetLocalMatrix();
		if (m_returnTimer <= 0)
		{
			m_returning = false;
			place = m_startMatrix;
		}
		else
			place.SetTranslation(place.GetTranslation() + m_returnOffset * (dt / m_returnDuration));
		m_view->GetTransform().SetLocalMatrix(place);
		if (!m_returning)
			m_view->GetMotions().Rebase(false);
	}
	else if (m_moving && !GetAnimations().IsPlaying() && !GetMotions().IsPlaying())
	{
		m_view->GetMotions().Rebase(false);
		m_moving = false;
	}
}
