#pragma once
// A hidden window whose focus and input are SDL events pushed into SDL's
// queue, and DirectInput devices made for it.

#include "platform/dinput/DInput.h"

#include "../win32/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>

class cDInputTest : public testing::Test
{
protected:
	void SetUp() override
	{
		m_window = CreateTestWindow();
		ASSERT_NE(m_window, nullptr) << "needs a display";
		HandleAllMessages();
		ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &m_input, nullptr), DI_OK);
	}

	void TearDown() override
	{
		for (IDirectInputDevice7* device : m_devices)
			device->Release();
		if (m_input)
			m_input->Release();
		Focus(false);
		DestroyWindow(m_window);
		HandleAllMessages();
	}

	// A device in the given format for the test window (the returned
	// device is released after the test).
	IDirectInputDevice7* MakeDevice(const GUID& guid, const DIDATAFORMAT& format, DWORD level)
	{
		IDirectInputDevice7* device = nullptr;
		EXPECT_EQ(m_input->CreateDevice(guid, &device, nullptr), DI_OK);
		if (!device)
			return nullptr;
		m_devices.push_back(device);
		EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
		EXPECT_EQ(device->SetCooperativeLevel(m_window, level), DI_OK);
		return device;
	}

	// An acquired device of the focused window.
	IDirectInputDevice7* MakeForegroundDevice(const GUID& guid, const DIDATAFORMAT& format)
	{
		IDirectInputDevice7* device = MakeDevice(guid, format, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
		Focus(true);
		if (device)
		{
			EXPECT_EQ(device->Acquire(), DI_OK);
		}
		return device;
	}

	void Push(SDL_Event event)
	{
		ASSERT_EQ(SDL_PushEvent(&event), 1);
	}

	// Pushes the events and lets the window layer take them.
	void Send(std::initializer_list<SDL_Event> events)
	{
		for (SDL_Event event : events)
			Push(event);
		HandleAllMessages();
	}

	void Focus(bool gained)
	{
		SDL_Event event{};
		event.type = SDL_WINDOWEVENT;
		event.window.windowID = SdlIdOf(m_window);
		event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
		Send({event});
	}

	SDL_Event Key(SDL_Scancode scancode, bool down, Uint16 modifiers = KMOD_NONE)
	{
		SDL_Event event{};
		event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
		event.key.windowID = SdlIdOf(m_window);
		event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.key.keysym.scancode = scancode;
		event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
		event.key.keysym.mod = modifiers;
		return event;
	}

	SDL_Event Text(const std::string& utf8)
	{
		SDL_Event event{};
		event.type = SDL_TEXTINPUT;
		event.text.windowID = SdlIdOf(m_window);
		utf8.copy(event.text.text, sizeof(event.text.text) - 1);
		return event;
	}

	SDL_Event Motion(int dx, int dy)
	{
		SDL_Event event{};
		event.type = SDL_MOUSEMOTION;
		event.motion.windowID = SdlIdOf(m_window);
		event.motion.xrel = dx;
		event.motion.yrel = dy;
		return event;
	}

	SDL_Event Button(Uint8 button, bool down)
	{
		SDL_Event event{};
		event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
		event.button.windowID = SdlIdOf(m_window);
		event.button.button = button;
		event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.button.clicks = 1;
		return event;
	}

	SDL_Event Wheel(float notches, bool flipped = false)
	{
		SDL_Event event{};
		event.type = SDL_MOUSEWHEEL;
		event.wheel.windowID = SdlIdOf(m_window);
		event.wheel.y = static_cast<Sint32>(notches);
		event.wheel.preciseY = notches;
		event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
		return event;
	}

	HWND m_window = nullptr;
	IDirectInput7* m_input = nullptr;
	std::vector<IDirectInputDevice7*> m_devices;
};
