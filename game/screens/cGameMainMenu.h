#pragma once
// The title menu "Main Menu", a modal dialog: start, the options window
// (scene "options"), the profile window (scene "profile_menu", when it
// exists), quit, and the buttons high score and help, whose events nobody
// binds. With no current profile it asks for a first player name, and it
// shows a welcome line with the current profile's name. F1 toggles a
// hidden console whose cheat word switches on the profile manager's cheat
// mode; the word also matches behind one extra leading character.
//
// With an effect scene the menu hangs under the "rt/target" of a wrapper
// "disappear" built from that scene, which plays "disappear" as the menu
// leaves. The menu takes input only while working and while its property
// "logo_end" is true; a logo window clears it while it plays and sets it
// when it has gone, and the name prompt waits for it.

#include "engine/resources/cResourceHandle.h"
#include "engine/windows/cGameDialog.h"

#include <string>

class cGameOptionsMenu;
class cGameProfileMenu;

class cGameMainMenu : public cGameDialog
{
public:
	// Builds everything and posts the wrapper (else the menu) under the
	// default camera object. Any thread.
	explicit cGameMainMenu(const std::string& effectSceneName);
	~cGameMainMenu() override;

	void Update(float dt) override;
	bool IsDisappearFinished() override;
	// Enabled exactly while working and while "logo_end" is true.
	void SetState(int state) override;
	void Show() override;
	void Hide() override;

	// Missing sounds leave none.
	void SetMusic(const std::string& name);
	void SetStartSound(const std::string& name);
	// The show sound of the options window (selector "" or "options") and
	// of the profile window (selector "" or "profile").
	void SetSubmenuShowSound(const std::string& selector, const std::string& soundName);

	void OnStartClick(cSceneObject* sender);
	void ShowOptionsMenu(cSceneObject* sender);
	void ShowProfileMenu(cSceneObject* sender);
	// A button asks first; the Yes of the box (no sender) quits.
	void OnQuitClick(cSceneObject* sender);
	void FireHighScore(cSceneObject* sender);
	void FireHelp(cSceneObject* sender);
	// Asks for a first name while there is no current profile and a
	// profile window exists.
	void PromptForName(cSceneObject* sender);
	void OnNameAccepted(cSceneObject* sender);
	void OnNameCancelled(cSceneObject* sender);
	void OnConsoleEnter(cSceneObject* console);

	cGameOptionsMenu* GetOptionsWindow() const { return m_optionsWindow; }
	cGameProfileMenu* GetProfileWindow() const { return m_profileWindow; }
	cSceneObject* GetConsole() const { return m_console; }
	cSceneObject* GetWrapper() const { return m_wrapper; }
	bool IsStartPending() const { return m_startPending; }

private:
	void UpdateConsoleKey();
	void UpdateWelcomeLine();

	cGameOptionsMenu* m_optionsWindow = nullptr;
	cGameProfileMenu* m_profileWindow = nullptr;
	cSceneObject* m_console = nullptr;
	cSceneObject* m_wrapper = nullptr;
	std::wstring m_cachedProfileName;
	std::wstring m_welcomePrefix;
	std::wstring m_welcomeSuffix;
	bool m_startPending = false;
	bool m_logoEnd = true;
	bool m_promptPending = false;
	cResourceHandle m_music;
	cResourceHandle m_startSound;
};
