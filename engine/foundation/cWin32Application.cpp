#include "engine/foundation/cWin32Application.h"

#include "engine/foundation/cApplicationHandler.h"
#include "engine/foundation/cFrameTimer.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cThread.h"
#include "platform/win32/Win32.h"

#include <algorithm>

namespace
{
// Passes with a device that cannot draw after reactivation before the loop gives up.
const int kMaxRecoveryPasses = 3;
}

cWin32Application::cWin32Application() : m_mutex(INVALID_HANDLE_VALUE)
{
	timeBeginPeriod(1);
	SetThreadAffinityMask(GetCurrentThread(), 1);
	LARGE_INTEGER frequency;
	QueryPerformanceFrequency(&frequency);
	m_frequency = frequency.QuadPart;
}

cWin32Application::~cWin32Application()
{
	if (m_largeIcon)
		DestroyIcon(m_largeIcon);
	if (m_smallIcon)
		DestroyIcon(m_smallIcon);
	if (m_mutex != INVALID_HANDLE_VALUE)
		CloseHandle(m_mutex);
}

bool cWin32Application::CreateMainWindow(const sStartupParams& params, const char* className, const char* title)
{
	m_params = params;
	SetLastError(0);
	m_mutex = INVALID_HANDLE_VALUE;
	if (m_params.singleInstance)
	{
		std::string mutexName = std::string(className) + "my_project";
		HANDLE mutex = CreateMutexA(nullptr, TRUE, mutexName.c_str());
		if (mutex)
			m_mutex = mutex;
		if (GetLastError() == ERROR_ALREADY_EXISTS)
			return false;
	}

	char programPath[2000];
	GetModuleFileNameA(m_params.instance, programPath, sizeof(programPath));
	ExtractIconExA(programPath, 0, &m_largeIcon, &m_smallIcon, 1);

	if (!RegisterWindowClass(className))
	{
		LOG(2, "Class registering failed. HR: %x", GetLastError());
		return false;
	}

	HWND parent = m_params.parentWindow;
	DWORD exStyle = parent ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW;
	DWORD style = parent ? WS_CHILD : WS_POPUP;
	HWND window = CreateWindowExA(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
		CW_USEDEFAULT, parent, nullptr, m_params.instance, this);
	if (!window)
	{
		LOG(2, "Creation window failed. HR: %x", GetLastError());
		return false;
	}
	m_window = window;
	ShowWindow(m_window, m_params.showCommand);
	UpdateWindow(m_window);
	return true;
}

bool cWin32Application::RegisterWindowClass(const char* className)
{
	WNDCLASSEXA windowClass{};
	windowClass.cbSize = 48;
	windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
	windowClass.lpfnWndProc = StaticWindowProcedure;
	windowClass.hInstance = m_params.instance;
	windowClass.hIcon = m_largeIcon;
	windowClass.hCursor = nullptr;
	windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
	windowClass.lpszClassName = className;
	windowClass.hIconSm = m_smallIcon;
	return RegisterClassExA(&windowClass) != 0;
}

int cWin32Application::Run(cApplicationHandler& handler)
{
	m_running = true;
	m_active = true;
	m_quitCode = 0;
	bool waited = false;
	int recoveryPasses = 0;
	cFrameTimer timer(GetTime());
	MSG message{};
	while (!m_quitRequested)
	{
		if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
		{
			GetMessageA(&message, nullptr, 0, 0);
			if (message.message == WM_QUIT)
			{
				m_quitCode = static_cast<int>(message.wParam);
				break;
			}
			TranslateMessage(&message);
			DispatchMessageA(&message);
		}
		else if (!m_active)
		{
			recoveryPasses = 0;
			waited = true;
			handler.Idle();
			if (handler.CanRun())
				handler.Render();
			WaitMessage();
		}
		else if (waited && !handler.CanRun())
		{
			// Back from inactivity but the device cannot draw yet: ask the
			// listeners to recover, and give up after a few passes.
			if (++recoveryPasses > kMaxRecoveryPasses)
				break;
			NotifyListeners(true);
		}
		else
		{
			waited = false;
			if (!handler.Update(timer.Step(GetTime())))
				m_quitRequested = true;
			handler.Render();
		}
	}
	m_listeners.clear();
	StopAllThreads();
	return static_cast<int>(message.wParam);
}

bool cWin32Application::Quit()
{
	m_quitRequested = true;
	return true;
}

double cWin32Application::GetTime() const
{
	LARGE_INTEGER counter;
	QueryPerformanceCounter(&counter);
	return static_cast<double>(counter.QuadPart) / static_cast<double>(m_frequency);
}

