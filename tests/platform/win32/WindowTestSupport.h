#pragma once
// Windows for the layer's tests: a class whose procedure records the
// messages it gets, and a way to handle every queued message.

#include "platform/win32/Win32.h"

#include <SDL.h>

#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

struct sRecordedMessage
{
	UINT message;
	WPARAM wParam;
	LPARAM lParam;

	bool operator==(const sRecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const sRecordedMessage& m)
{
	return out << "{0x" << std::hex << m.message << ", 0x" << m.wParam << ", 0x" << m.lParam << std::dec << "}";
}

inline std::vector<sRecordedMessage>& RecordedMessages()
{
	static std::vector<sRecordedMessage> messages;
	return messages;
}

// Records every message except those of the window's own creation and
// answers 0 (so nothing is closed or destroyed by default handling).
inline LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_NCCREATE || message == WM_CREATE)
		return DefWindowProcA(window, message, wParam, lParam);
	RecordedMessages().push_back({message, wParam, lParam});
	return 0;
}

// Records every message and then lets the default handling run.
inline LRESULT CALLBACK RecordingDefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	RecordedMessages().push_back({message, wParam, lParam});
	return DefWindowProcA(window, message, wParam, lParam);
}

inline std::string UniqueClassName(const char* what)
{
	static int counter = 0;
	return std::string(what) + "_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

inline std::string RegisterTestClass(WNDPROC procedure, UINT style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS)
{
	std::string name = UniqueClassName("TestClass");
	WNDCLASSEXA windowClass{};
	windowClass.cbSize = 48;
	windowClass.style = style;
	windowClass.lpfnWndProc = procedure;
	windowClass.lpszClassName = name.c_str();
	return RegisterClassExA(&windowClass) ? name : std::string();
}

// A hidden window: the display sends it no events of its own.
inline HWND CreateTestWindow(WNDPROC procedure = RecordingProcedure, UINT classStyle = CS_DBLCLKS)
{
	std::string name = RegisterTestClass(procedure, classStyle);
	return CreateWindowExA(WS_EX_APPWINDOW, name.c_str(), "test", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
		CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
}

// Takes every pending SDL event and handles every queued message.
inline void HandleAllMessages()
{
	MSG message;
	while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
	{
		TranslateMessage(&message);
		DispatchMessageA(&message);
	}
}

inline Uint32 SdlIdOf(HWND window)
{
	return SDL_GetWindowID(reinterpret_cast<SDL_Window*>(window));
}
