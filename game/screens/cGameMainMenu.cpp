#include "game/screens/cGameMainMenu.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/TextConversion.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "engine/widgets/cEditBox.h"
#include "engine/windows/GlobalDialogs.h"
#include "game/location/CurrentLocation.h"
#include "game/play/cProfileManager.h"
#include "game/screens/ScreenPlacement.h"
#include "game/screens/cGameOptionsMenu.h"
#include "game/screens/cGameProfileMenu.h"

namespace
{
const int kWrapperSortKey = 60;
const wchar_t kCheatWord[] = L"quillmap";

const std::wstring& Text(const char* id)
{
	return cTextManager::GetInstance()->GetText(id);
}

void StopAllClips(cSceneObject& object)
{
	object.GetMotions().StopAll();
	object.GetAnimations().StopAll();
}
}

cGameMainMenu::cGameMainMenu(const std::string& effectSceneName) : cGameDialog("Main Menu", nullptr, false)
{
	for (const char* event : {"on_game", "on_options", "on_high_score", "on_help", "on_profile"})
		GetEvents()[event];
	if (!effectSceneName.empty() && SceneExists(effectSceneName))
	{
		m_wrapper = new cSceneObject("disappear", GetParent());
		BuildScreenScene(effectSceneName, *m_wrapper);
		m_wrapper->SetSortKey(kWrapperSortKey);
		if (cSceneObject* target = m_wrapper->GetChildList().FindByPath("rt/target"))
			GetChildList().SetParent(target, false);
		else
			LOG(1, "Main menu: scene '%s' has no 'rt/target'\n", effectSceneName.c_str());
	}
	BuildScreenScene("mainmenu", *this);
	GetAnimations().SetLoopByName("working", true);
	m_optionsWindow = new cGameOptionsMenu("options");
	if (SceneExists("profile_menu"))
		m_profileWindow = new cGameProfileMenu();

	m_console = new cEditBox("console", this);
	m_console->SetVisible(false);
	m_console->GetProperties().SetProperty("max_length", "16");
	m_console->GetProperties().SetProperty("font_id", "0");
	m_console->BindEvent("on_enter", tEvent(MakeMemberDelegate(this, &cGameMainMenu::OnConsoleEnter)));

	const struct
	{
		const char* name;
		void (cGameMainMenu::*handler)(cSceneObject*);
	} buttons[] = {
		{"start", &cGameMainMenu::OnStartClick},
		{"text_profile_select", &cGameMainMenu::ShowProfileMenu},
		{"options", &cGameMainMenu::ShowOptionsMenu},
		{"quit", &cGameMainMenu::OnQuitClick},
		{"high_score", &cGameMainMenu::FireHighScore},
		{"help", &cGameMainMenu::FireHelp},
	};
	for (const char* prefix : {"", "main_menu_back/"})
		for (const auto& button : buttons)
			BindChildEvent(prefix + std::string(button.name), "on_click",
				tEvent(MakeMemberDelegate(this, button.handler)));

	m_welcomePrefix = Text("profile_welcome_0");
	m_welcomeSuffix = Text("profile_welcome_1");
	m_logoEnd = true;
	m_promptPending = false;
	GetProperties().GetMap().BindBoolVariable("logo_end", &m_logoEnd);
	QueueUnderCamera(m_wrapper ? *m_wrapper : *this);
}

cGameMainMenu::~cGameMainMenu()
{
	if (GetMainMenuWindow() == this)
		SetMainMenuWindow(nullptr);
}

void cGameMainMenu::SetMusic(const std::string& name)
{
	m_music.BindByName<cSoundResource>(name.c_str());
}

void cGameMainMenu::SetStartSound(const std::string& name)
{
	m_startSound.BindByName<cSoundResource>(name.c_str());
}

void cGameMainMenu::SetSubmenuShowSound(const std::string& selector, const std::string& soundName)
{
	if (selector.empty() || selector == "options")
		m_optionsWindow->SetShowSound(soundName);
	if ((selector.empty() || selector == "profile") && m_profileWindow)
		m_profileWindow->SetShowSound(soundName);
}

void cGameMainMenu::SetState(int state)
{
	SetEnabled(m_logoEnd && state == kWorking);
	cGameWindow::SetState(state);
}

void cGameMainMenu::Show()
{
	PlayClips(*this, "start");
	if (m_wrapper)
	{
		m_wrapper->SetVisible(true);
		PlayClips(*m_wrapper, "disappear");
		StopAllClips(*m_wrapper);
	}
	HideGlobalDialogs();
	cGameDialog::Show();
	m_startPending = false;
	if (m_music)
		cSoundManager::GetInstance()->PlayMusic(m_music);
	if (m_logoEnd)
	{
		SetEnabled(true);
		PromptForName(nullptr);
	}
	else
	{
		m_promptPending = true;
		SetEnabled(false);
	}
}

