// Real windows through the layer; needs a display.

#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

namespace
{
struct sCreationSeen
{
	std::vector<UINT> messages;
	void* param = nullptr;
};
sCreationSeen g_creation;

LRESULT CALLBACK CreationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_NCCREATE || message == WM_CREATE)
	{
		g_creation.messages.push_back(message);
		g_creation.param = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
	}
	return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK RefusingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_NCCREATE)
		return FALSE;
	return DefWindowProcA(window, message, wParam, lParam);
}

SDL_Window* Sdl(HWND window)
{
	return reinterpret_cast<SDL_Window*>(window);
}
}

TEST(Win32Window, ClassRegistration)
{
	std::string name = RegisterTestClass(RecordingProcedure);
	ASSERT_FALSE(name.empty());
	WNDCLASSEXA again{};
	again.lpfnWndProc = RecordingProcedure;
	again.lpszClassName = name.c_str();
	EXPECT_EQ(RegisterClassExA(&again), 0);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

	EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
		nullptr);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST(Win32Window, TheProcedureSeesTheCreationBeforeCreateReturns)
{
	g_creation = sCreationSeen{};
	std::string name = RegisterTestClass(CreationProcedure);
	int marker = 0;
	HWND window = CreateWindowExA(WS_EX_APPWINDOW, name.c_str(), "made", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
		CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, &marker);
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(g_creation.messages, (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
	EXPECT_EQ(g_creation.param, &marker);
	// The handle is the SDL window, made for OpenGL, hidden until shown.
	Uint32 flags = SDL_GetWindowFlags(Sdl(window));
	EXPECT_TRUE(flags & SDL_WINDOW_OPENGL);
	EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS);
	EXPECT_FALSE(IsWindowVisible(window));
	EXPECT_FALSE(ShowWindow(window, SW_SHOW));
	EXPECT_TRUE(IsWindowVisible(window));
	EXPECT_TRUE(ShowWindow(window, SW_HIDE));
	EXPECT_FALSE(IsWindowVisible(window));
	DestroyWindow(window);

	std::string refusing = RegisterTestClass(RefusingProcedure);
	EXPECT_EQ(CreateWindowExA(0, refusing.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
		nullptr);
}

TEST(Win32Window, PlacementGivesTheExactClientArea)
{
	HWND window = CreateTestWindow();
	ASSERT_NE(window, nullptr);
	SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
	EXPECT_FALSE(SDL_GetWindowFlags(Sdl(window)) & SDL_WINDOW_BORDERLESS);
	RECT outer{100, 50, 100 + 1024, 50 + 768};
	ASSERT_TRUE(AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE, 0));
	ASSERT_TRUE(SetWindowPos(window, HWND_NOTOPMOST, outer.left, outer.top, outer.right - outer.left,
		outer.bottom - outer.top, SWP_SHOWWINDOW));

	int width = 0, height = 0;
	SDL_GetWindowSize(Sdl(window), &width, &height);
	EXPECT_EQ(width, 1024);
	EXPECT_EQ(height, 768);
	RECT client;
	ASSERT_TRUE(GetClientRect(window, &client));
	EXPECT_EQ(client.right, 1024);
	EXPECT_EQ(client.bottom, 768);
	EXPECT_TRUE(IsWindowVisible(window));
	EXPECT_FALSE(SDL_GetWindowFlags(Sdl(window)) & SDL_WINDOW_ALWAYS_ON_TOP);

	ASSERT_TRUE(SetWindowPos(window, HWND_TOPMOST, 0, 0, 1, 1, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE));
	EXPECT_TRUE(SDL_GetWindowFlags(Sdl(window)) & SDL_WINDOW_ALWAYS_ON_TOP);
	EXPECT_TRUE(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & WS_EX_TOPMOST);
	ASSERT_TRUE(GetClientRect(window, &client));
	EXPECT_EQ(client.right, 1024);
	DestroyWindow(window);
}

TEST(Win32Window, CoordinatesBetweenScreenAndClient)
{
	HWND window = CreateTestWindow();
	ASSERT_TRUE(SetWindowPos(window, nullptr, 120, 80, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW));
	int x = 0, y = 0;
	SDL_GetWindowPosition(Sdl(window), &x, &y);
	RECT windowRect;
	ASSERT_TRUE(GetWindowRect(window, &windowRect));
	EXPECT_EQ(windowRect.left, x);
	EXPECT_EQ(windowRect.top, y);

	// Asked from another thread, as the mouse reader does.
	RECT client{};
	POINT inside{x + 10, y + 20};
	POINT outside{x - 5, y + 300};
	int offset = 0;
	std::thread([&] {
		GetClientRect(window, &client);
		offset = MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
		ScreenToClient(window, &inside);
		ScreenToClient(window, &outside);
	}).join();
	EXPECT_EQ(client.left, x);
	EXPECT_EQ(client.top, y);
	EXPECT_EQ(client.right - client.left, 300);
	EXPECT_EQ(client.bottom - client.top, 200);
	EXPECT_EQ(offset, static_cast<int>(MAKELPARAM(x, y)));
	EXPECT_EQ(inside.x, 10);
	EXPECT_EQ(inside.y, 20);
	EXPECT_EQ(outside.x, -5); // outside the client area: negative or beyond its size
	EXPECT_EQ(outside.y, 300);

	RECT area{0, 0, 300, 200};
	EXPECT_TRUE(PtInRect(&area, inside));
	EXPECT_FALSE(PtInRect(&area, outside));
	EXPECT_FALSE(PtInRect(&area, POINT{300, 0}));

	POINT back = inside;
	ASSERT_TRUE(ClientToScreen(window, &back));
	EXPECT_EQ(back.x, x + 10);
	DestroyWindow(window);
	EXPECT_FALSE(ScreenToClient(window, &back));
}

TEST(Win32Window, NarrowAndWideTitles)
{
	HWND window = CreateTestWindow();
	ASSERT_TRUE(SetWindowTextA(window, "Cheat mode"));
	EXPECT_STREQ(SDL_GetWindowTitle(Sdl(window)), "Cheat mode");
	const WCHAR wide[] = {0x4C, 0xE9, 0x20AC, 0xD83D, 0xDE00, 0xDC00, 0};
	ASSERT_TRUE(SetWindowTextW(window, wide));
	// The pair becomes one character; the lone low surrogate U+FFFD.
	EXPECT_STREQ(SDL_GetWindowTitle(Sdl(window)), "L\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");
	char narrow[8];
	EXPECT_EQ(GetWindowTextA(window, narrow, sizeof(narrow)), 7);
	DestroyWindow(window);
}

TEST(Win32Window, DestroyingSendsItsMessagesAndDropsQueuedOnes)
{
	HWND window = CreateTestWindow();
	HandleAllMessages();
	RecordedMessages().clear();
	PostMessageA(window, WM_USER, 1, 2);
	ASSERT_TRUE(DestroyWindow(window));
	EXPECT_EQ(RecordedMessages(), (std::vector<sRecordedMessage>{{WM_DESTROY, 0, 0}, {WM_NCDESTROY, 0, 0}}));
	EXPECT_FALSE(IsWindow(window));
	MSG message;
	EXPECT_FALSE(PeekMessageA(&message, window, 0, 0, PM_NOREMOVE));
	EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
	EXPECT_FALSE(DestroyWindow(window));
}

TEST(Win32Window, ParentAndStyleQueries)
{
	HWND window = CreateTestWindow();
	EXPECT_EQ(GetParent(window), nullptr);
	EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), WS_POPUP);
	EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), WS_EX_APPWINDOW);
	int value = 0;
	SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&value));
	EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&value));
	EXPECT_EQ(GetWindowLongA(window, 12345), 0);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
	DestroyWindow(window);
}

