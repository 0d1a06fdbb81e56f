// The application object driven through the platform layer's real message
// queue and a real (hidden) window. Needs a display.

#include "engine/foundation/cApplicationHandler.h"
#include "engine/foundation/cThread.h"
#include "engine/foundation/cWin32Application.h"
#include "platform/win32/Win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

namespace
{
// A handler whose four operations run the given functions and are counted.
class cScriptedHandler : public cApplicationHandler
{
public:
	bool CanRun() override { return canRun ? canRun() : true; }
	bool Update(float dt) override
	{
		++updates;
		steps.push_back(dt);
		return update ? update() : true;
	}
	void Idle() override
	{
		++idles;
		if (idle)
			idle();
	}
	void Render() override { ++renders; }

	std::function<bool()> canRun;
	std::function<bool()> update;
	std::function<void()> idle;
	int updates = 0;
	int idles = 0;
	int renders = 0;
	std::vector<float> steps;
};

class cListener
{
public:
	void OnActivate(bool active) { calls.push_back(active); }
	void OnClose(bool quitRequested) { closes.push_back(quitRequested); }
	void OnDoubleClick(int button) { doubleClicks.push_back(button); }
	void OnMouse(int* point) { points.push_back({point[0], point[1]}); }

	std::vector<bool> calls;
	std::vector<bool> closes;
	std::vector<int> doubleClicks;
	std::vector<std::pair<int, int>> points;
};

cDelegatePtr<bool> ActivationOf(cListener& listener)
{
	return cDelegatePtr<bool>(MakeMemberDelegate(&listener, &cListener::OnActivate));
}

// Every test gets its own application object and window class (and so its
// own single-instance mutex). The object is left to the process-exit
// teardown like every singleton; its window is destroyed after the test.
class cWin32ApplicationTest : public testing::Test
{
protected:
	void SetUp() override
	{
		DrainQueue();
		m_application = new cWin32Application;
		sStartupParams params{nullptr, SW_HIDE, nullptr, "", true};
		ASSERT_TRUE(m_application->CreateMainWindow(params, UniqueClassName().c_str(), "Loading..."));
		m_window = m_application->GetWindowHandle();
	}

	void TearDown() override
	{
		if (IsWindow(m_window))
		{
			SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
			DestroyWindow(m_window);
		}
		StopAllThreads();
		DrainQueue();
	}

	static void DrainQueue()
	{
		MSG message;
		while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
		{
		}
	}

	static std::string UniqueClassName()
	{
		static int counter = 0;
		return "AppTest_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
	}

	void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
	{
		ASSERT_TRUE(PostMessageA(m_window, message, wParam, lParam));
	}

	// Ends the loop from the inactive branch: the posted message wakes WaitMessage.
	void QuitWhenIdle(cScriptedHandler& handler)
	{
		handler.idle = [this] {
			m_application->Quit();
			PostMessageA(m_window, WM_NULL, 0, 0);
		};
	}

	cWin32Application* m_application = nullptr;
	HWND m_window = nullptr;
};
}

TEST_F(cWin32ApplicationTest, DeactivationCallsEveryListenerOnce)
{
	cListener first, second;
	m_application->AddListener(ActivationOf(first));
	m_application->AddListener(ActivationOf(first)); // an equal listener is listed once
	m_application->AddListener(ActivationOf(second));
	Post(WM_ACTIVATEAPP, 0);
	Post(WM_ACTIVATEAPP, 0);
	Post(WM_ACTIVATE, WA_INACTIVE);
	cScriptedHandler handler;
	QuitWhenIdle(handler);
	m_application->Run(handler);
	EXPECT_EQ(first.calls, std::vector<bool>{false});
	EXPECT_EQ(second.calls, std::vector<bool>{false});
	EXPECT_FALSE(m_application->IsActive());
	EXPECT_EQ(handler.idles, 1);
	EXPECT_EQ(handler.renders, 1); // the inactive pass renders once when the device can draw
}

TEST_F(cWin32ApplicationTest, ActivationChangesBeforeTheLoopAreSilent)
{
	cListener listener;
	m_application->AddListener(ActivationOf(listener));
	SendMessageA(m_window, WM_ACTIVATEAPP, 1, 0);
	EXPECT_TRUE(m_application->IsActive());
	SendMessageA(m_window, WM_ACTIVATE, WA_INACTIVE, 0);
	EXPECT_FALSE(m_application->IsActive());
	EXPECT_TRUE(listener.calls.empty());

	// The loop starts active whatever came before.
	cScriptedHandler handler;
	handler.update = [] { return false; };
	m_application->Run(handler);
	EXPECT_TRUE(m_application->IsActive());
	EXPECT_EQ(handler.updates, 1);
}

