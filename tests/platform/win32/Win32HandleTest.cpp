#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Handle.h"

#include <gtest/gtest.h>

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
}

TEST(Win32Handle, CloseDeletesTheObjectAndRejectsInvalidHandles)
{
	int deaths = 0;
	HANDLE handle = (new cCounted(&deaths))->GetHandle();
	EXPECT_NE(Win32KernelObject::FromHandle<cCounted>(handle), nullptr);
	EXPECT_EQ(Win32KernelObject::FromHandle<cOther>(handle), nullptr);
	EXPECT_TRUE(CloseHandle(handle));
	EXPECT_EQ(deaths, 1);

	EXPECT_FALSE(CloseHandle(nullptr));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
	EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
	EXPECT_FALSE(CloseHandle(handle)); // already closed
	EXPECT_EQ(Win32KernelObject::FromHandle<cCounted>(INVALID_HANDLE_VALUE), nullptr);
}