TEST(Win32Window, DesktopSize)
{
	int width = GetSystemMetrics(SM_CXSCREEN); // opens the display on first use
	int height = GetSystemMetrics(SM_CYSCREEN);
	SDL_DisplayMode mode;
	ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0) << "needs a display";
	EXPECT_EQ(width, mode.w);
	EXPECT_EQ(height, mode.h);
	EXPECT_GT(mode.w, 0);
	EXPECT_EQ(GetSystemMetrics(1000), 0);
}

TEST(Win32Window, IconsComeFromAnImageBesideTheProgram)
{
	namespace fs = std::filesystem;
	fs::path folder = fs::temp_directory_path() / UniqueClassName("icons");
	fs::create_directories(folder);
	SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
	SDL_FillRect(image, nullptr, 0xFF336699);
	ASSERT_EQ(SDL_SaveBMP(image, (folder / "program.bmp").c_str()), 0);
	SDL_FreeSurface(image);

	// The program path comes with the "\" separators of GetModuleFileNameA.
	std::string program = (folder / "program").string();
	std::replace(program.begin(), program.end(), '/', '\\');
	HICON large = nullptr, small = nullptr;
	EXPECT_EQ(ExtractIconExA(program.c_str(), 0, &large, &small, 1), 1u);
	ASSERT_NE(large, nullptr);
	ASSERT_NE(small, nullptr);
	EXPECT_EQ(reinterpret_cast<SDL_Surface*>(large)->w, 32);
	EXPECT_EQ(reinterpret_cast<SDL_Surface*>(small)->w, 16);

	// The class icon goes on the window.
	WNDCLASSEXA windowClass{};
	windowClass.lpfnWndProc = RecordingProcedure;
	std::string name = UniqueClassName("IconClass");
	windowClass.lpszClassName = name.c_str();
	windowClass.hIcon = large;
	windowClass.hIconSm = small;
	ASSERT_NE(RegisterClassExA(&windowClass), 0);
	HWND window = CreateWindowExA(0, name.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
	EXPECT_NE(window, nullptr);
	DestroyWindow(window);
	EXPECT_TRUE(DestroyIcon(large));
	EXPECT_TRUE(DestroyIcon(small));

	// No image: no icon, no failure.
	EXPECT_EQ(ExtractIconExA((folder / "missing").c_str(), 0, &large, &small, 1), 0u);
	EXPECT_EQ(large, nullptr);
	EXPECT_EQ(small, nullptr);
	EXPECT_FALSE(DestroyIcon(nullptr));
	fs::remove_all(folder);
}
