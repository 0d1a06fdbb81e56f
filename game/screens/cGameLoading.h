#pragma once
// The start-up screen "loading". Its constructor starts the chain of logo
// windows ("gorsim_logo", "druvels_logo"; with a texture "splash" first
// "portal_logo", then "gorsim_logo_splash", "druvels_logo"); the last logo
// shows this window as it starts to disappear. Its Show starts the loader
// thread, which builds every window the game needs later off the main
// thread (the effect window with the game panel, the dialogue manager and
// the help window; the map-effect window with the diary; the minigame
// effect overlay; the main menu) and posts them into the scene. Meanwhile
// the "loading" clips show the progress in real time, never ahead of the
// loader; when they have reached their end after the last step the window
// leaves, shows the main menu and deletes itself.
//
// Closing the game's window while it loads ends the game at once; once
// the built windows are attached the player is asked first.

#include "engine/foundation/cThread.h"
#include "engine/windows/cGameWindow.h"

#include <atomic>

class cGameLogoWindow;
class cGameMainMenu;

class cGameLoading : public cGameWindow, public cThread
{
public:
	// Builds the scene "game_loading" and shows the first logo.
	cGameLoading();
	// Stops the loader (a partly built set of windows is deleted) and marks
	// the logo windows for deletion.
	~cGameLoading() override;

	void Update(float dt) override;
	// Disappear shows the main menu; closed marks this window for deletion.
	void EnterState(int state) override;
	// Shows the window with its "loading" clips at their start and starts
	// the loader thread.
	void Show() override;
	// The loader: runs every step once, then ends.
	bool Step() override;

	// The completion of the effect window's attachment (main thread).
	void OnLoaderFinished(cSceneObject* attached);
	// The close handler while loading: the game ends without a question.
	void OnCloseWhileLoading(bool quitRequested);

	float GetProgress() const { return m_progress.load(std::memory_order_relaxed); }
	float GetShown() const { return m_shown; }
	float GetLength() const { return m_length; }
	bool IsFinished() const { return m_finished; }
	cGameLogoWindow* GetLogo(int index) const { return m_logos[index]; }

private:
	void LoaderThread();
	void BuildEffectWindow();
	void BuildPanel();
	void BuildDialogManager();
	void BuildDiary();
	void BuildHelp();
	void BuildMinigameEffect();
	void StoreDiary();
	void BuildMainMenu();
	void Attach();
	// After a stop request: deletes what the loader built so far.
	void DeleteBuilt();

	tEvent* m_onGameSlot;
	cGameWindow* m_effectWindow = nullptr;
	cGameWindow* m_mapEffect = nullptr;
	cGameWindow* m_diary = nullptr;
	cSceneObject* m_appear = nullptr;
	cGameMainMenu* m_mainMenu = nullptr;
	// Children of the window, each below the logo shown after it: they go
	// with the window, or on their own once they have played.
	cGameLogoWindow* m_logos[3] = {nullptr, nullptr, nullptr};
	// Written by the loader, read by the main thread.
	std::atomic<float> m_progress{0};
	float m_length = 0;
	float m_shown = 0;
	bool m_finished = false;
};

// The close handler once loading has finished: asks whether to quit.
void ConfirmQuit(bool quitRequested);
// The Yes of that question.
void QuitGame(cSceneObject* sender);
// Plays the credits movie "credits", created on first use.
void ShowCredits(cSceneObject* sender);
// Play "fade_out" / "fade_in" on the main menu while the options show.
void FadeOutMainMenu(cSceneObject* sender);
void FadeInMainMenu(cSceneObject* sender);
