// The keyboard record behind GetKeyboardState and ToUnicode: which keys are
// down and what text each held key typed. SDL reports a key going down and
// then, separately, the text that the desktop's layout made of it; the text
// belongs to the key pressed last.

#include "platform/win32/Win32Keyboard.h"

#include "platform/win32/Win32EventObservers.h"
#include "platform/win32/Win32KeyboardState.h"
#include "platform/win32/Win32Unicode.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <string>

namespace
{
class cKeyboardRecord
{
public:
	cKeyboardRecord() { AddSdlEventObserver(&cKeyboardRecord::Observe, this); }

	void GetScanCodeStates(BYTE* states)
	{
		std::lock_guard<std::mutex> hold(m_lock);
		std::copy(m_down.begin(), m_down.end(), states);
	}

	void GetVirtualKeyStates(BYTE* states)
	{
		std::lock_guard<std::mutex> hold(m_lock);
		std::memset(states, 0, 256);
		for (int code = 1; code < 256; ++code)
			if (m_down[code])
				MarkDown(states, static_cast<BYTE>(code));
		if (m_capsLock)
			states[VK_CAPITAL] |= 1;
		if (m_numLock)
			states[VK_NUMLOCK] |= 1;
	}

	std::u16string TextOf(BYTE code)
	{
		std::lock_guard<std::mutex> hold(m_lock);
		return m_down[code] ? m_text[code] : std::u16string();
	}

private:
	static void Observe(const SDL_Event& event, void* context)
	{
		static_cast<cKeyboardRecord*>(context)->OnEvent(event);
	}

	static void MarkDown(BYTE* states, BYTE code)
	{
		UINT virtualKey = win32::VirtualKeyFromScanCode(code);
		if (virtualKey)
			states[virtualKey] = 0x80;
		switch (code)
		{
		case 0x2A: states[VK_LSHIFT] = 0x80; break;
		case 0x36: states[VK_RSHIFT] = 0x80; break;
		case 0x1D: states[VK_LCONTROL] = 0x80; break;
		case 0x9D: states[VK_RCONTROL] = 0x80; break;
		case 0x38: states[VK_LMENU] = 0x80; break;
		case 0xB8: states[VK_RMENU] = 0x80; break;
		default: break;
		}
	}

	void OnEvent(const SDL_Event& event)
	{
		std::lock_guard<std::mutex> hold(m_lock);
		switch (event.type)
		{
		case SDL_KEYDOWN:
		case SDL_KEYUP:
			OnKey(event.key);
			break;
		case SDL_TEXTINPUT:
			OnText(event.text.text);
			break;
		case SDL_WINDOWEVENT:
			// Keys released while another window has the focus are never
			// reported: every key counts as up.
			if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
			{
				m_down.fill(0);
				m_lastPressed = 0;
			}
			break;
		default:
			break;
		}
	}

	void OnKey(const SDL_KeyboardEvent& key)
	{
		m_capsLock = (key.keysym.mod & KMOD_CAPS) != 0;
		m_numLock = (key.keysym.mod & KMOD_NUM) != 0;
		BYTE code = win32::ScanCodeFromSdl(key.keysym.scancode);
		if (!code)
			return;
		if (key.state == SDL_PRESSED)
		{
			// A repeat types the same text again: it replaces the text.
			m_down[code] = 0x80;
			m_lastPressed = code;
			m_freshText = true;
		}
		else
		{
			m_down[code] = 0;
			m_text[code].clear();
			if (m_lastPressed == code)
				m_lastPressed = 0;
		}
	}

	void OnText(const char* text)
	{
		if (!m_lastPressed)
			return;
		std::u16string& held = m_text[m_lastPressed];
		if (m_freshText)
			held.clear();
		held += win32::Utf8ToUtf16(text);
		m_freshText = false;
	}

	std::mutex m_lock;
	std::array<BYTE, 256> m_down{};
	std::array<std::u16string, 256> m_text;
	BYTE m_lastPressed = 0;
	bool m_freshText = false;
	bool m_capsLock = false;
	bool m_numLock = false;
};

// Never destroyed: events may still be pumped while statics are torn down.
cKeyboardRecord& Record()
{
	static cKeyboardRecord* record = new cKeyboardRecord;
	return *record;
}

// The character of a key that types a control character of its own.
char16_t ControlCharacterOf(UINT virtualKey)
{
	switch (virtualKey)
	{
	case VK_RETURN: return u'\r';
	case VK_BACK: return u'\b';
	case VK_ESCAPE: return 0x1B;
	case VK_TAB: return u'\t';
	default: return 0;
	}
}
}

namespace win32
{
void TrackKeyboard()
{
	Record();
}

void GetScanCodeStates(BYTE* states)
{
	Record().GetScanCodeStates(states);
}
}

BOOL GetKeyboardState(BYTE* state)
{
	if (!state)
		return FALSE;
	Record().GetVirtualKeyStates(state);
	return TRUE;
}

int ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, WCHAR* buffer, int size, UINT)
{
	if (!buffer || size <= 0 || virtualKey == 0 || virtualKey > 0xFF || (scanCode & 0x8000))
		return 0;
	bool control = keyState && (keyState[VK_CONTROL] & 0x80) && !(keyState[VK_MENU] & 0x80);
	std::u16string text;
	if (control && virtualKey >= 'A' && virtualKey <= 'Z')
		text = static_cast<char16_t>(virtualKey - 'A' + 1);
	else if (char16_t character = ControlCharacterOf(virtualKey))
		text = character;
	else
		text = Record().TextOf(static_cast<BYTE>(scanCode & 0xFF));
	int count = std::min(static_cast<int>(text.size()), size);
	for (int i = 0; i < count; ++i)
		buffer[i] = static_cast<WCHAR>(text[i]);
	return count;
}
