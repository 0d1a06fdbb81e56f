// The mouse reader thread against a mouse that the test controls.

#include "InputManagerFixture.h"

#include "engine/input/cMouseDevice.h"

#include <condition_variable>
#include <cstring>
#include <mutex>

namespace
{
// A mouse whose reads can be held inside GetDeviceState, and which records
// the notification event it is given.
class cHeldMouse : public IDirectInputDevice7
{
public:
	HRESULT QueryInterface(const GUID&, void**) override { return DIERR_NOINTERFACE; }
	ULONG AddRef() override { return 1; }
	ULONG Release() override { return 1; }
	HRESULT GetCapabilities(DIDEVCAPS*) override { return DIERR_UNSUPPORTED; }
	HRESULT SetProperty(const GUID&, const DIPROPHEADER*) override { return DIERR_UNSUPPORTED; }
	HRESULT Acquire() override { return DI_OK; }
	HRESULT Unacquire() override { return DI_OK; }
	HRESULT SetDataFormat(const DIDATAFORMAT*) override { return DI_OK; }
	HRESULT SetCooperativeLevel(HWND, DWORD) override { return DI_OK; }
	HRESULT Poll() override { return DI_NOEFFECT; }

	HRESULT SetEventNotification(HANDLE event) override
	{
		std::lock_guard<std::mutex> hold(m_lock);
		m_notification = event;
		m_log.push_back(event ? "notify" : "detach");
		return DI_OK;
	}

	HRESULT GetDeviceState(DWORD size, void* data) override
	{
		std::unique_lock<std::mutex> hold(m_lock);
		m_log.push_back("read");
		m_reading = true;
		m_changed.notify_all();
		m_changed.wait(hold, [this] { return m_released; });
		m_reading = false;
		m_log.push_back("read done");
		std::memset(data, 0, size);
		static_cast<DIMOUSESTATE*>(data)->rgbButtons[0] = 0x80;
		return DI_OK;
	}

	bool WaitUntilReading()
	{
		std::unique_lock<std::mutex> hold(m_lock);
		return m_changed.wait_for(hold, std::chrono::seconds(2), [this] { return m_reading; });
	}

	void LetReadsEnd()
	{
		std::lock_guard<std::mutex> hold(m_lock);
		m_released = true;
		m_changed.notify_all();
	}

	HANDLE Notification()
	{
		std::lock_guard<std::mutex> hold(m_lock);
		return m_notification;
	}

	std::vector<std::string> Log()
	{
		std::lock_guard<std::mutex> hold(m_lock);
		return m_log;
	}

private:
	std::mutex m_lock;
	std::condition_variable m_changed;
	HANDLE m_notification = nullptr;
	bool m_reading = false;
	bool m_released = false;
	std::vector<std::string> m_log;
};

using cMouseDeviceTest = cInputManagerFixture;
}

TEST_F(cMouseDeviceTest, DestroyingTheReaderWaitsForItsStepBeforeTakingItsEventBack)
{
	cHeldMouse mouse;
	HANDLE dataEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	auto* reader = new cMouseDevice(dataEvent, &mouse);
	ASSERT_NE(mouse.Notification(), nullptr);
	reader->Start();

	// The mouse reports input: the thread reads it and stays inside the read.
	SetEvent(mouse.Notification());
	ASSERT_TRUE(mouse.WaitUntilReading());

	std::thread destroyer([reader] { delete reader; });
	std::this_thread::sleep_for(std::chrono::milliseconds(30));
	// The destructor is still waiting for the step: nothing is taken back yet.
	EXPECT_EQ(mouse.Log(), (std::vector<std::string>{"notify", "read"}));
	mouse.LetReadsEnd();
	destroyer.join();
	EXPECT_EQ(mouse.Log(), (std::vector<std::string>{"notify", "read", "read done", "detach"}));
	// The thread's read latched the button and told the manager's event.
	EXPECT_EQ(WaitForSingleObject(dataEvent, 0), WAIT_OBJECT_0);
	CloseHandle(dataEvent);
}

TEST_F(cMouseDeviceTest, StoppingWakesAWaitingThread)
{
	cHeldMouse mouse;
	mouse.LetReadsEnd();
	HANDLE dataEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
	cMouseDevice reader(dataEvent, &mouse);
	reader.Start();
	ASSERT_TRUE(WaitFor([&] { return reader.IsRunning(); }));
	auto start = std::chrono::steady_clock::now();
	reader.Stop();
	// Well under the thread's 200 ms wait.
	EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
	EXPECT_FALSE(reader.IsRunning());
	CloseHandle(dataEvent);
}
