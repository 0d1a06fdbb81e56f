#pragma once
// The application: the single main window and its window procedure, the
// clock, and the frame loop that drives a cApplicationHandler. Other parts
// attach to it for activation changes, the close command, double clicks,
// the window and instance handles, the cursor and the time base.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cDelegate.h"
#include "engine/foundation/sStartupParams.h"

#include <atomic>
#include <string>
#include <vector>

class cApplicationHandler;

class cWin32Application : public Singletone<cWin32Application>
{
public:
	// 1 ms timer resolution, the processor mask of the main thread, and the
	// counter frequency.
	cWin32Application();
	~cWin32Application() override;

	// Claims the single-instance mutex (named className + "my_project"),
	// registers the class and creates the window. False, without a log
	// line, when another copy of the program runs; false with a log line
	// when the class or the window cannot be made.
	bool CreateMainWindow(const sStartupParams& params, const char* className, const char* title);

	// The frame loop; returns the wParam of the last message retrieved.
	int Run(cApplicationHandler& handler);
	// Ends the loop after the current pass; always true.
	bool Quit();
	// Quit was asked for: the loop ends after its current pass.
	bool IsQuitRequested() const { return m_quitRequested; }
	// The exit code of the WM_QUIT that ended the last loop; 0 when it ended
	// otherwise. Non-zero when the system ended the run abnormally.
	int GetQuitCode() const { return m_quitCode; }

	// The performance counter in seconds; any thread.
	double GetTime() const;

	// Restyles and places the window: full screen keeps place and size and
	// goes topmost; windowed gets a caption and a client area of exactly
	// width by height at (x, y). Always true.
	bool SetWindowMode(int x, int y, int width, int height, bool fullScreen);

	// Sets the cursor, remembers it for WM_SETCURSOR and returns the one
	// set before. Any thread.
	HCURSOR SetCursor(HCURSOR cursor);

	void SetTitle(const std::string& title);
	// UTF-16 text, one unit per element.
	void SetTitleW(const std::wstring& title);

	void SetCloseHandler(const cDelegatePtr<bool>& handler);
	// Appends the listener unless an equal one is listed.
	void AddListener(const cDelegatePtr<bool>& listener);
	// Removes the first equal listener, if any.
	void RemoveListener(const cDelegatePtr<bool>& listener);
	// button 0 left, 1 middle, 2 right.
	void SetDoubleClickHandler(int button, const cDelegatePtr<int>& handler);
	// Optional hooks that receive the point (x, y) of the mouse message.
	void SetMouseHooks(const cDelegatePtr<int*>& leftButtonDown, const cDelegatePtr<int*>& mouseMove,
		const cDelegatePtr<int*>& leftButtonUp);

	// Any thread (the mouse reader asks for it).
	HWND GetWindowHandle() const { return m_window; }
	HINSTANCE GetInstanceHandle() const { return m_params.instance; }
	// Any thread (the mouse reader polls it).
	bool IsActive() const { return m_active; }
	bool IsFullScreen() const { return m_fullScreen; }
	// (0, 0, width, height) of the last SetWindowMode.
	const RECT& GetClientRectangle() const { return m_clientRect; }

	LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
	// Reaches the application stored in the window at its creation.
	static LRESULT CALLBACK StaticWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

	bool RegisterWindowClass(const char* className);
	LRESULT OnSysCommand(HWND window, WPARAM command, LPARAM lParam);
	void OnMouse(const cDelegatePtr<int*>& hook, LPARAM lParam);
	void SetActive(bool active);
	void NotifyListeners(bool active);

	bool m_quitRequested = false;
	int m_quitCode = 0;
	bool m_running = false;
	std::atomic<bool> m_active{false};
	sStartupParams m_params{};
	std::atomic<HWND> m_window{nullptr};
	HANDLE m_mutex;
	HICON m_largeIcon = nullptr;
	HICON m_smallIcon = nullptr;
	std::atomic<HCURSOR> m_cursor{nullptr};
	RECT m_clientRect{0, 0, 0, 0};
	bool m_fullScreen = false;
	long long m_frequency = 1;
	std::vector<cDelegatePtr<bool>> m_listeners;
	cDelegatePtr<bool> m_closeHandler;
	cDelegatePtr<int*> m_leftButtonDownHook;
	cDelegatePtr<int*> m_mouseMoveHook;
	cDelegatePtr<int*> m_leftButtonUpHook;
	cDelegatePtr<int> m_doubleClickHandlers[3];
};
