#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Handle.h"

#include <gtest/gtest.h>

namespace
{
struct cCounted : Win32Object
{
	explicit cCounted(int* deaths) : m_deaths(deaths) {}
	~cCounted() override { ++*m_deaths; }
	int* m_deaths;
};

struct cOther : Win32Object
{
};
}

TEST(Win32Handle, CloseDeletesTheObjectAndRejectsInvalidHandles)
{
	int deaths = 0;
	HANDLE handle = MakeHandle(new cCounted(&deaths));
	EXPECT_NE(HandleObject<cCounted>(handle), nullptr);
	EXPECT_EQ(HandleObject<cOther>(handle), nullptr);
	EXPECT_TRUE(CloseHandle(handle));
	EXPECT_EQ(deaths, 1);

	EXPECT_FALSE(CloseHandle(nullptr));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
	EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
	EXPECT_EQ(HandleObject<cCounted>(INVALID_HANDLE_VALUE), nullptr);
}
