#include "engine/input/cMouseDevice.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/input/ReadDeviceState.h"
#include "platform/win32/Win32.h"

namespace
{
const DWORD kWaitMilliseconds = 200;
}

cMouseDevice::cMouseDevice(HANDLE dataEvent, IDirectInputDevice7* mouse)
	: m_notification(CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_dataEvent(dataEvent), m_mouse(mouse)
{
	m_mouse->SetEventNotification(m_notification);
	InitializeCriticalSection(&m_lock);
}

cMouseDevice::~cMouseDevice()
{
	// The thread may be in a step that uses the event, the mouse and the lock.
	Stop();
	m_mouse->SetEventNotification(nullptr);
	CloseHandle(m_notification);
	DeleteCriticalSection(&m_lock);
}

void cMouseDevice::OnStop()
{
	SetEvent(m_notification);
}

bool cMouseDevice::Step()
{
	if (WaitForSingleObject(m_notification, kWaitMilliseconds) != WAIT_OBJECT_0 || IsStopRequested())
		return true;
	if (Singletone<cWin32Application>::GetInstance()->IsActive() && !m_inactive)
	{
		cAutoLock hold(&m_lock);
		if (IsCursorInside())
			Read();
		SetEvent(m_dataEvent);
	}
	return true;
}

bool cMouseDevice::IsCursorInside()
{
	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	HWND window = application->GetWindowHandle();
	POINT cursor;
	RECT client;
	if (!application->IsActive() || !GetCursorPos(&cursor) || !GetClientRect(window, &client))
		return false;
	POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
	MapWindowPoints(window, nullptr, corners, 2);
	RECT onScreen{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
	return PtInRect(&onScreen, cursor);
}

bool cMouseDevice::ReadDevice(DIMOUSESTATE& state)
{
	return ReadDeviceState(m_mouse, sizeof(state), &state);
}

void cMouseDevice::Latch(const DIMOUSESTATE& state)
{
	for (int button = 0; button < kButtonCount; ++button)
		if (state.rgbButtons[button])
			m_latches[button] = state.rgbButtons[button];
}

void cMouseDevice::Restart()
{
	for (BYTE& latch : m_latches)
		latch = 0;
	Read();
}

std::array<LONG, 3> cMouseDevice::TakeSums()
{
	std::array<LONG, 3> sums = m_sums;
	m_sums = {};
	return sums;
}

void cMouseDevice::Read()
{
	DIMOUSESTATE state{};
	if (!ReadDevice(state))
		return;
	m_sums[0] += state.lX;
	m_sums[1] += state.lY;
	m_sums[2] += state.lZ;
	Latch(state);
}
