#pragma once
// The mouse reader: a worker thread woken by the mouse's event notification
// that sums the mouse motion and latches the buttons between two polls of
// the input manager, so that a click shorter than a frame still counts. It
// reads only while the application is active and the cursor is inside the
// window's client area. The poll works on it under its lock.

#include "engine/foundation/cThread.h"
#include "platform/dinput/DInput.h"
#include "platform/win32/Win32Sync.h"

#include <array>
#include <atomic>

class cMouseDevice : public cThread
{
public:
	static constexpr int kButtonCount = 4;

	// Gives the mouse (not owned) a new notification event; dataEvent is
	// signalled after every read of the thread.
	cMouseDevice(HANDLE dataEvent, IDirectInputDevice7* mouse);
	// Stops the thread first, then takes the notification event back from
	// the mouse and closes it.
	~cMouseDevice() override;

	// Wakes a waiting step at once.
	void OnStop() override;
	// Waits up to 200 ms for the mouse; reads when it has something.
	bool Step() override;

	// The lock of the latches and sums, held by the poll.
	CRITICAL_SECTION* GetLock() { return &m_lock; }

	// The application is active and the cursor lies in the window's client area.
	static bool IsCursorInside();

	// Reads the mouse (with re-acquisitions) without adding to the sums.
	bool ReadDevice(DIMOUSESTATE& state);
	// Each button whose byte is not zero latches that byte.
	void Latch(const DIMOUSESTATE& state);
	// Clears the latches and reads once, so that the latches start from the
	// buttons held now.
	void Restart();

	BYTE GetLatch(int button) const { return m_latches[button]; }
	// The motion summed (x, y, wheel) since the sums were last taken; the
	// sums start again from 0.
	std::array<LONG, 3> TakeSums();
	const std::array<LONG, 3>& GetSums() const { return m_sums; }

	// The application's activation listener switches reading off and on.
	void SetInactive(bool inactive) { m_inactive = inactive; }

private:
	// Reads the mouse, adds its motion to the sums and latches its buttons.
	void Read();

	HANDLE m_notification;
	HANDLE m_dataEvent;
	IDirectInputDevice7* m_mouse;
	BYTE m_latches[kButtonCount] = {};
	CRITICAL_SECTION m_lock;
	std::array<LONG, 3> m_sums{};
	std::atomic<bool> m_inactive{false};
};