void cGameMainMenu::Hide()
{
	StopAllClips(m_wrapper ? *m_wrapper : *this);
	cGameDialog::Hide();
	if (m_wrapper)
		PlayClips(*m_wrapper, "disappear");
}

bool cGameMainMenu::IsDisappearFinished()
{
	if (m_wrapper)
	{
		if (m_wrapper->GetMotions().IsPlaying() || m_wrapper->GetAnimations().IsPlaying())
			return false;
		m_wrapper->SetVisible(false);
	}
	return cGameWindow::IsDisappearFinished();
}

void cGameMainMenu::UpdateConsoleKey()
{
	if (!cInputManager::GetInstance()->IsPressed(cInputManager::kKeyboardSlot, DIK_F1))
		return;
	m_console->SetVisible(!m_console->IsVisible());
	m_console->GetProperties().SetProperty("text", "");
}

void cGameMainMenu::UpdateWelcomeLine()
{
	const std::wstring name = cProfileManager::GetInstance()->GetCurrentName();
	if (name == m_cachedProfileName)
		return;
	m_cachedProfileName = name;
	cSceneObject* line = GetChildList().FindChild("text_profile_welcome");
	if (!line)
		line = GetChildList().FindByPath("main_menu_back/text_profile_welcome");
	if (line)
		line->GetProperties().SetProperty("text", Utf8FromWide(m_welcomePrefix + L" " + name + m_welcomeSuffix));
}

void cGameMainMenu::Update(float dt)
{
	cGameWindow::Update(dt);
	UpdateConsoleKey();
	if (m_promptPending && m_logoEnd && !IsEnabled())
	{
		m_promptPending = false;
		SetEnabled(GetState() == kWorking);
		PromptForName(nullptr);
	}
	if (m_startPending && !IsPlayingClips(*this, "game_start"))
	{
		SetEnabled(true);
		m_startPending = false;
		FireEvent("on_game");
	}
	UpdateWelcomeLine();
}

void cGameMainMenu::OnStartClick(cSceneObject*)
{
	// Without a player there is no progress to play with.
	if (cProfileManager::GetInstance()->GetCurrentName().empty())
		return;
	SetEnabled(false);
	cSoundRegistry::GetInstance()->Play(m_startSound, false);
	m_startPending = true;
	PlayClips(*this, "game_start");
}

void cGameMainMenu::ShowOptionsMenu(cSceneObject*)
{
	m_optionsWindow->MoveInSiblings(false);
	m_optionsWindow->Show();
	FireEvent("on_options");
}

void cGameMainMenu::ShowProfileMenu(cSceneObject*)
{
	if (!m_profileWindow)
		return;
	m_profileWindow->MoveInSiblings(false);
	m_profileWindow->Show();
	FireEvent("on_profile");
}

void cGameMainMenu::OnQuitClick(cSceneObject* sender)
{
	if (sender)
		ShowMessageBoxYesNo(Text("exit_title"), Text("quit_game"),
			tEvent(MakeMemberDelegate(this, &cGameMainMenu::OnQuitClick)), tEvent());
	else
		cWin32Application::GetInstance()->Quit();
}

void cGameMainMenu::FireHighScore(cSceneObject*)
{
	FireEvent("on_high_score");
}

void cGameMainMenu::FireHelp(cSceneObject*)
{
	FireEvent("on_help");
}

void cGameMainMenu::PromptForName(cSceneObject*)
{
	if (!cProfileManager::GetInstance()->GetCurrentName().empty() || !m_profileWindow)
		return;
	ShowEditBox(Text("enter_title"), Text("enter_your_name"), "",
		tEvent(MakeMemberDelegate(this, &cGameMainMenu::OnNameAccepted)),
		tEvent(MakeMemberDelegate(this, &cGameMainMenu::OnNameCancelled)), tEvent());
}

void cGameMainMenu::OnNameAccepted(cSceneObject*)
{
	std::wstring name;
	Utf8ToWide(GetGlobalEditBoxText(), name);
	cProfileManager* profiles = cProfileManager::GetInstance();
	profiles->CreateProfile(name);
	profiles->SelectProfile(name);
}

void cGameMainMenu::OnNameCancelled(cSceneObject*)
{
	ShowMessageBoxYesNo(Text("exit_title"), Text("quit_game"),
		tEvent(MakeMemberDelegate(this, &cGameMainMenu::OnQuitClick)),
		tEvent(MakeMemberDelegate(this, &cGameMainMenu::PromptForName)));
}

void cGameMainMenu::OnConsoleEnter(cSceneObject* console)
{
	std::wstring word;
	Utf8ToWide(console->GetProperties().GetProperty("text"), word);
	const std::wstring shortWord = word.empty() ? std::wstring() : word.substr(1);
	if (shortWord == kCheatWord || word == kCheatWord)
	{
		cProfileManager::GetInstance()->SetCheatMode(true);
		cWin32Application::GetInstance()->SetTitle("Cheat mode");
	}
	LOG(0, "Word: %S\n", shortWord.c_str());
	console->SetVisible(false);
}
