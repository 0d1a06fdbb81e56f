#include "game/screens/cGameLoading.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/windows/GlobalDialogs.h"
#include "engine/windows/cGameLogoWindow.h"
#include "game/location/CurrentLocation.h"
#include "game/minigames/MinigameEffect.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cDialogManager.h"
#include "game/screens/ScreenPlacement.h"
#include "game/screens/cDiaryWindow.h"
#include "game/screens/cGameMainMenu.h"
#include "game/screens/cGameOptionsMenu.h"
#include "game/screens/cHelpManager.h"
#include "game/screens/cMovieWindow.h"

#include <algorithm>
#include <cmath>

namespace
{
// The credits, once played.
cMovieWindow* s_credits = nullptr;
// The loading window while it exists: the attachment it posted may be
// applied after a close during loading has deleted it.
cGameLoading* s_loading = nullptr;

void OnAttached(cSceneObject* attached)
{
	if (s_loading)
		s_loading->OnLoaderFinished(attached);
}

const int kMapEffectSortKey = 50;

bool HasSplashTexture()
{
	cAutoLock lock(cResourceManager::GetInstance()->GetLock());
	return !cResourceIndex::IsGone() && cResourceManager::GetTypeIndex<cTextureResource>().Find("splash");
}

// A window that hangs nowhere yet, built from the scene "page_rotate".
cGameWindow* NewPageWindow(const std::string& name)
{
	auto* window = new cGameWindow(name, nullptr, false);
	BuildScreenScene("page_rotate", *window);
	window->SetHideSound("journal_page");
	return window;
}
}

cGameLoading::cGameLoading() : cGameWindow("loading", nullptr, true), m_onGameSlot(&GetEvents()["on_game"])
{
	s_loading = this;
	BuildScreenScene("game_loading", *this);
	m_logos[0] = new cGameLogoWindow("druvels_logo", this);
	cGameLogoWindow* first = nullptr;
	if (HasSplashTexture())
	{
		m_logos[1] = new cGameLogoWindow("gorsim_logo_splash", m_logos[0]);
		m_logos[2] = new cGameLogoWindow("portal_logo", m_logos[1]);
		first = m_logos[2];
	}
	else
	{
		m_logos[1] = new cGameLogoWindow("gorsim_logo", m_logos[0]);
		first = m_logos[1];
	}
	first->Show();
}

cGameLoading::~cGameLoading()
{
	Stop();
	if (s_loading == this)
		s_loading = nullptr;
	// The close handler must not reach a window that is gone.
	if (!m_finished)
		cWin32Application::GetInstance()->SetCloseHandler(cDelegatePtr<bool>());
}

void cGameLoading::Show()
{
	cWin32Application::GetInstance()->SetCloseHandler(
		cDelegatePtr<bool>(MakeMemberDelegate(this, &cGameLoading::OnCloseWhileLoading)));
	m_progress.store(0, std::memory_order_relaxed);
	m_shown = 0;
	m_finished = false;
	// The "loading" clips stand still at their start: Update seeks them.
	PlayClips(*this, "loading");
	GetMotions().StopAll();
	GetAnimations().StopAll();
	cGameWindow::Show();
	cThread::Start();
	m_length = GetMotions().GetLengthByName("loading");
}

void cGameLoading::Update(float dt)
{
	cGameWindow::Update(dt);
	m_shown = std::clamp(m_shown + dt, 0.0f, GetProgress() * m_length);
	GetMotions().SeekByName("loading", m_shown);
	GetAnimations().SeekByName("loading", m_length > 0 ? m_shown / m_length : GetProgress());
	if (m_finished && std::fabs(m_shown - m_length) < 0.001f && GetState() == kWorking)
		Hide();
}

void cGameLoading::EnterState(int state)
{
	cGameWindow::EnterState(state);
	if (state == kDisappear && m_mainMenu)
	{
		m_mainMenu->Show();
		PlayClips(*m_mainMenu, "working");
		PlayClips(*m_mainMenu, "appear");
	}
	else if (state == kClosed)
		MarkForDelete();
}

void cGameLoading::OnLoaderFinished(cSceneObject*)
{
	m_finished = true;
	cWin32Application::GetInstance()->SetCloseHandler(cDelegatePtr<bool>(MakeFunctionDelegate(&ConfirmQuit)));
}

void cGameLoading::OnCloseWhileLoading(bool)
{
	cWin32Application* application = cWin32Application::GetInstance();
	delete this;
	application->Quit();
}

bool cGameLoading::Step()
{
	LoaderThread();
	return false;
}