TEST_F(cWin32ApplicationTest, WmActivateAppComparesTheWholeWParam)
{
	cListener listener;
	m_application->AddListener(ActivationOf(listener));
	Post(WM_ACTIVATEAPP, 0x10001); // not 1: a deactivation
	cScriptedHandler handler;
	QuitWhenIdle(handler);
	m_application->Run(handler);
	EXPECT_EQ(listener.calls, std::vector<bool>{false});
}

TEST_F(cWin32ApplicationTest, RemovingListeners)
{
	cListener kept, removed;
	m_application->AddListener(ActivationOf(kept));
	m_application->AddListener(ActivationOf(removed));
	m_application->RemoveListener(ActivationOf(removed));
	m_application->RemoveListener(ActivationOf(removed)); // not listed: nothing changes
	Post(WM_ACTIVATEAPP, 0);
	cScriptedHandler handler;
	QuitWhenIdle(handler);
	m_application->Run(handler);
	EXPECT_EQ(kept.calls, std::vector<bool>{false});
	EXPECT_TRUE(removed.calls.empty());
}

TEST_F(cWin32ApplicationTest, ReactivationWithADeviceThatCannotDrawEndsOnTheFourthPass)
{
	cListener listener;
	m_application->AddListener(ActivationOf(listener));
	Post(WM_ACTIVATEAPP, 0);
	cScriptedHandler handler;
	handler.canRun = [] { return false; };
	handler.idle = [this] { PostMessageA(m_window, WM_ACTIVATEAPP, 1, 0); };
	// The result is the wParam of the last message retrieved: the reactivation.
	EXPECT_EQ(m_application->Run(handler), 1);
	EXPECT_EQ(m_application->GetQuitCode(), 0); // no WM_QUIT ended the loop
	// false on deactivation, true on reactivation, then true on three recovery passes.
	EXPECT_EQ(listener.calls, (std::vector<bool>{false, true, true, true, true}));
	EXPECT_EQ(handler.updates, 0);
	EXPECT_EQ(handler.renders, 0);
	// The loop emptied the listener list when it ended.
	SendMessageA(m_window, WM_ACTIVATEAPP, 0, 0);
	EXPECT_EQ(listener.calls.size(), 5u);
}

TEST_F(cWin32ApplicationTest, CloseWithAHandlerKeepsTheWindowOpen)
{
	cListener listener;
	m_application->SetCloseHandler(cDelegatePtr<bool>(MakeMemberDelegate(&listener, &cListener::OnClose)));
	Post(WM_SYSCOMMAND, SC_CLOSE);
	cScriptedHandler handler;
	handler.update = [&] { return listener.closes.empty(); };
	m_application->Run(handler);
	EXPECT_EQ(listener.closes, std::vector<bool>{false});
	EXPECT_TRUE(IsWindow(m_window));
}

TEST_F(cWin32ApplicationTest, CloseWithoutAHandlerDestroysTheWindowAndEndsTheLoop)
{
	Post(WM_SYSCOMMAND, SC_CLOSE);
	cScriptedHandler handler;
	EXPECT_EQ(m_application->Run(handler), 0);
	EXPECT_FALSE(IsWindow(m_window));
}

TEST_F(cWin32ApplicationTest, RunReturnsTheQuitCode)
{
	PostQuitMessage(7);
	cScriptedHandler handler;
	EXPECT_EQ(m_application->Run(handler), 7);
	EXPECT_EQ(m_application->GetQuitCode(), 7);
	EXPECT_EQ(handler.updates, 0);
}

TEST_F(cWin32ApplicationTest, QuitDuringAnUpdateStillRendersThatPass)
{
	cScriptedHandler handler;
	handler.update = [&] {
		if (handler.updates == 2)
			m_application->Quit();
		return true;
	};
	EXPECT_EQ(m_application->Run(handler), 0);
	EXPECT_EQ(handler.updates, 2);
	EXPECT_EQ(handler.renders, 2);
}

