#include "game/screens/cDiaryWindow.h"

#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundResource.h"
#include "game/play/LocationGlobals.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/ScreenPlacement.h"

#include <algorithm>

namespace
{
const float kAppearTime = 1.5f;
const float kDepth = -1600;
const int kSortKey = 50;

cSceneObject* DiaryParent(cGameWindow* mapEffect)
{
	return mapEffect ? mapEffect->GetChildList().FindByPath("rt/target") : nullptr;
}

const std::vector<int>& MapPlaces()
{
	static const std::vector<int> none;
	return g_currentProgress ? g_currentProgress->mapPlaces : none;
}
}

cDiaryWindow::cDiaryWindow(cGameWindow* mapEffect) : cGameWaitDialog("map", DiaryParent(mapEffect)), m_mapEffect(mapEffect)
{
	s_instance = this;
	BuildScreenScene("diary", *this);
	cChildList& children = GetChildList();
	children.CollectNumberedChildren(m_points, "", 1);
	children.CollectNumberedChildren(m_labels, "location", 0);
	m_diaryText = children.FindChild("diary_text");
	for (cSceneObject* point : m_points)
		point->BindEvent("on_click", tEvent(MakeMemberDelegate(this, &cDiaryWindow::SelectPoint)));
	GetProperties().GetMap().BindInt(
		"complete", cDelegatePtr<int*>(), cDelegatePtr<int*>(MakeMemberDelegate(this, &cDiaryWindow::SetComplete)));
	BindChildEvent("close", "on_click", tEvent(MakeMemberDelegate(this, &cDiaryWindow::OnCloseClick)));
	m_music.BindByName<cSoundResource>("track07map");
}

cDiaryWindow::~cDiaryWindow()
{
	if (s_instance == this)
		s_instance = nullptr;
}

void cDiaryWindow::OnLoaded()
{
	SetSortKey(kSortKey);
}

int cDiaryWindow::IndexOf(cSceneObject* point) const
{
	auto found = std::find(m_points.begin(), m_points.end(), point);
	return point && found != m_points.end() ? int(found - m_points.begin()) : -1;
}

cSceneObject* cDiaryWindow::CurrentPlacePoint() const
{
	const std::vector<int>& places = MapPlaces();
	if (places.empty() || m_points.empty() || places.back() < 0)
		return nullptr;
	return m_points[std::min(size_t(places.back()), m_points.size() - 1)];
}

void cDiaryWindow::ShowLabel(int index, bool visible)
{
	if (index >= 0 && size_t(index) < m_labels.size())
		m_labels[size_t(index)]->SetVisible(visible);
}

void cDiaryWindow::EnableClose(bool enabled)
{
	if (cSceneObject* close = GetChildList().FindChild("close"))
		close->SetEnabled(enabled);
}

void cDiaryWindow::Show()
{
	SetSortKey(kSortKey);
	g_locationToShow = nullptr;
	PlayClips(*this, "start");
	m_loadingMode = m_nextMode;
	m_nextMode = true;
	m_loaded = false;
	Singletone<cSoundManager>::GetInstance()->PlayMusic(m_music);
	if (m_mapEffect)
		m_mapEffect->Show();
	m_appearCountdown = kAppearTime;
	cGameWaitDialog::Show();
	PlaceAtDepth(*this, kDepth);

	for (cSceneObject* label : m_labels)
		label->SetVisible(false);
	const std::vector<int>& places = MapPlaces();
	for (size_t index = 0; index < m_points.size(); ++index)
	{
		m_points[index]->SetVisible(std::find(places.begin(), places.end(), int(index)) != places.end());
		m_points[index]->SetEnabled(true);
	}
	m_selectedPoint = nullptr;
	SelectPoint(CurrentPlacePoint());
	// Nobody waits on the diary: a "map" command goes on at once, so that
	// the location it starts loads while the diary shows.
	SetWaiting(false);

	if (m_loadingMode)
	{
		PlayClips(*this, "main");
		PlayClips(*this, "loading");
	}
	else
	{
		PlayClips(*this, "start");
		PlayClips(*this, "visible");
	}
	EnableClose(!m_loadingMode);
}

