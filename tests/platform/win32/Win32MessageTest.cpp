// The message queue and the SDL events it is fed with; needs a display.

#include "platform/win32/Win32EventObservers.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/resource.h>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

class cMessageTest : public testing::Test
{
protected:
	void SetUp() override
	{
		m_window = CreateTestWindow();
		ASSERT_NE(m_window, nullptr) << "needs a display";
		HandleAllMessages();
		RecordedMessages().clear();
	}

	void TearDown() override
	{
		DestroyWindow(m_window);
		HandleAllMessages();
	}

	// Pushes the event into SDL's queue and handles what comes of it.
	std::vector<sRecordedMessage> MessagesFrom(std::vector<SDL_Event> events)
	{
		RecordedMessages().clear();
		for (SDL_Event& event : events)
			SDL_PushEvent(&event);
		HandleAllMessages();
		return RecordedMessages();
	}

	SDL_Event WindowEvent(Uint8 kind)
	{
		SDL_Event event{};
		event.type = SDL_WINDOWEVENT;
		event.window.windowID = SdlIdOf(m_window);
		event.window.event = kind;
		return event;
	}

	SDL_Event ButtonEvent(Uint8 button, bool down, Uint8 clicks, int x = 5, int y = 6)
	{
		SDL_Event event{};
		event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
		event.button.windowID = SdlIdOf(m_window);
		event.button.button = button;
		event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.button.clicks = clicks;
		event.button.x = x;
		event.button.y = y;
		return event;
	}

	SDL_Event MotionEvent(int x, int y)
	{
		SDL_Event event{};
		event.type = SDL_MOUSEMOTION;
		event.motion.windowID = SdlIdOf(m_window);
		event.motion.x = x;
		event.motion.y = y;
		return event;
	}

	HWND m_window = nullptr;
};

double ThreadCpuSeconds()
{
	rusage usage;
	getrusage(RUSAGE_THREAD, &usage);
	return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
		static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
}

TEST_F(cMessageTest, PostedMessagesComeInOrder)
{
	PostMessageA(m_window, WM_USER, 1, 10);
	PostMessageA(m_window, WM_USER + 1, 2, 20);
	MSG message{};
	ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
	EXPECT_EQ(message.message, WM_USER);
	ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));
	EXPECT_EQ(message.wParam, 2u);
	ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
	EXPECT_EQ(message.hwnd, m_window);
	EXPECT_EQ(message.message, WM_USER);
	EXPECT_EQ(message.lParam, 10);
	ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
	EXPECT_EQ(message.message, WM_USER + 1);

	PostQuitMessage(3);
	EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
	EXPECT_EQ(message.message, WM_QUIT);
	EXPECT_EQ(message.wParam, 3u);
	EXPECT_EQ(message.hwnd, nullptr);
	EXPECT_EQ(DispatchMessageA(&message), 0);
}

TEST_F(cMessageTest, WaitMessageSleepsUntilAnotherThreadPosts)
{
	auto start = Clock::now();
	double cpuBefore = ThreadCpuSeconds();
	std::thread poster([this] {
		std::this_thread::sleep_for(std::chrono::milliseconds(150));
		PostMessageA(m_window, WM_USER, 0, 0);
	});
	WaitMessage();
	double cpu = ThreadCpuSeconds() - cpuBefore;
	auto waited = Clock::now() - start;
	poster.join();
	EXPECT_GE(waited, std::chrono::milliseconds(140));
	EXPECT_LT(cpu, 0.05); // slept, did not spin
	MSG message;
	ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
	EXPECT_EQ(message.message, WM_USER);
}

TEST_F(cMessageTest, GetMessageWaitsForAQuitFromAnotherThread)
{
	std::thread poster([] {
		std::this_thread::sleep_for(std::chrono::milliseconds(30));
		PostQuitMessage(0);
	});
	MSG message;
	EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
	poster.join();
}