TEST_F(cWin32ApplicationTest, OneMessagePerPassAndFramesOnlyWhenTheQueueIsEmpty)
{
	cListener listener;
	cDelegatePtr<int*> hook(MakeMemberDelegate(&listener, &cListener::OnMouse));
	m_application->SetMouseHooks(hook, hook, hook);
	Post(WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
	Post(WM_LBUTTONDOWN, 0, MAKELPARAM(65535, 3)); // coordinates are read unsigned
	Post(WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
	cScriptedHandler handler;
	size_t seenAtFirstFrame = 0;
	handler.update = [&] {
		seenAtFirstFrame = listener.points.size();
		return false;
	};
	m_application->Run(handler);
	EXPECT_EQ(seenAtFirstFrame, 3u);
	EXPECT_EQ(listener.points, (std::vector<std::pair<int, int>>{{10, 20}, {65535, 3}, {30, 40}}));
}

TEST_F(cWin32ApplicationTest, DoubleClickHandlersGetTheirButton)
{
	cListener listener;
	for (int button = 0; button < 3; ++button)
		m_application->SetDoubleClickHandler(
			button, cDelegatePtr<int>(MakeMemberDelegate(&listener, &cListener::OnDoubleClick)));
	Post(WM_RBUTTONDBLCLK);
	Post(WM_LBUTTONDBLCLK);
	Post(WM_MBUTTONDBLCLK);
	cScriptedHandler handler;
	handler.update = [] { return false; };
	m_application->Run(handler);
	EXPECT_EQ(listener.doubleClicks, (std::vector<int>{2, 0, 1}));
}

TEST_F(cWin32ApplicationTest, ScreenSaverIsSwallowedAndRestoreKeepsTheWindow)
{
	EXPECT_EQ(SendMessageA(m_window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
	EXPECT_EQ(SendMessageA(m_window, WM_SYSCOMMAND, SC_RESTORE, 0), 0);
	EXPECT_TRUE(IsWindow(m_window));
}

TEST_F(cWin32ApplicationTest, TimeStepsAreCappedAfterAStall)
{
	cScriptedHandler handler;
	handler.update = [&] {
		if (handler.updates == 1)
			std::this_thread::sleep_for(std::chrono::milliseconds(150));
		return handler.updates < 3;
	};
	m_application->Run(handler);
	ASSERT_EQ(handler.steps.size(), 3u);
	EXPECT_EQ(handler.steps[1], 0.1f);
	EXPECT_LT(handler.steps[2], 0.1f);
}

TEST_F(cWin32ApplicationTest, WindowedModeGivesTheExactClientArea)
{
	EXPECT_TRUE(m_application->SetWindowMode(0, 0, 1024, 768, false));
	RECT client;
	ASSERT_TRUE(GetClientRect(m_window, &client));
	EXPECT_EQ(client.right - client.left, 1024);
	EXPECT_EQ(client.bottom - client.top, 768);
	DWORD style = static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE));
	EXPECT_EQ(style, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
	EXPECT_FALSE(static_cast<DWORD>(GetWindowLongA(m_window, GWL_EXSTYLE)) & WS_EX_TOPMOST);
	EXPECT_TRUE(IsWindowVisible(m_window));
	EXPECT_FALSE(m_application->IsFullScreen());

	EXPECT_TRUE(m_application->SetWindowMode(0, 0, 800, 600, true));
	EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE)), WS_POPUP);
	EXPECT_TRUE(static_cast<DWORD>(GetWindowLongA(m_window, GWL_EXSTYLE)) & WS_EX_TOPMOST);
	ASSERT_TRUE(GetClientRect(m_window, &client));
	EXPECT_EQ(client.right, 1024); // full screen keeps the window's size
	EXPECT_EQ(m_application->GetClientRectangle().right, 800);
	EXPECT_TRUE(m_application->IsFullScreen());
}

TEST_F(cWin32ApplicationTest, Titles)
{
	char title[64];
	GetWindowTextA(m_window, title, sizeof(title));
	EXPECT_STREQ(title, "Loading...");
	m_application->SetTitle("Cheat mode");
	GetWindowTextA(m_window, title, sizeof(title));
	EXPECT_STREQ(title, "Cheat mode");
	m_application->SetTitleW(std::wstring{0x5A, 0xE9, 0x20AC, 0xD83D, 0xDE00});
	GetWindowTextA(m_window, title, sizeof(title));
	EXPECT_STREQ(title, "Z\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST_F(cWin32ApplicationTest, ASecondApplicationOfTheSameClassIsRefused)
{
	std::string name = UniqueClassName();
	cWin32Application* first = new cWin32Application;
	cWin32Application* second = new cWin32Application;
	sStartupParams params{nullptr, SW_HIDE, nullptr, "", true};
	ASSERT_TRUE(first->CreateMainWindow(params, name.c_str(), "first"));
	EXPECT_FALSE(second->CreateMainWindow(params, name.c_str(), "second"));
	EXPECT_EQ(second->GetWindowHandle(), nullptr);
	SetWindowLongPtrA(first->GetWindowHandle(), GWLP_USERDATA, 0);
	DestroyWindow(first->GetWindowHandle());
}

TEST_F(cWin32ApplicationTest, GetTimeAdvances)
{
	double before = m_application->GetTime();
	std::this_thread::sleep_for(std::chrono::milliseconds(5));
	double after = m_application->GetTime();
	EXPECT_GT(after - before, 0.004);
	EXPECT_LT(after - before, 1.0);
}