void cGameLoading::LoaderThread()
{
	CreateGlobalDialogs();
	SetGlobalDialogsShowSound("menu_appear");
	const struct
	{
		float progress;
		void (cGameLoading::*work)();
	} steps[] = {
		{0.1f, &cGameLoading::BuildEffectWindow},
		{0.2f, &cGameLoading::BuildPanel},
		{0.3f, &cGameLoading::BuildDialogManager},
		{0.4f, &cGameLoading::BuildDiary},
		{0.5f, &cGameLoading::BuildHelp},
		{0.6f, &cGameLoading::BuildMinigameEffect},
		{0.7f, &cGameLoading::StoreDiary},
		{0.8f, &cGameLoading::BuildMainMenu},
		{1.0f, &cGameLoading::Attach},
	};
	for (const auto& step : steps)
	{
		if (IsStopRequested())
		{
			DeleteBuilt();
			return;
		}
		m_progress.store(step.progress, std::memory_order_relaxed);
		(this->*step.work)();
	}
}

void cGameLoading::BuildEffectWindow()
{
	m_effectWindow = NewPageWindow("effect");
}

void cGameLoading::BuildPanel()
{
	new cGamePanel(m_effectWindow);
}

void cGameLoading::BuildDialogManager()
{
	new cDialogManager(m_effectWindow);
}

void cGameLoading::BuildDiary()
{
	m_mapEffect = NewPageWindow("map_effect");
	m_mapEffect->SetSortKey(kMapEffectSortKey);
	m_diary = new cDiaryWindow(m_mapEffect);
}

void cGameLoading::BuildHelp()
{
	new cHelpManager(m_effectWindow);
}

void cGameLoading::BuildMinigameEffect()
{
	CreateMinigameEffect();
}

void cGameLoading::StoreDiary()
{
	SetDiaryWindow(m_diary);
}

void cGameLoading::BuildMainMenu()
{
	auto* menu = new cGameMainMenu("page_rotate");
	m_mainMenu = menu;
	SetMainMenuWindow(menu);
	SetEffectWindow(m_effectWindow);
	if (cSceneObject* start = menu->GetChildList().FindByPath("main_menu_back/start"))
		start->GetProperties().SetProperty("click_snd", "");
	menu->BindChildEvent("main_menu_back/text_profile_select", "on_click", tEvent(MakeFunctionDelegate(&ShowCredits)));
	menu->SetHideSound("journal_page");
	menu->SetMusic("track00menu");
	menu->SetStartSound("game_start");
	menu->BindEvent("on_game", *m_onGameSlot);
	menu->BindEvent("on_options", tEvent(MakeFunctionDelegate(&FadeOutMainMenu)));
	menu->GetOptionsWindow()->BindEvent("close", tEvent(MakeFunctionDelegate(&FadeInMainMenu)));
	menu->SetSubmenuShowSound("", "menu_appear");
	menu->SetShowSound("mainmenuappear");
	m_appear = new cSceneObject("appear", nullptr);
	BuildScreenScene("main_menu_appear", *m_appear);
}

void cGameLoading::Attach()
{
	cSceneManager* scene = cSceneManager::GetInstance();
	cAutoLock lock(scene->GetLock());
	scene->PostReparent(m_appear, m_mainMenu, cSceneManager::tCompletion());
	scene->PostReparent(m_mapEffect, scene->GetRoot(), cSceneManager::tCompletion());
	scene->PostReparent(m_effectWindow, scene->GetRoot(),
		cSceneManager::tCompletion(MakeFunctionDelegate(&OnAttached)));
}

void cGameLoading::DeleteBuilt()
{
	delete m_appear;
	delete m_mapEffect;
	delete m_effectWindow;
	m_appear = nullptr;
	m_mapEffect = nullptr;
	m_effectWindow = nullptr;
	// The globals no longer name the deleted windows.
	if (GetDiaryWindow() == m_diary)
		SetDiaryWindow(nullptr);
	m_diary = nullptr;
	SetEffectWindow(nullptr);
}

void ConfirmQuit(bool)
{
	cTextManager* texts = cTextManager::GetInstance();
	ShowMessageBoxYesNo(texts->GetText("exit_title"), texts->GetText("quit_game"),
		cSceneObject::tEvent(MakeFunctionDelegate(&QuitGame)), cSceneObject::tEvent());
}

void QuitGame(cSceneObject*)
{
	cWin32Application::GetInstance()->Quit();
}

void ShowCredits(cSceneObject*)
{
	if (!s_credits)
		s_credits = new cMovieWindow("credits", nullptr);
	s_credits->Show();
	s_credits->GetProperties().SetProperty("notclicked", "false");
}

void FadeOutMainMenu(cSceneObject*)
{
	if (cGameWindow* menu = GetMainMenuWindow())
		PlayClips(*menu, "fade_out");
}

void FadeInMainMenu(cSceneObject*)
{
	if (cGameWindow* menu = GetMainMenuWindow())
		PlayClips(*menu, "fade_in");
}
