#pragma once
// What every device of the DirectInput stand-in shares: references, data
// format, cooperative level, acquisition, event notification, and the
// window layer's events fed to the device under its lock.

#include "platform/dinput/DInput.h"

#include <atomic>
#include <mutex>

union SDL_Event;

namespace dinput
{
class cDevice : public IDirectInputDevice7
{
public:
	// Starts feeding the window layer's events to the device; called once
	// the device is fully built.
	void Start();

	HRESULT QueryInterface(const GUID& iid, void** object) override;
	ULONG AddRef() override;
	ULONG Release() override;

	HRESULT GetCapabilities(DIDEVCAPS* capabilities) override;
	HRESULT SetProperty(const GUID& property, const DIPROPHEADER* header) override;
	HRESULT Acquire() override;
	HRESULT Unacquire() override;
	HRESULT GetDeviceState(DWORD size, void* data) override;
	HRESULT SetDataFormat(const DIDATAFORMAT* format) override;
	HRESULT SetEventNotification(HANDLE event) override;
	HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
	HRESULT Poll() override;

protected:
	// The device reads in the given format only.
	explicit cDevice(const DIDATAFORMAT& format);
	virtual ~cDevice() = default;

	// The hooks below run under the device lock.
	// Takes one event; true when it is an input of this device (the
	// notification event is then signalled while acquired).
	virtual bool OnInput(const SDL_Event& event, bool acquired) = 0;
	// Writes the state in the device's format.
	virtual void ReadState(void* data) = 0;
	virtual void FillCapabilities(DIDEVCAPS& capabilities) = 0;
	// The device has just been acquired.
	virtual void OnAcquire() {}
	// The cooperative window lost the focus.
	virtual void OnFocusLost() {}

	bool IsAcquired() const { return m_acquired; }

	std::mutex m_lock;

private:
	static void Observe(const SDL_Event& event, void* context);
	void OnEvent(const SDL_Event& event);
	bool IsFocusLossOfWindow(const SDL_Event& event) const;
	// Foreground devices read only while their window has the focus.
	bool MayRead() const;

	std::atomic<ULONG> m_references{1};
	const DIDATAFORMAT& m_acceptedFormat;
	const DIDATAFORMAT* m_format = nullptr;
	HWND m_window = nullptr;
	DWORD m_flags = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
	bool m_acquired = false;
	HANDLE m_notification = nullptr;
};
}