bool cWin32Application::SetWindowMode(int x, int y, int width, int height, bool fullScreen)
{
	if (fullScreen)
	{
		SetWindowLongA(m_window, GWL_STYLE, static_cast<LONG>(WS_POPUP));
		SetWindowPos(m_window, HWND_TOPMOST, 0, 0, width, height, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
		UpdateWindow(m_window);
	}
	else if (m_params.parentWindow)
		MoveWindow(m_window, 0, 0, width, height, TRUE);
	else
	{
		SetWindowLongA(m_window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
		RECT outer{x, y, x + width, y + height};
		AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE)), FALSE,
			static_cast<DWORD>(GetWindowLongA(m_window, GWL_EXSTYLE)));
		SetWindowPos(m_window, HWND_NOTOPMOST, x, y, outer.right - outer.left, outer.bottom - outer.top,
			SWP_SHOWWINDOW);
		UpdateWindow(m_window);
	}
	m_fullScreen = fullScreen;
	m_clientRect = RECT{0, 0, width, height};
	return true;
}

HCURSOR cWin32Application::SetCursor(HCURSOR cursor)
{
	HCURSOR previous = ::SetCursor(cursor);
	m_cursor = cursor;
	return previous;
}

void cWin32Application::SetTitle(const std::string& title)
{
	SetWindowTextA(m_window, title.c_str());
}

void cWin32Application::SetTitleW(const std::wstring& title)
{
	SetWindowTextW(m_window, title.c_str());
}

void cWin32Application::SetCloseHandler(const cDelegatePtr<bool>& handler)
{
	m_closeHandler.Assign(handler);
}

void cWin32Application::AddListener(const cDelegatePtr<bool>& listener)
{
	if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
		m_listeners.push_back(listener);
}

void cWin32Application::RemoveListener(const cDelegatePtr<bool>& listener)
{
	auto found = std::find(m_listeners.begin(), m_listeners.end(), listener);
	if (found != m_listeners.end())
		m_listeners.erase(found);
}

void cWin32Application::SetDoubleClickHandler(int button, const cDelegatePtr<int>& handler)
{
	if (button >= 0 && button < 3)
		m_doubleClickHandlers[button].Assign(handler);
}

void cWin32Application::SetMouseHooks(const cDelegatePtr<int*>& leftButtonDown, const cDelegatePtr<int*>& mouseMove,
	const cDelegatePtr<int*>& leftButtonUp)
{
	m_leftButtonDownHook.Assign(leftButtonDown);
	m_mouseMoveHook.Assign(mouseMove);
	m_leftButtonUpHook.Assign(leftButtonUp);
}

LRESULT CALLBACK cWin32Application::StaticWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_NCCREATE)
	{
		auto* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
		SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
	}
	auto* application = reinterpret_cast<cWin32Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
	if (!application)
		return DefWindowProcA(window, message, wParam, lParam);
	return application->WindowProcedure(window, message, wParam, lParam);
}

LRESULT cWin32Application::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_DESTROY:
		PostQuitMessage(0);
		return 0;
	case WM_ACTIVATE:
		if (m_active && wParam == WA_INACTIVE)
			SetActive(false);
		return 0;
	case WM_ACTIVATEAPP:
		if ((wParam == 1) != m_active)
			SetActive(wParam == 1);
		return 0;
	case WM_PAINT:
		ValidateRect(window, nullptr);
		return 0;
	case WM_SETCURSOR:
		::SetCursor(m_cursor);
		return 0;
	case WM_SYSCOMMAND:
		return OnSysCommand(window, wParam, lParam);
	case WM_MOUSEMOVE:
		OnMouse(m_mouseMoveHook, lParam);
		return 0;
	case WM_LBUTTONDOWN:
		OnMouse(m_leftButtonDownHook, lParam);
		return 0;
	case WM_LBUTTONUP:
		OnMouse(m_leftButtonUpHook, lParam);
		return 0;
	case WM_LBUTTONDBLCLK:
		m_doubleClickHandlers[0].Invoke(0);
		return 0;
	case WM_MBUTTONDBLCLK:
		m_doubleClickHandlers[1].Invoke(1);
		return 0;
	case WM_RBUTTONDBLCLK:
		m_doubleClickHandlers[2].Invoke(2);
		return 0;
	default:
		return DefWindowProcA(window, message, wParam, lParam);
	}
}

LRESULT cWin32Application::OnSysCommand(HWND window, WPARAM command, LPARAM lParam)
{
	switch (command)
	{
	case SC_CLOSE:
		if (!m_closeHandler)
			return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
		m_closeHandler.Invoke(m_quitRequested);
		return 0;
	case SC_RESTORE:
		DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
		SetFocus(window);
		return 0;
	case SC_SCREENSAVE:
		return 0;
	default:
		return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
	}
}

void cWin32Application::OnMouse(const cDelegatePtr<int*>& hook, LPARAM lParam)
{
	int point[2] = {LOWORD(lParam), HIWORD(lParam)};
	hook.Invoke(point);
}

void cWin32Application::SetActive(bool active)
{
	m_active = active;
	if (m_running)
		NotifyListeners(active);
}

void cWin32Application::NotifyListeners(bool active)
{
	// A copy: a listener may add or remove listeners.
	std::vector<cDelegatePtr<bool>> listeners = m_listeners;
	for (const cDelegatePtr<bool>& listener : listeners)
		listener.Invoke(active);
}
