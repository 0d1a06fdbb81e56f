#include "platform/win32/Win32Event.h"

#include "platform/win32/Win32Internal.h"

namespace
{
class cEventObject : public Win32KernelObject
{
public:
	cEventObject(bool manualReset, bool signalled) : m_manualReset(manualReset), m_signalled(signalled) {}

	DWORD Wait(DWORD milliseconds) override
	{
		std::unique_lock<std::mutex> hold(m_lock);
		if (!win32::WaitFor(hold, m_changed, milliseconds, [this] { return m_signalled; }))
			return WAIT_TIMEOUT;
		if (!m_manualReset)
			m_signalled = false;
		return WAIT_OBJECT_0;
	}

	void Set(bool signalled)
	{
		{
			std::lock_guard<std::mutex> hold(m_lock);
			m_signalled = signalled;
		}
		if (signalled)
			m_changed.notify_all();
	}

private:
	std::mutex m_lock;
	std::condition_variable m_changed;
	bool m_manualReset;
	bool m_signalled;
};

BOOL SetSignalled(HANDLE event, bool signalled)
{
	auto object = Win32KernelObject::FromHandle<cEventObject>(event);
	if (!object)
		return FALSE;
	object->Set(signalled);
	return TRUE;
}
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES*, BOOL manualReset, BOOL initialState, const char*)
{
	return (new cEventObject(manualReset != FALSE, initialState != FALSE))->GetHandle();
}

BOOL SetEvent(HANDLE event)
{
	return SetSignalled(event, true);
}

BOOL ResetEvent(HANDLE event)
{
	return SetSignalled(event, false);
}