void cDiaryWindow::SelectPoint(cSceneObject* point)
{
	if (point && point == m_selectedPoint)
		return;
	ShowLabel(IndexOf(m_selectedPoint) + 1, false);
	if (m_selectedPoint)
		m_selectedPoint->SetEnabled(true);
	m_selectedPoint = point;
	if (point)
		point->SetEnabled(false);
	const int selected = IndexOf(point) + 1;
	ShowLabel(selected, true);
	if (m_diaryText)
		m_diaryText->GetProperties().SetProperty("text_id", "diary\\location" + std::to_string(selected));
	PlayClips(*this, "hide");
	StopClips(*this, "hide");
}

void cDiaryWindow::SetComplete(int* value)
{
	// A negative place would be kept in the profile and index before the
	// points when shown.
	if (!g_currentProgress || *value <= 0)
		return;
	std::vector<int>& places = g_currentProgress->mapPlaces;
	if (std::find(places.begin(), places.end(), *value - 1) != places.end())
		return;
	places.push_back(*value - 1);
	m_revealPhase = 1;
}

bool cDiaryWindow::IsAppearFinished()
{
	if (!m_loadingMode)
		return cGameWaitDialog::IsAppearFinished();
	m_appearCountdown -= m_frameTime;
	GetTransform().SetColor(1, 1, 1, 1);
	if (m_appearCountdown >= 0)
		return false;
	if (m_revealPhase == 1)
	{
		if (cSceneObject* point = CurrentPlacePoint())
			point->SetVisible(true);
		PlayClips(*this, "hide");
	}
	return cGameWaitDialog::IsAppearFinished();
}

void cDiaryWindow::Update(float dt)
{
	m_frameTime = dt;
	cGameWaitDialog::Update(dt);
	if (!m_loaded && !g_locationLoading && m_loadingMode)
	{
		m_loaded = true;
		PlayClips(*this, "complete");
		StopClips(*this, "main");
		EnableClose(true);
	}
	if (GetState() != kWorking)
		return;
	if (m_revealPhase == 1 && !IsPlayingClips(*this, "hide"))
	{
		SelectPoint(CurrentPlacePoint());
		PlayClips(*this, "show");
		m_revealPhase = 2;
	}
	else if (m_revealPhase == 2 && !IsPlayingClips(*this, "show"))
		m_revealPhase = 0;
}

void cDiaryWindow::OnCloseClick(cSceneObject* clicked)
{
	if (g_locationLoading || clicked->GetTransform().GetEffectiveColor().a < 1)
		return;
	if (m_loadingMode)
		if (cGameWindow* location = g_locationToShow)
			location->Show();
	SetWaiting(false);
	Hide();
}

void cDiaryWindow::Hide()
{
	if (m_loadingMode)
	{
		// The diary leaves with the map-effect window's "disappear".
		if (m_mapEffect)
			m_mapEffect->Hide();
		SetState(kDisappear);
		return;
	}
	cResourceHandle music;
	if (g_currentProgress && !g_currentProgress->music.empty())
		music.BindByName<cSoundResource>(g_currentProgress->music.c_str());
	Singletone<cSoundManager>::GetInstance()->PlayMusic(music);
	cGameDialog::Hide();
}

bool cDiaryWindow::IsDisappearFinished()
{
	if (!m_loadingMode)
	{
		const bool finished = cGameWaitDialog::IsDisappearFinished();
		if (finished && m_mapEffect)
			m_mapEffect->SetVisible(false);
		return finished;
	}
	if (m_mapEffect && m_mapEffect->GetAnimations().IsPlayingByName("disappear"))
		return false;
	m_revealPhase = 0;
	cGameDialog::Hide();
	SetVisible(false);
	return true;
}

void cDiaryWindow::SetState(int state)
{
	SetEnabled(state == kWorking);
	cGameWaitDialog::SetState(state);
}
