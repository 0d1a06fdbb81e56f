#include "platform/dinput/DInputDevice.h"

#include "platform/win32/Win32Event.h"
#include "platform/win32/Win32EventObservers.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Window.h"

#include <SDL.h>

#include <cstring>

namespace
{
// The size of the DirectX 3 capabilities structure, the smallest accepted.
const DWORD kSmallestCapabilitiesSize = 24;

bool HasOneOf(DWORD flags, DWORD first, DWORD second)
{
	return ((flags & first) != 0) != ((flags & second) != 0);
}
}

namespace dinput
{
cDevice::cDevice(const DIDATAFORMAT& format) : m_acceptedFormat(format)
{
}

void cDevice::Start()
{
	AddSdlEventObserver(&cDevice::Observe, this);
}

HRESULT cDevice::QueryInterface(const GUID& iid, void** object)
{
	if (!object)
		return DIERR_INVALIDPARAM;
	if (!(iid == IID_IDirectInputDevice7A))
	{
		*object = nullptr;
		return DIERR_NOINTERFACE;
	}
	AddRef();
	*object = static_cast<IDirectInputDevice7*>(this);
	return DI_OK;
}

ULONG cDevice::AddRef()
{
	return ++m_references;
}

ULONG cDevice::Release()
{
	ULONG left = --m_references;
	if (left == 0)
	{
		RemoveSdlEventObserver(&cDevice::Observe, this);
		delete this;
	}
	return left;
}

HRESULT cDevice::GetCapabilities(DIDEVCAPS* capabilities)
{
	if (!capabilities || capabilities->dwSize < kSmallestCapabilitiesSize ||
		capabilities->dwSize > sizeof(DIDEVCAPS))
		return DIERR_INVALIDPARAM;
	DIDEVCAPS filled{};
	filled.dwSize = capabilities->dwSize;
	filled.dwFlags = DIDC_ATTACHED;
	{
		std::lock_guard<std::mutex> hold(m_lock);
		FillCapabilities(filled);
	}
	std::memcpy(capabilities, &filled, capabilities->dwSize);
	return DI_OK;
}

HRESULT cDevice::SetProperty(const GUID&, const DIPROPHEADER*)
{
	return DIERR_UNSUPPORTED;
}

HRESULT cDevice::Acquire()
{
	std::lock_guard<std::mutex> hold(m_lock);
	if (!m_format)
		return DIERR_INVALIDPARAM;
	if (m_acquired)
		return DI_NOEFFECT;
	if (!MayRead())
		return DIERR_OTHERAPPHASPRIO;
	m_acquired = true;
	OnAcquire();
	return DI_OK;
}

HRESULT cDevice::Unacquire()
{
	std::lock_guard<std::mutex> hold(m_lock);
	if (!m_acquired)
		return DI_NOEFFECT;
	m_acquired = false;
	return DI_OK;
}

HRESULT cDevice::GetDeviceState(DWORD size, void* data)
{
	std::lock_guard<std::mutex> hold(m_lock);
	if (!data || !m_format || size != m_format->dwDataSize)
		return DIERR_INVALIDPARAM;
	if (!m_acquired)
		return DIERR_NOTACQUIRED;
	if (!MayRead())
	{
		m_acquired = false;
		return DIERR_INPUTLOST;
	}
	ReadState(data);
	return DI_OK;
}

HRESULT cDevice::SetDataFormat(const DIDATAFORMAT* format)
{
	std::lock_guard<std::mutex> hold(m_lock);
	if (m_acquired)
		return DIERR_ACQUIRED;
	if (format != &m_acceptedFormat)
		return DIERR_INVALIDPARAM;
	m_format = format;
	return DI_OK;
}

HRESULT cDevice::SetEventNotification(HANDLE event)
{
	std::lock_guard<std::mutex> hold(m_lock);
	m_notification = event;
	return DI_OK;
}

HRESULT cDevice::SetCooperativeLevel(HWND window, DWORD flags)
{
	if (!HasOneOf(flags, DISCL_EXCLUSIVE, DISCL_NONEXCLUSIVE) || !HasOneOf(flags, DISCL_FOREGROUND, DISCL_BACKGROUND))
		return DIERR_INVALIDPARAM;
	if (!IsWindow(window))
		return DIERR_INVALIDPARAM;
	if ((flags & DISCL_FOREGROUND) && (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_CHILD))
		return DIERR_INVALIDPARAM;
	std::lock_guard<std::mutex> hold(m_lock);
	if (m_acquired)
		return DIERR_ACQUIRED;
	m_window = window;
	m_flags = flags;
	return DI_OK;
}

HRESULT cDevice::Poll()
{
	std::lock_guard<std::mutex> hold(m_lock);
	return m_acquired ? DI_NOEFFECT : DIERR_NOTACQUIRED;
}

void cDevice::Observe(const SDL_Event& event, void* context)
{
	static_cast<cDevice*>(context)->OnEvent(event);
}

void cDevice::OnEvent(const SDL_Event& event)
{
	std::lock_guard<std::mutex> hold(m_lock);
	if (IsFocusLossOfWindow(event))
	{
		if (m_flags & DISCL_FOREGROUND)
			m_acquired = false;
		OnFocusLost();
		return;
	}
	if (OnInput(event, m_acquired) && m_acquired && m_notification)
		SetEvent(m_notification);
}

bool cDevice::IsFocusLossOfWindow(const SDL_Event& event) const
{
	return event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && m_window &&
		event.window.windowID == SDL_GetWindowID(win32::ToSdlWindow(m_window));
}

bool cDevice::MayRead() const
{
	return !(m_flags & DISCL_FOREGROUND) || GetForegroundWindow() == m_window;
}
}