TEST_F(cMessageTest, SdlEventsBecomeWindowMessages)
{
	struct sCase
	{
		const char* name;
		std::vector<SDL_Event> events;
		std::vector<sRecordedMessage> messages;
	};
	SDL_Event altF4{};
	altF4.type = SDL_KEYDOWN;
	altF4.key.windowID = SdlIdOf(m_window);
	altF4.key.keysym.sym = SDLK_F4;
	altF4.key.keysym.mod = KMOD_LALT;
	SDL_Event plainF4 = altF4;
	plainF4.key.keysym.mod = KMOD_NONE;
	LPARAM at56 = MAKELPARAM(5, 6);

	const sCase cases[] = {
		{"focus gained", {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)},
			{{WM_ACTIVATEAPP, 1, 0}, {WM_ACTIVATE, WA_ACTIVE, 0}}},
		{"focus lost", {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)},
			{{WM_ACTIVATE, WA_INACTIVE, 0}, {WM_ACTIVATEAPP, 0, 0}}},
		{"close box", {WindowEvent(SDL_WINDOWEVENT_CLOSE)}, {{WM_SYSCOMMAND, SC_CLOSE, 0}}},
		{"alt+f4", {altF4, plainF4}, {{WM_SYSCOMMAND, SC_CLOSE, 0}}},
		{"minimise", {WindowEvent(SDL_WINDOWEVENT_MINIMIZED)},
			{{WM_SYSCOMMAND, SC_MINIMIZE, 0}, {WM_SIZE, SIZE_MINIMIZED, 0}}},
		{"restore", {WindowEvent(SDL_WINDOWEVENT_RESTORED)}, {{WM_SYSCOMMAND, SC_RESTORE, 0}}},
		{"expose twice", {WindowEvent(SDL_WINDOWEVENT_EXPOSED), WindowEvent(SDL_WINDOWEVENT_EXPOSED)},
			{{WM_PAINT, 0, 0}}},
		{"left click", {ButtonEvent(SDL_BUTTON_LEFT, true, 1), ButtonEvent(SDL_BUTTON_LEFT, false, 1)},
			{{WM_LBUTTONDOWN, 0, at56}, {WM_LBUTTONUP, 0, at56}}},
		{"double clicks",
			{ButtonEvent(SDL_BUTTON_LEFT, true, 2), ButtonEvent(SDL_BUTTON_MIDDLE, true, 2),
				ButtonEvent(SDL_BUTTON_RIGHT, true, 2)},
			{{WM_LBUTTONDBLCLK, 0, at56}, {WM_MBUTTONDBLCLK, 0, at56}, {WM_RBUTTONDBLCLK, 0, at56}}},
		{"third click starts again", {ButtonEvent(SDL_BUTTON_RIGHT, true, 3)}, {{WM_RBUTTONDOWN, 0, at56}}},
		{"mouse moves merge",
			{MotionEvent(1, 2), MotionEvent(3, 4), MotionEvent(7, 8)},
			{{WM_SETCURSOR, reinterpret_cast<WPARAM>(m_window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
				{WM_MOUSEMOVE, 0, MAKELPARAM(7, 8)}}},
		{"session ends", {SDL_Event{SDL_QUIT}}, {{WM_CLOSE, 0, 0}}},
	};
	for (const sCase& c : cases)
	{
		std::vector<SDL_Event> events = c.events;
		EXPECT_EQ(MessagesFrom(events), c.messages) << c.name;
	}
}

