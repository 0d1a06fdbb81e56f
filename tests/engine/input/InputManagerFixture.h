#pragma once
// The application's window in front with the cursor over it, and an input
// manager fed with synthesised input (SendInput and SendFocusChange put
// events into the window system's queue; the window layer takes them when
// messages are looked for). Test programs share one display: the window stays hidden so
// that no other program's window takes its focus, and the window moves to
// the cursor instead of the cursor to the window.

#include "../../platform/dinput/InputRecords.h"

#include "engine/foundation/cThread.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/input/cInputManager.h"
#include "platform/win32/Win32.h"
#include "platform/win32/Win32Input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

class cInputManagerFixture : public testing::Test
{
protected:
	static constexpr int kWidth = 640;
	static constexpr int kHeight = 480;

	void SetUp() override
	{
		if (m_keepWindow && Singletone<cWin32Application>::Exists() &&
			IsWindow(Singletone<cWin32Application>::GetInstance()->GetWindowHandle()))
			m_application = Singletone<cWin32Application>::GetInstance();
		else
		{
			m_application = Singletone<cWin32Application>::Create();
			sStartupParams params{nullptr, SW_HIDE, nullptr, "", false};
			ASSERT_TRUE(m_application->CreateMainWindow(params, UniqueName("InputTest").c_str(), "input"))
				<< "needs a display";
		}
		m_window = m_application->GetWindowHandle();
		ASSERT_TRUE(Activate(true));
		PlaceCursor(kWidth / 2, kHeight / 2);
		m_input = Singletone<cInputManager>::Create();
	}

	void TearDown() override
	{
		StopAllThreads();
		if (!m_keepWindow)
		{
			SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
			DestroyWindow(m_window);
		}
		Pump();
	}

	// Initialises the manager; its first poll acquires the devices.
	void StartInput()
	{
		ASSERT_TRUE(m_input->Init(false));
		Frame();
		Frame();
	}

	static std::string UniqueName(const char* what)
	{
		static int counter = 0;
		return std::string(what) + "_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
	}

	// Handles every waiting message, as the frame loop does between frames.
	static void Pump()
	{
		MSG message;
		while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
		{
			TranslateMessage(&message);
			DispatchMessageA(&message);
		}
	}

	// Pumps until the condition holds or a second passes.
	static bool WaitFor(const std::function<bool()>& condition)
	{
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
		for (;;)
		{
			Pump();
			if (condition())
				return true;
			if (std::chrono::steady_clock::now() > deadline)
				return false;
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		}
	}

	// The desktop gives the window the focus or takes it away. A window of
	// another test program that maps meanwhile can take the real focus back:
	// the change is sent again a few times.
	bool Activate(bool active)
	{
		for (int attempt = 0; attempt < 5; ++attempt)
		{
			SendFocusChange(m_window, active ? TRUE : FALSE);
			if (WaitFor([&] { return (GetFocus() == m_window) == active && m_application->IsActive() == active; }))
				return true;
		}
		return false;
	}

	// Moves the window so that the cursor lies on the client point.
	void PlaceCursor(int x, int y)
	{
		POINT cursor;
		ASSERT_TRUE(GetCursorPos(&cursor));
		MoveWindow(m_window, cursor.x - x, cursor.y - y, kWidth, kHeight, FALSE);
		// The display confirms the move with an event; until it is taken,
		// the window's place (and so the cursor's client point) is the old one.
		WaitFor([&] {
			POINT client;
			GetCursorPos(&client);
			ScreenToClient(m_window, &client);
			return client.x == x && client.y == y;
		});
	}

	void Frame()
	{
		Pump();
		EXPECT_TRUE(m_input->Update(0.016f));
	}

	static void Send(std::vector<INPUT> inputs)
	{
		ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
	}

	static INPUT Key(BYTE code, bool down)
	{
		INPUT input{};
		input.type = INPUT_KEYBOARD;
		input.ki.wScan = code & 0x7F;
		input.ki.dwFlags = KEYEVENTF_SCANCODE | (code & 0x80 ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
		return input;
	}

	// One UTF-16 unit typed by the layout (follows the key's press).
	static INPUT Typed(wchar_t unit)
	{
		INPUT input{};
		input.type = INPUT_KEYBOARD;
		input.ki.wScan = static_cast<WORD>(unit);
		input.ki.dwFlags = KEYEVENTF_UNICODE;
		return input;
	}


	// Set by fixtures whose graphics device lives on the window: the window
	// then stays for the next test, which takes it over.
	bool m_keepWindow = false;
	cWin32Application* m_application = nullptr;
	HWND m_window = nullptr;
	cInputManager* m_input = nullptr;
};
