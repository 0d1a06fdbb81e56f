#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Handle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
struct cCounted : Win32KernelObject
{
	explicit cCounted(int* deaths) : m_deaths(deaths) {}
	~cCounted() override { ++*m_deaths; }
	int* m_deaths;
};

struct cOther : Win32KernelObject
{
};

// An object whose waiters stay inside Wait until the test lets them go.
struct cGate : cCounted
{
	using cCounted::cCounted;
	DWORD Wait(DWORD) override
	{
		++inside;
		while (!open)
			std::this_thread::yield();
		return WAIT_OBJECT_0;
	}
	std::atomic<int> inside{0};
	std::atomic<bool> open{false};
};
}

TEST(Win32Handle, CloseDeletesTheObjectAndRejectsInvalidHandles)
{
	int deaths = 0;
	HANDLE handle = (new cCounted(&deaths))->GetHandle();
	EXPECT_TRUE(Win32KernelObject::FromHandle<cCounted>(handle));
	EXPECT_FALSE(Win32KernelObject::FromHandle<cOther>(handle));
	EXPECT_TRUE(CloseHandle(handle));
	EXPECT_EQ(deaths, 1);

	EXPECT_FALSE(CloseHandle(nullptr));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
	EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
	EXPECT_FALSE(CloseHandle(handle)); // already closed
	EXPECT_FALSE(Win32KernelObject::FromHandle<cCounted>(INVALID_HANDLE_VALUE));
}

TEST(Win32Handle, ClosingKeepsTheObjectUntilTheWaitersLeave)
{
	int deaths = 0;
	auto* gate = new cGate(&deaths);
	HANDLE handle = gate->GetHandle();
	std::thread waiter([&] { EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0); });
	while (gate->inside == 0)
		std::this_thread::yield();

	EXPECT_TRUE(CloseHandle(handle));
	EXPECT_EQ(deaths, 0); // the waiter is still inside
	EXPECT_FALSE(Win32KernelObject::FromHandle<cGate>(handle)); // but the handle is gone
	EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED);
	gate->open = true;
	waiter.join();
	EXPECT_EQ(deaths, 1);
}