TEST_F(cMessageTest, FocusFollowsTheActivationEvents)
{
	MessagesFrom({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)});
	EXPECT_EQ(GetFocus(), m_window);
	EXPECT_EQ(GetForegroundWindow(), m_window);
	MessagesFrom({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
	EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(cMessageTest, DoubleClicksOnlyForClassesThatAskForThem)
{
	DestroyWindow(m_window);
	m_window = CreateTestWindow(RecordingProcedure, CS_VREDRAW | CS_HREDRAW);
	EXPECT_EQ(MessagesFrom({ButtonEvent(SDL_BUTTON_LEFT, true, 2, 1, 1)}),
		(std::vector<sRecordedMessage>{{WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1)}}));
}

TEST_F(cMessageTest, TheCloseBoxClosesAWindowWithDefaultHandling)
{
	DestroyWindow(m_window);
	m_window = CreateTestWindow(RecordingDefaultProcedure);
	std::vector<sRecordedMessage> messages = MessagesFrom({WindowEvent(SDL_WINDOWEVENT_CLOSE)});
	EXPECT_EQ(messages, (std::vector<sRecordedMessage>{{WM_SYSCOMMAND, SC_CLOSE, 0}, {WM_CLOSE, 0, 0},
							{WM_DESTROY, 0, 0}, {WM_NCDESTROY, 0, 0}}));
	EXPECT_FALSE(IsWindow(m_window));
}

namespace
{
struct sObserved
{
	HWND window;
	std::vector<Uint32> types;
};

// Marks the queue when it sees an event, so the order against the event's
// own messages shows. Raw X events (the window system watches for its
// window's destruction) arrive whenever the X server sends one: not counted.
void MarkingObserver(const SDL_Event& event, void* context)
{
	if (event.type == SDL_SYSWMEVENT)
		return;
	auto* observed = static_cast<sObserved*>(context);
	observed->types.push_back(event.type);
	PostMessageA(observed->window, WM_USER, event.type, 0);
}
}

TEST_F(cMessageTest, ObserversSeeEveryEventBeforeItsMessages)
{
	sObserved observed{m_window, {}};
	AddSdlEventObserver(MarkingObserver, &observed);
	AddSdlEventObserver(MarkingObserver, &observed); // once only
	SDL_Event key{};
	key.type = SDL_KEYDOWN;
	key.key.windowID = SdlIdOf(m_window);
	key.key.keysym.sym = SDLK_a;
	std::vector<sRecordedMessage> messages = MessagesFrom({WindowEvent(SDL_WINDOWEVENT_CLOSE), key});
	RemoveSdlEventObserver(MarkingObserver, &observed);

	// The key makes no message of its own, but the observer sees it.
	EXPECT_EQ(observed.types, (std::vector<Uint32>{SDL_WINDOWEVENT, SDL_KEYDOWN}));
	EXPECT_EQ(messages, (std::vector<sRecordedMessage>{{WM_USER, SDL_WINDOWEVENT, 0}, {WM_SYSCOMMAND, SC_CLOSE, 0},
							{WM_USER, SDL_KEYDOWN, 0}}));

	MessagesFrom({key});
	EXPECT_EQ(observed.types.size(), 2u);
}

TEST_F(cMessageTest, CursorPositionIsKnownOffTheWindowThread)
{
	ASSERT_TRUE(SetWindowPos(m_window, nullptr, 100, 50, 200, 100, SWP_NOZORDER | SWP_NOSIZE));
	RECT area;
	GetWindowRect(m_window, &area);
	MessagesFrom({MotionEvent(10, 20)});
	POINT point{};
	std::thread([&] {
		GetCursorPos(&point);
		ScreenToClient(m_window, &point);
	}).join();
	EXPECT_EQ(point.x, 10);
	EXPECT_EQ(point.y, 20);
}

TEST_F(cMessageTest, CursorChosenOffTheWindowThreadShowsOnIt)
{
	// A colour cursor needs no cursor font from the X server.
	SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_ARGB8888);
	ASSERT_NE(image, nullptr);
	SDL_FillRect(image, nullptr, 0xFFFFFFFF);
	SDL_Cursor* hand = SDL_CreateColorCursor(image, 0, 0);
	SDL_FreeSurface(image);
	ASSERT_NE(hand, nullptr) << SDL_GetError();
	auto* handle = reinterpret_cast<HCURSOR>(hand);
	HCURSOR previous = reinterpret_cast<HCURSOR>(1);
	std::thread([&] { previous = SetCursor(handle); }).join();
	EXPECT_EQ(previous, nullptr);
	MSG message;
	PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the window thread applies it
	EXPECT_EQ(SDL_GetCursor(), hand);
	EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

	// The display counter: shown while it is 0 or more.
	EXPECT_EQ(ShowCursor(FALSE), -1);
	EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
	EXPECT_EQ(ShowCursor(TRUE), 0);
	EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

	// No cursor shows nothing.
	EXPECT_EQ(SetCursor(nullptr), handle);
	EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
	SDL_FreeCursor(hand);
}
