#include "game/screens/cMovieWindow.h"

#include "engine/input/cInputManager.h"
#include "engine/windows/GlobalDialogs.h"
#include "game/screens/ScreenPlacement.h"

#include <algorithm>

namespace
{
const float kDepth = -1200;
const float kClickGuard = 2;
const int kSortKey = 40;
const char* const kMovieName = "movie";
}

cMovieWindow::cMovieWindow(const std::string& sceneName, cSceneObject* parent) : cGameWaitDialog(sceneName, parent)
{
	BuildScreenScene(sceneName, *this);
	GetProperties().GetMap().BindBoolVariable("notclicked", &m_notClicked);
	m_notClicked = false;
}

void cMovieWindow::OnLoaded()
{
	SetSortKey(kSortKey);
}

void cMovieWindow::Show()
{
	HideGlobalDialogs();
	cGameWaitDialog::Show();
	PlayClips(*this, kMovieName);
	m_noMovie = !IsPlayingClips(*this, kMovieName);
	if (m_noMovie)
		m_notClicked = true;
	PlaceAtDepth(*this, kDepth);
	m_remaining = std::max(GetAnimations().GetLength(), GetMotions().GetLength());
	m_clickGuard = kClickGuard;
}

void cMovieWindow::Update(float dt)
{
	cGameWindow::Update(dt);
	m_remaining -= dt;
	m_clickGuard -= dt;
	// A window without a movie ends like a movie of no length, once it is
	// working: nobody else ends the wait of its owner.
	if ((m_remaining < 0 && !m_noMovie) || (m_noMovie && GetState() == kWorking))
		SetWaiting(false);
	if (!IsWaiting() && GetState() == kWorking)
		Hide();
}

bool cMovieWindow::HandleInput()
{
	if (m_clickGuard < 0 && !m_notClicked)
	{
		cInputManager* input = Singletone<cInputManager>::GetInstance();
		if (input->IsPressed(cInputManager::kKeyboardSlot, DIK_ESCAPE) ||
			input->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
			SetWaiting(false);
	}
	return false;
}

void cMovieWindow::EnterState(int state)
{
	cGameWindow::EnterState(state);
	if (state == kDisappear || state == kClosed)
	{
		SetWaiting(false);
		SetModal(false);
	}
}

void cMovieWindow::Hide()
{
	HideGlobalDialogs();
	cGameDialog::Hide();
	SetWaiting(false);
}
